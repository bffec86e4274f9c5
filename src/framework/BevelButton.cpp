#include "BevelButton.h"

namespace fw {

const ClassRecord& BevelButton::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("BevelButton", &RectControl::Lookup());
        for (const char* e : {"MouseUp", "MouseDown", "Action", "GotFocus", "LostFocus"}) r.Event(e);
        using T = PropertyType;
        r.Property(TypedProperty("Caption", T::String, &BevelButton::SetCaption, &BevelButton::Caption));
        for (const char* name : {"CaptionAlign", "CaptionPlacement", "CaptionDelta", "IconAlign", "IconDX", "IconDY",
                                 "Bevel", "HasMenu", "MenuValue", "ButtonType"})
            r.Property(StoredProperty(name, T::Int32));
        for (const char* name : {"HasBackColor", "Value", "AcceptFocus"}) r.Property(StoredProperty(name, T::Boolean));
        for (const char* name : {"BackColor", "TextColor"}) r.Property(StoredProperty(name, T::Color));
        r.create = Factory<BevelButton>();
        return r;
    }();
    return record;
}

void BevelButton::SetCaption(const String& caption)
{
    caption_ = caption;
    Notify([](ControlView& view) { view.TextChanged(); });
}

void BevelButton::ViewPressed()
{
    DeliverUserEvent([&] { RaiseEvent("Action"); });
}

} // namespace fw
