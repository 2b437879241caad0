// bench_long_lines [megabytes...]: opening a document that is one line without
// spaces (minified HTML, Base64), beside the same bytes broken into lines of
// 80, through the main window: load, first paint, and the caret to the end.
#include "bench_window.h"
#include "font_substitutions.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void MakeFile(const QString &path, qint64 bytes, bool lineBreaks)
{
    QByteArray out;
    out.reserve(bytes + bytes / 40);
    for (qint64 i = 0; i < bytes; ++i) {
        out += char('a' + i % 26);
        if (lineBreaks && i % 80 == 79)
            out += "\r\n";
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(out);
}

struct Times
{
    double openMs;
    double endMs;
};

Times Open(const QString &path)
{
    BenchWindow w;
    TForm1 &form1 = w.form1;
    QElapsedTimer timer;
    timer.start();
    form1.LoadDocument(path);
    Editor(&form1)->viewport()->repaint();
    QApplication::processEvents();
    const double openMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    Editor(&form1)->moveCursor(QTextCursor::End);
    Editor(&form1)->viewport()->repaint();
    QApplication::processEvents();
    return {openMs, timer.nsecsElapsed() / 1e6};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallJapaneseFontSubstitutions();
    QTemporaryDir dir;
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {2, 30};
    std::printf("%-8s %12s %12s %8s %14s %14s\n", "MB", "one line ms", "lines ms", "ratio", "to end (one)",
                "to end (lines)");
    for (const int mb : sizes) {
        const QString one = dir.filePath(QStringLiteral("one.html"));
        const QString lines = dir.filePath(QStringLiteral("lines.html"));
        MakeFile(one, qint64(mb) * 1000 * 1000, false);
        MakeFile(lines, qint64(mb) * 1000 * 1000, true);
        const Times a = Open(one);
        const Times b = Open(lines);
        std::printf("%-8d %12.1f %12.1f %8.2f %14.1f %14.1f\n", mb, a.openMs, b.openMs, a.openMs / b.openMs,
                    a.endMs, b.endMs);
    }
    return 0;
}
