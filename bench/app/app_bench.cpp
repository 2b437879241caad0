// bench_app [megabytes]: each measurement runs in a child process of its own so
// that its peak memory (VmHWM) is its own. Prints times, ratios and peaks.
#include "bench_window.h"
#include "cp932.h"
#include "font_substitutions.h"
#include "jconvert_stream.h"
#include "memory_policy.h"
#include "tform1.h"
#include "tform3.h"
#include "utf8_document.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Peak resident set of this process in kB.
long PeakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// The same lines in Shift_JIS or UTF-8, CR LF, to about `bytes` bytes.
void MakeDocument(const QString &path, qint64 bytes, bool utf8 = false)
{
    const QStringList samples{
        QStringLiteral("<P>日本語のテキストエディタ QUMOEDIT で書いた文書です。行番号 %1</P>"),
        QStringLiteral("ｶﾀｶﾅ と ひらがな、漢字（かんじ）を混ぜた行：%1 番目　全角空白も入ります。"),
        QStringLiteral("<A HREF=\"page%1.html\">リンク%1</A> ASCII text with numbers 0123456789"),
        QStringLiteral("①②③ ㈱ Ⅲ ～ ― ∥ － ￢ 記号の多い行 %1"),
    };
    QByteArray out;
    out.reserve(bytes + 200);
    for (int i = 0; out.size() < bytes; ++i)
        out += (utf8 ? samples[i % samples.size()].arg(i).toUtf8()
                     : Cp932::Encode(samples[i % samples.size()].arg(i))) +
               "\r\n";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(out);
}

struct Timing
{
    double ms;
    long peakKb;
    long startKb;
};

void Report(const Timing &t)
{
    std::printf("%.1f %ld %ld\n", t.ms, t.peakKb, t.startKb);
}

// Reading with Qt's own decoder and QPlainTextEdit::setPlainText: what a plain
// Qt editor does.
Timing BaselineOpen(const QString &path)
{
    QPlainTextEdit editor;
    editor.resize(640, 480);
    editor.show();
    QApplication::processEvents();
    const long startKb = PeakKb();
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder("Shift_JIS");
    editor.setPlainText(decoder.decode(bytes));
    QApplication::processEvents();
    return {timer.nsecsElapsed() / 1e6, PeakKb(), startKb};
}

Timing EditorOpen(const QString &path, bool convert)
{
    BenchWindow w;
    DialogOptions options = w.form3.options();
    options.autoDecode = convert;
    w.form3.showOptions(options);
    const long startKb = PeakKb();
    QElapsedTimer timer;
    timer.start();
    w.form1.LoadDocument(path);
    QApplication::processEvents();
    return {timer.nsecsElapsed() / 1e6, PeakKb(), startKb};
}

// Saving the loaded document, and writing the same bytes with QSaveFile,
// alternately in one process so that both meet the same disk state and load.
// Prints the medians of nine of each and of the nine ratios.
void Save(const QString &path, const QString &target)
{
    BenchWindow w;
    w.form1.LoadDocument(path);
    QApplication::processEvents();
    // An edit, as before any real save.
    QTextCursor(Editor(&w.form1)->document()).insertText(QStringLiteral("編集"));
    const QString text = Editor(&w.form1)->document()->toRawText();
    const QByteArray bytes = w.form1.document().format().utf8()
                                 ? EncodeUtf8Document(text, {Jconvert::ReturnCode::CrLf, {}}, false)
                                 : Cp932::Encode(text);
    std::vector<double> plain;
    std::vector<double> editor;
    std::vector<double> ratio;
    QElapsedTimer timer;
    for (int run = 0; run < 9; ++run) {
        QFile::remove(target);
        timer.start();
        QSaveFile file(target);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.commit();
        plain.push_back(timer.nsecsElapsed() / 1e6);
        QFile::remove(target);
        timer.start();
        w.form1.SaveDocument(target);
        editor.push_back(timer.nsecsElapsed() / 1e6);
        ratio.push_back(editor.back() / plain.back());
    }
    QFile saved(target);
    const bool same = saved.open(QIODevice::ReadOnly) && saved.readAll() == bytes;
    for (auto *v : {&plain, &editor, &ratio})
        std::sort(v->begin(), v->end());
    std::printf("%.1f %.1f %.2f %.2f %.2f %d\n", plain[4], editor[4], ratio[4], ratio.front(), ratio.back(),
                int(same));
}

// Time from this process's start to the main window's first paint.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !done) {
            done = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
    bool done = false;
};

struct Child
{
    double ms = 0;
    long peakKb = 0;
    long startKb = 0;
    double wallMs = 0;
};

Child RunChild(const QStringList &arguments)
{
    QProcess child;
    QElapsedTimer wall;
    wall.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    Child result;
    result.wallMs = wall.nsecsElapsed() / 1e6;
    QTextStream(child.readAllStandardOutput()) >> result.ms >> result.peakKb >> result.startKb;
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("startup")) {
        // Exits at the first paint; the parent times the whole process.
        KeepFreedMemoryForReuse();
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("QUMOEDIT"));
        InstallJapaneseFontSubstitutions();
        QTemporaryDir dir;
        WriteBenchSettings(dir);
        TForm1 form1;
        TForm3 form3(&form1);
        form1.setForm3(&form3);
        form1.setProgramDir(dir.path() + u'/');
        FirstPaint paint;
        form1.installEventFilter(&paint);
        form1.show();
        return QApplication::exec();
    }
    if (mode.startsWith(QLatin1String("child-"))) {
        // As the editor's main() does.
        KeepFreedMemoryForReuse();
        QApplication app(argc, argv);
        InstallJapaneseFontSubstitutions();
        const QString path = QString::fromLocal8Bit(argv[2]);
        if (mode == QLatin1String("child-baseline"))
            Report(BaselineOpen(path));
        else if (mode == QLatin1String("child-open"))
            Report(EditorOpen(path, false));
        else if (mode == QLatin1String("child-open-convert"))
            Report(EditorOpen(path, true));
        else if (mode == QLatin1String("child-save-parts")) {
            // Where the save's time goes: the text out of the editor, then
            // encoding it (into memory already touched). Medians of five.
            BenchWindow w;
            w.form1.LoadDocument(path);
            std::vector<double> raw;
            std::vector<double> encode;
            QByteArray bytes;
            for (int run = 0; run < 5; ++run) {
                QElapsedTimer t;
                t.start();
                const QString text = Editor(&w.form1)->document()->toRawText();
                raw.push_back(t.nsecsElapsed() / 1e6);
                bytes.resize(Utf8Encoder::MaxBytes(text.size()));
                const LineEnds ends{Jconvert::ReturnCode::CrLf, {}};
                Utf8Encoder utf8(ends);
                t.restart();
                if (w.form1.document().format().utf8())
                    utf8.EncodeTo(text, bytes.data());
                else
                    Cp932::EncodeTo(text, bytes.data());
                encode.push_back(t.nsecsElapsed() / 1e6);
            }
            std::sort(raw.begin(), raw.end());
            std::sort(encode.begin(), encode.end());
            std::printf("%.1f %.1f\n", raw[2], encode[2]);
        } else if (mode == QLatin1String("child-check")) {
            // The UTF-8 check every open runs, over the whole file: medians
            // of five, and the same over 64 MB of ASCII, which it also scans
            // to the end.
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            const QByteArray bytes = file.readAll();
            const QByteArray ascii(64 << 20, 'a');
            const auto check = [](const QByteArray &b) {
                std::vector<double> times;
                for (int run = 0; run < 5; ++run) {
                    QElapsedTimer t;
                    t.start();
                    Jconvert::Utf8Detector detector;
                    detector.Feed(std::string_view(b.constData(), std::size_t(b.size())));
                    volatile bool document = detector.Finish().document();
                    (void)document;
                    times.push_back(t.nsecsElapsed() / 1e6);
                }
                std::sort(times.begin(), times.end());
                return times[2];
            };
            std::printf("%.2f %.2f\n", check(bytes), check(ascii));
        } else if (mode == QLatin1String("child-save")) {
            Save(path, QString::fromLocal8Bit(argv[3]));
        }
        return 0;
    }

    QCoreApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 50;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.html"));
    MakeDocument(path, megabytes * 1024 * 1024);
    const double fileKb = QFileInfo(path).size() / 1024.0;
    std::printf("document: %.1f MB Shift_JIS, CR LF\n", fileKb / 1024);

    const auto best = [&](const QStringList &args) {
        Child best;
        for (int run = 0; run < 3; ++run) {
            const Child c = RunChild(args);
            if (run == 0 || c.ms < best.ms)
                best = c;
        }
        return best;
    };
    const Child base = best({QStringLiteral("child-baseline"), path});
    const Child open = best({QStringLiteral("child-open"), path});
    const Child conv = best({QStringLiteral("child-open-convert"), path});
    const auto openLine = [&](const char *name, const Child &c) {
        std::printf("%-34s %8.1f ms  x%.2f   peak %7.1f MB (x%.2f file)  growth %7.1f MB (x%.2f file)\n",
                    name, c.ms, c.ms / base.ms, c.peakKb / 1024.0, c.peakKb / fileKb,
                    (c.peakKb - c.startKb) / 1024.0, (c.peakKb - c.startKb) / fileKb);
    };
    openLine("baseline read+decode+setPlainText", base);
    openLine("LoadDocument, no conversion", open);
    openLine("LoadDocument, AutoDecode on", conv);

    const QString utf8Path = dir.filePath(QStringLiteral("large-utf8.html"));
    MakeDocument(utf8Path, megabytes * 1024 * 1024, true);
    const Child utf8 = best({QStringLiteral("child-open"), utf8Path});
    std::printf("document: %.1f MB UTF-8, CR LF, the same lines\n", QFileInfo(utf8Path).size() / 1048576.0);
    openLine("LoadDocument, UTF-8", utf8);
    std::printf("  UTF-8 open / Shift_JIS open: x%.2f\n", utf8.ms / open.ms);

    QProcess checking;
    checking.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child-check"), utf8Path});
    checking.waitForFinished(-1);
    double checkUtf8Ms = 0;
    double checkAsciiMs = 0;
    QTextStream(checking.readAllStandardOutput()) >> checkUtf8Ms >> checkAsciiMs;
    std::printf(
        "  UTF-8 check over the whole UTF-8 document %.2f ms (%.1f%% of its open); over 64 MB of ASCII "
        "%.2f ms (%.1f%% of the Shift_JIS open scaled to 64 MB)\n",
        checkUtf8Ms, 100 * checkUtf8Ms / utf8.ms, checkAsciiMs,
        100 * checkAsciiMs / (open.ms * 64 * 1048576.0 / (fileKb * 1024)));

    const auto saveLine = [&](const char *name, const QString &document) {
        const QString target = dir.filePath(QStringLiteral("saved.html"));
        QProcess saving;
        saving.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("child-save"), document, target});
        saving.waitForFinished(-1);
        double plainMs = 0;
        double saveMs = 0;
        double ratio = 0;
        double ratioMin = 0;
        double ratioMax = 0;
        int same = 0;
        QTextStream(saving.readAllStandardOutput()) >> plainMs >> saveMs >> ratio >> ratioMin >> ratioMax >>
            same;
        std::printf("%s:\n", name);
        std::printf("%-34s %8.1f ms  (median of 9, alternating in one process)\n",
                    "  baseline QSaveFile of the bytes", plainMs);
        std::printf("%-34s %8.1f ms  x%.2f (median of the nine pairs' ratios; min x%.2f, max x%.2f)\n",
                    "  SaveDocument after an edit", saveMs, ratio, ratioMin, ratioMax);
        std::printf("  the saved file %s the text's encoding\n", same ? "equals" : "DIFFERS FROM");
        return std::pair{saveMs, ratio};
    };
    const auto [sjisSaveMs, sjisRatio] = saveLine("Shift_JIS document", path);
    const auto [utf8SaveMs, utf8Ratio] = saveLine("UTF-8 document", utf8Path);
    // The disk's speed swings between the two children; each against its own plain write of as many
    // bytes does not.
    std::printf("  UTF-8 save / Shift_JIS save: x%.2f; each against its own plain write: x%.2f\n",
                utf8SaveMs / sjisSaveMs, utf8Ratio / sjisRatio);
    for (const QString &document : {path, utf8Path}) {
        QProcess parts;
        parts.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child-save-parts"), document});
        parts.waitForFinished(-1);
        double rawMs = 0;
        double encodeMs = 0;
        QTextStream(parts.readAllStandardOutput()) >> rawMs >> encodeMs;
        std::printf("  %s: text out of the editor (toRawText) %.1f ms, encoding %.1f ms\n",
                    document == path ? "Shift_JIS" : "UTF-8", rawMs, encodeMs);
    }

    std::vector<double> startups;
    for (int run = 0; run < 5; ++run)
        startups.push_back(RunChild({QStringLiteral("startup")}).wallMs);
    std::sort(startups.begin(), startups.end());
    std::printf(
        "start-up to first paint (process start to first Paint event of TForm1, median of 5): %.1f ms "
        "(min %.1f, max %.1f), platform %s\n",
        startups[2], startups.front(), startups.back(), qgetenv("QT_QPA_PLATFORM").constData());
    return 0;
}
