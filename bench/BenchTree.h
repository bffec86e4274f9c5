#pragma once

// The folder trees that the benchmark lists, all under one scratch folder.

#include <cstddef>
#include <string>

namespace bench {

// Entries are the items that a fill lists: the listed folder's entries and
// the children of its sub-folders. Half of them are top-level; a tenth of
// those are sub-folders of ten children each, spread among the files. A few
// entries more are never listed: "." names and names in the `.hidden` file.
struct TreeShape {
    std::size_t entries = 0;

    static constexpr std::size_t kChildrenPerFolder = 10;
    std::size_t TopLevel() const { return entries / 2; }
    std::size_t Folders() const { return TopLevel() / 10; }
    std::size_t Children() const { return Folders() * kChildrenPerFolder; }
    std::size_t Total() const { return TopLevel() + Children(); }
};

constexpr std::size_t kFillSizes[] = {1000, 10000, 100000};
constexpr std::size_t kFolderRowSizes[] = {10000, 100000};

// Where each tree lies under the scratch folder `root`.
std::string FillTree(const std::string& root, std::size_t entries);
// A listed folder whose one sub-folder, kBigFolder, holds `children` files;
// kFilesAround files are listed before it and as many after it, so that
// closing it moves rows up as it would in a real scripts folder.
std::string WideTree(const std::string& root, std::size_t children);
constexpr const char* kBigFolder = "Big";
constexpr std::size_t kFilesAround = 1000;
// Preferences that list a folder of one script, so that the program starts
// without a message (a modal one, on the Qt backend).
std::string ConfigFolder(const std::string& root);
std::string SmallFolder(const std::string& root);

// Makes every tree, the preferences and the small folder under `root`.
void BuildTrees(const std::string& root);

void MakeFolder(const std::string& path);
void MakeFile(const std::string& path, const std::string& body = "// script\n");
void WritePreferences(const std::string& configFolder, const std::string& listedFolder);

// 12345 as "12,345".
std::string Grouped(std::size_t n);

} // namespace bench
