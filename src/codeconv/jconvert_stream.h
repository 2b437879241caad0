// Detection and conversion of texts that arrive in pieces (a file read a
// block at a time): each gives, piece after piece, exactly what its
// whole-text counterpart in jconvert.h gives for the pieces joined.
#pragma once

#include "jconvert.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Jconvert {

namespace detail {
struct CodeSteps;
}

// How far a streaming call got: input bytes taken and output bytes written.
struct StreamProgress
{
    std::size_t read;
    std::size_t written;
};

// Finds the character code of a text given in pieces, as InCodeCheck finds it for the whole text.
class CodeDetector
{
public:
    // Scans a piece; returns the bytes taken, the rest (two at most) to come again at the front of the next
    // piece.
    std::size_t Feed(std::string_view piece);
    // The code InCodeCheck gives whatever follows the bytes fed so far, or -1 while that is still open.
    int Decided() const;
    // The code of the whole text, given the bytes Feed left untaken (and any after them).
    int Finish(std::string_view rest);

private:
    std::size_t Scan(std::string_view piece, bool last);

    int result_ = 0;
    bool inRun_ = false;                        // inside the run of bytes that follows an ambiguous pair
    std::size_t taken_ = 0;                     // bytes taken so far
    std::size_t seen_ = 0;                      // bytes seen so far, taken or not
    std::size_t firstBinary_ = ~std::size_t(0); // a byte below 0x08 or 0xFF among the leading bytes
};

// What a UTF-8 check of a whole text found.
struct Utf8Verdict
{
    bool bom = false;       // the text starts with the byte-order mark
    bool valid = true;      // valid UTF-8 from end to end, as IsUtf8Document counts it
    bool multiByte = false; // at least one sequence of two or more bytes
    bool document() const { return bom || (valid && multiByte); }
};

// Checks a text given in pieces for UTF-8, as IsUtf8Document checks it whole.
class Utf8Detector
{
public:
    // Scans a piece; a sequence may run on into the next.
    void Feed(std::string_view piece);
    // True once an invalid byte was seen: the text is no UTF-8 document unless it starts with the mark.
    bool Broken() const { return (state_ & 63) == BrokenState; }
    // True once the first bytes were the byte-order mark.
    bool Bom() const { return bomBytes_ == 3; }
    // The verdict for the bytes fed so far as the whole text.
    Utf8Verdict Finish() const;

private:
    std::size_t seen_ = 0;
    static constexpr unsigned BrokenState = 6;
    int bomBytes_ = 0; // leading bytes that matched the mark
    // Where a sequence stands, as the shift of a state machine's table (0: between sequences).
    std::uint64_t state_ = 0;
    bool multiByte_ = false;
};

// Converts a text given in pieces as StrictConvertJCode converts it whole.
class CodeStream
{
public:
    // Bytes at the end of a piece that Convert may leave for the next one.
    static constexpr std::size_t Lookahead = 64;

    // A converter from source to target; pairs StrictConvertJCode leaves unchanged copy the text.
    CodeStream(int source, int target);
    // Output room Convert needs for n input bytes.
    std::size_t MaxOutput(std::size_t n) const;
    // Converts input[0, n) to output; unless last, leaves up to Lookahead bytes to come again in front of the
    // next piece.
    StreamProgress Convert(const char *input, std::size_t n, bool last, char *output);
    // True when the conversion copies the text unchanged.
    bool Copies() const { return steps_ == nullptr; }
    // The first character replaced with the geta mark so far, as StrictConvertJCodeChecked reports it for
    // the text up to here.
    DecodeResult Fault() const { return fault_; }

private:
    const detail::CodeSteps *steps_;
    bool kanji_ = false;
    std::size_t done_ = 0; // input bytes converted before this piece
    DecodeResult fault_ = {DecodeError::None, 0};
};

// Rewrites every line end of a text given in pieces as NormalizeReturnCode does.
class ReturnCodeStream
{
public:
    // Output room Convert needs for n input bytes.
    static constexpr std::size_t MaxOutput(std::size_t n) { return 2 * n; }

    // A rewriter to the target kind (1-3); any other kind copies the text.
    explicit ReturnCodeStream(int target);
    // Rewrites input[0, n) to output, a CR LF split between pieces counting once; returns the bytes written.
    std::size_t Convert(const char *input, std::size_t n, char *output);

private:
    std::string_view to_;
    bool afterCR_ = false;
};

} // namespace Jconvert
