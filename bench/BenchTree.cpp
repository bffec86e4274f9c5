#include "BenchTree.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path)
{
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

std::string Numbered(const char* pattern, std::size_t n)
{
    char name[64];
    std::snprintf(name, sizeof name, pattern, n);
    return name;
}

// Entries that a fill must read and leave out.
void AddUnlisted(const std::string& root)
{
    MakeFile(root + "/.DS_Store");
    MakeFile(root + "/.hidden", "Hidden 1.jsx\nHidden 2.jsx\nHidden folder\n");
    MakeFile(root + "/Hidden 1.jsx");
    MakeFile(root + "/Hidden 2.jsx");
    MakeFolder(root + "/Hidden folder");
    MakeFile(root + "/Hidden folder/a.jsx");
}

void BuildFillTree(const std::string& root, const TreeShape& shape)
{
    MakeFolder(root);
    AddUnlisted(root);
    for (std::size_t i = 0; i < shape.TopLevel(); ++i) {
        // Every tenth entry a folder, so that folders and files interleave
        // in the listed order as they would in a real scripts folder.
        if (i % 10 == 9 && (i / 10) < shape.Folders()) {
            std::string folder = root + Numbered("/Item %06zu", i);
            MakeFolder(folder);
            if (i == 9) MakeFile(folder + "/.DS_Store");
            for (std::size_t c = 1; c <= TreeShape::kChildrenPerFolder; ++c)
                MakeFile(folder + Numbered("/Action %02zu.jsx", c));
        } else {
            MakeFile(root + Numbered("/Item %06zu.jsx", i));
        }
    }
}

void BuildWideTree(const std::string& root, std::size_t children)
{
    MakeFolder(root);
    for (std::size_t i = 1; i <= kFilesAround; ++i) {
        MakeFile(root + Numbered("/Later %zu.jsx", i));
        MakeFile(root + Numbered("/Before %zu.jsx", i));
    }
    const std::string big = root + "/" + kBigFolder;
    MakeFolder(big);
    for (std::size_t c = 1; c <= children; ++c) MakeFile(big + Numbered("/Action %06zu.jsx", c));
}

} // namespace

std::string FillTree(const std::string& root, std::size_t entries)
{
    return root + "/tree-" + std::to_string(entries);
}

std::string WideTree(const std::string& root, std::size_t children)
{
    return root + "/wide-" + std::to_string(children);
}

std::string ConfigFolder(const std::string& root)
{
    return root + "/config";
}

std::string SmallFolder(const std::string& root)
{
    return root + "/small";
}

void BuildTrees(const std::string& root)
{
    MakeFolder(ConfigFolder(root));
    MakeFolder(SmallFolder(root));
    MakeFile(SmallFolder(root) + "/a.jsx");
    WritePreferences(ConfigFolder(root), SmallFolder(root));
    for (std::size_t entries : kFillSizes) {
        std::fprintf(stderr, "building the tree of %s entries...\n", Grouped(entries).c_str());
        BuildFillTree(FillTree(root, entries), TreeShape{entries});
    }
    for (std::size_t children : kFolderRowSizes) {
        std::fprintf(stderr, "building the folder of %s children...\n", Grouped(children).c_str());
        BuildWideTree(WideTree(root, children), children);
    }
}

void MakeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) != 0) Fail("cannot make the folder", path);
}

void MakeFile(const std::string& path, const std::string& body)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) Fail("cannot make the file", path);
    bool written = ::write(fd, body.data(), body.size()) == ssize_t(body.size());
    ::close(fd);
    if (!written) Fail("cannot write the file", path);
}

void WritePreferences(const std::string& configFolder, const std::string& listedFolder)
{
    MakeFile(configFolder + "/fennic.pref", "40\n40\n150\n200\n" + listedFolder + "\n");
}

std::string Grouped(std::size_t n)
{
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

} // namespace bench
