// Standard input and output, or a file, read and written in large pieces
// with the system calls themselves. Failures are thrown as qumoconv::Failure.
#pragma once

#include "cli.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace qumoconv {

class Input
{
public:
    // Opens the file, or takes standard input for an empty path or "-".
    explicit Input(const std::string &path);
    ~Input();
    Input(const Input &) = delete;
    Input &operator=(const Input &) = delete;

    // Reads up to n bytes; returns how many, 0 at the end.
    std::size_t Read(char *p, std::size_t n);
    // Reads everything left, appending it to out.
    void ReadAll(std::string &out);
    // True when the input is a regular file that can be read again from where it started.
    bool CanRewind() const { return start_ >= 0; }
    // Goes back to where reading started.
    void Rewind();
    // How messages name the input.
    const std::string &Name() const { return name_; }

private:
    [[noreturn]] void Fail() const;

    int fd_ = 0;
    bool owned_ = false;
    off_t start_ = -1;
    std::size_t size_ = 0; // of a regular file, to read it in one piece
    std::string name_;
};

// Writes everything given to standard output.
void WriteOut(std::string_view bytes);
void WriteOut(const char *p, std::size_t n);

} // namespace qumoconv
