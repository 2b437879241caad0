#include "io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qumoconv {

Input::Input(const std::string &path)
{
    const bool standard = path.empty() || path == "-";
    name_ = standard ? std::string("standard input") : path;
    if (!standard) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            throw Failure{2, "cannot open " + name_ + ": " + std::strerror(errno)};
        owned_ = true;
    }
    struct stat st = {};
    if (::fstat(fd_, &st) != 0)
        Fail();
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        Fail();
    }
    if (S_ISREG(st.st_mode)) {
        start_ = ::lseek(fd_, 0, SEEK_CUR);
        size_ = static_cast<std::size_t>(st.st_size);
    }
}

Input::~Input()
{
    if (owned_)
        ::close(fd_);
}

void Input::Fail() const
{
    throw Failure{2, "cannot read " + name_ + ": " + std::strerror(errno)};
}

std::size_t Input::Read(char *p, std::size_t n)
{
    for (;;) {
        const ssize_t got = ::read(fd_, p, n);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            Fail();
    }
}

void Input::ReadAll(std::string &out)
{
    std::size_t have = out.size();
    out.resize(have + (size_ > 0 ? size_ + 1 : std::size_t(1) << 16));
    for (;;) {
        if (have == out.size())
            out.resize(out.size() * 2);
        const std::size_t got = Read(out.data() + have, out.size() - have);
        if (got == 0)
            break;
        have += got;
    }
    out.resize(have);
}

void Input::Rewind()
{
    if (::lseek(fd_, start_, SEEK_SET) != start_)
        Fail();
}

void WriteOut(const char *p, std::size_t n)
{
    while (n > 0) {
        const ssize_t put = ::write(STDOUT_FILENO, p, n);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw Failure{1, std::string("cannot write output: ") + std::strerror(put < 0 ? errno : EIO)};
        p += put;
        n -= static_cast<std::size_t>(put);
    }
}

void WriteOut(std::string_view bytes)
{
    WriteOut(bytes.data(), bytes.size());
}

} // namespace qumoconv
