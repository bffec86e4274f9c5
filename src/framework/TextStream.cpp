#include "TextStream.h"

#include "Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// Streams not yet closed, oldest first.
std::vector<TextOutputStream*>& PendingStreams()
{
    static std::vector<TextOutputStream*> streams;
    return streams;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

String FolderOf(const String& path)
{
    auto slash = path.rfind('/');
    if (slash == String::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A replaced file keeps its permissions; a new one gets the usual ones.
// Either way its owner can read and write it, or no later run could load it.
mode_t ModeFor(const String& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return (st.st_mode & 07777) | S_IRUSR | S_IWUSR;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return (0666 & ~mask) | S_IRUSR | S_IWUSR;
}

String NameOf(const String& path)
{
    auto slash = path.rfind('/');
    return slash == String::npos ? path : path.substr(slash + 1);
}

// The unfinished file's name is this and six letters or digits. A dot name
// keeps it out of the lists; the name is cut so that the whole stays within
// the longest name a folder takes.
String TemporaryPrefix(const String& target)
{
    String prefix = ".";
    prefix.append(NameOf(target), 0, 200);
    return prefix += '.';
}

bool IsTemporaryName(std::string_view entry, std::string_view prefix)
{
    auto letterOrDigit = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    return entry.size() == prefix.size() + 6 && entry.substr(0, prefix.size()) == prefix &&
           std::all_of(entry.begin() + std::ptrdiff_t(prefix.size()), entry.end(), letterOrDigit);
}

// Replacing a symbolic link that resolves replaces the file it points to,
// so that the link stays.
String ResolvedTarget(const String& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    String resolved = real;
    std::free(real);
    return resolved;
}

void ReportNotWritten(const String& path, int error)
{
    std::fprintf(stderr, "quillmere: could not write %s: %s\n", path.c_str(), std::strerror(error));
    std::fflush(stderr);
}

void SyncFolder(const String& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

// --- TextInputStream ---------------------------------------------------------

const ClassRecord& TextInputStream::Lookup()
{
    static const ClassRecord record = ConcreteClass<TextInputStream>("TextInputStream", &Object::Lookup());
    return record;
}

TextInputStream::~TextInputStream()
{
    Close();
}

std::shared_ptr<TextInputStream> TextInputStream::Open(const String& path)
{
    // Non-blocking, so that a FIFO or a device cannot hold the program up
    // before it is turned away.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    auto stream = New<TextInputStream>();
    stream->fd_ = fd;
    return stream;
}

bool TextInputStream::Fill() const
{
    if (fd_ < 0) return false;
    buffer_.erase(0, at_);
    at_ = 0;
    std::size_t had = buffer_.size();
    buffer_.resize(had + kChunk);
    ssize_t n;
    do n = ::read(fd_, buffer_.data() + had, kChunk);
    while (n < 0 && errno == EINTR);
    buffer_.resize(had + std::size_t(n > 0 ? n : 0));
    if (n <= 0) {
        // The end, or a read error, which ends the file as well.
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    return true;
}

String TextInputStream::ReadLine()
{
    String line;
    for (;;) {
        if (at_ == buffer_.size() && !Fill()) return line;
        std::size_t end = buffer_.find_first_of("\r\n", at_);
        if (end == String::npos) {
            line.append(buffer_, at_, String::npos);
            at_ = buffer_.size();
            continue;
        }
        line.append(buffer_, at_, end - at_);
        at_ = end + 1;
        if (buffer_[end] == '\r') {
            // The LF of a CRLF may be the first byte of the next chunk.
            if (at_ == buffer_.size()) Fill();
            if (at_ < buffer_.size() && buffer_[at_] == '\n') ++at_;
        }
        return line;
    }
}

bool TextInputStream::EndOfFile() const
{
    return at_ == buffer_.size() && !Fill();
}

void TextInputStream::Close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    buffer_.clear();
    at_ = 0;
}

// --- TextOutputStream --------------------------------------------------------

const ClassRecord& TextOutputStream::Lookup()
{
    static const ClassRecord record = ConcreteClass<TextOutputStream>("TextOutputStream", &Object::Lookup());
    return record;
}

std::shared_ptr<TextOutputStream> TextOutputStream::Replacing(const String& path)
{
    String target = ResolvedTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        ReportNotWritten(path, EISDIR);
        return nullptr;
    }
    String temporary = FolderOf(target) + "/" + TemporaryPrefix(target) + "XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        ReportNotWritten(path, errno);
        return nullptr;
    }
    ::fchmod(fd, ModeFor(target));

    auto stream = New<TextOutputStream>();
    stream->fd_ = fd;
    stream->path_ = path;
    stream->target_ = target;
    stream->temporary_ = temporary;
    stream->unwinding_ = std::uncaught_exceptions();
    PendingStreams().push_back(stream.get());
    return stream;
}

String TextOutputStream::PendingFile(const String& path)
{
    const auto& pending = PendingStreams();
    auto found = std::find_if(pending.rbegin(), pending.rend(), [&](auto* s) { return s->path_ == path; });
    return found == pending.rend() ? "" : (*found)->temporary_;
}

void TextOutputStream::RemoveLeftovers() const
{
    String folder = FolderOf(target_), prefix = TemporaryPrefix(target_);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<String> stale;
    while (const dirent* entry = ::readdir(dir))
        if (IsTemporaryName(entry->d_name, prefix)) stale.push_back(folder + "/" + entry->d_name);
    ::closedir(dir);
    for (const String& file : stale) {
        const auto& pending = PendingStreams();
        if (std::any_of(pending.begin(), pending.end(), [&](auto* s) { return s->temporary_ == file; })) continue;
        struct stat st {};
        if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(file.c_str());
    }
}

TextOutputStream::~TextOutputStream()
{
    if (fd_ < 0) return;
    if (std::uncaught_exceptions() > unwinding_)
        Release(true);
    else
        Close();
}

void TextOutputStream::WriteLine(const String& text)
{
    if (fd_ < 0) throw IOException("the text stream is closed");
    buffer_ += text;
    buffer_ += '\n';
    if (buffer_.size() >= kChunk) Flush();
}

void TextOutputStream::Flush()
{
    if (error_ == 0 && !WriteAll(fd_, buffer_.data(), buffer_.size())) error_ = errno ? errno : EIO;
    buffer_.clear();
}

void TextOutputStream::Release(bool removeFile)
{
    std::erase(PendingStreams(), this);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (removeFile) ::unlink(temporary_.c_str());
    buffer_.clear();
}

void TextOutputStream::Close()
{
    if (fd_ < 0) return;
    Flush();
    if (error_ == 0 && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (error_ == 0 && ::rename(temporary_.c_str(), target_.c_str()) != 0) error_ = errno;
    Release(error_ != 0);
    if (error_ != 0) {
        ReportNotWritten(path_, error_);
        return;
    }
    RemoveLeftovers();
    SyncFolder(FolderOf(target_));
}

} // namespace fw
