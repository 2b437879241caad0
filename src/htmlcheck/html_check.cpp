#include "html_check.h"

#include "charset_check.h"
#include "code_check.h"
#include "document_codec.h"
#include "local_files.h"
#include "text_positions.h"
#include "tidy_structure.h"

#include <QFileInfo>
#include <algorithm>

namespace HtmlCheck {

QString SeverityName(Severity severity)
{
    return severity == Severity::Error ? QStringLiteral("エラー") : QStringLiteral("警告");
}

bool IsHtmlPath(const QString &path)
{
    return FileExtension(path).contains(QStringLiteral("htm"), Qt::CaseInsensitive);
}

namespace {

// In text order, at most MaxFindings.
Report Finish(Report report)
{
    QList<Finding> &findings = report.findings;
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    if (findings.size() > MaxFindings) {
        const qsizetype rest = findings.size() - (MaxFindings - 1);
        findings.resize(MaxFindings - 1);
        Finding more = findings.last();
        more.message = QStringLiteral("ほかに %1 件あります").arg(rest);
        findings.append(more);
    }
    return report;
}

} // namespace

Report CheckDocument(const CheckInput &input)
{
    Report report;
    report.html = IsHtmlPath(input.path);
    const LineIndex lines(input.text);
    const QString saved = QStringLiteral("保存する文字コード %1 ").arg(CharsetName(input.format.code));
    QList<Finding> &findings = report.findings;
    findings += UnholdableCharacters(input.text, lines, input.format.code, Severity::Error, saved);
    findings += KeptBytes(input.text, lines);

    if (report.html) {
        TidyPass tidy = RunTidy(input.text);
        report.structure = tidy.outcome;
        findings += tidy.findings;
        if (!tidy.outcome.done()) {
            // Without tidy's tree the page's elements are unknown, not absent.
            findings.append({1, 1, Severity::Error, tidy.outcome.message});
            return Finish(std::move(report));
        }
        const CharsetCheck charset = CheckCharset(tidy.elements, input.format);
        findings += charset.findings;
        if (charset.otherDeclared)
            findings += UnholdableCharacters(
                input.text, lines, *charset.otherDeclared, Severity::Warning,
                QStringLiteral("宣言された文字コード %1 ").arg(CharsetName(*charset.otherDeclared)));
        const QString folder = input.path.isEmpty() ? QString() : QFileInfo(input.path).absolutePath();
        findings += CheckLocalFiles(tidy.elements, folder);
    } else if (input.mixedLineEnds) {
        findings.append({1, 1, Severity::Warning,
                         QStringLiteral("改行コードが混在しています（各行の改行はそのまま保存されます）")});
    }
    return Finish(std::move(report));
}

} // namespace HtmlCheck
