#pragma once

// Stand-ins for the process seams: a script host and an Apple-event
// transport that record what reaches them and answer what the test says.

#include "framework/Exceptions.h"
#include "framework/Platform.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fwtest {

struct ScriptCall {
    std::int32_t number = 0;
    std::vector<fw::ScriptParameter> parameters;
    fw::HelperWait wait;
};

// One call as a line, the kind of each parameter shown:
// `171(text "/a b", integer 5)`.
std::string Describe(const ScriptCall& call);

class RecordingScriptHost final : public fw::ScriptHost {
public:
    // Makes one the current host; it lives until another host is installed.
    static RecordingScriptHost& Install();

    // From now on script `number` answers `result` (unset: the empty text)...
    void Answer(std::int32_t number, fw::String result);
    // ...or raises RuntimeException with `message`...
    void Raise(std::int32_t number, std::string message);
    // ...or fails as a real script does, for that reason.
    void Fail(std::int32_t number, fw::ScriptCallException::Why why);

    const std::vector<ScriptCall>& Calls() const { return calls_; }
    std::vector<std::string> Described() const;  // Describe of each call, in order

    fw::String Run(std::int32_t number, const std::vector<fw::ScriptParameter>& parameters,
                   const fw::HelperWait& wait) override;

private:
    std::vector<ScriptCall> calls_;
    std::map<std::int32_t, fw::String> answers_;
    std::map<std::int32_t, std::string> failures_;
    std::map<std::int32_t, fw::ScriptCallException::Why> scriptFailures_;
};

struct SentAppleEvent {
    std::uint32_t eventClass = 0;
    std::uint32_t eventID = 0;
    std::uint32_t signature = 0;
};

class RecordingAppleEventTransport final : public fw::AppleEventTransport {
public:
    // Makes one the current transport; it lives until another is installed.
    static RecordingAppleEventTransport& Install();

    // What Send answers from now on; True at first.
    void SetDelivered(bool delivered) { delivered_ = delivered; }
    const std::vector<SentAppleEvent>& Sent() const { return sent_; }

    bool Send(std::uint32_t eventClass, std::uint32_t eventID, std::uint32_t signature) override;

private:
    bool delivered_ = true;
    std::vector<SentAppleEvent> sent_;
};

} // namespace fwtest
