#pragma once

// A full disk's stand-in: while one of these lives, the process's writes past
// `bytes` into any file fail (EFBIG), as they do for root too, and without the
// signal that would end the process.

#include <csignal>
#include <cstddef>

#include <sys/resource.h>

namespace fwtest {

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &former_);
        rlimit small = former_;
        small.rlim_cur = bytes;
        formerSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &former_);
        std::signal(SIGXFSZ, formerSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit former_ {};
    void (*formerSignal_)(int) = nullptr;
};

} // namespace fwtest
