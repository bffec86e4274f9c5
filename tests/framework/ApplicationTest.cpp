#include "framework/Application.h"
#include "framework/Exceptions.h"

#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fw;

namespace {

// Nothing more runs once an event has raised: the program reports and ends.
TEST(RuntimeLoopTest, AnExceptionFromAnEventEndsTheLoopAndComesOutOfRun)
{
    auto& platform = fwtest::TestPlatform::Install();
    std::vector<std::string> ran;
    platform.Post([&] {
        ran.push_back("first");
        throw NilObjectException("gone");
    });
    platform.Post([&] { ran.push_back("second"); });
    EXPECT_THROW(RuntimeRun(), NilObjectException);
    EXPECT_EQ(ran, std::vector<std::string>{"first"});
}

// A quit, asked for before the loop or from an event in it, ends the loop
// at once, with the code it was given.
TEST(RuntimeLoopTest, QuitEndsTheLoopWithItsCode)
{
    for (bool beforeTheLoop : {true, false}) {
        SCOPED_TRACE(beforeTheLoop ? "before the loop" : "from an event");
        auto& platform = fwtest::TestPlatform::Install();
        std::vector<std::string> ran;
        if (beforeTheLoop) Quit(3);
        platform.Post([&] {
            ran.push_back("first");
            Quit(3);
        });
        platform.Post([&] { ran.push_back("second"); });
        RuntimeRun();
        EXPECT_EQ(ran, beforeTheLoop ? std::vector<std::string>{} : std::vector<std::string>{"first"});
        EXPECT_TRUE(QuitRequested());
        EXPECT_EQ(RuntimeExit(), 3);
    }
}

TEST(RuntimeLoopTest, AnUnhandledExceptionIsReportedOnOneLineAndEndsWithStatusOne)
{
    const struct {
        std::exception_ptr raised;
        const char* line;
    } cases[] = {
        {std::make_exception_ptr(RuntimeException()), "quillmere: unhandled exception: RuntimeException\n"},
        {std::make_exception_ptr(OutOfBoundsException("row 9")),
         "quillmere: unhandled exception: OutOfBoundsException: row 9\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        fwtest::TestPlatform::Install();
        ::testing::internal::CaptureStderr();
        UnhandledException(c.raised);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.line);
        EXPECT_EQ(RuntimeExit(), 1);
    }
}

} // namespace
