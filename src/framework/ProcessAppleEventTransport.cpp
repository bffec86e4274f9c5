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
        // Delivering an event is a moment's work; a sender that takes longer
        // is stuck, and the event counts as not delivered.
        const HelperWait wait = HelperWait::Asking();
        ChildResult run = RunShippedHelper(
            folder_, "appleevent",
            {FourCharCodeText(eventClass), FourCharCodeText(eventID), FourCharCodeText(signature)}, wait,
            EventsGoOnWhileWaiting(wait));
        // A status other than 0 is the sender's answer, not its failure.
        if (run.end == ChildEnd::Exited)
            failures_.Worked(kWhat);
        else if (run.end != ChildEnd::Abandoned)
            failures_.Failed(kWhat, DescribeFailure(kWhat, run));
        return run.Succeeded();
    }

private:
    static constexpr const char* kWhat = "the Apple-event sender";
    String folder_;
    HelperFailureLog failures_;
};

} // namespace

std::unique_ptr<AppleEventTransport> MakeProcessAppleEventTransport(const String& scriptsFolder)
{
    return std::make_unique<ProcessAppleEventTransport>(scriptsFolder);
}

} // namespace fw
