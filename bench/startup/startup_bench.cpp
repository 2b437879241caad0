// bench_startup QUMOEDIT BARE [rounds] [document]: starts the editor and the
// bare window alternately on the X display in $DISPLAY (a window manager
// running), each on the same document, and prints for each the medians of
//  - mapped: process start to its top-level window being mapped;
//  - settled: to the last CPU use before 300 ms without any (a loaded window);
//  - CPU: the process's CPU time until then,
// with the editor's figures as ratios of the bare window's, and the load.
// The editor runs from a folder of its own holding its settings and the
// shipped palette sets, as a portable copy does.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// CPU time of every thread of `pid` in nanoseconds.
long long CpuNs(pid_t pid)
{
    long long total = 0;
    std::error_code error;
    for (const auto &task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream stat(task.path() / "schedstat");
        long long ns = 0;
        if (stat >> ns)
            total += ns;
    }
    return total;
}

struct Sample
{
    double mappedMs = -1;
    double settledMs = -1;
    double cpuMs = -1;
};

// Starts `argv`, waits for its window to be mapped and for it to settle.
Sample Run(xcb_connection_t *x, const std::vector<std::string> &argv)
{
    // Events of earlier windows are not this one's.
    while (xcb_generic_event_t *old = xcb_poll_for_event(x))
        std::free(old);
    Sample s;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char *> args;
        for (const auto &a : argv)
            args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    const int fd = xcb_get_file_descriptor(x);
    while (s.mappedMs < 0 && Ms(Clock::now() - start) < 20000) {
        xcb_generic_event_t *event = xcb_poll_for_event(x);
        if (event == nullptr) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            timeval wait{0, 1000};
            select(fd + 1, &set, nullptr, nullptr, &wait);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
            !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect)
            s.mappedMs = Ms(Clock::now() - start);
        std::free(event);
    }
    long long cpu = CpuNs(pid);
    auto lastUse = Clock::now();
    while (Ms(Clock::now() - lastUse) < 300) {
        usleep(2000);
        const long long now = CpuNs(pid);
        if (now != cpu) {
            cpu = now;
            lastUse = Clock::now();
        }
    }
    s.settledMs = Ms(lastUse - start);
    s.cpuMs = cpu / 1e6;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return s;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string Load()
{
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

void WriteDocument(const fs::path &path)
{
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 60; ++i)
        out << "<P>日本語のテキストエディタで書いた文書です。かな、カナ、漢字とASCIIを混ぜた行 " << i
            << "</P>\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup QUMOEDIT BARE [rounds] [document]\n");
        return 2;
    }
    const fs::path editor = fs::absolute(argv[1]);
    const fs::path bare = fs::absolute(argv[2]);
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 15;
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    char folder[] = "/tmp/qumo-startup-XXXXXX";
    const fs::path dir = mkdtemp(folder);
    fs::copy_file(editor, dir / "qumoedit");
    for (const char *shipped : {"HTML.qmh", "色見本.qmc"})
        if (fs::exists(editor.parent_path() / shipped))
            fs::copy_file(editor.parent_path() / shipped, dir / shipped);
    std::ofstream(dir / "qumoedit.ini") << "[Pre]\nPathName=" << dir.string() << "/\n[Option]\nKeySound=0\n";
    const fs::path document = argc > 4 ? fs::absolute(argv[4]) : dir / "page.html";
    if (argc <= 4)
        WriteDocument(document);

    const std::string loadBefore = Load();
    std::vector<Sample> editorRuns, bareRuns;
    Run(x, {(dir / "qumoedit").string(), document.string()}); // warm the caches
    Run(x, {bare.string(), document.string()});
    for (int round = 0; round < rounds; ++round) {
        // Alternate which goes first, so that neither always meets the other's aftermath.
        if (round % 2 == 0) {
            bareRuns.push_back(Run(x, {bare.string(), document.string()}));
            editorRuns.push_back(Run(x, {(dir / "qumoedit").string(), document.string()}));
        } else {
            editorRuns.push_back(Run(x, {(dir / "qumoedit").string(), document.string()}));
            bareRuns.push_back(Run(x, {bare.string(), document.string()}));
        }
    }
    const auto column = [](const std::vector<Sample> &runs, double Sample::*field) {
        std::vector<double> v;
        for (const Sample &s : runs)
            v.push_back(s.*field);
        return v;
    };
    std::printf("document %s (%ju bytes), %d alternating rounds, load before: %s, after: %s\n",
                document.c_str(), std::uintmax_t(fs::file_size(document)), rounds, loadBefore.c_str(),
                Load().c_str());
    std::printf("%-9s %12s %12s %8s   (median; min-max of the editor)\n", "", "bare window", "QUMOEDIT",
                "ratio");
    for (const auto &[name, field] :
         {std::pair{"mapped", &Sample::mappedMs}, std::pair{"settled", &Sample::settledMs},
          std::pair{"CPU", &Sample::cpuMs}}) {
        const std::vector<double> e = column(editorRuns, field);
        const double b = Median(column(bareRuns, field));
        std::printf("%-9s %9.1f ms %9.1f ms %7.2fx   (%.1f-%.1f)\n", name, b, Median(e), Median(e) / b,
                    *std::min_element(e.begin(), e.end()), *std::max_element(e.begin(), e.end()));
    }
    fs::remove_all(dir);
    xcb_disconnect(x);
    return 0;
}
