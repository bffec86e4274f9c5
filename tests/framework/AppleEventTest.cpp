#include "framework/AppleEvent.h"
#include "framework/Platform.h"
#include "support/RecordingScriptHost.h"
#include "support/StandinState.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

TEST(FourCharCodeTest, FirstCharacterIsTheMostSignificantByte)
{
    struct Case {
        const char* text;
        std::uint32_t code;
    };
    for (const Case& c : {Case{"misc", 0x6D697363}, Case{"actv", 0x61637476}, Case{"ART5", 0x41525435},
                          Case{"\xFF\x01 z", 0xFF01207A}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FourCharCode(c.text), c.code);
        EXPECT_EQ(FourCharCodeText(c.code), c.text);
    }
}

TEST(NewAppleEventTest, KeepsItsThreeCodes)
{
    auto event = NewAppleEvent("misc", "actv", "ART5");
    ASSERT_TRUE(event);
    EXPECT_EQ(event->EventClass(), 0x6D697363u);
    EXPECT_EQ(event->EventID(), 0x61637476u);
    EXPECT_EQ(event->Signature(), 0x41525435u);
    EXPECT_EQ(&event->Class(), &AppleEvent::Lookup());
}

TEST(NewAppleEventTest, NilUnlessEveryCodeIsFourBytes)
{
    for (const char* bad : {"", "mis", "miscc", "アート"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(NewAppleEvent(bad, "actv", "ART5"));
        EXPECT_FALSE(NewAppleEvent("misc", bad, "ART5"));
        EXPECT_FALSE(NewAppleEvent("misc", "actv", bad));
    }
}

TEST(AppleEventSendTest, GoesThroughTheTransportAndAnswersItsVerdict)
{
    auto& transport = fwtest::RecordingAppleEventTransport::Install();
    auto event = NewAppleEvent("misc", "actv", "ART5");
    EXPECT_TRUE(event->Send());
    transport.SetDelivered(false);
    EXPECT_FALSE(event->Send());
    ASSERT_EQ(transport.Sent().size(), 2u);
    EXPECT_EQ(transport.Sent()[1].eventClass, 0x6D697363u);
    EXPECT_EQ(transport.Sent()[1].eventID, 0x61637476u);
    EXPECT_EQ(transport.Sent()[1].signature, 0x41525435u);
}

// The shipped sender against a private stand-in state.
class ShippedSenderTest : public ::testing::Test {
protected:
    void SetUp() override { InstallAppleEventTransport(MakeProcessAppleEventTransport(QUILLMERE_SCRIPTS_DIR)); }
    void TearDown() override { InstallAppleEventTransport(nullptr); }

    fwtest::StandinState state;
};

TEST_F(ShippedSenderTest, ActivateIsDeliveredOnlyWhileIllustratorRuns)
{
    state.Write("front", "Quillmere");
    EXPECT_FALSE(NewAppleEvent("misc", "actv", "ART5")->Send());
    EXPECT_EQ(state.Read("front"), "Quillmere");

    state.Write("running", "");
    EXPECT_TRUE(NewAppleEvent("misc", "actv", "ART5")->Send());
    EXPECT_EQ(state.Read("front"), "Illustrator");
}

TEST_F(ShippedSenderTest, OtherEventsOrApplicationsAreNotDelivered)
{
    state.Write("running", "");
    state.Write("front", "Quillmere");
    struct Case {
        const char* eventClass;
        const char* eventID;
        const char* signature;
    };
    for (const Case& c : {Case{"MISC", "actv", "ART5"}, Case{"misc", "ACTV", "ART5"},
                          Case{"misc", "actv", "art5"}, Case{"aevt", "quit", "ART5"},
                          Case{"misc", "actv", "MACS"}, Case{"misc", "actv", "AR\"5"}}) {
        SCOPED_TRACE(std::string(c.eventClass) + c.eventID + c.signature);
        EXPECT_FALSE(NewAppleEvent(c.eventClass, c.eventID, c.signature)->Send());
    }
    EXPECT_EQ(state.Read("front"), "Quillmere");
}

TEST_F(ShippedSenderTest, SenderThatCannotStartMeansNotDelivered)
{
    state.Write("running", "");
    const std::string empty = fwtest::MakeTemporaryFolder();
    InstallAppleEventTransport(MakeProcessAppleEventTransport(empty));
    EXPECT_FALSE(NewAppleEvent("misc", "actv", "ART5")->Send());
    // A code holding a NUL byte cannot be handed on as text.
    InstallAppleEventTransport(MakeProcessAppleEventTransport(QUILLMERE_SCRIPTS_DIR));
    EXPECT_FALSE(NewAppleEvent(std::string("mi\0c", 4), "actv", "ART5")->Send());
    fwtest::RemoveFolder(empty);
}

} // namespace
