#include "framework/Text.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

struct FieldCase {
    const char* text;
    const char* delimiter;
    std::int32_t count;
    std::vector<std::string> fields;  // fields 1..count, then one past the end reads ""
};

TEST(Text, FieldsAgreeAcrossCountNthAndSplit)
{
    const FieldCase cases[] = {
        {"a.jsx</>Tools<@>b.scpt<>c.js</>", "</>", 3, {"a.jsx", "Tools<@>b.scpt<>c.js", ""}},
        {"single", "<>", 1, {"single"}},
        {"", "</>", 1, {""}},
        {"b.scpt<>c.js", "<>", 2, {"b.scpt", "c.js"}},
        {"<><>", "<>", 3, {"", "", ""}},
        {"my.script.jsx", ".", 3, {"my", "script", "jsx"}},
        {"README", ".", 1, {"README"}},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CountFields(c.text, c.delimiter), c.count);
        EXPECT_EQ(Split(c.text, c.delimiter), c.fields);
        for (std::int32_t n = 1; n <= c.count; ++n) EXPECT_EQ(NthField(c.text, c.delimiter, n), c.fields[n - 1]);
        EXPECT_EQ(NthField(c.text, c.delimiter, c.count + 1), "");
        EXPECT_EQ(NthField(c.text, c.delimiter, 0), "");
    }
}

TEST(Text, InStrFindsAnywhereFromItsStart)
{
    EXPECT_GT(InStr(0, "Adobe Illustrator 13.0.0", "13"), 0);
    EXPECT_EQ(InStr(0, "Adobe Illustrator 13.0.0", "14"), 0);
    EXPECT_EQ(InStr(0, "", "10"), 0);
    EXPECT_EQ(InStr(0, "x14", "14"), 2);
    EXPECT_EQ(InStr(3, "x14", "14"), 0);
    EXPECT_EQ(InStr(100, "x14", "14"), 0);
}

TEST(Text, LeftBCountsBytes)
{
    EXPECT_EQ(LeftB(".DS_Store", 1), ".");
    EXPECT_EQ(LeftB("", 1), "");
    EXPECT_EQ(LeftB("スクリプト", 1), "\xE3");
    EXPECT_EQ(LeftB("ab", 5), "ab");
    EXPECT_EQ(LeftB("ab", -1), "");
}

TEST(Text, EqualityIgnoresLetterCaseOnly)
{
    EXPECT_TRUE(StringEquals("JSX", "jsx"));
    EXPECT_TRUE(StringEquals("Illustrator", "illustrator"));
    EXPECT_FALSE(StringEquals("js", "jsx"));
    EXPECT_FALSE(StringEquals("", "a"));
    EXPECT_TRUE(StringEquals("スクリプト", "スクリプト"));
    EXPECT_EQ(RuntimeStringCompare("a", "a"), 0);
    EXPECT_NE(RuntimeStringCompare("a", "b"), 0);
}

TEST(Text, StrAndValRoundTripEveryInt32Form)
{
    for (std::int32_t v : {0, 1, -1, 150, -32000, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(Val(Str(v, "")), double(v)) << v;
    }
    EXPECT_EQ(Str(-5, ""), "-5");
}

TEST(Text, ValReadsTheLeadingNumberOnly)
{
    const std::pair<const char*, double> cases[] = {
        {"", 0}, {"abc", 0}, {"  42", 42}, {"12abc", 12}, {"-7.5", -7.5}, {"1e3", 1000},
        {"1e", 1}, {"+3", 3}, {"0x1F", 0}, {"inf", 0}, {".5", 0.5}, {"-", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(Val(text), value) << text;
}

} // namespace
