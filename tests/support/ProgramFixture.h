#pragma once

// The real program started on the scripted backend: its class records built,
// its exception helper registered, a private Preferences folder and scratch
// folder, and the stand-in answers of Illustrator set before it starts.

#include "StandinState.h"
#include "TestPlatform.h"

#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "listwindow/Window1.h"

#include "framework/Application.h"
#include "framework/FolderItem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fwtest {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch = MakeTemporaryFolder();
        preferencesFolder = scratch + "/config";
        std::filesystem::create_directories(preferencesFolder);
        ::setenv("XDG_CONFIG_HOME", preferencesFolder.c_str(), 1);
        Boot();
    }

    // A fresh process, as far as the program can tell; the files stay.
    void Restart()
    {
        finalize();
        Boot();
    }

    void Boot()
    {
        platform = &TestPlatform::Install();
        platform->Scripts().Answer(168, "");
        platform->Scripts().Answer(169, "Quillmere");
        initialize();
        fw::RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    }

    void TearDown() override
    {
        finalize();
        fw::SetFirstVolume("");
        ::unsetenv("XDG_CONFIG_HOME");
        RemoveFolder(scratch);
    }

    // Runs the start-up routine: the application object and the window.
    std::shared_ptr<class Window1> Start()
    {
        Startup();
        return ::Window1();
    }

    std::string PreferencesFile() const { return preferencesFolder + "/fennic.pref"; }

    // Makes the files and folders under the scratch folder; a name ending in
    // "/" is a folder. Gives the absolute path of the first.
    std::string Make(std::initializer_list<std::string> relativePaths) const
    {
        std::string first;
        for (const std::string& relative : relativePaths) {
            std::string path = scratch + "/" + relative;
            if (first.empty()) first = path;
            if (!relative.empty() && relative.back() == '/') {
                std::filesystem::create_directories(path);
            } else {
                std::filesystem::create_directories(std::filesystem::path(path).parent_path());
                std::ofstream(path) << "// script\n";
            }
        }
        if (!first.empty() && first.back() == '/') first.pop_back();
        return first;
    }

    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Rows as shown: children indented by one blank.
    static std::vector<std::string> Rows(const fw::ListboxRef& list)
    {
        std::vector<std::string> rows;
        for (std::int32_t r = 0; r < list->ListCount(); ++r)
            rows.push_back(std::string(std::size_t(list->RowDepth(r)), ' ') + list->Cell(r, 0));
        return rows;
    }

    TestPlatform* platform = nullptr;
    std::string scratch;
    std::string preferencesFolder;
};

} // namespace fwtest
