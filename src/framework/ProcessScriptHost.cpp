#include "ChildProcess.h"
#include "Exceptions.h"
#include "Platform.h"

namespace fw {

namespace {

ScriptCallException::Why WhyOf(ChildEnd end)
{
    switch (end) {
    case ChildEnd::NotStarted: return ScriptCallException::Why::CannotStart;
    case ChildEnd::TimedOut: return ScriptCallException::Why::TimedOut;
    case ChildEnd::Signalled: return ScriptCallException::Why::Signalled;
    case ChildEnd::Abandoned: return ScriptCallException::Why::Ending;
    case ChildEnd::Exited:
    case ChildEnd::LeftRunning: break;
    }
    return ScriptCallException::Why::Failed;
}

// Compiled script N is the helper named N in the scripts folder.
class ProcessScriptHost final : public ScriptHost {
public:
    explicit ProcessScriptHost(String folder) : folder_(std::move(folder)) {}

    String Run(std::int32_t number, const std::vector<ScriptParameter>& parameters,
               const HelperWait& wait) override
    {
        std::vector<String> arguments;
        for (const ScriptParameter& p : parameters)
            arguments.push_back(p.isInteger ? Str(p.integer) : p.text);

        const String what = "compiled script " + Str(number);
        ChildResult run = RunShippedHelper(folder_, Str(number), arguments, wait, EventsGoOnWhileWaiting(wait));
        // The user's work runs on after us: for the caller, as if it had ended.
        if (run.end == ChildEnd::LeftRunning) return String();
        if (!run.Succeeded()) {
            // What a failing script printed is no answer.
            String message = DescribeFailure(what, run);
            if (run.end != ChildEnd::Abandoned) failures_.Failed(what, message);
            throw ScriptCallException(WhyOf(run.end), message);
        }
        failures_.Worked(what);
        String text = std::move(run.output);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }

private:
    String folder_;
    HelperFailureLog failures_;
};

} // namespace

std::unique_ptr<ScriptHost> MakeProcessScriptHost(const String& scriptsFolder)
{
    return std::make_unique<ProcessScriptHost>(scriptsFolder);
}

} // namespace fw
