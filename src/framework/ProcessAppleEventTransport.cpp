#include "AppleEvent.h"
#include "ChildProcess.h"
#include "Platform.h"

namespace fw {

namespace {

// Events go out through the sender shipped beside the compiled scripts,
// given the three codes as text; it exits 0 once the event is delivered.
class ProcessAppleEventTransport final : public AppleEventTransport {
public:
    explicit ProcessAppleEventTransport(String folder) : folder_(std::move(folder)) {}

    bool Send(std::uint32_t eventClass, std::uint32_t eventID, std::uint32_t signature) override
    {
        ChildResult run = RunShippedHelper(
            folder_, "appleevent",
            {FourCharCodeText(eventClass), FourCharCodeText(eventID), FourCharCodeText(signature)});
        return run.started && run.exited && run.status == 0;
    }

private:
    String folder_;
};

} // namespace

std::unique_ptr<AppleEventTransport> MakeProcessAppleEventTransport(const String& scriptsFolder)
{
    return std::make_unique<ProcessAppleEventTransport>(scriptsFolder);
}

} // namespace fw
