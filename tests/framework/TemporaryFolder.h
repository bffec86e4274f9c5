#pragma once

// A fresh folder for one test, removed with it, and small helpers to lay
// files in it.

#include "support/StandinState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>

namespace fwtest {

class TemporaryFolderTest : public ::testing::Test {
protected:
    void SetUp() override { root_ = MakeTemporaryFolder(); }
    void TearDown() override { RemoveFolder(root_); }

    const std::string& Root() const { return root_; }
    std::string PathOf(const std::string& relative) const { return root_ + "/" + relative; }

    std::string Write(const std::string& relative, const std::string& bytes = "") const
    {
        std::string path = PathOf(relative);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string MakeFolder(const std::string& relative) const
    {
        std::string path = PathOf(relative);
        EXPECT_EQ(::mkdir(path.c_str(), 0755), 0) << path;
        return path;
    }

    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    bool KeepsUserAttributes() const { return fwtest::KeepsUserAttributes(root_); }

private:
    std::string root_;
};

} // namespace fwtest
