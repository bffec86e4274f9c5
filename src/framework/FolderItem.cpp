#include "FolderItem.h"

#include "Platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_set>

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fw {

namespace {

String Join(const String& folder, const String& name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

[[maybe_unused]] String ParentOf(const String& path)
{
    auto slash = path.rfind('/');
    return slash == 0 || slash == String::npos ? "/" : path.substr(0, slash);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && StringEquals(text.substr(text.size() - end.size()), end);
}

// The length of the valid UTF-8 sequence at the start of `s`, 0 when there is
// none (overlong forms, surrogates and values past U+10FFFF are not valid).
std::size_t Utf8SequenceAt(std::string_view s)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b = byte(0);
    if (b < 0x80) return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) length = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else
        return 0;
    if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

String RepairedUtf8(std::string_view s)
{
    // Valid runs are copied whole: nearly every name is one run.
    String out;
    while (!s.empty()) {
        std::size_t valid = 0;
        for (std::size_t n; valid < s.size() && (n = Utf8SequenceAt(s.substr(valid))) != 0;) valid += n;
        out.append(s.substr(0, valid));
        s.remove_prefix(valid);
        if (!s.empty()) {
            out += kReplacementCharacter;
            s.remove_prefix(1);
        }
    }
    return out;
}

// Names that the file managers hide in this folder.
std::unordered_set<String> HiddenNamesIn(const String& folder)
{
    std::unordered_set<String> names;
#ifndef __APPLE__
    if (auto list = TextInputStream::Open(Join(folder, ".hidden")))
        while (!list->EndOfFile())
            if (String name = list->ReadLine(); !name.empty()) names.insert(std::move(name));
#else
    (void)folder;  // the Finder keeps the hidden flag on the file itself
#endif
    return names;
}

// --- the file type ---

#ifdef __APPLE__
// The Finder type code: the first four bytes of the Finder information.
constexpr const char* kFinderInfo = "com.apple.FinderInfo";

String ReadType(const String& path)
{
    char info[32] = {};
    if (::getxattr(path.c_str(), kFinderInfo, info, sizeof info, 0, 0) < 4) return "";
    if (info[0] == 0 && info[1] == 0 && info[2] == 0 && info[3] == 0) return "";
    return String(info, 4);
}

void WriteType(const String& path, const String& type)
{
    char info[32] = {};
    ::getxattr(path.c_str(), kFinderInfo, info, sizeof info, 0, 0);
    // Four spaces would be a type of their own: no type is four zero bytes.
    for (std::size_t i = 0; i < 4; ++i) info[i] = type.empty() ? 0 : i < type.size() ? type[i] : ' ';
    ::setxattr(path.c_str(), kFinderInfo, info, sizeof info, 0, 0);
}
#else
constexpr const char* kTypeAttribute = "user.quillmere.type";

String ReadType(const String& path)
{
    char value[64];
    ssize_t n = ::getxattr(path.c_str(), kTypeAttribute, value, sizeof value);
    return n > 0 ? String(value, std::size_t(n)) : "";
}

// Errors are dropped: a file system without user attributes keeps no type.
void WriteType(const String& path, const String& type)
{
    if (type.empty())
        ::removexattr(path.c_str(), kTypeAttribute);
    else
        ::setxattr(path.c_str(), kTypeAttribute, type.data(), type.size(), 0);
}
#endif

String HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir && user->pw_dir[0] == '/' ? user->pw_dir : "";
}

// Makes the folder and any missing folder above it, private to the user.
void MakeFolders(const String& path)
{
    for (std::size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        String prefix = path.substr(0, at);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return;
        if (at == String::npos) return;
    }
}

} // namespace

// A folder's hidden names, read when first asked for: a walk asks only of
// the listed folder, not of each sub-folder it counts.
class FolderItem::HiddenNames {
public:
    explicit HiddenNames(String folder) : folder_(std::move(folder)) {}

    bool Lists(const String& name)
    {
        if (!names_) names_ = HiddenNamesIn(folder_);
        return names_->count(name) != 0;
    }

private:
    String folder_;
    std::optional<std::unordered_set<String>> names_;
};

const ClassRecord& FolderItem::Lookup()
{
    static const ClassRecord record = ConcreteClass<FolderItem>("FolderItem", &Object::Lookup());
    return record;
}

FolderItemRef FolderItem::ForPath(String absolutePath)
{
    // A NUL byte would cut the path short at every system call.
    if (absolutePath.empty() || absolutePath[0] != '/' || absolutePath.find('\0') != String::npos)
        return nullptr;
    std::vector<std::string_view> parts;
    std::string_view rest = absolutePath;
    while (!rest.empty()) {
        auto slash = rest.find('/');
        std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".")
            parts.push_back(part);
    }
    String path;
    for (std::string_view part : parts) (path += '/') += part;
    auto item = New<FolderItem>();
    item->path_ = path.empty() ? "/" : path;
    return item;
}

std::shared_ptr<const FolderItem::Listing> FolderItem::Read(const String& folder)
{
    // The type comes with the name on most file systems; asking the disk
    // again for each entry would cost most of a walk.
    auto typeOf = [](const dirent& entry) {
#ifdef DT_UNKNOWN
        switch (entry.d_type) {
        case DT_DIR: return ListedType::Folder;
        case DT_LNK:
        case DT_UNKNOWN: return ListedType::Unknown;
        default: return ListedType::NotFolder;
        }
#else
        (void)entry;
        return ListedType::Unknown;
#endif
    };
    auto listing = std::make_shared<Listing>();
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            std::string_view name = entry->d_name;
            if (name != "." && name != "..") listing->entries.push_back({String(name), typeOf(*entry)});
        }
        ::closedir(dir);
    }
    std::sort(listing->entries.begin(), listing->entries.end(), [](const Listed& a, const Listed& b) {
        int order = RuntimeStringCompare(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    listing->hidden = std::make_shared<HiddenNames>(folder);
    return listing;
}

FolderItemRef FolderItem::Entry(const Listed& entry, std::shared_ptr<HiddenNames> hidden) const
{
    auto item = New<FolderItem>();
    item->path_ = Join(path_, entry.name);
    item->listedType_ = entry.type;
    item->hiddenInParent_ = std::move(hidden);
    return item;
}

std::int32_t FolderItem::Count()
{
    listing_ = Read(path_);
    constexpr std::size_t most = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(std::min(listing_->entries.size(), most));
}

FolderItemRef FolderItem::Item(std::int32_t n)
{
    if (!listing_) listing_ = Read(path_);
    if (n < 1 || std::size_t(n) > listing_->entries.size()) return nullptr;
    return Entry(listing_->entries[std::size_t(n) - 1], listing_->hidden);
}

namespace {

bool UsableEntryName(const String& name)
{
    return !(name.empty() || name == "." || name == ".." || name.find_first_of(String("/\0", 2)) != String::npos);
}

} // namespace

FolderItemRef FolderItem::Child(const String& name)
{
    if (!UsableEntryName(name)) return nullptr;
    // Only a name holding U+FFFD can be another entry's display name.
    if (name.find(kReplacementCharacter) == String::npos) {
        // Fails as well where this item is no folder.
        struct stat st {};
        return ::lstat(Join(path_, name).c_str(), &st) == 0 ? Entry({name}, nullptr) : nullptr;
    }
    // A row lists an entry under its display name, which several entries
    // may share; none of them is then the one the row stands for.
    auto listing = Read(path_);
    const Listed* found = nullptr;
    for (const Listed& entry : listing->entries) {
        if (entry.name != name && RepairedUtf8(entry.name) != name) continue;
        if (found) return nullptr;
        found = &entry;
    }
    return found ? Entry({found->name}, listing->hidden) : nullptr;
}

FolderItemRef FolderItem::NewChild(const String& name)
{
    if (!UsableEntryName(name) || !IsFolder()) return nullptr;
    if (FolderItemRef existing = Child(name)) return existing;
    return Entry({name}, nullptr);
}

String FolderItem::Name() const
{
    return path_ == "/" ? path_ : path_.substr(path_.rfind('/') + 1);
}

String FolderItem::DisplayName() const
{
    // The Finder's localised folder names and hidden extensions are not
    // applied: the display name is the name, made valid text.
    return RepairedUtf8(Name());
}

bool FolderItem::Visible() const
{
    String name = Name();
    if (name[0] == '.') return false;
#ifdef __APPLE__
    struct stat st {};
    return !(::lstat(path_.c_str(), &st) == 0 && (st.st_flags & UF_HIDDEN));
#else
    if (path_ == "/") return true;
    if (!hiddenInParent_) hiddenInParent_ = std::make_shared<HiddenNames>(ParentOf(path_));
    return !hiddenInParent_->Lists(name);
#endif
}

bool FolderItem::IsFolder() const
{
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderItem::Directory() const
{
    if (EndsWithIgnoringCase(Name(), ".app")) return false;
    return listedType_ == ListedType::Unknown ? IsFolder() : listedType_ == ListedType::Folder;
}

bool FolderItem::Exists() const
{
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0;
}

String FolderItem::MacType() const
{
    return ReadType(path_);
}

void FolderItem::SetMacType(const String& type)
{
    // A folder has no file type: on the Mac the same bytes of its Finder
    // information hold its window's place.
    if (Exists() && !IsFolder()) WriteType(path_, type);
    // A replacement being written takes the type as well, or the rename at
    // its close would lose it.
    String pending = TextOutputStream::PendingFile(path_);
    if (!pending.empty()) WriteType(pending, type);
}

TextInputStreamRef FolderItem::OpenAsTextFile() const
{
    return TextInputStream::Open(path_);
}

TextOutputStreamRef FolderItem::CreateTextFile()
{
    auto stream = TextOutputStream::Replacing(path_);
    if (!stream) return nullptr;
    // The new file takes the place of the old one, its type included.
    if (String type = MacType(); !type.empty()) WriteType(TextOutputStream::PendingFile(path_), type);
    return stream;
}

bool FolderItem::Launch(bool activate) const
{
    return CurrentLauncher().Launch(path_, activate);
}

FolderItemRef SpecialFolder::Preferences()
{
    String folder;
#ifdef __APPLE__
    String home = HomeFolder();
    if (!home.empty()) folder = home + "/Library/Preferences";
#else
    // A relative XDG_CONFIG_HOME is to be ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        folder = config;
    else if (String home = HomeFolder(); !home.empty())
        folder = home + "/.config";
#endif
    if (folder.empty()) return nullptr;
    auto item = FolderItem::ForPath(folder);
    // A fresh account may not have it yet; the first save needs it.
    if (!item->Exists()) MakeFolders(item->AbsolutePath());
    return item->Exists() && item->Directory() ? item : nullptr;
}

namespace {

String& FirstVolumePath()
{
    static String path = "/";
    return path;
}

} // namespace

void SetFirstVolume(const String& absolutePath)
{
    FirstVolumePath() = absolutePath.empty() ? String("/") : absolutePath;
}

FolderItemRef Volume(std::int32_t n)
{
    return n == 0 ? FolderItem::ForPath(FirstVolumePath()) : nullptr;
}

FolderItemRef GetFolderItem(const String& path, std::int32_t pathType)
{
    if (pathType != 0) return nullptr;
    auto item = FolderItem::ForPath(path);
    return item && item->Exists() ? item : nullptr;
}

} // namespace fw
