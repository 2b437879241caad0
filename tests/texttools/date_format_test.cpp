#include "date_format.h"
#include "printers.h"

#include <gtest/gtest.h>

namespace {

using TextTools::FormatDateTime;

// Tuesday 5 March 2024, 14:07:09: every field differs from its neighbours and
// needs padding, and the hour is past noon.
const QDateTime kAfternoon(QDate(2024, 3, 5), QTime(14, 7, 9));

struct Case
{
    const char *format;
    const char *japanese;
    const char *english;
};

const Case kCases[] = {
    {"yyyy", "2024", "2024"},
    {"YYY", "2024", "2024"},
    {"yy", "24", "24"},
    {"Y", "24", "24"},
    {"m", "3", "3"},
    {"MM", "03", "03"},
    {"mmm", "3月", "Mar"},
    {"MMMM", "3月", "March"},
    {"d", "5", "5"},
    {"Dd", "05", "05"},
    {"ddd", "火", "Tue"},
    {"DDDD", "火曜日", "Tuesday"},
    {"aaa", "火", "Tue"},
    {"AAAA", "火曜日", "Tuesday"},
    {"h", "14", "14"},
    {"HH", "14", "14"},
    {"n", "7", "7"},
    {"NN", "07", "07"},
    {"s", "9", "9"},
    {"SS", "09", "09"},
    // "m" after an hour token is minutes, separators between or not.
    {"hh:mm", "14:07", "14:07"},
    {"H:M", "14:7", "14:7"},
    {"hh mm:ss", "14 07:09", "14 07:09"},
    {"mm hh", "03 14", "03 14"},
    {"hh:mmm", "14:3月", "14:Mar"},
    // Markers switch to the 12-hour clock; am/pm and a/p keep their case.
    {"hh am/pm", "02 pm", "02 pm"},
    {"h AM/PM", "2 PM", "2 PM"},
    {"h a/p", "2 p", "2 p"},
    {"h A/P", "2 P", "2 P"},
    {"h ampm", "2 午後", "2 PM"},
    {"hh 'am/pm'", "14 am/pm", "14 am/pm"},
    {"hh aaa", "14 火", "14 Tue"},
    // Quotes, literal text and separators.
    {"yyyy'年'm'月'd'日（'aaaa'）'", "2024年3月5日（火曜日）", "2024年3月5日（Tuesday）"},
    {"\"dd\"=dd", "dd=05", "dd=05"},
    {"'open", "open", "open"},
    {"x a 日本", "x a 日本", "x a 日本"},
    {"mm/dd/yyyy hh:nn:ss", "03/05/2024 14:07:09", "03/05/2024 14:07:09"},
    // Era: the imperial calendar in Japanese, the Gregorian one otherwise.
    {"e", "6", "2024"},
    {"EE", "06", "2024"},
    {"g", "令", "A"},
    {"GGe", "令和6", "A.D.2024"},
};

TEST(FormatDateTime, EveryTokenInJapaneseAndEnglish)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const Case &c : kCases) {
        const QString format = QString::fromUtf8(c.format);
        EXPECT_EQ(FormatDateTime(format, kAfternoon, japanese), QString::fromUtf8(c.japanese)) << c.format;
        EXPECT_EQ(FormatDateTime(format, kAfternoon, english), QString::fromUtf8(c.english)) << c.format;
    }
}

TEST(FormatDateTime, TwelveHourClockAroundMidnightAndNoon)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDate day(2024, 3, 5);
    EXPECT_EQ(FormatDateTime("h am/pm", QDateTime(day, QTime(0, 3)), english), "12 am");
    EXPECT_EQ(FormatDateTime("hh:nn a/p", QDateTime(day, QTime(9, 3)), english), "09:03 a");
    EXPECT_EQ(FormatDateTime("h ampm", QDateTime(day, QTime(12, 0)), english), "12 PM");
    EXPECT_EQ(FormatDateTime("h ampm", QDateTime(day, QTime(0, 0)), QLocale(QLocale::Japanese)),
              QStringLiteral("12 午前"));
}

TEST(FormatDateTime, JapaneseErasChangeOnTheirFirstDay)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const struct
    {
        QDate date;
        const char *expected;
    } eras[] = {
        {QDate(2019, 5, 1), "令和1"},   {QDate(2019, 4, 30), "平成31"},  {QDate(1989, 1, 8), "平成1"},
        {QDate(1989, 1, 7), "昭和64"},  {QDate(1926, 12, 25), "昭和1"},  {QDate(1912, 7, 30), "大正1"},
        {QDate(1912, 7, 29), "明治45"}, {QDate(1850, 1, 1), "西暦1850"},
    };
    for (const auto &era : eras)
        EXPECT_EQ(FormatDateTime("gge", QDateTime(era.date, QTime()), japanese),
                  QString::fromUtf8(era.expected))
            << era.date.toString().toStdString();
}

TEST(FormatDateTime, SeparatorsComeFromTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", kAfternoon, german), "05.03.2024 14:07");
}

} // namespace
