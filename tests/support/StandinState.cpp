#include "support/StandinState.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <sys/xattr.h>

namespace fwtest {

std::string MakeTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

void RemoveFolder(const std::string& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

bool KeepsUserAttributes(const std::string& folder)
{
    const std::string probe = folder + "/.attribute-probe";
    std::ofstream(probe).close();
    bool kept = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    std::filesystem::remove(probe);
    return kept;
}

StandinState::StandinState() : folder_(MakeTemporaryFolder())
{
    ::setenv("QUILLMERE_STANDIN_DIR", folder_.c_str(), 1);
}

StandinState::~StandinState()
{
    ::unsetenv("QUILLMERE_STANDIN_DIR");
    RemoveFolder(folder_);
}

void StandinState::Write(const std::string& name, const std::string& content) const
{
    std::ofstream(PathOf(name), std::ios::binary) << content;
}

std::string StandinState::Read(const std::string& name) const
{
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool StandinState::Exists(const std::string& name) const
{
    return std::filesystem::exists(PathOf(name));
}

} // namespace fwtest
