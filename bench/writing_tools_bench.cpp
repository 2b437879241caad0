// bench_writing_tools [megabytes]: the writing tools on a generated Japanese
// text, by default 50 MB as Shift_JIS: the counts of 文字数を数える
// (characters, lines, bytes in each code) and the character-kind conversions.
#include "character_kinds.h"
#include "cp932.h"
#include "encoded_size.h"
#include "median_time.h"
#include "sample_text.h"
#include "text_counts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

namespace {

volatile qsizetype sink; // keeps results from being optimised away

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 50;
    const std::string sjis = MakeSjisSample(std::size_t(megabytes * 1024 * 1024));
    const QString text = Cp932::Decode(QByteArrayView(sjis.data(), qsizetype(sjis.size())));
    std::printf("text: %.1f MB as Shift_JIS, %lld code units\n", megabytes, (long long)text.size());

    // Each conversion asks ICU about its characters once.
    for (int k = 0; k <= int(TextTools::CharacterKind::HalfSpaceToFull); ++k) {
        QElapsedTimer first;
        first.start();
        sink = TextTools::ConvertCharacterKind(QStringLiteral("ｱ"), TextTools::CharacterKind(k), {})->size();
        std::printf("ConvertCharacterKind %d, first use %17.1f ms\n", k, first.nsecsElapsed() / 1e6);
    }

    const double count = MedianMs(3, [&] { sink = TextTools::CountText(text)->characters; });
    std::printf("%-44s %9.1f ms\n", "CountText (characters and lines)", count);
    const struct
    {
        DocumentCode code;
        const char *name;
    } codes[] = {{DocumentCode::Sjis, "Shift_JIS"},
                 {DocumentCode::Jis, "JIS"},
                 {DocumentCode::Euc, "EUC-JP"},
                 {DocumentCode::Utf8, "UTF-8"},
                 {DocumentCode::Utf16Le, "UTF-16LE"}};
    for (const auto &c : codes) {
        const double ms = MedianMs(3, [&] { sink = EncodedSize(text, c.code, Jconvert::ReturnCode::CrLf); });
        std::printf("EncodedSize %-32s %9.1f ms\n", c.name, ms);
    }
    // A tenth of the text: a conversion is one undo step over what the user selected.
    const QString part = text.first(text.size() / 10);
    for (const auto kind :
         {TextTools::CharacterKind::FullKanaToHalf, TextTools::CharacterKind::HiraganaToKatakana}) {
        const double ms =
            MedianMs(3, [&] { sink = TextTools::ConvertCharacterKind(part, kind, {})->size(); });
        std::printf("ConvertCharacterKind %d on %lld units %11.1f ms\n", int(kind), (long long)part.size(),
                    ms);
    }
    return 0;
}
