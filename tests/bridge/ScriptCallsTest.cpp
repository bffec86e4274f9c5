#include "bridge/ScriptCalls.h"

#include "framework/Exceptions.h"
#include "framework/Platform.h"
#include "framework/Scripts.h"
#include "support/RecordingScriptHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace fw;
using fwtest::RecordingScriptHost;

namespace {

VariantArrayRef ListOf(std::vector<Variant> elements)
{
    auto list = CreateArray(1, kElementVariant, std::int32_t(elements.size()) - 1);
    for (std::size_t i = 0; i < elements.size(); ++i) list->Set(std::int32_t(i), elements[i]);
    return list;
}

struct Operation {
    const char* name;
    std::int32_t number;
    bool hasResult;
    // Asking is over in a moment; a file handed to Illustrator is the user's
    // work, waited for however long it takes.
    bool handsOverWork;
    std::function<String(const VariantArrayRef&)> call;
};

const std::vector<Operation>& Operations()
{
    static const std::vector<Operation> operations{
        {"getAiVer", 168, true, false, getAiVer},
        {"frontAppli", 169, true, false, frontAppli},
        {"acctivemyapp", 170, false, false, [](const VariantArrayRef& l) { acctivemyapp(l); return String(); }},
        {"goas", 171, true, true, goas},
        {"gojs", 172, true, true, gojs},
    };
    return operations;
}

// An empty list takes the form without parameters and starts no call; a list
// of one text makes one start, one text parameter and one completion. Either
// way the result comes back as the script gave it, untrimmed.
TEST(ScriptCallsTest, EachOperationRunsItsOwnScriptInTheFormItsListAsksFor)
{
    struct ListCase {
        const char* what;
        std::vector<Variant> list;
        std::string parameters;
        std::int32_t starts;
    };
    const std::vector<ListCase> lists{
        {"empty list", {}, "()", 0},
        {"one text", {StringToVariant("/Users/a/Tool.jsx")}, "(text \"/Users/a/Tool.jsx\")", 1},
    };
    for (const Operation& op : Operations()) {
        for (const ListCase& l : lists) {
            SCOPED_TRACE(std::string(op.name) + ", " + l.what);
            auto& host = RecordingScriptHost::Install();
            host.Answer(op.number, " 14.0.0\n");
            const auto started = ParamScriptsStarted(), pending = ParamScriptsPending();

            String result = op.call(ListOf(l.list));

            EXPECT_EQ(host.Described(), std::vector<std::string>{std::to_string(op.number) + l.parameters});
            ASSERT_EQ(host.Calls().size(), 1u);
            const HelperWait& wait = host.Calls()[0].wait;
            EXPECT_EQ(wait.handsOverWork, op.handsOverWork);
            // Only a script that asks something has a time limit.
            EXPECT_EQ(wait.timeLimit.count() > 0, !op.handsOverWork);
            EXPECT_EQ(ParamScriptsStarted(), started + l.starts);
            EXPECT_EQ(ParamScriptsPending(), pending);
            EXPECT_EQ(result, op.hasResult ? " 14.0.0\n" : "");
        }
    }
}

TEST(ScriptCallsTest, EachElementGoesByItsKindInListOrder)
{
    struct Case {
        const char* what;
        std::vector<Variant> list;
        const char* expected;
    };
    const std::vector<Case> cases{
        {"integer", {Variant::FromInt32(-7)}, "171(integer -7)"},
        {"integer then text", {Variant::FromInt32(3), StringToVariant("a b")}, "171(integer 3, text \"a b\")"},
        {"text then integer", {StringToVariant("x"), Variant::FromInt32(0)}, "171(text \"x\", integer 0)"},
        {"boolean", {Variant::FromBoolean(true)}, "171(text \"True\")"},
        {"double is no integer", {Variant::FromDouble(2.0)}, "171(text \"2\")"},
        {"nil element", {Variant()}, "171(text \"\")"},
        {"empty text", {StringToVariant("")}, "171(text \"\")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto& host = RecordingScriptHost::Install();
        goas(ListOf(c.list));
        EXPECT_EQ(host.Described(), std::vector<std::string>{c.expected});
    }
}

TEST(ScriptCallsTest, NilListRaisesBeforeAnyScriptRuns)
{
    auto& host = RecordingScriptHost::Install();
    for (const Operation& op : Operations()) {
        SCOPED_TRACE(op.name);
        const auto started = ParamScriptsStarted();
        EXPECT_THROW(op.call(nullptr), NilObjectException);
        EXPECT_EQ(ParamScriptsStarted(), started);
    }
    EXPECT_TRUE(host.Calls().empty());
}

TEST(ScriptCallsTest, ScriptFailurePassesToTheCallerAndLeavesNoCallPending)
{
    auto& host = RecordingScriptHost::Install();
    const auto pending = ParamScriptsPending();
    host.Raise(172, "Illustrator is not running");
    EXPECT_THROW(gojs(ListOf({StringToVariant("/a.jsx")})), RuntimeException);
    EXPECT_EQ(ParamScriptsPending(), pending);

    host.Raise(170, "cannot activate");
    EXPECT_THROW(acctivemyapp(CreateArray(1, kElementVariant, -1)), RuntimeException);
}

// A platform whose yield runs what the test gives it.
class YieldingPlatform final : public Platform {
public:
    explicit YieldingPlatform(std::function<void()> onYield) : onYield_(std::move(onYield)) {}
    std::unique_ptr<WindowView> CreateWindowView(Window&) override { return nullptr; }
    void RunEventLoop() override {}
    void ExitEventLoop() override {}
    void ProcessPendingEvents() override { onYield_(); }
    std::unique_ptr<TimerHandle> StartTimer(std::int32_t, std::function<void()>) override { return nullptr; }
    void ShowMessage(const String&) override {}
    std::optional<String> ChooseFolder(const FolderDialogTexts&) override { return std::nullopt; }

private:
    std::function<void()> onYield_;
};

TEST(ScriptCallsTest, YieldsOnceAfterEachElementAndReadsTheBoundAgain)
{
    auto& host = RecordingScriptHost::Install();
    auto list = ListOf({StringToVariant("a")});
    int yields = 0;
    // Whatever runs during the first yield lengthens the list.
    InstallPlatform(std::make_unique<YieldingPlatform>([&] {
        if (++yields == 1) list->Append(Variant::FromInt32(2));
    }));

    gojs(list);
    InstallPlatform(nullptr);

    EXPECT_EQ(yields, 2);
    EXPECT_EQ(host.Described(), std::vector<std::string>{"172(text \"a\", integer 2)"});
}

} // namespace
