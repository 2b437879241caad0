#include "code_check.h"

#include "cp932.h"
#include "text_codec.h"

#include <vector>

namespace HtmlCheck {
namespace {

QString CharacterName(QStringView text, qsizetype index, qsizetype *length)
{
    const bool pair =
        text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
    *length = pair ? 2 : 1;
    const char32_t c = pair ? QChar::surrogateToUcs4(text[index], text[index + 1]) : text[index].unicode();
    return QStringLiteral("「%1」(U+%2)")
        .arg(text.sliced(index, *length).toString(),
             QString::number(c, 16).toUpper().rightJustified(4, u'0'));
}

void AddMore(QList<Finding> &findings, const QString &what)
{
    Finding more = findings.last();
    more.message = QStringLiteral("ほかにも%1があります（最初の %2 個だけを挙げました）")
                       .arg(what)
                       .arg(MaxCharacterFindings);
    findings.append(more);
}

} // namespace

QList<Finding> UnholdableCharacters(QStringView text, const LineIndex &lines, DocumentCode code,
                                    Severity severity, const QString &holder)
{
    QList<Finding> findings;
    const LineEnds ends;
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(code, ends);
    // An encoder reports the first character it lacks in a piece: after one,
    // pieces start small, so text full of them is not encoded over and over.
    constexpr qsizetype LargestPiece = 65536, SmallestPiece = 64;
    std::vector<char> out;
    qsizetype piece = LargestPiece;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype end = Cp932::PieceEnd(text, from, piece);
        out.resize(size_t((end - from) * TextEncoder::MaxBytesPerUnit + TextEncoder::MaxFinishBytes));
        const qsizetype lacking = encoder->encode(text.sliced(from, end - from), out.data()).firstUnencodable;
        if (lacking < 0) {
            from = end;
            piece = qMin(piece * 2, LargestPiece);
            continue;
        }
        if (findings.size() == MaxCharacterFindings) {
            AddMore(findings, holder + QStringLiteral("で表せない文字"));
            break;
        }
        const qsizetype at = from + lacking;
        qsizetype length = 1;
        const QString character = CharacterName(text, at, &length);
        const LineColumn place = lines.at(at);
        findings.append({place.line, place.column, severity,
                         QStringLiteral("%1で表せない文字%2があります").arg(holder, character)});
        from = at + length;
        piece = SmallestPiece;
    }
    return findings;
}

QList<Finding> KeptBytes(QStringView text, const LineIndex &lines)
{
    QList<Finding> findings;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!Cp932::IsKeptByte(text, i) || (i > 0 && Cp932::IsKeptByte(text, i - 1)))
            continue;
        if (findings.size() == MaxCharacterFindings) {
            AddMore(findings, QStringLiteral("文字として読めないバイト"));
            break;
        }
        const LineColumn place = lines.at(i);
        const int byte = text[i].unicode() - Cp932::EscapeBase;
        findings.append(
            {place.line, place.column, Severity::Warning,
             QStringLiteral("文字として読めないバイト %1 があります（そのまま保存されます）")
                 .arg(QStringLiteral("0x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0'))});
    }
    return findings;
}

} // namespace HtmlCheck
