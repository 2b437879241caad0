// JIS (ISO-2022-JP) documents as browsers read them: ASCII, JIS X 0201
// Roman and katakana, and JIS X 0208 with the NEC and IBM rows, each entered
// by its escape sequence. Written back as iconv writes it, each line and the
// text ending in ASCII, with half-width katakana after ESC ( I.
//
// Lines kept from the file keep the escape sequences they had, also where a
// line ends in another set than ASCII: the encoder follows the shift state
// they leave, and puts before them the one they need.
#pragma once

#include "text_codec.h"

namespace Codecs {

enum JisSet { Ascii, Roman, Katakana, Kanji };

class JisDecoder final : public TextDecoder
{
public:
    DecodedText decode(QByteArrayView bytes) const override;
};

class JisEncoder final : public ByteCodeEncoder
{
public:
    using ByteCodeEncoder::ByteCodeEncoder;

    qsizetype finish(char *out) override;
    qsizetype keep(KeptShift shift, char *out) override;
    KeptShift keptShift(QByteArrayView bytes, int state) const override;

    // Bytes that decode alike in Ascii and Roman need either.
    static constexpr int AsciiOrRoman = Kanji + 1;

protected:
    EncodedPiece encodeCrLf(QStringView piece, char *out) override;

private:
    char *designate(JisSet set, char *out);
    // A byte kept from the file: the escape sequence it may end moves the state.
    void followKept(unsigned char byte);

    JisSet set_ = Ascii;
    // The encoder chose the set; else bytes kept from the file left it.
    bool own_ = true;
    unsigned char escape_[2] = {}; // of a kept escape sequence so far
    int escapeBytes_ = 0;
};

} // namespace Codecs
