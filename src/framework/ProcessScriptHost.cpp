#include "ChildProcess.h"
#include "Exceptions.h"
#include "Platform.h"

#include <cstdio>

namespace fw {

namespace {

// Compiled script N is the helper named N in the scripts folder.
class ProcessScriptHost final : public ScriptHost {
public:
    explicit ProcessScriptHost(String folder) : folder_(std::move(folder)) {}

    String Run(std::int32_t number, const std::vector<ScriptParameter>& parameters) override
    {
        std::vector<String> arguments;
        for (const ScriptParameter& p : parameters)
            arguments.push_back(p.isInteger ? Str(p.integer) : p.text);

        ChildResult run = RunShippedHelper(folder_, Str(number), arguments);
        if (!run.started)
            throw RuntimeException("compiled script " + Str(number) + " cannot be run: " + run.failure);
        // The callers take any text by its content, so a failing script
        // still answers what it printed; the failure is only told.
        if (!run.exited)
            std::fprintf(stderr, "quillmere: compiled script %d was ended by signal %d\n",
                         int(number), run.status);
        else if (run.status != 0)
            std::fprintf(stderr, "quillmere: compiled script %d exited with status %d\n",
                         int(number), run.status);

        String text = std::move(run.output);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }

private:
    String folder_;
};

} // namespace

std::unique_ptr<ScriptHost> MakeProcessScriptHost(const String& scriptsFolder)
{
    return std::make_unique<ProcessScriptHost>(scriptsFolder);
}

} // namespace fw
