#include "ReaddirFloor.h"

#include <algorithm>
#include <unordered_set>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

namespace {

struct Entry {
    std::string name;
    bool folder = false;
};

char Folded(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool ListedBefore(const std::string& a, const std::string& b)
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(Folded(a[i])), y = static_cast<unsigned char>(Folded(b[i]));
        if (x != y) return x < y;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

bool EndsWithApp(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string end = name.substr(name.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(), Folded);
    return end == ".app";
}

std::unordered_set<std::string> HiddenNames(const std::string& folder)
{
    std::unordered_set<std::string> names;
    int fd = ::open((folder + "/.hidden").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return names;
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
    ::close(fd);
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos) end = text.size();
        if (end > begin) names.insert(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return names;
}

// What readdir says; a stat only where it cannot tell, or for a link.
bool IsFolder(int folderFd, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return entry.d_type == DT_DIR;
    struct stat st {};
    return ::fstatat(folderFd, entry.d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// The folder's entries but "." names, sorted; kinds only when asked.
std::vector<Entry> ReadEntries(const std::string& folder, bool withKinds)
{
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        entries.push_back({entry->d_name, withKinds && IsFolder(::dirfd(dir), *entry)});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return ListedBefore(a.name, b.name); });
    return entries;
}

} // namespace

std::vector<std::string> ReaddirFloor(const std::string& folder)
{
    const std::unordered_set<std::string> hidden = HiddenNames(folder);
    std::vector<std::string> rows;
    for (Entry& entry : ReadEntries(folder, true)) {
        if (hidden.count(entry.name)) continue;
        if (!entry.folder || EndsWithApp(entry.name)) {
            rows.push_back(std::move(entry.name));
            continue;
        }
        std::string row = entry.name + "<@>";
        const std::size_t bare = row.size();
        for (const Entry& child : ReadEntries(folder + "/" + entry.name, false)) {
            if (row.size() > bare) row += "<>";
            row += child.name;
        }
        if (row.size() > bare) rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace bench
