#pragma once

// Text-file streams. Files are read and written as bytes (UTF-8 assumed, never
// converted), so that any text, a path with a non-UTF-8 name included, comes
// back as it was written.

#include "Runtime.h"
#include "Text.h"

#include <memory>

namespace fw {

class TextInputStream : public Object {
public:
    static const ClassRecord& Lookup();
    ~TextInputStream() override;

    // The next line without its terminator: LF, CRLF and CR each end a line,
    // and the last line needs none. Past the end: "".
    String ReadLine();
    bool EndOfFile() const;
    void Close();

    // Framework-internal: a stream on the regular file at `path`, nil when it
    // cannot be opened.
    static std::shared_ptr<TextInputStream> Open(const String& path);

private:
    bool Fill() const;  // more bytes into the buffer; False at the end

    mutable int fd_ = -1;
    mutable String buffer_;
    mutable std::size_t at_ = 0;
};

// Writes a new file that replaces the former one only when the stream is
// closed: until then, and when the program dies on the way, the former file
// stays whole. A file that cannot be made or written is told on standard
// error, once, with the system's reason: the program goes on without it.
class TextOutputStream : public Object {
public:
    static const ClassRecord& Lookup();
    // A stream never closed is closed here; but one let go while an
    // exception unwinds the stack is dropped, leaving the former file.
    ~TextOutputStream() override;

    // The text and LF. IOException after Close.
    void WriteLine(const String& text);
    // Puts the new file in the former one's place; when the file could not
    // be written, the former file is left as it was, and standard error says so.
    void Close();

    // Framework-internal: a stream that will replace (or create) the file at
    // `path`; nil, and standard error says why, when no file can be made
    // there (a folder in its place included).
    static std::shared_ptr<TextOutputStream> Replacing(const String& path);
    // The file being written for `path` by a stream not yet closed, "" when
    // there is none: attributes set on `path` meanwhile go on it too.
    static String PendingFile(const String& path);

private:
    void Flush();
    void Release(bool removeFile);  // closes and forgets the stream
    // Unfinished files of the same target that no open stream is writing:
    // left by a save that was killed before its close.
    void RemoveLeftovers() const;

    int fd_ = -1;
    String path_;       // as the caller named it
    String target_;     // where the new file goes (a symbolic link followed)
    String temporary_;  // the file being written, beside the target
    String buffer_;
    int error_ = 0;      // the first failure, as an errno value
    int unwinding_ = 0;  // exceptions in flight when the stream was made
};

using TextInputStreamRef = std::shared_ptr<TextInputStream>;
using TextOutputStreamRef = std::shared_ptr<TextOutputStream>;

} // namespace fw
