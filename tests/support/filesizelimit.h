#pragma once

// A full disk without root: for as long as the object lives, this process
// may not write past `bytes` in any file. Writes beyond fail with EFBIG, as
// they would with ENOSPC on a full disk, instead of killing the program
// (SIGXFSZ is ignored meanwhile).

#include <csignal>
#include <sys/resource.h>

namespace TestSupport {

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_previous;
    void (*m_handler)(int);
};

} // namespace TestSupport
