#pragma once

// The folder trees that the fill benchmark lists, and the bare walk that
// gives the file system's own cost of reading them.

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace bench {

// Entries are every item a fill reads: the listed folder's own entries and
// the children of its sub-folders. Half of them are top-level; a tenth of
// those are sub-folders of ten children each, spread among the files.
struct TreeShape {
    std::size_t entries = 0;

    static constexpr std::size_t kChildrenPerFolder = 10;
    std::size_t TopLevel() const { return entries / 2; }
    std::size_t Folders() const { return TopLevel() / 10; }
    std::size_t Files() const { return TopLevel() - Folders(); }
    std::size_t Children() const { return Folders() * kChildrenPerFolder; }
    std::size_t Total() const { return TopLevel() + Children(); }
};

inline void Fail(const std::string& what, const std::string& path)
{
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

inline void MakeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) != 0) Fail("cannot make the folder", path);
}

inline void MakeFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) Fail("cannot make the file", path);
    static const char body[] = "// script\n";
    bool written = ::write(fd, body, sizeof body - 1) == ssize_t(sizeof body - 1);
    ::close(fd);
    if (!written) Fail("cannot write the file", path);
}

inline std::string Numbered(const char* pattern, std::size_t n)
{
    char name[64];
    std::snprintf(name, sizeof name, pattern, n);
    return name;
}

// Makes the tree in the folder `root`, which must not exist yet.
inline void BuildTree(const std::string& root, const TreeShape& shape)
{
    MakeFolder(root);
    for (std::size_t i = 0; i < shape.TopLevel(); ++i) {
        // Every tenth entry a folder, so that folders and files interleave
        // in the listed order as they would in a real scripts folder.
        if (i % 10 == 9 && (i / 10) < shape.Folders()) {
            std::string folder = root + Numbered("/Item %06zu", i);
            MakeFolder(folder);
            for (std::size_t c = 1; c <= TreeShape::kChildrenPerFolder; ++c)
                MakeFile(folder + Numbered("/Action %02zu.jsx", c));
        } else {
            MakeFile(root + Numbered("/Item %06zu.jsx", i));
        }
    }
}

struct WalkResult {
    std::size_t entries = 0;
    std::size_t folders = 0;
};

// Reads one folder: each entry's type by stat and, when asked, its file-type
// attribute. Gives the sub-folders' count through `folders`.
template <class OnFolder>
void ReadFolder(const std::string& path, bool withTypeAttribute, WalkResult& result, OnFolder onFolder)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir) Fail("cannot read the folder", path);
    int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        ++result.entries;
        struct stat st {};
        if (::fstatat(fd, name, &st, 0) != 0) continue;
        if (withTypeAttribute) {
            char type[64];
            std::string full = path + "/" + name;
            (void)::getxattr(full.c_str(), "user.quillmere.type", type, sizeof type);
        }
        if (S_ISDIR(st.st_mode)) {
            ++result.folders;
            onFolder(path + "/" + name);
        }
    }
    ::closedir(dir);
}

// The listed folder and one level of sub-folders, nothing else: no sorting,
// no names kept, no rows.
inline WalkResult BareWalk(const std::string& root, bool withTypeAttribute)
{
    WalkResult result;
    ReadFolder(root, withTypeAttribute, result, [&](const std::string& folder) {
        WalkResult inner;
        ReadFolder(folder, withTypeAttribute, inner, [](const std::string&) {});
        result.entries += inner.entries;
    });
    return result;
}

} // namespace bench
