#include "support/RecordingScriptHost.h"

#include "framework/Exceptions.h"

namespace fwtest {

std::string Describe(const ScriptCall& call)
{
    std::string line = std::to_string(call.number) + "(";
    for (std::size_t i = 0; i < call.parameters.size(); ++i) {
        const fw::ScriptParameter& p = call.parameters[i];
        if (i) line += ", ";
        line += p.isInteger ? "integer " + std::to_string(p.integer) : "text \"" + p.text + "\"";
    }
    return line + ")";
}

RecordingScriptHost& RecordingScriptHost::Install()
{
    auto host = std::make_unique<RecordingScriptHost>();
    RecordingScriptHost& installed = *host;
    fw::InstallScriptHost(std::move(host));
    return installed;
}

void RecordingScriptHost::Answer(std::int32_t number, fw::String result)
{
    failures_.erase(number);
    scriptFailures_.erase(number);
    answers_[number] = std::move(result);
}

void RecordingScriptHost::Raise(std::int32_t number, std::string message)
{
    answers_.erase(number);
    scriptFailures_.erase(number);
    failures_[number] = std::move(message);
}

void RecordingScriptHost::Fail(std::int32_t number, fw::ScriptCallException::Why why)
{
    answers_.erase(number);
    failures_.erase(number);
    scriptFailures_[number] = why;
}

std::vector<std::string> RecordingScriptHost::Described() const
{
    std::vector<std::string> lines;
    for (const ScriptCall& call : calls_) lines.push_back(Describe(call));
    return lines;
}

fw::String RecordingScriptHost::Run(std::int32_t number, const std::vector<fw::ScriptParameter>& parameters,
                                    const fw::HelperWait& wait)
{
    calls_.push_back(ScriptCall{number, parameters, wait});
    if (auto failure = failures_.find(number); failure != failures_.end())
        throw fw::RuntimeException(failure->second);
    if (auto failure = scriptFailures_.find(number); failure != scriptFailures_.end())
        throw fw::ScriptCallException(failure->second, "compiled script " + std::to_string(number) + " failed");
    auto answer = answers_.find(number);
    return answer == answers_.end() ? fw::String() : answer->second;
}

RecordingAppleEventTransport& RecordingAppleEventTransport::Install()
{
    auto transport = std::make_unique<RecordingAppleEventTransport>();
    RecordingAppleEventTransport& installed = *transport;
    fw::InstallAppleEventTransport(std::move(transport));
    return installed;
}

bool RecordingAppleEventTransport::Send(std::uint32_t eventClass, std::uint32_t eventID,
                                        std::uint32_t signature)
{
    sent_.push_back(SentAppleEvent{eventClass, eventID, signature});
    return delivered_;
}

} // namespace fwtest
