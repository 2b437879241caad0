#include "set_file_edit.h"

#include "set_list.h"

#include <QList>
#include <QString>
#include <algorithm>

namespace Palettes {

namespace {

constexpr qsizetype RecordLineCount = 6;

// Where each line starts, and the file's size at the end; a line ends at CR LF, CR or LF.
QList<qsizetype> LineBounds(QByteArrayView file)
{
    QList<qsizetype> bounds;
    for (qsizetype i = 0; i < file.size();) {
        bounds.append(i);
        while (i < file.size() && file[i] != '\r' && file[i] != '\n')
            ++i;
        if (i < file.size() && file[i] == '\r')
            ++i;
        if (i < file.size() && file[i] == '\n')
            ++i;
    }
    bounds.append(file.size());
    return bounds;
}

// KeyNumber of the bytes of a line: keys are ASCII, so a byte of a double-byte character never
// makes one.
int KeyNumberOf(QByteArrayView line)
{
    while (!line.isEmpty() && (line.back() == '\r' || line.back() == '\n'))
        line.chop(1);
    return line.startsWith('*') ? KeyNumber(QString::fromLatin1(line)) : -1;
}

} // namespace

QByteArray WithRecord(QByteArrayView file, int number, QByteArrayView record)
{
    const QList<qsizetype> bounds = LineBounds(file);
    const qsizetype lines = bounds.size() - 1;
    QList<int> numbers(lines);
    for (qsizetype i = 0; i < lines; ++i)
        numbers[i] = KeyNumberOf(file.sliced(bounds[i], bounds[i + 1] - bounds[i]));
    for (const qsizetype key : RecordKeyLines(numbers)) {
        if (numbers[key] != number)
            continue;
        const qsizetype from = bounds[key];
        const qsizetype to = bounds[std::min(key + RecordLineCount, lines)];
        QByteArray out = file.first(from).toByteArray();
        out.append(record);
        return out.append(file.sliced(to));
    }
    QByteArray out = file.toByteArray();
    if (!out.isEmpty() && !out.endsWith('\r') && !out.endsWith('\n'))
        out += "\r\n";
    return out.append(record);
}

} // namespace Palettes
