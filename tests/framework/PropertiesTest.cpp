#include "framework/Properties.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

TEST(Properties, WorkedExampleEncodesWidth)
{
    std::string width = MassPropertyString().Int32("Width", 150).Bytes();
    EXPECT_EQ(width, std::string("Width \x00\x00\x00\x96", 10));
    std::string font = MassPropertyString().Text("TextFont", "System").Bytes();
    EXPECT_EQ(font, std::string("TextFont \x00\x00\x00\x06System", 19));
}

TEST(Properties, ValuesReadInTheirDeclaredForms)
{
    std::string blob = std::string("MinWidth \xFF\xFF\xFF\xFF", 13) + std::string("Title \x00\x00\x00\x00", 10) +
                       std::string("MaxWidth \x80\x00\x00\x00", 13) + std::string("Visible \x00", 9);
    auto entries = ReadProperties(Window::Lookup(), blob);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(std::get<std::int32_t>(entries[0].second), -1);
    EXPECT_EQ(std::get<std::string>(entries[1].second), "");
    EXPECT_EQ(std::get<std::int32_t>(entries[2].second), -2147483647 - 1);
    EXPECT_FALSE(std::get<bool>(entries[3].second));
}

TEST(Properties, ColoursAndDoublesKeepTheOrderOfTheirBytes)
{
    ClassRecord probe = ClassRecord::Derive("Probe", &Object::Lookup());
    probe.Property(StoredProperty("Tint", PropertyType::Color));
    probe.Property(StoredProperty("Scale", PropertyType::Double));

    const Color tint{0x01, 0x80, 0xFE};
    EXPECT_EQ(MassPropertyString().ColorValue("Tint", tint).Bytes(), "Tint \x01\x80\xFE");
    // Pi, most significant byte first; its two halves differ, so a swap shows.
    std::string blob = std::string("Tint \x01\x80\xFE", 8) + std::string("Scale \x40\x09\x21\xFB\x54\x44\x2D\x18", 14);
    auto entries = ReadProperties(probe, blob);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::get<Color>(entries[0].second), tint);
    EXPECT_EQ(std::get<double>(entries[1].second), 3.141592653589793);
}

TEST(Properties, NamesAreMatchedWithoutRegardToCase)
{
    // The declared name is MacProcId; what follows must still be read.
    std::string blob = MassPropertyString().Int32("MacProcID", 0).Text("title", "Q").Bytes();
    auto entries = ReadProperties(Window::Lookup(), blob);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].first, "MacProcId");
    EXPECT_EQ(entries[1].first, "Title");
}

TEST(Properties, MalformedStringsChangeNothing)
{
    const std::string cases[] = {
        MassPropertyString().Int32("NoSuchProperty", 1).Bytes(),
        std::string("Width \x00\x00", 8),                 // value cut short
        std::string("Title \x00\x00\x00\x09Quill", 15),   // count beyond the end
        std::string("Width", 5),                          // no space after the name
    };
    for (const std::string& blob : cases) {
        auto window = New<Window>();
        std::int32_t before = window->Width();
        EXPECT_THROW(SetProperties(*window, MassPropertyString().Int32("Width", 99).Bytes() + blob),
                     RuntimeException);
        EXPECT_EQ(window->Width(), before);
    }
}

} // namespace
