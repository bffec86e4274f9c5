#include "AppleEvent.h"

#include "Platform.h"

namespace fw {

std::optional<std::uint32_t> FourCharCode(const String& text)
{
    if (text.size() != 4) return std::nullopt;
    std::uint32_t code = 0;
    for (unsigned char c : text) code = (code << 8) | c;
    return code;
}

String FourCharCodeText(std::uint32_t code)
{
    String text(4, '\0');
    for (int i = 3; i >= 0; --i, code >>= 8) text[std::size_t(i)] = char(code & 0xFF);
    return text;
}

const ClassRecord& AppleEvent::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("AppleEvent", &Object::Lookup());
        r.create = Factory<AppleEvent>();
        r.Method("Send", "() As Boolean");
        return r;
    }();
    return record;
}

bool AppleEvent::Send()
{
    return CurrentAppleEventTransport().Send(eventClass_, eventID_, signature_);
}

std::shared_ptr<AppleEvent> NewAppleEvent(const String& eventClass, const String& eventID,
                                          const String& signature)
{
    auto c = FourCharCode(eventClass), i = FourCharCode(eventID), s = FourCharCode(signature);
    if (!c || !i || !s) return nullptr;
    auto event = New<AppleEvent>();
    event->eventClass_ = *c;
    event->eventID_ = *i;
    event->signature_ = *s;
    return event;
}

} // namespace fw
