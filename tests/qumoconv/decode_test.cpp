// The decoders take the files their formats come in, and refuse, naming the
// first bad offset, what is not in the encoding.
#include "jconvert.h"
#include "tool.h"

using namespace Jconvert;

namespace {

struct DecodeCase
{
    std::string name;
    std::string operation;
    std::string input;
    std::string expected; // the data, or a part of the message when refused
    bool refused;
};

constexpr char Sample[] = "Japanese \x82\xA0\x88\x9F and NUL \0 bytes, ";
const std::string Data = std::string(Sample, sizeof Sample - 1) + std::string(100, '\xE3');

// BinHex's own CRC: the bits shifted in one at a time, two zero bytes after the data.
std::string Crc(const std::string &bytes)
{
    unsigned crc = 0;
    for (const unsigned char c : bytes + std::string(2, '\0')) {
        for (int bit = 7; bit >= 0; --bit) {
            const bool top = crc & 0x8000;
            crc = ((crc << 1) | (c >> bit & 1)) & 0xFFFF;
            if (top)
                crc ^= 0x1021;
        }
    }
    return {char(crc >> 8), char(crc & 0xFF)};
}

std::string Be32(std::size_t n)
{
    return {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
}

// A BinHex 4.0 file as the Macintosh tools write it: header, data fork and an empty resource
// fork, each with its CRC, run-length coded (a run of 'a', and 0x90 itself).
std::string BinHex4File(const std::string &name)
{
    const std::string data = "aaaaaaaaaa\x90!";
    const std::string header =
        char(name.size()) + name + '\0' + "TEXTttxt" + std::string(2, '\0') + Be32(data.size()) + Be32(0);
    const std::string plain = header + Crc(header) + data + Crc(data) + Crc("");
    std::string coded;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (plain.compare(i, 10, "aaaaaaaaaa") == 0)
            coded += "a\x90\x0A", i += 9;
        else if (plain[i] == '\x90')
            coded += "\x90", coded += '\0';
        else
            coded += plain[i];
    }
    return "(This file must be converted with BinHex 4.0)\n" + EncodeBinHex(coded, "\n") + "\n";
}

std::vector<DecodeCase> Cases()
{
    const std::string uu = EncodeUU(Data, "\n");
    const std::string uuBody = "begin 644 data.bin\n" + uu + "end\n";
    const std::string hqx = EncodeBinHex(Data, "\n");
    const std::string hqxHeader = "(This file must be converted with BinHex 4.0)\n";
    const std::string b64 = EncodeBase64R(Data, "\r\n");
    return {
        {"UUBareBody", "--unuu", uu, Data, false},
        {"UUFramedInAMail", "--unuu", "From: a@b\nSubject: c\n\n" + uuBody + "-- \nsignature\n", Data, false},
        {"UUFramedCrLf", "--unuu", NormalizeReturnCode(uuBody, RC_CRLF), Data, false},
        {"UUWithoutEnd", "--unuu", "begin 644 x\n" + uu,
         "the end is missing at offset " + std::to_string(12 + uu.size()), true},
        {"UUBodyWithoutClosingLine", "--unuu", uu.substr(0, uu.size() - 2), "the end is missing", true},
        {"UUPlainText", "--unuu", "hello world\n", "byte 0x68 at offset 0", true},
        {"UUBadCharacter", "--unuu", "begin 644 x\n#86)C{\n`\nend\n", "byte 0x7B at offset 17", true},
        {"UUTab", "--unuu", "#86)C\t\n`\n", "byte 0x09 at offset 5", true},
        {"UULineCutShort", "--unuu", "M86)C\n`\n", "cut short at offset 5", true},
        {"BinHexBare", "--unbinhex", hqx, Data, false},
        {"BinHexAfterHeader", "--unbinhex", "Subject: x\n\n" + hqxHeader + "\n" + hqx + "\n", Data, false},
        {"BinHexSpacesInside", "--unbinhex", hqxHeader + ":" + hqx.substr(1, 10) + "  \t" + hqx.substr(11),
         Data, false},
        {"BinHexNoData", "--unbinhex", "hello\nworld\n", "no line starts the data after offset 0", true},
        {"BinHexNoDataAfterHeader", "--unbinhex", hqxHeader + "text\n",
         "after offset " + std::to_string(hqxHeader.size()), true},
        {"BinHexWithoutClosingColon", "--unbinhex", hqx.substr(0, hqx.size() - 1), "the end is missing",
         true},
        {"BinHexBadCharacter", "--unbinhex", ":!!!o!!:", "byte 0x6F at offset 4", true},
        {"BinHexLoneCharacter", "--unbinhex", ":!!!!!:", "cut short at offset 6", true},
        {"BinHex4FileWithHeader", "--unbinhex", BinHex4File("read me.txt"),
         "a BinHex 4.0 file of \"read me.txt\" (header, run-length coding, CRCs); only bare 6-bit", true},
        {"Base64Lines", "--unbase64", b64, Data, false},
        {"Base64Unpadded", "--unbase64", "YWJjYQ", "abca", false},
        {"Base64Spaces", "--unbase64", " YW Jj\tYQ==\n", "abca", false},
        {"Base64Cut", "--unbase64", "YWJjY", "cut short at offset 5", true},
        {"Base64ConcatenatedGroups", "--unbase64", "YQ==YWJj", "aabc", false},
        {"Base64ConcatenatedLines", "--unbase64", "YWI=\nYQ==\n", "aba", false},
        {"Base64AfterOnePad", "--unbase64", "YQ=YWJj", "byte 0x59 at offset 3", true},
        {"Base64HalfPadded", "--unbase64", "YWJjYQ=", "cut short at offset 7", true},
        {"Base64InsidePadding", "--unbase64", "YQ=a", "byte 0x61 at offset 3", true},
        {"Base64TooMuchPadding", "--unbase64", "YQ===", "byte 0x3D at offset 4", true},
        {"Base64Text", "--unbase64", "not base64!", "byte 0x21 at offset 10", true},
    };
}

class Decoding : public Tool, public ::testing::WithParamInterface<DecodeCase>
{
};

} // namespace

TEST_P(Decoding, TakesTheFileOrNamesTheFirstBadOffset)
{
    const DecodeCase &c = GetParam();
    const Result r = Run(c.operation, c.input);
    if (c.refused) {
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.ErrLines(), 1) << r.err;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
    } else {
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Decoding, ::testing::ValuesIn(Cases()),
                         [](const auto &info) { return info.param.name; });

TEST_F(Tool, EncodersRoundTripThroughTheDecoders)
{
    for (const char *pair : {"--uu|--unuu", "--binhex|--unbinhex", "--base64 --wrap|--unbase64"}) {
        const std::string p(pair);
        const std::string encoded = Run(p.substr(0, p.find('|')), Data).out;
        const Result back = Run(p.substr(p.find('|') + 1), encoded);
        EXPECT_EQ(back.status, 0) << pair << back.err;
        EXPECT_EQ(back.out, Data) << pair;
    }
}
