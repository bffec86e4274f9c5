#include "QtTestKit.h"

#include "framework/Delegate.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

using namespace fw;

namespace qtkit {

void Settle()
{
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void Click(QWidget* widget, QPoint at)
{
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void DoubleClick(QWidget* widget, QPoint at)
{
    Click(widget, at);
    SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void PressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void WhenModal(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

Watchdog::Watchdog(int ms)
    : timer_(new QTimer)
{
    timer_->setSingleShot(true);
    QObject::connect(timer_, &QTimer::timeout, timer_, [ms] {
        ADD_FAILURE() << "still waiting after " << ms << " ms";
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->reject();
        QCoreApplication::exit(1);
    });
    timer_->start(ms);
}

Watchdog::~Watchdog()
{
    delete timer_;
}

namespace {

template <const char* Event>
void Entry(Control& control, std::int32_t row)
{
    DelegateRef d = NotNil(control.EventDelegate(control.Class().EventSlot(Event)), "no handler is registered");
    d->invoker(*d, control, row);
}

void Invoke(const Delegate& d, Control& control, std::int32_t row)
{
    d.Target();  // the window must still be there
    (*std::any_cast<Handler>(&d.method))(control, row);
}

constexpr char kExpandRow[] = "ExpandRow";
constexpr char kCollapseRow[] = "CollapseRow";
constexpr char kDoubleClick[] = "DoubleClick";
constexpr char kChange[] = "Change";
constexpr char kAction[] = "Action";

Control::EntryRoutine EntryFor(std::string_view event)
{
    if (event == kExpandRow) return &Entry<kExpandRow>;
    if (event == kCollapseRow) return &Entry<kCollapseRow>;
    if (event == kDoubleClick) return &Entry<kDoubleClick>;
    if (event == kChange) return &Entry<kChange>;
    if (event == kAction) return &Entry<kAction>;
    throw RuntimeException("the kit has no entry routine for " + std::string(event));
}

// A menu entry whose action the test sees.
class CountingItem final : public MenuItem {
public:
    explicit CountingItem(int& count) : count_(count) {}
    bool Event_Action() override
    {
        ++count_;
        return true;
    }

private:
    int& count_;
};

MenuItemRef MakeEntry(const ClassRecord& record, const char* text, const char* shortcut)
{
    auto entry = RuntimeNewObjectAs<MenuItem>(record);
    entry->SetText(text);
    entry->SetKeyboardShortcut(shortcut);
    return entry;
}

} // namespace

void On(const ControlRef& control, const WindowRef& window, const char* event, Handler handler)
{
    DelegateRef d = RuntimeCreateDelegate(&Invoke, std::move(handler), window, "( Control )", kDelegateWeakTarget);
    RuntimeAddEventHandler(control, control->Class().EventSlot(event), EntryFor(event), d);
}

WindowTest::WindowTest()
    : record_(ClassRecord::Derive("QtKitWindow", &Window::Lookup()))
{
    record_.create = Factory<Window>();
    record_.Handle("Layout", [this](Object& object) {
        auto& w = static_cast<Window&>(object);
        auto bar = New<MenuBar>();
        MenuItemRef file = MakeEntry(MenuItem::Lookup(), "ファイル", "");
        file->Append(MakeEntry(QuitMenuItem::Lookup(), "終了", "Cmd+Q"));
        MenuItemRef edit = MakeEntry(MenuItem::Lookup(), "編集", "");
        undo = std::make_shared<CountingItem>(undoChosen);
        undo->SetText("元に戻す");
        undo->SetKeyboardShortcut("Cmd+Z");
        edit->Append(undo);
        edit->Append(MakeEntry(MenuItem::Lookup(), "-", ""));
        edit->Append(MakeEntry(MenuItem::Lookup(), "コピー", "Cmd+C"));
        edit->Append(MakeEntry(MenuItem::Lookup(), "削除", ""));
        bar->Append(file);
        bar->Append(edit);
        w.SetMenuBar(bar);
        w.SetWidth(150);
        w.SetHeight(200);
        w.SetMinWidth(64);
        w.SetMinHeight(64);
        w.SetMaxWidth(32000);
        w.SetMaxHeight(32000);
        w.SetTitle("Quillmere");
        w.SetMaximizeButton(false);
        w.SetLeft(100);
        w.SetTop(120);
        if (onLayout) onLayout(w);
    });
    record_.Handle("CreateControls", [this](Object& object) {
        auto& w = static_cast<Window&>(object);
        auto self = std::static_pointer_cast<Window>(w.shared_from_this());
        list = std::static_pointer_cast<Listbox>(w.New(Listbox::Lookup()));
        w.AddControl("LB1", list);
        list->SetTextSize(10.0f);
        list->SetTextUnit(0);
        list->SetLeft(0);
        list->SetTop(0);
        list->SetWidth(150);
        list->SetHeight(174);
        list->SetLockRight(true);
        list->SetLockBottom(true);
        list->SetColumnCount(2);
        list->SetHierarchical(true);
        list->SetHasHeading(false);
        On(list, self, "ExpandRow", [this](Control&, std::int32_t row) {
            events.push_back("ExpandRow " + std::to_string(row));
            if (onExpand) return onExpand(row);
            for (const char* child : {"/1", "/2"}) list->AddRow({list->Cell(row, 0) + child, list->Cell(row, 0)});
        });
        On(list, self, "CollapseRow", [this](Control&, std::int32_t row) {
            events.push_back("CollapseRow " + std::to_string(row));
            if (onCollapse) return onCollapse(row);
            while (row + 1 < list->ListCount() && list->RowDepth(row + 1) > list->RowDepth(row))
                list->RemoveRow(row + 1);
        });
        On(list, self, "DoubleClick", [this](Control&, std::int32_t) {
            events.push_back("DoubleClick " + std::to_string(list->ListIndex()));
            if (onDoubleClick) onDoubleClick();
        });
        On(list, self, "Change", [this](Control&, std::int32_t) {
            events.push_back("Change " + std::to_string(list->ListIndex()));
        });

        button = std::static_pointer_cast<BevelButton>(w.New(BevelButton::Lookup()));
        w.AddControl("BevelButton1", button);
        button->SetTextSize(10.0f);
        button->SetTextUnit(0);
        button->SetLeft(5);
        button->SetTop(177);
        button->SetWidth(140);
        button->SetHeight(20);
        button->SetLockTop(false);
        button->SetLockRight(true);
        button->SetLockBottom(true);
        button->SetCaption("スクリプトフォルダ選択");
        On(button, self, "Action", [this](Control&, std::int32_t) {
            events.push_back("Action");
            if (onAction) onAction();
        });
    });
    record_.Handle("Close", [this](Object&) { events.push_back("Close"); });
}

void WindowTest::Open()
{
    window = RuntimeNewObjectAs<Window>(record_);
    window->Constructor();
    Fill();
    Settle();
}

void WindowTest::Fill()
{
    list->AddFolder("A");
    list->SetCell(list->LastIndex(), 1, "");
    list->AddRow({"x.jsx", ""});
    list->AddFolder("B");
    list->SetCell(list->LastIndex(), 1, "");
}

void WindowTest::TearDown()
{
    if (window) window->Close();
    list.reset();
    button.reset();
    undo.reset();
    window.reset();
    Settle();
}

} // namespace qtkit
