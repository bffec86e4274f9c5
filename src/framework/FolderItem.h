#pragma once

// Files and folders of the real file system.
//
// An item is a path: it may name something that does not exist (yet), which
// Exists tells. Paths are POSIX absolute paths, kept as bytes; a name need not
// be valid UTF-8.

#include "Runtime.h"
#include "Text.h"
#include "TextStream.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace fw {

class FolderItem;
using FolderItemRef = std::shared_ptr<FolderItem>;

class FolderItem : public Object {
public:
    static const ClassRecord& Lookup();

    // Framework-internal: the item for an absolute path ("." and ".." taken
    // out, no trailing slash); nil for a path that is not absolute or holds
    // a NUL byte. Whether anything is there is not tested.
    static FolderItemRef ForPath(String absolutePath);

    // The entries of a folder are numbered 1 to Count, ordered by name
    // without regard to letter case (as the Finder lists them), names equal
    // but for case by their bytes. Count reads the folder afresh and Item
    // numbers from that reading (Item reads it when Count has not), so that a
    // walk from 1 to Count takes one reading. An unreadable folder, or one
    // that is not there, has no entries.
    std::int32_t Count();
    // Nil outside 1 to Count.
    FolderItemRef Item(std::int32_t n);
    // The entry of that name, else the entry whose DisplayName it is; nil
    // when neither is there (so that a vanished file is found missing), when
    // this item is not a folder, or when the name is not one entry's name
    // ("", ".", "..", or with a "/" or NUL). Nil as well when the name could
    // stand for more than one entry: names that differ only in bytes shown
    // as U+FFFD share one display name, and a row showing it must not run
    // the wrong file.
    FolderItemRef Child(const String& name);
    // As Child, but for a name that is not there yet it gives the item of a
    // new entry of that name, so that a file can be made there.
    FolderItemRef NewChild(const String& name);

    String Name() const;
    // The name as the user sees it: valid UTF-8 always (bytes that are not
    // become U+FFFD).
    String DisplayName() const;
    // False for a name beginning with "." and for an entry that the folder
    // hides (on Linux: a name listed in the folder's ".hidden" file).
    bool Visible() const;
    // True for a folder, a symbolic link to one included, except an
    // application package (a name ending in ".app"). An entry numbered by
    // Item answers as the folder's reading found it, so that a walk asks the
    // disk again only about links and entries of a type it was not told.
    bool Directory() const;
    bool Exists() const;
    String AbsolutePath() const { return path_; }

    // A four-character file type. Linux keeps it in an extended attribute;
    // where the file system has none it reads "" and setting it does nothing,
    // as it does on a folder.
    String MacType() const;
    void SetMacType(const String& type);

    // Nil when the item is no readable file.
    TextInputStreamRef OpenAsTextFile() const;
    // A stream on a new, empty file that takes this one's place when the
    // stream is closed (the file type set in between goes with it); nil when
    // no file can be made here, which standard error tells.
    TextOutputStreamRef CreateTextFile();

    // Has the system open the item (run a program, open a document) through
    // the launcher in force; False when nothing could be started.
    bool Launch(bool activate) const;

private:
    // What a folder's reading tells of an entry's type; a link is Unknown,
    // for what it points to may be either.
    enum class ListedType : unsigned char { Unknown, Folder, NotFolder };
    struct Listed {
        String name;
        ListedType type = ListedType::Unknown;
    };
    class HiddenNames;
    struct Listing {
        std::vector<Listed> entries;
        std::shared_ptr<HiddenNames> hidden;
    };

    static std::shared_ptr<const Listing> Read(const String& folder);
    FolderItemRef Entry(const Listed& entry, std::shared_ptr<HiddenNames> hidden) const;
    bool IsFolder() const;

    String path_ = "/";
    std::shared_ptr<const Listing> listing_;
    ListedType listedType_ = ListedType::Unknown;
    mutable std::shared_ptr<HiddenNames> hiddenInParent_;
};

struct SpecialFolder {
    // The user's preferences folder, made when missing; nil when it cannot
    // be had.
    static FolderItemRef Preferences();
};

// Volume 0 is the root folder "/"; there is no other.
FolderItemRef Volume(std::int32_t n);
// For tests, which must not touch "/": Volume 0 becomes the folder at that
// absolute path; "" makes it "/" again. The program never calls it.
void SetFirstVolume(const String& absolutePath);

// The item that an absolute path names (path type 0, the form AbsolutePath
// gives); nil for an empty or relative path, a path to nothing, or another
// path type.
FolderItemRef GetFolderItem(const String& path, std::int32_t pathType = 0);

} // namespace fw
