#include "profile_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A settings file is read as UTF-8 (after any byte order mark), or as code
// page 932 when it is not valid UTF-8; it is always written as UTF-8.
QString DecodeProfileBytes(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp932("Shift_JIS");
    if (cp932.isValid())
        return cp932.decode(body);
    return QString::fromUtf8(body);
}

QString StripEnclosingQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

bool ParseProfileInt(const QString &text, int *value)
{
    QStringView digits = QStringView(text).trimmed();
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == u'-' || digits.front() == u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    if (digits.isEmpty())
        return false;
    int base = 10;
    if (digits.size() > 2 && digits[0] == u'0' && (digits[1] == u'x' || digits[1] == u'X')) {
        base = 16;
        digits = digits.mid(2);
    }
    // toULongLong accepts its own prefixes, signs and blanks; only plain digits count here.
    const auto isDigit = [base](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') ||
               (base == 16 && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')));
    };
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return false;
    bool ok = false;
    const qulonglong magnitude = digits.toULongLong(&ok, base);
    if (!ok)
        return false;
    qlonglong result = 0;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull)
            return false;
        result = static_cast<qint32>(static_cast<quint32>(magnitude));
    } else {
        if (magnitude > 0x80000000ull || (!negative && magnitude > 0x7FFFFFFFull))
            return false;
        result = static_cast<qlonglong>(magnitude);
    }
    *value = static_cast<int>(negative ? -result : result);
    return true;
}

ProfileFile::ProfileFile(QString path) : path_(std::move(path)), sections_(1) {}

bool ProfileFile::load()
{
    sections_.clear();
    existed_ = false;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        parse(QString());
        return false;
    }
    existed_ = true;
    parse(DecodeProfileBytes(file.readAll()));
    return true;
}

void ProfileFile::parse(const QString &text)
{
    sections_.clear();
    sections_.push_back(Section{});
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = normalised.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (const QString &raw : lines) {
        const QString trimmed = raw.trimmed();
        // A header needs its closing bracket; "[Pre" is an ordinary line.
        const qsizetype close = trimmed.lastIndexOf(u']');
        if (trimmed.startsWith(u'[') && close > 0) {
            Section section;
            section.name = trimmed.mid(1, close - 1).trimmed();
            section.hasHeader = true;
            section.header = raw;
            sections_.push_back(std::move(section));
            continue;
        }
        Line line{raw, {}, {}};
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq > 0 && !trimmed.startsWith(u';')) {
            line.key = trimmed.left(eq).trimmed();
            line.value = trimmed.mid(eq + 1).trimmed();
        }
        sections_.back().lines.push_back(std::move(line));
    }
}

const ProfileFile::Line *ProfileFile::find(const QString &section, const QString &key) const
{
    for (const Section &s : sections_) {
        if (!s.hasHeader || !SameName(s.name, section))
            continue;
        for (const Line &line : s.lines) {
            if (!line.key.isEmpty() && SameName(line.key, key))
                return &line;
        }
        return nullptr; // only the first section of a name counts
    }
    return nullptr;
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const Line *line = find(section, key);
    return line ? StripEnclosingQuotes(line->value) : def;
}

int ProfileFile::readInt(const QString &section, const QString &key, int def) const
{
    const Line *line = find(section, key);
    int value = 0;
    if (line && ParseProfileInt(StripEnclosingQuotes(line->value), &value))
        return value;
    return def;
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInt(section, key, def ? 1 : 0) != 0;
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    QString clean = value;
    clean.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');

    Section *target = nullptr;
    for (Section &s : sections_) {
        if (s.hasHeader && SameName(s.name, section)) {
            target = &s;
            break;
        }
    }
    if (!target) {
        // Keep a blank line between the previous section and the new one.
        Section &last = sections_.back();
        if (!last.lines.empty() || last.hasHeader) {
            if (last.lines.empty() || !last.lines.back().text.trimmed().isEmpty())
                last.lines.push_back(Line{});
        }
        Section fresh;
        fresh.name = section;
        fresh.hasHeader = true;
        fresh.header = u'[' + section + u']';
        sections_.push_back(std::move(fresh));
        target = &sections_.back();
    }

    for (Line &line : target->lines) {
        if (!line.key.isEmpty() && SameName(line.key, key)) {
            // The existing spelling of the key stays: SaveAsHTM is read as SaveAsHtm and stays SaveAsHTM.
            line.value = clean;
            line.text = line.key + u'=' + clean;
            return;
        }
    }
    // New keys go after the section's last non-blank line, before any blank
    // lines that separate it from the next section.
    auto insertAt = target->lines.end();
    while (insertAt != target->lines.begin() && std::prev(insertAt)->text.trimmed().isEmpty())
        --insertAt;
    target->lines.insert(insertAt, Line{key + u'=' + clean, key, clean});
}

void ProfileFile::writeInt(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString ProfileFile::toText() const
{
    QString text;
    for (const Section &s : sections_) {
        if (s.hasHeader)
            text += s.header + u'\n';
        for (const Line &line : s.lines)
            text += line.text + u'\n';
    }
    return text;
}

Outcome ProfileFile::save() const
{
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly) && file.write(toText().toUtf8()) >= 0 && file.commit())
        return {};
    return Outcome::failed(file.errorString());
}
