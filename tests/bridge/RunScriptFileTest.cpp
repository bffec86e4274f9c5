#include "support/ProgramFixture.h"

using namespace fw;
using fwtest::ProgramFixture;

namespace {

class RunScriptFile : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        window = Start();
        platform->journal.clear();
        platform->messages.clear();
    }
    std::shared_ptr<class Window1> window;
};

struct DispatchCase {
    const char* listedName;
    const char* expected;  // the journal line, "" for nothing at all
};

TEST_F(RunScriptFile, TheListedNamesLastExtensionDecides)
{
    std::string file = Make({"Tool.jsx"});  // the file's own name never decides
    const std::string text = "(text \"" + file + "\")";
    const DispatchCase cases[] = {
        {"Tool.jsx", "script 172"}, {"Tool.js", "script 172"},   {"Tool.scpt", "script 171"},
        {"Batch.app", "launch"},    {"notes.txt", ""},           {"my.script.jsx", "script 172"},
        {"tool.jsx.bak", ""},       {"README", ""},              {"js", "script 172"},
        {"jsx", "script 172"},      {"scpt", "script 171"},      {"app", "launch"},
        {"Tool", ""},               {"Tool.JSX", "script 172"},  {"Tool.", ""},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.listedName);
        platform->journal.clear();
        window->goscript(GetFolderItem(file), c.listedName);
        std::vector<std::string> expected;
        if (std::string(c.expected) == "launch")
            expected = {"launch " + file};
        else if (*c.expected)
            expected = {c.expected + text};
        EXPECT_EQ(platform->journal, expected);
    }
    EXPECT_TRUE(platform->messages.empty());
    // An applet is launched to the front.
    ASSERT_EQ(platform->Launched().size(), 2u);
    for (const auto& launch : platform->Launched()) EXPECT_TRUE(launch.activate);
}

TEST_F(RunScriptFile, AMissingFileIsReportedByItsListedName)
{
    platform->AppleEvents().SetDelivered(true);
    window->goscript(nullptr, "Tool.jsx");
    EXPECT_EQ(platform->journal,
              (std::vector<std::string>{"script 170", "message Tool.jsxが見つかりません", "event misc/actv/ART5"}));
}

TEST_F(RunScriptFile, APathIsPassedAsOneArgumentWhateverItHolds)
{
    std::string file = Make({"it's \"$(touch x)\"; a\\b スクリプト.jsx"});
    window->goscript(GetFolderItem(file), "x.jsx");
    EXPECT_EQ(platform->Scripts().Calls().back().parameters.size(), 1u);
    EXPECT_EQ(platform->Scripts().Calls().back().parameters[0].text, file);
}

using Messages = RunScriptFile;

TEST_F(Messages, TheProgramComesToTheFrontBeforeAndIllustratorAfter)
{
    window->my_msgbox("a.jsxが見つかりません");
    EXPECT_EQ(platform->journal,
              (std::vector<std::string>{"script 170", "message a.jsxが見つかりません", "event misc/actv/ART5"}));
}

TEST_F(Messages, WithoutIllustratorTwoMessagesFollowAndTheProgramComesForwardOnce)
{
    platform->AppleEvents().SetDelivered(false);
    window->my_msgbox("x");
    EXPECT_EQ(platform->journal, (std::vector<std::string>{"script 170", "message x", "event misc/actv/ART5",
                                                           "message Illustratorを起動してください。"}));
}

TEST_F(Messages, ActivationSendsTheActivateEventToIllustrator)
{
    std::size_t before = platform->AppleEvents().Sent().size();
    window->AI_ACCTIVE();
    ASSERT_EQ(platform->AppleEvents().Sent().size(), before + 1);
    const auto& sent = platform->AppleEvents().Sent().back();
    EXPECT_EQ(sent.eventClass, 0x6D697363u);  // "misc"
    EXPECT_EQ(sent.eventID, 0x61637476u);     // "actv"
    EXPECT_EQ(sent.signature, 0x41525435u);   // "ART5"
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(Messages, AFailingFrontCallShowsNothing)
{
    platform->Scripts().Raise(170, "cannot be run");
    EXPECT_THROW(window->my_msgbox("x"), RuntimeException);
    EXPECT_EQ(platform->journal, std::vector<std::string>{"script 170"});
}

} // namespace
