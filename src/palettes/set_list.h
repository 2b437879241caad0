// A palette set in memory (TagSetList, ClipSetList): the lines of its file,
// in which each defined button is a six-line record under the key line
// "*Button" + number.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace Palettes {

// A record as stored: content and help keep their \r\n markers.
struct ButtonRecord
{
    QString caption;
    QString content;
    int selectStart = 0;  // editor units
    int selectLength = 0; // editor units
    QString help;
};

// A button's definition as the dialog edits it: real line breaks.
struct ButtonDefinition
{
    QString caption;
    QString content;
    int selectStart = 0;
    int selectLength = 0;
    QString help;
    bool operator==(const ButtonDefinition &) const = default;
};

class SetList
{
public:
    SetList() = default;
    explicit SetList(QStringList lines) : lines_(std::move(lines)) {}

    // A new set: only the first line `header`.
    static SetList Fresh(const QString &header) { return SetList(QStringList{header}); }

    const QStringList &lines() const { return lines_; }

    // The key line of the first record from the top for button `number`; -1 when none.
    qsizetype keyLine(int number) const;
    // keyLine of the numbers first .. first + count - 1, found in one pass.
    QList<qsizetype> keyLines(int first, int count) const;

    // The record of button `number`; lines cut off by the end of the list read as empty, and a
    // number that is not a decimal integer as 0.
    std::optional<ButtonRecord> record(int number) const;
    // The record at key line `key` (from keyLine).
    ButtonRecord recordAt(qsizetype key) const;

    // Stores `definition` as the record of button `number`, appending a key line and five empty
    // lines first when it has none.
    void define(int number, const ButtonDefinition &definition);

    bool operator==(const SetList &) const = default;

private:
    QString lineOr(qsizetype index) const;

    QStringList lines_;
};

// The key line of button `number`.
QString KeyOf(int number);

// The button number of a key line ("*Button" + decimal digits without a leading zero, in any
// letter case); -1 for any other line.
int KeyNumber(QStringView line);

// The lines that are record keys, given each line's KeyNumber: record by record from the top, a
// key line and the five lines after it form a record, and those five are text even when one reads
// "*ButtonN". Any other line is skipped on its own.
QList<qsizetype> RecordKeyLines(const QList<int> &keyNumbers);

// The six lines of button `number`'s record as stored.
QStringList RecordLines(int number, const ButtonDefinition &definition);

} // namespace Palettes
