#include "date_format.h"

#include "japanese_era.h"
#include "letter_case.h"

namespace TextTools {

namespace {

bool IsQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool IsAsciiLetter(QChar c)
{
    return AsciiUpper(c) >= u'A' && AsciiUpper(c) <= u'Z';
}

// The first punctuation of a locale's own format ("yyyy/MM/dd" gives "/").
QChar SeparatorOf(const QString &format, QChar fallback)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return fallback;
}

bool StartsWithNoCase(QStringView text, qsizetype at, QLatin1String word)
{
    return text.sliced(at).startsWith(word, Qt::CaseInsensitive);
}

class Formatter
{
public:
    Formatter(QStringView format, const QDateTime &now, const QLocale &locale)
        : format_(format), date_(now.date()), time_(now.time()), locale_(locale)
    {
    }

    QString run()
    {
        for (i_ = 0; i_ < format_.size();) {
            const QChar c = format_[i_];
            if (IsQuote(c))
                copyQuoted();
            else if (IsAsciiLetter(c))
                token(AsciiUpper(c).toLatin1());
            else {
                if (c == u'/')
                    out_.append(SeparatorOf(locale_.dateFormat(QLocale::ShortFormat), u'/'));
                else if (c == u':')
                    out_.append(SeparatorOf(locale_.timeFormat(QLocale::ShortFormat), u':'));
                else
                    out_.append(c);
                ++i_;
            }
        }
        return out_;
    }

private:
    void copyQuoted()
    {
        const qsizetype close = format_.indexOf(format_[i_], i_ + 1);
        const qsizetype end = close < 0 ? format_.size() : close;
        out_.append(format_.sliced(i_ + 1, end - i_ - 1));
        i_ = close < 0 ? end : close + 1;
    }

    // Length of the run of one token letter, in either case, from i_.
    qsizetype runLength() const
    {
        qsizetype n = 1;
        while (i_ + n < format_.size() && AsciiUpper(format_[i_ + n]) == AsciiUpper(format_[i_]))
            ++n;
        return n;
    }

    void number(int value, qsizetype digits)
    {
        out_.append(QString::number(value).rightJustified(qMin<qsizetype>(digits, 2), u'0'));
    }

    void token(char letter)
    {
        const qsizetype count = letter == 'A' ? 1 : runLength();
        // "m" and "mm" after an hour token are minutes, as in "hh:mm".
        const bool minutes = letter == 'M' && lastToken_ == 'H' && count <= 2;
        lastToken_ = letter;
        if (letter == 'A') {
            ampmOrDayName();
            return;
        }
        switch (letter) {
        case 'Y':
            if (count <= 2)
                number(date_.year() % 100, 2);
            else
                out_.append(QString::number(date_.year()).rightJustified(4, u'0'));
            break;
        case 'M':
            if (minutes)
                number(time_.minute(), count);
            else if (count <= 2)
                number(date_.month(), count);
            else
                out_.append(locale_.monthName(date_.month(),
                                              count == 3 ? QLocale::ShortFormat : QLocale::LongFormat));
            break;
        case 'D':
            if (count <= 2)
                number(date_.day(), count);
            else
                dayName(count == 3);
            break;
        case 'H':
            number(twelveHourClock() ? (time_.hour() + 11) % 12 + 1 : time_.hour(), count);
            break;
        case 'N':
            number(time_.minute(), count);
            break;
        case 'S':
            number(time_.second(), count);
            break;
        case 'E':
            number(era().year, count == 1 ? 1 : 2);
            break;
        case 'G':
            out_.append(count == 1 ? era().name.left(1) : era().name);
            break;
        default:
            out_.append(format_.sliced(i_, count));
            break;
        }
        i_ += count;
    }

    void dayName(bool shortName)
    {
        out_.append(
            locale_.dayName(date_.dayOfWeek(), shortName ? QLocale::ShortFormat : QLocale::LongFormat));
    }

    // At an "a": am/pm and a/p as written in the format, ampm in the locale's
    // words, aaa and aaaa the day name; a lone "a" is text.
    void ampmOrDayName()
    {
        const bool pm = time_.hour() >= 12;
        if (StartsWithNoCase(format_, i_, QLatin1String("am/pm"))) {
            out_.append(format_.sliced(pm ? i_ + 3 : i_, 2));
            i_ += 5;
        } else if (StartsWithNoCase(format_, i_, QLatin1String("a/p"))) {
            out_.append(format_[pm ? i_ + 2 : i_]);
            i_ += 3;
        } else if (StartsWithNoCase(format_, i_, QLatin1String("ampm"))) {
            out_.append(pm ? locale_.pmText() : locale_.amText());
            i_ += 4;
        } else if (StartsWithNoCase(format_, i_, QLatin1String("aaaa"))) {
            dayName(false);
            i_ += 4;
        } else if (StartsWithNoCase(format_, i_, QLatin1String("aaa"))) {
            dayName(true);
            i_ += 3;
        } else {
            out_.append(format_[i_++]);
        }
    }

    // The first unquoted "a" after the hour token decides; another hour
    // token ends the look.
    bool twelveHourClock() const
    {
        for (qsizetype j = i_ + runLength(); j < format_.size(); ++j) {
            const QChar c = format_[j];
            if (IsQuote(c)) {
                j = format_.indexOf(c, j + 1);
                if (j < 0)
                    return false;
            } else if (AsciiUpper(c) == u'H') {
                return false;
            } else if (AsciiUpper(c) == u'A') {
                return StartsWithNoCase(format_, j, QLatin1String("am/pm")) ||
                       StartsWithNoCase(format_, j, QLatin1String("a/p")) ||
                       StartsWithNoCase(format_, j, QLatin1String("ampm"));
            }
        }
        return false;
    }

    // Outside a Japanese locale (and before Meiji) the calendar is the
    // Gregorian one, whose single era is written "A.D.".
    JapaneseEra era() const
    {
        if (locale_.language() == QLocale::Japanese) {
            if (const auto japanese = JapaneseEraOf(date_))
                return *japanese;
            return {QStringLiteral("西暦"), date_.year()};
        }
        return {QStringLiteral("A.D."), date_.year()};
    }

    QStringView format_;
    QDate date_;
    QTime time_;
    QLocale locale_;
    QString out_;
    qsizetype i_ = 0;
    char lastToken_ = 0;
};

} // namespace

QString FormatDateTime(const QString &format, const QDateTime &now, const QLocale &locale)
{
    return Formatter(format, now, locale).run();
}

} // namespace TextTools
