// bench_palettes: loading a tag set onto its 40 buttons, and expanding a 1 MB
// selection through "*text*". Each figure is printed beside a baseline doing
// comparable plain Qt work in the same run.
#include "button_faces.h"
#include "editor_units.h"
#include "median_time.h"
#include "set_files.h"
#include "template_expansion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace Palettes;

void Print(const char *what, double ms, const char *baseline, double baseMs, double target)
{
    std::printf("%-44s %9.3f   baseline %-36s %9.3f   ratio %6.2f   target %5.1f %s\n", what, ms, baseline,
                baseMs, ms / baseMs, target, ms <= target ? "met" : "MISSED");
}

volatile qsizetype sink; // keeps results from being optimised away

// A set of 40 defined buttons with multi-line Japanese templates.
SetList FullSet()
{
    SetList list = SetList::Fresh(TagPalette().header);
    for (int b = 0; b < 40; ++b) {
        QString content;
        for (int line = 0; line < 8; ++line)
            content += QStringLiteral("<p class=\"段落%1\"*align*>*text*を<b>太字</b>で強調します。</p>\n")
                           .arg(line);
        list.define(b, {QStringLiteral("ボタン%1").arg(b), content, 12, 0,
                        QStringLiteral("%1番目のボタンの説明です。\n二行目もあります。").arg(b)});
    }
    return list;
}

void BenchLoad()
{
    QTemporaryDir dir;
    const QString programDir = dir.path() + '/';
    const SetList list = FullSet();
    if (!SaveSet(programDir, "bench", TagPalette(), list).done()) {
        std::printf("cannot write the set\n");
        return;
    }
    const QString path = programDir + "bench.qmh";
    std::printf("set file: %lld bytes\n", static_cast<long long>(QFile(path).size()));
    const double load = MedianMs(51, [&] { sink = LoadTagSet(programDir, "bench").faces.size(); });
    const double read = MedianMs(51, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        sink = QString::fromLatin1(file.readAll()).split(u'\n').size();
    });
    Print("LoadTagSet + 40 button faces (ms)", load, "QFile::readAll + split (ms)", read, 5.0);
}

void BenchExpansion()
{
    QString selection;
    while (EditorUnits::Length(selection) < 1024 * 1024)
        selection +=
            QStringLiteral("<P>日本語の本文です。<B>太字</B>と ASCII text 0123456789 があります。</P>\n");
    std::printf("selection: %lld characters, %lld editor units\n", static_cast<long long>(selection.size()),
                static_cast<long long>(EditorUnits::Length(selection)));
    const QString content = QStringLiteral("<div*align*>\\r\\n*text*\\r\\n</div>");
    const double plain = MedianMs(11, [&] {
        QString copy = content;
        sink = copy.replace(QStringLiteral("*text*"), selection).size();
    });
    for (const int caseMode : {0, 2}) {
        TemplateRequest request;
        request.content = content;
        request.selectStart = 13;
        request.caseMode = caseMode;
        request.selection = selection;
        request.now = QDateTime::currentDateTime();
        const double expand = MedianMs(11, [&] { sink = InsertTemplate(request, {}).text.size(); });
        char label[64];
        std::snprintf(label, sizeof label, "InsertTemplate 1 MB *text*, case %d (ms)", caseMode);
        Print(label, expand, "QString::replace of *text* (ms)", plain, 50.0);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BenchLoad();
    BenchExpansion();
    return 0;
}
