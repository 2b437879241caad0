// bench_startup EDITOR BASELINE [rounds] [document | --large MB]: starts the
// editor and the baseline (bench_bare_window, or another build of the editor)
// alternately on the X display in $DISPLAY (a window manager running), each
// on the same document, and prints for each the medians of
//  - mapped: process start to its top-level window being mapped;
//  - settled: to the last CPU use (over 10% of a core in 50 ms) before 300 ms
//    without any (a loaded window);
//  - CPU: the process's CPU time until then, and until mapped (steadier than
//    wall time on a busy machine);
//  - longest freeze: the slowest answer of the window's thread to the window
//    manager's ping (_NET_WM_PING), sent again 10 ms after each answer;
//  - peak memory: the process's peak resident set (VmHWM) when settled,
// with the editor's figures as ratios of the baseline's, round by round (the
// machine's speed drifts between rounds, less within one), and the load.
// It also lists the shared libraries the editor has mapped when its window is
// mapped and once it has settled that the baseline never maps, and fails
// (exit status 1) when a library loaded only on first use is among them: the
// browser engine, Qt Quick beneath it, an OpenGL driver, tidy, printing,
// multimedia, any of the program's own modules.
// A program named qumoedit runs from a folder of its own holding its
// settings, the shipped palette sets and the modules, as a portable copy
// does. --large
// writes MB megabytes of Japanese prose in UTF-8 as the document.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
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
    double mappedCpuMs = -1;
    double settledMs = -1;
    double cpuMs = -1;
    double freezeMs = 0;
    double peakMiB = -1;
    std::set<std::string> librariesMapped;  // when the window was mapped
    std::set<std::string> librariesSettled; // once it settled
};

// The file names of the shared libraries `pid` has mapped.
std::set<std::string> Libraries(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> names;
    std::string line;
    while (std::getline(maps, line)) {
        const std::size_t slash = line.rfind('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos)
            names.insert(line.substr(slash + 1));
    }
    return names;
}

// Loaded only when first used; none may be mapped by start-up.
bool LoadedOnFirstUse(const std::string &library)
{
    for (const char *prefix : {"libQt6WebEngine", "libQt6Quick", "libQt6Qml", "libLLVM", "libGLX_mesa",
                               "libtidy", "libQt6PrintSupport", "libcups", "libQt6Multimedia", "libqumo_"})
        if (library.rfind(prefix, 0) == 0)
            return true;
    return library.find("_dri.so") != std::string::npos;
}

xcb_atom_t Atom(xcb_connection_t *x, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

uint32_t CardinalProperty(xcb_connection_t *x, xcb_window_t window, xcb_atom_t property)
{
    xcb_get_property_reply_t *reply =
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    uint32_t value = 0;
    if (reply != nullptr && xcb_get_property_value_length(reply) >= 4)
        value = *static_cast<uint32_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

// The top-level window of process `pid` that the window manager lists.
xcb_window_t ClientOf(xcb_connection_t *x, xcb_window_t root, pid_t pid)
{
    const xcb_atom_t list = Atom(x, "_NET_CLIENT_LIST");
    const xcb_atom_t pidAtom = Atom(x, "_NET_WM_PID");
    xcb_get_property_reply_t *reply =
        xcb_get_property_reply(x, xcb_get_property(x, 0, root, list, XCB_ATOM_WINDOW, 0, 1024), nullptr);
    xcb_window_t found = XCB_WINDOW_NONE;
    if (reply != nullptr) {
        const auto *windows = static_cast<xcb_window_t *>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count && found == XCB_WINDOW_NONE; ++i)
            if (CardinalProperty(x, windows[i], pidAtom) == uint32_t(pid))
                found = windows[i];
    }
    std::free(reply);
    return found;
}

double PeakMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024;
    return -1;
}

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
            !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect) {
            s.mappedMs = Ms(Clock::now() - start);
            s.mappedCpuMs = CpuNs(pid) / 1e6;
            s.librariesMapped = Libraries(pid);
        }
        std::free(event);
    }
    xcb_window_t client = XCB_WINDOW_NONE;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t protocols = Atom(x, "WM_PROTOCOLS");
    const xcb_atom_t ping = Atom(x, "_NET_WM_PING");
    uint32_t pingId = 0;
    bool pingOut = false;
    auto pingSent = Clock::now();
    auto pingDue = Clock::now();
    long long cpu = CpuNs(pid);
    auto sampled = Clock::now();
    auto lastUse = Clock::now();
    while (Ms(Clock::now() - lastUse) < 300 || pingOut) {
        if (client == XCB_WINDOW_NONE)
            client = ClientOf(x, root, pid);
        if (client != XCB_WINDOW_NONE && !pingOut && Clock::now() >= pingDue) {
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = client;
            event.type = protocols;
            event.data.data32[0] = ping;
            event.data.data32[1] = ++pingId;
            event.data.data32[2] = client;
            xcb_send_event(x, 0, client, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
            xcb_flush(x);
            pingOut = true;
            pingSent = Clock::now();
        }
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            const auto *message = reinterpret_cast<xcb_client_message_event_t *>(event);
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->type == protocols &&
                message->data.data32[0] == ping && message->data.data32[1] == pingId && pingOut) {
                s.freezeMs = std::max(s.freezeMs, Ms(Clock::now() - pingSent));
                pingOut = false;
                pingDue = Clock::now() + std::chrono::milliseconds(10);
            }
            std::free(event);
        }
        if (Ms(Clock::now() - start) > 120000)
            break;
        usleep(1000);
        // Busy: more than 10% of a core over 50 ms; answering pings and the
        // status bar's clock cost less.
        if (Ms(Clock::now() - sampled) >= 50) {
            const long long now = CpuNs(pid);
            if (now - cpu > 5000000)
                lastUse = sampled;
            cpu = now;
            sampled = Clock::now();
        }
    }
    s.peakMiB = PeakMiB(pid);
    s.librariesSettled = Libraries(pid);
    s.settledMs = Ms(lastUse - start);
    s.cpuMs = CpuNs(pid) / 1e6;
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

// Japanese prose: paragraphs of 20 to 300 characters of kana, kanji and
// punctuation, each a line ending in LF.
void WriteProse(const fs::path &path, std::uintmax_t bytes)
{
    std::ofstream out(path, std::ios::binary);
    unsigned seed = 1;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    const auto put = [&out](unsigned c) {
        out.put(char(0xE0 | (c >> 12)));
        out.put(char(0x80 | ((c >> 6) & 0x3F)));
        out.put(char(0x80 | (c & 0x3F)));
    };
    std::uintmax_t written = 0;
    while (written < bytes) {
        const unsigned length = 20 + next() % 280;
        for (unsigned i = 0; i < length; ++i) {
            const unsigned r = next() % 100;
            put(r < 40   ? 0x3041 + next() % 83
                : r < 55 ? 0x30A1 + next() % 86
                : r < 93 ? 0x4E00 + next() % 6000
                : r < 97 ? 0x3001
                         : 0x3002);
        }
        out.put('\n');
        written += 3 * length + 1;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup EDITOR BASELINE [rounds] [document | --large MB]\n");
        return 2;
    }
    const fs::path editor = fs::absolute(argv[1]);
    const fs::path bare = fs::absolute(argv[2]);
    const bool large = argc > 5 && std::string(argv[4]) == "--large";
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 15;
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    // The window manager's pings come back to the root to clients selecting structure events.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    char folder[] = "/tmp/qumo-startup-XXXXXX";
    const fs::path dir = mkdtemp(folder);
    // A copy of each editor in a folder of its own, with its settings and sets.
    const auto place = [&dir](const fs::path &program, const char *name) {
        if (program.filename() != "qumoedit")
            return program;
        fs::create_directory(dir / name);
        fs::copy_file(program, dir / name / "qumoedit");
        // Every module present, as installed: none may be loaded before its first use.
        for (const char *shipped : {"HTML.qmh", "色見本.qmc", "libqumo_sound.so", "libqumo_tidy.so",
                                    "libqumo_print.so", "libqumo_preview.so"})
            if (fs::exists(program.parent_path() / shipped))
                fs::copy_file(program.parent_path() / shipped, dir / name / shipped);
        std::ofstream(dir / name / "qumoedit.ini")
            << "[Pre]\nPathName=" << dir.string() << "/\n[Option]\nKeySound=0\n";
        return dir / name / "qumoedit";
    };
    const fs::path editorCopy = place(editor, "editor");
    const fs::path baseCopy = place(bare, "baseline");
    fs::path document = dir / "page.html";
    if (large)
        WriteProse(document = dir / "prose.txt", std::uintmax_t(std::atof(argv[5]) * 1048576));
    else if (argc > 4)
        document = fs::absolute(argv[4]);
    else
        WriteDocument(document);

    const std::string loadBefore = Load();
    std::vector<Sample> editorRuns, bareRuns;
    Run(x, {editorCopy.string(), document.string()}); // warm the caches
    Run(x, {baseCopy.string(), document.string()});
    for (int round = 0; round < rounds; ++round) {
        // Alternate which goes first, so that neither always meets the other's aftermath.
        if (round % 2 == 0) {
            bareRuns.push_back(Run(x, {baseCopy.string(), document.string()}));
            editorRuns.push_back(Run(x, {editorCopy.string(), document.string()}));
        } else {
            editorRuns.push_back(Run(x, {editorCopy.string(), document.string()}));
            bareRuns.push_back(Run(x, {baseCopy.string(), document.string()}));
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
    std::printf("editor %s\nbaseline %s\n", editor.c_str(), bare.c_str());
    std::printf("%-15s %10s %10s %8s %14s   %s\n", "(medians)", "baseline", "editor", "ratio",
                "round by round", "editor min-max");
    for (const auto &[name, field] :
         {std::pair{"mapped ms", &Sample::mappedMs}, std::pair{"CPU to mapped", &Sample::mappedCpuMs},
          std::pair{"settled ms", &Sample::settledMs}, std::pair{"CPU ms", &Sample::cpuMs},
          std::pair{"longest freeze", &Sample::freezeMs}, std::pair{"peak MiB", &Sample::peakMiB}}) {
        const std::vector<double> e = column(editorRuns, field);
        const std::vector<double> b = column(bareRuns, field);
        std::vector<double> ratios;
        for (std::size_t i = 0; i < e.size(); ++i)
            ratios.push_back(b[i] > 0 ? e[i] / b[i] : 0);
        std::printf("%-15s %10.1f %10.1f %7.2fx %5.2fx %.2f-%.2f   %.1f-%.1f\n", name, Median(b), Median(e),
                    Median(e) / Median(b), Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
                    *std::max_element(ratios.begin(), ratios.end()), *std::min_element(e.begin(), e.end()),
                    *std::max_element(e.begin(), e.end()));
    }

    // Libraries in any of the editor's runs that the baseline never maps.
    std::set<std::string> baseline;
    for (const Sample &s : bareRuns)
        baseline.insert(s.librariesSettled.begin(), s.librariesSettled.end());
    bool early = false;
    for (const auto &[when, field] : {std::pair{"at the first frame", &Sample::librariesMapped},
                                      std::pair{"once settled", &Sample::librariesSettled}}) {
        std::set<std::string> extra;
        for (const Sample &s : editorRuns)
            for (const std::string &library : s.*field)
                if (!baseline.count(library))
                    extra.insert(library);
        std::printf("libraries mapped %s beyond the baseline's (%zu):", when, extra.size());
        for (const std::string &library : extra) {
            const bool firstUse = LoadedOnFirstUse(library);
            early = early || firstUse;
            std::printf(" %s%s", library.c_str(), firstUse ? " [LOADED BEFORE FIRST USE]" : "");
        }
        std::printf("\n");
    }
    std::printf("check: %s\n", early ? "FAILED, start-up maps a library meant for first use" : "passed");
    fs::remove_all(dir);
    xcb_disconnect(x);
    return early ? 1 : 0;
}
