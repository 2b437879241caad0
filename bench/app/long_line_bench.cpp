// bench_long_lines [megabytes...]: opening a document that is one line without
// spaces (minified HTML, Base64), beside the same bytes broken into lines of
// 80, through the main window: load, first paint, the caret to the end, and
// typing keys there (CPU time a key, each key painted as a frame would be).
#include "bench_window.h"
#include "font_substitutions.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

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
    double keyMedianMs;
    double keyMaxMs;
};

constexpr int Keys = 40;

double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Types `keys` letters at the caret; the median and the longest CPU time a key.
std::pair<double, double> Type(QPlainTextEdit *editor, int keys = Keys)
{
    QList<double> each;
    for (int i = 0; i < keys; ++i) {
        const QString text(QChar(u'a' + i % 26));
        const double start = CpuMs();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, text);
        QApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + i % 26, Qt::NoModifier, text);
        QApplication::sendEvent(editor, &release);
        editor->viewport()->repaint();
        QApplication::processEvents();
        each.append(CpuMs() - start);
    }
    std::sort(each.begin(), each.end());
    return {each[keys / 2], each.last()};
}

// Qt's own editor holding the line in one block, as the editor did before
// long lines were held as display blocks: a few keys, each costs much.
std::pair<double, double> TypeInPlainEditor(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QPlainTextEdit editor;
    editor.setWordWrapMode(QTextOption::WrapAnywhere);
    editor.resize(800, 600);
    editor.show();
    editor.setPlainText(QString::fromLatin1(file.readAll()));
    editor.moveCursor(QTextCursor::End);
    editor.viewport()->repaint();
    QApplication::processEvents();
    return Type(&editor, 5);
}

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
    const double endMs = timer.nsecsElapsed() / 1e6;
    Editor(&form1)->setFocus();
    const auto [median, longest] = Type(Editor(&form1));
    return {openMs, endMs, median, longest};
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
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    loadavg.open(QIODevice::ReadOnly);
    std::printf("load: %s", loadavg.readAll().constData());
    std::printf("%-4s %10s %10s %6s %12s %12s %24s %24s\n", "MB", "open one", "open lines", "ratio",
                "to end one", "to end lines", "key CPU one (med/max)", "key CPU lines (med/max)");
    for (const int mb : sizes) {
        const QString one = dir.filePath(QStringLiteral("one.html"));
        const QString lines = dir.filePath(QStringLiteral("lines.html"));
        MakeFile(one, qint64(mb) * 1000 * 1000, false);
        MakeFile(lines, qint64(mb) * 1000 * 1000, true);
        const Times a = Open(one);
        const Times b = Open(lines);
        std::printf("%-4d %8.1fms %8.1fms %6.2f %10.1fms %10.1fms %14.2f / %6.2fms %14.2f / %6.2fms\n", mb,
                    a.openMs, b.openMs, a.openMs / b.openMs, a.endMs, b.endMs, a.keyMedianMs, a.keyMaxMs,
                    b.keyMedianMs, b.keyMaxMs);
        std::printf("     %d keys at the end: median CPU a key %.2f times the lines document's\n", Keys,
                    a.keyMedianMs / b.keyMedianMs);
        if (mb <= 2) {
            const auto [median, longest] = TypeInPlainEditor(one);
            std::printf("     a QPlainTextEdit holding the line in one block: %.1f / %.1f ms a key (5 keys); "
                        "the editor takes %.3f of it\n",
                        median, longest, a.keyMedianMs / median);
        }
    }
    return 0;
}
