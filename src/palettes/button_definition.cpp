#include "button_definition.h"

#include "editor_units.h"
#include "line_breaks.h"
#include "tag_case.h"

namespace Palettes {

namespace {

constexpr qsizetype PreviewUnits = 200;

// The longest start of `text` that fits in `units` without cutting a character.
QString FirstUnits(const QString &text, qsizetype units)
{
    qsizetype used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        used += EditorUnits::Width(text[i]);
        if (used > units)
            return text.first(i);
    }
    return text;
}

} // namespace

ButtonDefinition DefinitionForDialog(const SetList &list, int number)
{
    const std::optional<ButtonRecord> record = list.record(number);
    if (!record)
        return {QStringLiteral("未登録"), QStringLiteral("未登録です"), 10, 0, QString()};
    return {record->caption, DecodeLineBreaks(record->content), record->selectStart, record->selectLength,
            DecodeLineBreaks(record->help)};
}

QString HoverPreview(const SetList &list, int number, int caseMode)
{
    const std::optional<ButtonRecord> record = list.record(number);
    QString preview = record ? FirstUnits(record->content, PreviewUnits) : QString();
    if (preview.isEmpty())
        preview = QStringLiteral("このボタンは未設定です(^o^)/");
    // Markers first: raised inside a tag they would turn into real line breaks.
    preview.replace(QLatin1String("\\r\\n"), QStringLiteral("[←]"));
    return u' ' + TextTools::ConvertTagCase(preview, caseMode);
}

} // namespace Palettes
