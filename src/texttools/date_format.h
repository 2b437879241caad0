// The date and time format language of the date insertion (F5) and of the
// template placeholders.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace TextTools {

// `now` written in `format`: yyyy/yy/y, m/mm/mmm/mmmm, d/dd/ddd/dddd,
// aaa/aaaa, h/hh, n/nn, s/ss, am/pm, a/p, ampm, e/ee, g/gg, "/" and ":" and
// quoted text, token letters in either case; names and separators from
// `locale`, and the Japanese imperial era in a Japanese locale.
QString FormatDateTime(const QString &format, const QDateTime &now, const QLocale &locale);

} // namespace TextTools
