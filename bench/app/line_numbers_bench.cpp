// bench_line_numbers [megabytes]: typing at the end of a large document (by
// default 50 MB of Japanese lines, and one line of that size) through the
// main window, with the line-number gutter off and on, and into a bare
// QPlainTextEdit holding the same lines (the floor): CPU time a key, each
// key painted as a frame would be.
#include "../sample_text.h"
#include "bench_window.h"
#include "cp932.h"
#include "font_substitutions.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The median and the longest CPU time of a key typed at the caret.
std::pair<double, double> TypeKeys(QPlainTextEdit *editor, int keys)
{
    QList<double> each;
    for (int i = 0; i < keys; ++i) {
        const QString text(QChar(u'a' + i % 26));
        const double start = CpuMs();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, text);
        QApplication::sendEvent(editor, &press);
        editor->viewport()->repaint();
        QApplication::processEvents();
        each.append(CpuMs() - start);
    }
    std::sort(each.begin(), each.end());
    return {each[keys / 2], each.last()};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallJapaneseFontSubstitutions();
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 50;
    QTemporaryDir dir;
    const std::string lines = MakeSjisSample(std::size_t(megabytes * 1024 * 1024));
    std::string one = lines;
    std::erase(one, '\r');
    std::erase(one, '\n');
    const struct
    {
        const char *name;
        const std::string &bytes;
    } documents[] = {{"lines", lines}, {"one line", one}};
    std::printf("%.0f MB, %d keys at the end; CPU a key, median / longest\n", megabytes, 40);
    double editorMedian = 0;
    for (const auto &d : documents) {
        const QString path = dir.filePath(QStringLiteral("doc.txt"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(d.bytes.data(), qint64(d.bytes.size()));
        file.close();
        BenchWindow w;
        w.form1.LoadDocument(path);
        QPlainTextEdit *editor = Editor(&w.form1);
        editor->moveCursor(QTextCursor::End);
        editor->setFocus();
        for (const bool numbers : {false, true}) {
            editor->setProperty("lineNumbers", numbers);
            QApplication::processEvents();
            const auto [median, longest] = TypeKeys(editor, 40);
            std::printf("%-9s line numbers %-3s %8.2f / %8.2f ms\n", d.name, numbers ? "on" : "off", median,
                        longest);
            if (&d.bytes == &lines && !numbers)
                editorMedian = median;
        }
    }
    QPlainTextEdit bare;
    bare.resize(664, 550);
    bare.setPlainText(Cp932::Decode(QByteArrayView(lines.data(), qsizetype(lines.size()))));
    bare.show();
    bare.moveCursor(QTextCursor::End);
    bare.setFocus();
    QApplication::processEvents();
    const auto [median, longest] = TypeKeys(&bare, 40);
    std::printf("%-9s bare QPlainTextEdit  %8.2f / %8.2f ms   (the window, line numbers off: x%.2f)\n",
                "lines", median, longest, editorMedian / median);
    return 0;
}
