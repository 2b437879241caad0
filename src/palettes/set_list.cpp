#include "set_list.h"

#include "line_breaks.h"

#include <algorithm>

namespace Palettes {

namespace {

constexpr QLatin1String KeyPrefix("*Button");
constexpr int RecordFields = 5;

int ToInt(const QString &field)
{
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

int KeyNumber(QStringView line)
{
    if (!line.startsWith(KeyPrefix, Qt::CaseInsensitive))
        return -1;
    const QStringView digits = line.sliced(KeyPrefix.size());
    if (digits.isEmpty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == u'0'))
        return -1;
    int number = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

QList<qsizetype> RecordKeyLines(const QList<int> &keyNumbers)
{
    QList<qsizetype> keys;
    for (qsizetype i = 0; i < keyNumbers.size(); ++i) {
        if (keyNumbers[i] < 0)
            continue;
        keys.append(i);
        i += RecordFields;
    }
    return keys;
}

QStringList RecordLines(int number, const ButtonDefinition &definition)
{
    return {KeyOf(number),
            OneLine(definition.caption),
            EncodeLineBreaks(definition.content),
            QString::number(definition.selectStart),
            QString::number(definition.selectLength),
            EncodeLineBreaks(definition.help)};
}

QString KeyOf(int number)
{
    return KeyPrefix + QString::number(number);
}

qsizetype SetList::keyLine(int number) const
{
    return number < 0 ? -1 : keyLines(number, 1).front();
}

QList<qsizetype> SetList::keyLines(int first, int count) const
{
    QList<int> numbers(lines_.size());
    std::transform(lines_.begin(), lines_.end(), numbers.begin(),
                   [](const QString &line) { return KeyNumber(line); });
    QList<qsizetype> keys(count, -1);
    for (const qsizetype key : RecordKeyLines(numbers)) {
        const int slot = numbers[key] - first;
        if (slot >= 0 && slot < count && keys[slot] < 0)
            keys[slot] = key;
    }
    return keys;
}

QString SetList::lineOr(qsizetype index) const
{
    return index < lines_.size() ? lines_[index] : QString();
}

ButtonRecord SetList::recordAt(qsizetype key) const
{
    return {lineOr(key + 1), lineOr(key + 2), ToInt(lineOr(key + 3)), ToInt(lineOr(key + 4)),
            lineOr(key + 5)};
}

std::optional<ButtonRecord> SetList::record(int number) const
{
    const qsizetype key = keyLine(number);
    if (key < 0)
        return std::nullopt;
    return recordAt(key);
}

void SetList::define(int number, const ButtonDefinition &definition)
{
    qsizetype key = keyLine(number);
    if (key < 0) {
        key = lines_.size();
        lines_.append(KeyOf(number));
    }
    // A record cut short by the end of the list gets its missing lines.
    while (lines_.size() < key + 1 + RecordFields)
        lines_.append(QString());
    const QStringList record = RecordLines(number, definition);
    for (int field = 1; field <= RecordFields; ++field)
        lines_[key + field] = record[field];
}

} // namespace Palettes
