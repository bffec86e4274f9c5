#include "support/ProgramFixture.h"

#include "app/App.h"
#include "listwindow/Window1Blobs.h"

#include "framework/Properties.h"

using namespace fw;
using fwtest::ProgramFixture;

namespace {

using Spine = ProgramFixture;

TEST_F(Spine, OneMenuBarServesTheApplicationAndTheWindow)
{
    auto window = Start();
    auto first = MenuBar1();
    EXPECT_EQ(MenuBar1(), first);
    auto app = std::static_pointer_cast<App>(RegisteredAppObject());
    ASSERT_TRUE(app);
    EXPECT_EQ(app->MenuBar(), first);
    EXPECT_EQ(window->MenuBar(), first);
    EXPECT_EQ(window->EditCut(), app->MenuBar()->Child("EditMenu")->Item(2));
}

TEST_F(Spine, MenuTreeHoldsExactlyTheTabledEntries)
{
    auto window = Start();
    auto bar = window->MenuBar();
    ASSERT_EQ(bar->Count(), 2);

    struct Expected {
        const char* name;
        const char* text;
        const char* shortcut;
    };
    const Expected file[] = {{"FileQuit", "終了", "Cmd+Q"}};
    const Expected edit[] = {
        {"EditUndo", "元に戻す", "Cmd+Z"}, {"UntitledMenu1", "-", ""},  {"EditCut", "カット", "Cmd+X"},
        {"EditCopy", "コピー", "Cmd+C"},   {"EditPaste", "貼り付け", "Cmd+V"}, {"EditClear", "削除", ""},
        {"UntitledMenu0", "-", ""},        {"EditSelectAll", "すべてを選択", "Cmd+A"},
    };
    auto check = [](const MenuItemRef& menu, const char* name, const char* text, auto& entries) {
        EXPECT_EQ(menu->Name(), name);
        EXPECT_EQ(menu->Text(), text);
        EXPECT_EQ(menu->KeyboardShortcut(), "");
        ASSERT_EQ(menu->Count(), std::int32_t(std::size(entries)));
        for (std::int32_t i = 0; i < menu->Count(); ++i) {
            SCOPED_TRACE(entries[i].name);
            EXPECT_EQ(menu->Item(i)->Name(), entries[i].name);
            EXPECT_EQ(menu->Item(i)->Text(), entries[i].text);
            EXPECT_EQ(menu->Item(i)->KeyboardShortcut(), entries[i].shortcut);
            EXPECT_TRUE(menu->Item(i)->AutoEnable());
            // Only the quit entry ends the program (and takes the platform's quit place).
            EXPECT_EQ(bool(std::dynamic_pointer_cast<QuitMenuItem>(menu->Item(i))),
                      std::string(entries[i].name) == "FileQuit");
        }
    };
    EXPECT_FALSE(std::dynamic_pointer_cast<QuitMenuItem>(bar->Item(0)));
    EXPECT_FALSE(std::dynamic_pointer_cast<QuitMenuItem>(bar->Item(1)));
    check(bar->Item(0), "FileMenu", "ファイル", file);
    check(bar->Item(1), "EditMenu", "編集", edit);

    EXPECT_TRUE(std::dynamic_pointer_cast<QuitMenuItem>(window->FileQuit()));
    EXPECT_EQ(window->UntitledMenu1(), bar->Item(1)->Item(1));
    EXPECT_EQ(window->UntitledMenu0(), bar->Item(1)->Item(6));
    EXPECT_EQ(window->FileMenu(), bar->Item(0));
    EXPECT_EQ(window->EditSelectAll()->Text(), "すべてを選択");
}

TEST_F(Spine, WindowIsCreatedOnceWithItsEventsInOrder)
{
    auto window = Start();
    EXPECT_EQ(::Window1(), window);
    EXPECT_EQ(OpenWindows().size(), 1u);

    const auto& j = platform->journal;
    auto at = [&](const std::string& entry) {
        auto it = std::find(j.begin(), j.end(), entry);
        EXPECT_NE(it, j.end()) << entry;
        EXPECT_EQ(std::count(j.begin(), j.end(), entry), 1) << entry;
        return it - j.begin();
    };
    // Layout (menu bar, then the blob), CreateControls, Open, then shown.
    EXPECT_LT(at("view menu bar"), at("view title Quillmere"));
    EXPECT_LT(at("view title Quillmere"), at("view control LB1"));
    EXPECT_LT(at("view control LB1"), at("view control BevelButton1"));
    EXPECT_LT(at("view control BevelButton1"), at("view control Timer1"));
    EXPECT_LT(at("view control Timer1"), at("script 168"));
    EXPECT_LT(at("script 168"), at("window shown"));
}

TEST_F(Spine, WindowHasItsDesignTimeShape)
{
    auto window = Start();
    EXPECT_EQ(window->Width(), 150);
    EXPECT_EQ(window->Height(), 200);
    EXPECT_EQ(window->Title(), "Quillmere");
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(window->CloseButton());
    EXPECT_TRUE(window->MinimizeButton());
    EXPECT_FALSE(window->MaximizeButton());
    EXPECT_TRUE(window->Resizeable());
    EXPECT_EQ(window->MinWidth(), 64);
    EXPECT_EQ(window->MaxHeight(), 32000);
}

TEST_F(Spine, BlobsReadToTheirLastEntries)
{
    struct Blob {
        const std::string& bytes;
        const ClassRecord& record;
        std::size_t size;
        std::size_t entries;
        const char* last;
    };
    const Blob blobs[] = {
        {Window1Blob(), Window1::Lookup(), 276, 21, "MacProcId"},
        {LB1Blob(), Listbox::Lookup(), 642, 45, "InitialParent"},
        {BevelButton1Blob(), BevelButton::Lookup(), 506, 38, "Underline"},
        {Timer1Blob(), Timer::Lookup(), 20, 2, "Period"},
    };
    for (const Blob& b : blobs) {
        SCOPED_TRACE(b.last);
        EXPECT_EQ(b.bytes.size(), b.size);
        auto entries = ReadProperties(b.record, b.bytes);
        EXPECT_EQ(entries.size(), b.entries);
        EXPECT_EQ(entries.back().first, b.last);
    }
    auto list = Start()->LB1();
    const PropertyValue* horizontal = list->StoredValue("ScrollBarHorizontal");
    ASSERT_TRUE(horizontal);
    EXPECT_FALSE(std::get<bool>(*horizontal));
}

TEST_F(Spine, AnExceptionOutOfTheLoopIsReportedOnceAndTheProcessStillFinishes)
{
    platform->Post([] { throw NilObjectException("a nil object was used"); });
    testing::internal::CaptureStderr();
    std::int32_t status = program::main();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(status, 0);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("NilObjectException"), std::string::npos) << err;
    EXPECT_EQ(MenuBar1::_implicitInstance, nullptr);  // finalised
    EXPECT_TRUE(OpenWindows().empty());
}

TEST_F(Spine, QuitEntryClosesTheWindowFirstAndEndsWithStatusZero)
{
    platform->Post([] { ::Window1()->FileQuit()->Choose(); });
    std::int32_t status = program::main();
    EXPECT_EQ(status, 0);
    std::string saved = ReadFile(PreferencesFile());  // written by the Close event
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 5) << saved;
}

TEST_F(Spine, ClosingTheWindowEndsWithStatusZero)
{
    platform->Post([] { ::Window1()->ViewCloseRequested(); });
    EXPECT_EQ(program::main(), 0);
    EXPECT_TRUE(OpenWindows().empty());
}

} // namespace
