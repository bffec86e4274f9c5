#pragma once

// A private state folder for the Illustrator stand-in scripts, named in
// QUILLMERE_STANDIN_DIR while the object lives, and removed with it.

#include <string>

namespace fwtest {

class StandinState {
public:
    StandinState();
    ~StandinState();
    StandinState(const StandinState&) = delete;
    StandinState& operator=(const StandinState&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }

    void Write(const std::string& name, const std::string& content) const;
    // The file's bytes; "" when it is absent.
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string folder_;
};

// A fresh temporary folder; the caller removes it.
std::string MakeTemporaryFolder();
void RemoveFolder(const std::string& folder);
// Whether the file system of the folder keeps user attributes (a file type
// needs them).
bool KeepsUserAttributes(const std::string& folder);

} // namespace fwtest
