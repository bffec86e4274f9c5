#include "framework/ListRows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace fw;

namespace {

TEST(RowTextsTest, EachColumnKeepsItsTextWhateverItsLength)
{
    // Lengths around the points where a length takes another byte.
    for (std::size_t length : {0u, 1u, 127u, 128u, 16383u, 16384u, 300000u}) {
        SCOPED_TRACE(length);
        const std::string longText(length, 'x'), withNul("a\0b", 3);
        RowTexts texts({"first", longText});
        texts.Set(3, withNul);
        EXPECT_EQ(texts.Get(0), "first");
        EXPECT_EQ(texts.Get(1), longText);
        EXPECT_EQ(texts.Get(2), "");
        EXPECT_EQ(texts.Get(3), withNul);
        EXPECT_EQ(texts.Get(99), "");
        texts.Set(0, longText);
        texts.Set(3, "");
        EXPECT_EQ(texts.Get(0), longText);
        EXPECT_EQ(texts.Get(1), longText);
        EXPECT_EQ(texts.Get(3), "");
    }
    RowTexts none;
    EXPECT_EQ(none.Get(0), "");
    none.Set(1, "");
    EXPECT_EQ(none.Get(1), "");

    // Empty columns before a written one keep it.
    RowTexts child({""});
    child.Set(1, "Tools");
    EXPECT_EQ(child.Get(1), "Tools");
    child.Set(0, "");
    EXPECT_EQ(child.Get(0), "");
    EXPECT_EQ(child.Get(1), "Tools");
}

TEST(SizeTreeTest, AgreesWithPlainSums)
{
    std::mt19937 random(7);
    std::vector<std::int32_t> sizes;
    SizeTree tree;
    auto checkTree = [&](const SizeTree& t) {
        std::int32_t sum = 0;
        for (std::int32_t i = 0; i <= std::int32_t(sizes.size()); ++i) {
            ASSERT_EQ(t.SumBefore(i), sum) << i;
            if (i == std::int32_t(sizes.size())) break;
            for (std::int32_t p = sum; p < sum + sizes[std::size_t(i)]; ++p) ASSERT_EQ(t.Find(p), i) << p;
            sum += sizes[std::size_t(i)];
        }
    };
    // The tree built step by step, and one built at once from the same sizes.
    auto check = [&] {
        checkTree(tree);
        SizeTree whole;
        whole.Assign(sizes);
        checkTree(whole);
    };
    for (int step = 0; step < 300; ++step) {
        const std::int32_t size = 1 + std::int32_t(random() % 4);
        if (sizes.empty() || random() % 3 != 0) {
            sizes.push_back(size);
            tree.Append(size);
        } else {
            // Grows or shrinks an entry, as children come and go.
            const std::size_t at = random() % sizes.size();
            const std::int32_t delta = sizes[at] > size ? -size : size;
            sizes[at] += delta;
            tree.Add(std::int32_t(at), delta);
        }
        ASSERT_NO_FATAL_FAILURE(check()) << "step " << step;
    }
}

} // namespace
