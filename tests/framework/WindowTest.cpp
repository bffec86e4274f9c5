#include "framework/Application.h"
#include "framework/Listbox.h"
#include "framework/Window.h"

#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace fw;

namespace {

class WindowModel : public ::testing::Test {
protected:
    void SetUp() override { fwtest::TestPlatform::Install(); }
};

TEST_F(WindowModel, ControlsFollowTheEdgesTheyAreLockedTo)
{
    auto window = New<Window>();
    window->SetWidth(150);
    window->SetHeight(200);
    auto list = std::static_pointer_cast<Listbox>(window->New(Listbox::Lookup()));
    window->AddControl("LB1", list);
    list->SetLeft(0), list->SetTop(0), list->SetWidth(150), list->SetHeight(174);
    list->SetLockRight(true), list->SetLockBottom(true);
    auto button = std::static_pointer_cast<Listbox>(window->New(Listbox::Lookup()));
    window->AddControl("B", button);
    button->SetLeft(5), button->SetTop(177), button->SetWidth(140), button->SetHeight(20);
    button->SetLockTop(false), button->SetLockRight(true), button->SetLockBottom(true);
    // Locked to the left and top only, as controls are unless told.
    auto still = std::static_pointer_cast<Listbox>(window->New(Listbox::Lookup()));
    window->AddControl("S", still);
    still->SetLeft(3), still->SetTop(4), still->SetWidth(10), still->SetHeight(20);
    auto strip = std::static_pointer_cast<Listbox>(window->New(Listbox::Lookup()));
    window->AddControl("T", strip);
    strip->SetLeft(0), strip->SetTop(10), strip->SetWidth(150), strip->SetHeight(20), strip->SetLockBottom(true);

    window->ViewResized(250, 300);
    EXPECT_EQ(list->Width(), 250);
    EXPECT_EQ(list->Height(), 274);
    EXPECT_EQ(button->Left(), 5);
    EXPECT_EQ(button->Top(), 277);
    EXPECT_EQ(button->Width(), 240);
    EXPECT_EQ(button->Height(), 20);
    EXPECT_EQ(button->Top() + button->Height() + 3, window->Height());

    window->ViewResized(250, 250);  // taller or shorter only: they follow too
    EXPECT_EQ(list->Height(), 224);
    EXPECT_EQ(button->Top(), 227);
    EXPECT_EQ(list->Width(), 250);

    window->ViewResized(250, 64);  // shorter than the strip: it is left no height, not less
    EXPECT_EQ(strip->Height(), 0);
    EXPECT_EQ((std::array{still->Left(), still->Top(), still->Width(), still->Height()}),
              (std::array{3, 4, 10, 20}));
}

TEST_F(WindowModel, SizesStayWithinTheLimits)
{
    auto window = New<Window>();
    window->SetMinWidth(64), window->SetMinHeight(64), window->SetMaxWidth(32000), window->SetMaxHeight(32000);
    window->SetWidth(-5);
    window->SetHeight(2147483647);
    EXPECT_EQ(window->Width(), 64);
    EXPECT_EQ(window->Height(), 32000);

    // Each side within its own limits.
    window->SetMinWidth(100), window->SetMaxWidth(200), window->SetMinHeight(300), window->SetMaxHeight(400);
    window->ViewResized(50, 50);
    EXPECT_EQ(window->Width(), 100);
    EXPECT_EQ(window->Height(), 300);
    window->ViewResized(1000, 1000);
    EXPECT_EQ(window->Width(), 200);
    EXPECT_EQ(window->Height(), 400);
}

TEST_F(WindowModel, ClosedWindowsAreForgotten)
{
    auto window = New<Window>();
    window->Constructor();
    EXPECT_EQ(GetImplicitWindow("Window"), window);
    EXPECT_EQ(OpenWindows().size(), 1u);
    // A second window of the class does not take the name from the first.
    auto second = New<Window>();
    second->Constructor();
    EXPECT_EQ(GetImplicitWindow("Window"), window);
    second->Close();
    window->Close();
    EXPECT_EQ(GetImplicitWindow("Window"), nullptr);
    EXPECT_TRUE(OpenWindows().empty());
}

TEST_F(WindowModel, ASubclassHandlerTakesTheEventAndCloseRunsItOnce)
{
    ClassRecord base = ClassRecord::Derive("Base", &Window::Lookup());
    ClassRecord sub = ClassRecord::Derive("Sub", &base);
    sub.create = Factory<Window>();
    std::vector<std::string> ran;
    base.Handle("Open", [&](Object&) { ran.push_back("base Open"); });
    sub.Handle("Open", [&](Object&) { ran.push_back("sub Open"); });
    // A Close handler that closes again, as ending the program from it does.
    sub.Handle("Close", [&](Object& object) {
        ran.push_back("sub Close");
        static_cast<Window&>(object).Close();
    });
    auto window = RuntimeNewObjectAs<Window>(sub);
    window->Constructor();
    window->Close();
    EXPECT_EQ(ran, (std::vector<std::string>{"sub Open", "sub Close"}));
    EXPECT_TRUE(OpenWindows().empty());
}

TEST_F(WindowModel, EventsWhoseWindowIsGoneRaiseAndRunNothing)
{
    auto window = New<Window>();
    auto list = std::static_pointer_cast<Listbox>(window->New(Listbox::Lookup()));
    window->AddControl("LB1", list);
    static int calls = 0;
    calls = 0;
    auto d = RuntimeCreateDelegate(
        [](const Delegate& self, Control&, std::int32_t) {
            self.Target();
            ++calls;
        },
        nullptr, window, "( Listbox )", kDelegateWeakTarget);
    list->AddEventHandler(list->Class().EventSlot("DoubleClick"),
                          [](Control& c, std::int32_t row) {
                              auto d = c.EventDelegate(c.Class().EventSlot("DoubleClick"));
                              d->invoker(*d, c, row);
                          },
                          d);
    list->ViewDoubleClicked();
    EXPECT_EQ(calls, 1);
    window.reset();  // the delegate held it weakly: it is gone now
    EXPECT_THROW(list->ViewDoubleClicked(), NilObjectException);
    EXPECT_EQ(calls, 1);
}

struct OpenBounds {
    const char* what;
    std::array<std::int32_t, 4> set;    // by the Open event, one at a time
    std::array<std::int32_t, 4> shown;  // what the window holds once shown
};

TEST_F(WindowModel, OnceOpenIsOverTheWindowIsFittedToTheScreens)
{
    const OpenBounds cases[] = {
        // Left alone, -400 would lie wholly off the screen; with its width
        // the window lies partly on it, and stays where it was put.
        {"fits in the end", {-400, 100, 500, 200}, {-400, 100, 500, 200}},
        {"too big", {100, 100, 32000, 32000}, {0, 0, 1024, 768}},
        {"wholly off", {40000, 40000, 150, 200}, {874, 568, 150, 200}},
    };
    for (const OpenBounds& c : cases) {
        SCOPED_TRACE(c.what);
        auto& platform = fwtest::TestPlatform::Install();
        platform.screenAreas = {{0, 0, 1024, 768}};
        ClassRecord record = ClassRecord::Derive("Fitted", &Window::Lookup());
        record.create = Factory<Window>();
        std::array<std::int32_t, 4> shown{};
        record.Handle("Open", [&](Object& object) {
            auto& w = static_cast<Window&>(object);
            w.SetLeft(c.set[0]), w.SetTop(c.set[1]), w.SetWidth(c.set[2]), w.SetHeight(c.set[3]);
            // Not yet: the Open event may still change them.
            shown = {w.Left(), w.Top(), w.Width(), w.Height()};
        });
        auto window = RuntimeNewObjectAs<Window>(record);
        window->Constructor();
        EXPECT_EQ(shown, c.set);
        EXPECT_EQ((std::array{window->Left(), window->Top(), window->Width(), window->Height()}), c.shown);
        window->Close();
    }
}

} // namespace
