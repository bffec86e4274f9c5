// Building the window's three controls and wiring their events to the
// window's handler methods.

#include "Window1.h"
#include "Window1Blobs.h"
#include "Window1Timer1.h"

#include "framework/Properties.h"

using namespace fw;

namespace {

using ListboxRowHandler = void (Window1::*)(const ListboxRef&, std::int32_t);
using ListboxHandler = void (Window1::*)(const ListboxRef&);
using BevelButtonHandler = void (Window1::*)(const BevelButtonRef&);
using TimerHandler = void (Window1::*)(const TimerRef&);

template <class T>
std::shared_ptr<T> As(Control& control)
{
    return RuntimeCheckCastAs<T>(control.shared_from_this(), T::Lookup());
}

// One invoker per parameter list: resolve the weakly held window (gone: a
// NilObjectException and no call), then call the handler.
void InvokeListboxInt32(const Delegate& d, Control& control, std::int32_t row)
{
    auto window = std::static_pointer_cast<class Window1>(d.Target());
    (window.get()->*std::any_cast<ListboxRowHandler>(d.method))(As<Listbox>(control), row);
}

void InvokeListbox(const Delegate& d, Control& control, std::int32_t)
{
    auto window = std::static_pointer_cast<class Window1>(d.Target());
    (window.get()->*std::any_cast<ListboxHandler>(d.method))(As<Listbox>(control));
}

void InvokeBevelButton(const Delegate& d, Control& control, std::int32_t)
{
    auto window = std::static_pointer_cast<class Window1>(d.Target());
    (window.get()->*std::any_cast<BevelButtonHandler>(d.method))(As<BevelButton>(control));
}

void InvokeTimer(const Delegate& d, Control& control, std::int32_t)
{
    auto window = std::static_pointer_cast<class Window1>(d.Target());
    (window.get()->*std::any_cast<TimerHandler>(d.method))(As<Timer>(control));
}

// One entry routine per event: the delegate registered for it on the control.
template <const char* Event>
void Entry(Control& control, std::int32_t row)
{
    int slot = control.Class().EventSlot(Event);
    DelegateRef d = NotNil(control.EventDelegate(slot), "no handler is registered");
    d->invoker(*d, control, row);
}

constexpr char kExpandRow[] = "ExpandRow";
constexpr char kCollapseRow[] = "CollapseRow";
constexpr char kDoubleClick[] = "DoubleClick";
constexpr char kAction[] = "Action";

template <const char* Event, class Method>
void Wire(const ObjectRef& control, const ObjectRef& window, Delegate::Invoker invoker, Method method,
          const char* parameters)
{
    DelegateRef d = RuntimeCreateDelegate(invoker, method, window, parameters, kDelegateWeakTarget);
    RuntimeAddEventHandler(control, control->Class().EventSlot(Event), &Entry<Event>, d);
}

} // namespace

void Window1::CreateControls()
{
    ObjectRef keep = shared_from_this();
    CreateControls0();
}

void Window1::CreateControls0()
{
    ObjectRef self = shared_from_this();
    auto fetch = [this](const char* name, const ClassRecord& record) {
        return RuntimeCheckCast(ControlByName(name), record);
    };

    // LB1
    {
        ObjectRef created = New(Listbox::Lookup());
        std::static_pointer_cast<RectControl>(created)->Constructor();
        AddControl("LB1", created);
    }
    std::static_pointer_cast<Listbox>(fetch("LB1", Listbox::Lookup()))->SetTextSize(10.0f);
    std::static_pointer_cast<Listbox>(fetch("LB1", Listbox::Lookup()))->SetTextUnit(0);
    SetProperties(*fetch("LB1", Listbox::Lookup()), LB1Blob());
    Wire<kExpandRow>(fetch("LB1", Listbox::Lookup()), self, &InvokeListboxInt32,
                     ListboxRowHandler(&Window1::LB1_ExpandRow), "( Listbox, Int32 )");
    Wire<kCollapseRow>(fetch("LB1", Listbox::Lookup()), self, &InvokeListboxInt32,
                       ListboxRowHandler(&Window1::LB1_CollapseRow), "( Listbox, Int32 )");
    Wire<kDoubleClick>(fetch("LB1", Listbox::Lookup()), self, &InvokeListbox,
                       ListboxHandler(&Window1::LB1_DoubleClick), "( Listbox )");

    // BevelButton1
    {
        ObjectRef created = New(BevelButton::Lookup());
        std::static_pointer_cast<RectControl>(created)->Constructor();
        AddControl("BevelButton1", created);
    }
    std::static_pointer_cast<BevelButton>(fetch("BevelButton1", BevelButton::Lookup()))->SetTextSize(10.0f);
    std::static_pointer_cast<BevelButton>(fetch("BevelButton1", BevelButton::Lookup()))->SetTextUnit(0);
    SetProperties(*fetch("BevelButton1", BevelButton::Lookup()), BevelButton1Blob());
    Wire<kAction>(fetch("BevelButton1", BevelButton::Lookup()), self, &InvokeBevelButton,
                  BevelButtonHandler(&Window1::BevelButton1_Action), "( BevelButton )");

    // Timer1
    {
        ObjectRef created = New(Window1_Timer1::Lookup());
        std::static_pointer_cast<Window1_Timer1>(created)->Constructor();
        AddControl("Timer1", created);
    }
    SetProperties(*fetch("Timer1", Timer::Lookup()), Timer1Blob());
    Wire<kAction>(fetch("Timer1", Timer::Lookup()), self, &InvokeTimer, TimerHandler(&Window1::Timer1_Action),
                  "( Timer )");
}
