#include "TemporaryFolder.h"

#include "framework/FolderItem.h"
#include "framework/Platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace fw;

namespace {

class FakeLauncher : public Launcher {
public:
    explicit FakeLauncher(bool answer) : answer_(answer) {}
    bool Launch(const String& absolutePath, bool activate) override
    {
        calls.emplace_back(absolutePath, activate);
        return answer_;
    }
    std::vector<std::pair<String, bool>> calls;

private:
    bool answer_;
};

class LauncherTest : public fwtest::TemporaryFolderTest {
protected:
    void TearDown() override
    {
        InstallLauncher(nullptr);  // the system launcher again
        if (!path_.empty()) ::setenv("PATH", path_.c_str(), 1);
        fwtest::TemporaryFolderTest::TearDown();
    }

    std::string Script(const std::string& relative, const std::string& body)
    {
        std::string path = Write(relative, "#!/bin/sh\n" + body);
        ::chmod(path.c_str(), 0755);
        return path;
    }

    void SetPath(const std::string& value)
    {
        if (path_.empty()) path_ = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
        ::setenv("PATH", value.c_str(), 1);
    }

    // The file's contents once it appears; "" when it does not within a while.
    static std::string AwaitFile(const std::string& path)
    {
        for (int i = 0; i < 100; ++i) {
            if (::access(path.c_str(), F_OK) == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it finish writing
                return Contents(path);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return "";
    }

    static int ZombieChildren()
    {
        int zombies = 0;
        DIR* proc = ::opendir("/proc");
        while (const dirent* entry = proc ? ::readdir(proc) : nullptr) {
            std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
            std::string line;
            if (!std::getline(stat, line)) continue;
            auto close = line.rfind(')');
            if (close == std::string::npos) continue;
            char state = 0;
            long parent = 0;
            if (std::sscanf(line.c_str() + close + 1, " %c %ld", &state, &parent) == 2 &&
                parent == ::getpid() && state == 'Z')
                ++zombies;
        }
        if (proc) ::closedir(proc);
        return zombies;
    }

private:
    std::string path_;
};

TEST_F(LauncherTest, LaunchGoesThroughTheLauncherInForce)
{
    auto fake = std::make_unique<FakeLauncher>(false);
    auto& calls = fake->calls;
    InstallLauncher(std::move(fake));
    auto item = FolderItem::ForPath(MakeFolder("Batch.app"));
    EXPECT_FALSE(item->Launch(true));
    EXPECT_EQ(calls, (std::vector<std::pair<String, bool>>{{item->AbsolutePath(), true}}));
}

TEST_F(LauncherTest, AnExecutableRunsDirectlyWithoutAShell)
{
    // Shell syntax in the name would run something if a shell saw it.
    MakeFolder("odd $(touch injected) folder");
    std::string marker = PathOf("ran");
    std::string script = Script("odd $(touch injected) folder/it's; touch injected",
                                "echo \"$0\" > '" + marker + "'\n");
    auto launcher = MakeSystemLauncher();
    ASSERT_TRUE(launcher->Launch(script, true));
    EXPECT_EQ(AwaitFile(marker), script + "\n");
    EXPECT_NE(::access(PathOf("injected").c_str(), F_OK), 0);

    // And nothing is left to be collected.
    int zombies = ZombieChildren();
    for (int i = 0; zombies > 0 && i < 50; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        zombies = ZombieChildren();
    }
    EXPECT_EQ(zombies, 0);
}

TEST_F(LauncherTest, OtherFilesGoToTheDesktopOpener)
{
    std::string marker = PathOf("opened");
    MakeFolder("bin");
    Script("bin/xdg-open", "printf '%s' \"$*\" > '" + marker + "'\n");
    SetPath(PathOf("bin"));
    std::string document = Write("notes; rm -rf x.txt", "text");
    ASSERT_TRUE(MakeSystemLauncher()->Launch(document, true));
    EXPECT_EQ(AwaitFile(marker), document);
}

TEST_F(LauncherTest, FalseWhenNothingCanBeStarted)
{
    SetPath(MakeFolder("empty-bin"));  // no opener to hand a document to
    auto launcher = MakeSystemLauncher();
    EXPECT_FALSE(launcher->Launch(Write("notes.txt", "text"), true));
    EXPECT_FALSE(launcher->Launch("", true));
    EXPECT_FALSE(launcher->Launch("relative/script", true));
}

} // namespace
