// bench_folder_search [runs [tree [literal|expression]]]: the folder search over a generated tree of 5000
// pages, 100 MB in Shift_JIS, EUC-JP and UTF-8 with LF and CR LF, beside
// grep -rF and grep -rP over the same tree in the same run. Prints the
// medians of the time to the last result (and to the first), the match
// counts of both, and the machine's load. The target: at most twice grep.
// A tree folder given is made when missing and kept, for runs under a profiler.
#include "file_read.h"
#include "file_text.h"
#include "name_filter.h"
#include "sample_text.h"
#include "search_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <string>
#include <sys/resource.h>
#include <tuple>

namespace {

constexpr int Files = 5000;
constexpr std::size_t TreeBytes = 100u << 20;
const QString Literal = QStringLiteral("class=\"note\"");
const QString Expression = QStringLiteral("href=\"[a-z]+[0-9]+\\.html\"");
const QString Japanese = QStringLiteral("です");

std::string Iconv(const std::string &in, const char *to)
{
    iconv_t cd = iconv_open(to, "SHIFT_JIS");
    std::string out(in.size() * 2 + 16, '\0');
    char *src = const_cast<char *>(in.data());
    char *dst = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    if (cd == iconv_t(-1) || iconv(cd, &src, &inLeft, &dst, &outLeft) == std::size_t(-1)) {
        std::fprintf(stderr, "iconv to %s failed\n", to);
        std::exit(1);
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// Japanese lines with a link every 20 lines and a note every 50.
std::string Page(int n, std::size_t bytes)
{
    const std::string text = MakeSjisSample(bytes, unsigned(n + 1));
    std::string page;
    page.reserve(bytes + bytes / 10);
    int line = 0;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t end = text.find("\r\n", from);
        end = end == std::string::npos ? text.size() : end + 2;
        if (++line % 20 == 0)
            page += "<a href=\"page" + std::to_string((n * 7 + line) % 9973) + ".html\">";
        if (line % 50 == 0)
            page += "<p class=\"note\">";
        page.append(text, from, end - from);
        from = end;
    }
    return page;
}

// Returns the bytes written.
qint64 MakeTree(const QString &root)
{
    // Links, notes and UTF-8's three-byte kana make a page about 1.15 times its sample.
    const std::size_t each = std::size_t(TreeBytes / Files / 1.15);
    qint64 total = 0;
    for (int n = 0; n < Files; ++n) {
        const QString folder = QStringLiteral("%1/part%2/sub%3").arg(root).arg(n % 10).arg(n / 10 % 10);
        QDir().mkpath(folder);
        std::string bytes = Page(n, each);
        if (n % 3 == 1)
            bytes = Iconv(bytes, "EUC-JP");
        else if (n % 3 == 2)
            bytes = Iconv(bytes, "UTF-8");
        if (n % 2 == 1) {
            std::string lf;
            lf.reserve(bytes.size());
            for (char c : bytes) {
                if (c != '\r')
                    lf += c;
            }
            bytes.swap(lf);
        }
        QFile file(QStringLiteral("%1/page%2.%3").arg(folder).arg(n).arg(n % 4 == 0 ? "txt" : "html"));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            std::exit(1);
        total += qint64(bytes.size());
    }
    return total;
}

// CPU time of this process (every thread) and of its waited-for children, in ms.
double CpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// grep's output goes nowhere, as the editor's rows go to a list; with -o, its matches are counted.
double GrepMs(const QStringList &arguments, qsizetype *matches = nullptr, double *cpuMs = nullptr)
{
    QProcess grep;
    if (matches == nullptr)
        grep.setStandardOutputFile(QProcess::nullDevice());
    const double cpuBefore = CpuMs(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    grep.start(QStringLiteral("grep"), arguments);
    grep.waitForFinished(-1);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (cpuMs != nullptr)
        *cpuMs = CpuMs(RUSAGE_CHILDREN) - cpuBefore;
    if (matches != nullptr)
        *matches = grep.readAllStandardOutput().count('\n');
    return ms;
}

struct Timing
{
    double lastMs = 0, firstMs = 0, cpuMs = 0;
    qsizetype matches = 0;
};

Timing Search(const QString &root, const QString &text, bool expression, bool matchCase = true)
{
    FolderSearch::SearchRequest request;
    request.folder = root;
    request.text = text;
    request.options.matchCase = matchCase;
    request.options.regularExpression = expression;
    request.maxRows = 1000000;
    const std::atomic_bool stop = false;
    Timing timing;
    const double cpuBefore = CpuMs(RUSAGE_SELF);
    QElapsedTimer timer;
    timer.start();
    const FolderSearch::SearchSummary summary = FolderSearch::RunSearch(
        request, stop,
        [&](const QList<FolderSearch::FileMatches> &) {
            if (timing.firstMs == 0)
                timing.firstMs = timer.nsecsElapsed() / 1e6;
        },
        [](const FolderSearch::SearchProgress &) {});
    timing.lastMs = timer.nsecsElapsed() / 1e6;
    timing.cpuMs = CpuMs(RUSAGE_SELF) - cpuBefore;
    timing.matches = summary.matches;
    if (!summary.skipped.isEmpty())
        std::printf("  (%lld files passed over)\n", static_cast<long long>(summary.skipped.size()));
    return timing;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The search and grep in turns, so that a change of the machine's load
// falls on both: medians of each, and of the ratio of each pair.
void Compare(int runs, const char *name, const QString &root, const QString &text, bool expression,
             const QString &grepFlag)
{
    qsizetype grepMatches = 0;
    GrepMs({grepFlag + u'o', text, root}, &grepMatches);
    std::vector<double> grepWall, grepCpu, ourWall, ourFirst, ourCpu, ratios;
    qsizetype matches = 0;
    for (int i = 0; i < runs; ++i) {
        double cpu = 0;
        grepWall.push_back(GrepMs({grepFlag, text, root}, nullptr, &cpu));
        grepCpu.push_back(cpu);
        const Timing ours = Search(root, text, expression);
        ourWall.push_back(ours.lastMs);
        ourFirst.push_back(ours.firstMs);
        ourCpu.push_back(ours.cpuMs);
        ratios.push_back(ours.lastMs / grepWall.back());
        matches = ours.matches;
    }
    std::printf(
        "%s %s: folder search %.1f ms (first result %.1f ms, CPU %.1f ms, %lld matches); grep %s %.1f ms "
        "(CPU %.1f ms, %lld matches); ratio %.2f (pairs %.2f-%.2f)\n",
        name, qPrintable(text), Median(ourWall), Median(ourFirst), Median(ourCpu),
        static_cast<long long>(matches), qPrintable(grepFlag), Median(grepWall), Median(grepCpu),
        static_cast<long long>(grepMatches), Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
        *std::max_element(ratios.begin(), ratios.end()));
}

// Where the time of one literal search goes: the walk, the reads alone, the
// reads with their decoding, the matching of the decoded texts.
void PrintBreakdown(const QString &root)
{
    const std::atomic_bool stop = false;
    QStringList paths;
    QElapsedTimer timer;
    timer.start();
    FolderSearch::WalkFolder(
        root, FolderSearch::NameFilter(QStringLiteral("*.html;*.htm;*.txt")), true,
        {[&](const QString &path) { paths.append(path); }, [](const FolderSearch::Skipped &) {}}, stop);
    const double walk = timer.nsecsElapsed() / 1e6;
    timer.restart();
    for (const QString &path : paths)
        ReadRegularFile(path, MaxDocumentChars);
    const double read = timer.nsecsElapsed() / 1e6;
    std::vector<QString> texts;
    timer.restart();
    for (const QString &path : paths)
        texts.push_back(FolderSearch::ReadFileText(path, {}).read.text);
    const double decode = timer.nsecsElapsed() / 1e6;
    const TextTools::SearchPattern pattern(Literal, {true, false, false, false});
    timer.restart();
    for (const QString &text : texts)
        FolderSearch::MatchLines(text, pattern, 1000000);
    const double match = timer.nsecsElapsed() / 1e6;
    std::printf("breakdown: walk %.1f ms, read %.1f ms, read and decode %.1f ms, match %.1f ms\n", walk, read,
                decode, match);
}

QString Load()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed() : QString();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    QTemporaryDir dir;
    const QString root = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.path();
    if (argc <= 2 || !QFileInfo::exists(root)) {
        const qint64 bytes = MakeTree(root);
        std::printf("tree: %d files, %.1f MB (Shift_JIS, EUC-JP, UTF-8; LF, CR LF)\n", Files,
                    bytes / 1048576.0);
    }
    std::printf("load before: %s\n", qPrintable(Load()));
    // Warm the cache.
    GrepMs({QStringLiteral("-rF"), Literal, root});
    Search(root, Literal, false);

    // Under a profiler: one search alone, as often as asked.
    if (argc > 3) {
        const bool expression = std::string_view(argv[3]) == "expression";
        for (int i = 0; i < runs; ++i)
            Search(root, expression ? Expression : Literal, expression);
        return 0;
    }
    Compare(runs, "literal", root, Literal, false, QStringLiteral("-rF"));
    Compare(runs, "regular expression", root, Expression, true, QStringLiteral("-rP"));
    // Without Aa区別 a literal matches either ASCII case; a Japanese literal
    // is decoded with its whole file.
    for (const auto &[name, text, matchCase] : {std::tuple{"literal without Aa区別", Literal, false},
                                                std::tuple{"Japanese literal", Japanese, true}}) {
        std::vector<double> wall;
        qsizetype matches = 0;
        for (int i = 0; i < runs; ++i) {
            const Timing t = Search(root, text, false, matchCase);
            wall.push_back(t.lastMs);
            matches = t.matches;
        }
        std::printf("%s %s: %.1f ms (%lld matches)\n", name, qPrintable(text), Median(wall),
                    static_cast<long long>(matches));
    }
    PrintBreakdown(root);
    std::printf("load after: %s\n", qPrintable(Load()));
    return 0;
}
