#include "tidy_structure.h"

#include "module_folders.h"
#include "nesting_bound.h"
#include "tidy_module.h"

#include <QRegularExpression>

namespace HtmlCheck {
namespace {

struct TidyModule
{
    TidyParse parse = nullptr;
    QString missing; // why it could not be loaded
};

const TidyModule &LoadedTidyModule()
{
    static const TidyModule module = [] {
        QStringList errors;
        const auto parse = reinterpret_cast<TidyParse>(
            ModuleEntry(ModuleFolders(), QStringLiteral("qumo_tidy"), QUMO_TIDY_PARSE, &errors));
        return TidyModule{parse, errors.join(u'\n')};
    }();
    return module;
}

} // namespace

HtmlVersion VersionOf(QStringView text)
{
    static const QRegularExpression doctype(QStringLiteral(R"(<!DOCTYPE\s+html\b([^>]*)>)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = doctype.match(text);
    if (!m.hasMatch())
        return HtmlVersion::Html5;
    const QStringView id = m.capturedView(1);
    if (!id.contains(u"//DTD", Qt::CaseInsensitive))
        return HtmlVersion::Html5;
    const auto has = [id](const char16_t *word) {
        return id.contains(QStringView(word), Qt::CaseInsensitive);
    };
    if (has(u"Frameset"))
        return HtmlVersion::OtherDoctype;
    if (has(u"XHTML 1.1"))
        return HtmlVersion::Html4Strict;
    if (!has(u"HTML 4") && !has(u"XHTML 1.0"))
        return HtmlVersion::OtherDoctype; // HTML 3.2 and older: what tidy makes of it
    // "-//W3C//DTD HTML 4.01//EN" is the strict one.
    return has(u"Transitional") || has(u"Loose") ? HtmlVersion::Html4Transitional : HtmlVersion::Html4Strict;
}

TidyPass RunTidy(QStringView text)
{
    TidyPass pass;
    if (NestingDepth(text, MaxNesting) > MaxNesting) {
        pass.outcome = Outcome::failed(
            QStringLiteral("要素の入れ子が %1 段より深いため HTML の構造を調べられませんでした")
                .arg(MaxNesting));
        return pass;
    }
    const TidyModule &module = LoadedTidyModule();
    if (module.parse == nullptr) {
        pass.outcome = Outcome::failed(
            QStringLiteral(
                "tidy の部品 (qumo_tidy) が見つからないか読み込めないため HTML の構造を調べられませんでした。"
                "tidy-html5 (libtidy) が入っているか確かめてください。\n\n%1")
                .arg(module.missing));
        return pass;
    }
    module.parse(text, VersionOf(text), pass);
    return pass;
}

} // namespace HtmlCheck
