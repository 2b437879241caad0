#include "stream.h"

#include "code_choices.h"
#include "jconvert.h"
#include "jconvert_stream.h"
#include "utf8_convert.h"

#include <cstring>
#include <memory>

namespace qumoconv {

using namespace Jconvert;

namespace {

// Large enough that system calls cost little beside the conversion, small
// enough that a piece and its output stay in the processor's cache.
constexpr std::size_t Piece = std::size_t(256) << 10;

// Undecided bytes held before a regular file is scanned to the decision
// unheld and read again; from a pipe they must all be held.
constexpr std::size_t HoldLimit = std::size_t(16) << 20;

// Hands out the held bytes first, then reads the input; unless `keep`, the
// held bytes are freed once handed out.
class Source
{
public:
    Source(Input &in, std::string &held, bool keep) : in_(in), held_(held), keep_(keep) {}

    std::size_t Read(char *p, std::size_t n)
    {
        if (used_ < held_.size()) {
            const std::size_t k = std::min(n, held_.size() - used_);
            std::memcpy(p, held_.data() + used_, k);
            used_ += k;
            if (used_ == held_.size() && !keep_) {
                std::string().swap(held_);
                used_ = 0;
            }
            return k;
        }
        return in_.Read(p, n);
    }

private:
    Input &in_;
    std::string &held_;
    bool keep_;
    std::size_t used_ = 0;
};

// Runs the input through the code conversion a piece at a time and hands
// each piece's input (from stream offset `at`) and output to `put`.
template <typename Put> void EachPiece(Source &source, CodeStream &code, Put put)
{
    const std::size_t room = Piece + CodeStream::Lookahead;
    const std::unique_ptr<char[]> input(new char[room]);
    const std::unique_ptr<char[]> converted(code.Copies() ? nullptr : new char[code.MaxOutput(room)]);
    std::size_t have = 0, at = 0;
    for (bool last = false; !last;) {
        const std::size_t got = source.Read(input.get() + have, room - have);
        last = got == 0;
        have += got;
        const char *out = input.get();
        StreamProgress step{have, have};
        if (!code.Copies()) {
            step = code.Convert(input.get(), have, last, converted.get());
            out = converted.get();
        }
        put(input.get(), at, out, step.written);
        at += step.read;
        have -= step.read;
        std::memmove(input.get(), input.get() + step.read, have);
    }
}

// Reads the input through the conversion, writing nothing, and throws the
// refusal of the first character it would replace.
void CheckConversion(Source &source, int from, int to, const std::string &name)
{
    CodeStream code(from, to);
    EachPiece(source, code, [&](const char *input, std::size_t at, const char *, std::size_t) {
        const DecodeResult fault = code.Fault();
        if (fault.error != DecodeError::None)
            throw CodeRefusal(name, fault, static_cast<unsigned char>(input[fault.offset - at]), from, to);
    });
}

} // namespace

int DetectCode(Input &in, std::string &held)
{
    CodeDetector detector;
    Utf8Detector utf8;
    // UTF-8 goes first: valid UTF-8 is known only at its end, a mark at once.
    const auto decided = [&] {
        if (utf8.Bom())
            return JC_UTF8;
        return utf8.Broken() ? detector.Decided() : -1;
    };
    std::size_t scanned = 0; // held bytes the detector has taken
    bool dropped = false;
    while (decided() < 0) {
        const std::size_t have = held.size();
        held.resize(have + Piece);
        const std::size_t got = in.Read(held.data() + have, Piece);
        held.resize(have + got);
        utf8.Feed(std::string_view(held).substr(have));
        if (got == 0) {
            int code = detector.Finish(std::string_view(held).substr(scanned));
            if (utf8.Finish().document())
                code = JC_UTF8;
            if (dropped) {
                held.clear();
                in.Rewind();
            }
            return code;
        }
        scanned += detector.Feed(std::string_view(held).substr(scanned));
        if ((dropped || held.size() > HoldLimit) && in.CanRewind()) {
            held.erase(0, scanned);
            scanned = 0;
            dropped = true;
        }
    }
    if (dropped) {
        held.clear();
        in.Rewind();
    }
    return decided();
}

void ConvertStream(const Options &o, Input &in)
{
    std::string held;
    int from = o.from ? JcValue(*o.from) : JC_ASCII;
    if (o.to && !o.from) {
        from = DetectCode(in, held);
        if (from == JC_BINARY)
            throw Failure{1,
                          in.Name() + " looks binary; nothing converted (give --from to convert it anyway)"};
        if (from == JC_EUC_OR_SJIS)
            throw Failure{1,
                          "cannot tell whether " + in.Name() +
                              " is EUC-JP or Shift_JIS; nothing converted (give --from euc or --from sjis)"};
    }
    const int to = o.to ? JcValue(*o.to) : from;
    if (from == JC_UTF8 || to == JC_UTF8) {
        std::string input = std::move(held);
        in.ReadAll(input);
        std::string output = ConvertUtf8(input, from, to, in.Name(), o.replace);
        std::string().swap(input);
        if (o.eol)
            output = NormalizeReturnCode(output, RcValue(*o.eol));
        WriteOut(output);
        return;
    }
    CodeStream code(from, to);
    if (!code.Copies() && !o.replace) {
        // Nothing is written unless all of it converts: a file is read twice, a pipe held whole.
        const bool again = in.CanRewind();
        if (!again)
            in.ReadAll(held);
        Source checked(in, held, true);
        CheckConversion(checked, from, to, in.Name());
        if (again) {
            std::string().swap(held);
            in.Rewind();
        }
    }
    ReturnCodeStream eol(o.eol ? RcValue(*o.eol) : RC_NONE);
    const std::unique_ptr<char[]> ended(
        o.eol ? new char[ReturnCodeStream::MaxOutput(code.MaxOutput(Piece + CodeStream::Lookahead))]
              : nullptr);
    Source source(in, held, false);
    EachPiece(source, code, [&](const char *, std::size_t, const char *out, std::size_t n) {
        if (o.eol) {
            n = eol.Convert(out, n, ended.get());
            out = ended.get();
        }
        WriteOut(out, n);
    });
}

} // namespace qumoconv
