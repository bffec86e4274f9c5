#include "IdleFigure.h"

#include "BenchTree.h"
#include "ChildRun.h"
#include "ChildTasks.h"
#include "Timing.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {

// Ours, less what would tie the program to this session's desktop, plus
// its private folders.
std::vector<std::string> ProgramEnvironment(const std::string& folder)
{
    std::map<std::string, std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        auto eq = entry.find('=');
        if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER",
                             "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "XDG_CURRENT_DESKTOP"})
        env.erase(name);
    for (const char* name : {"home", "config", "state", "cache", "data", "runtime", "standin"})
        MakeFolder(folder + "/" + name);
    env["HOME"] = folder + "/home";
    env["XDG_CONFIG_HOME"] = folder + "/config";
    env["XDG_STATE_HOME"] = folder + "/state";
    env["XDG_CACHE_HOME"] = folder + "/cache";
    env["XDG_DATA_HOME"] = folder + "/data";
    env["XDG_RUNTIME_DIR"] = folder + "/runtime";
    env["QUILLMERE_STANDIN_DIR"] = folder + "/standin";
    env["QT_QPA_PLATFORM"] = "offscreen";
    std::vector<std::string> entries;
    for (const auto& [name, value] : env) entries.push_back(name + "=" + value);
    return entries;
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

// /proc tells a process's times in clock ticks, and its children's only
// so; each thread's own run time it tells in nanoseconds.
struct Reading {
    bool known = false;
    long long ownTicks = 0, childTicks = 0;
    std::map<std::string, long long> threadNanoseconds;
    Clock::time_point at;
};

Reading Read(pid_t pid)
{
    Reading r;
    r.at = Clock::now();
    const std::string process = "/proc/" + std::to_string(pid);
    const std::string stat = ReadWhole(process + "/stat");
    auto paren = stat.rfind(')');
    if (paren == std::string::npos) return r;
    std::istringstream fields(stat.substr(paren + 2));
    std::vector<std::string> field{std::istream_iterator<std::string>(fields), {}};
    // Field 3 (the state) comes first: utime is field 14, cstime field 17.
    if (field.size() < 15) return r;
    auto at = [&](int number) { return std::stoll(field[std::size_t(number - 3)]); };
    r.ownTicks = at(14) + at(15);
    r.childTicks = at(16) + at(17);
    if (DIR* tasks = ::opendir((process + "/task").c_str())) {
        while (const dirent* task = ::readdir(tasks)) {
            if (task->d_name[0] == '.') continue;
            std::istringstream schedstat(ReadWhole(process + "/task/" + task->d_name + "/schedstat"));
            long long ns = 0;
            if (schedstat >> ns) r.threadNanoseconds[task->d_name] = ns;
        }
        ::closedir(tasks);
    }
    r.known = true;
    return r;
}

// The program's own seconds between the readings: to the nanosecond while
// every thread it had still runs, else in ticks.
double OwnSeconds(const Reading& start, const Reading& end, double tick, bool& inTicks)
{
    long long ns = 0;
    for (const auto& [thread, atEnd] : end.threadNanoseconds) {
        auto found = start.threadNanoseconds.find(thread);
        ns += atEnd - (found == start.threadNanoseconds.end() ? 0 : found->second);
    }
    inTicks = false;
    for (const auto& entry : start.threadNanoseconds)
        inTicks = inTicks || !end.threadNanoseconds.count(entry.first);
    if (inTicks || end.threadNanoseconds.empty()) {
        inTicks = true;
        return double(end.ownTicks - start.ownTicks) * tick;
    }
    return double(ns) / 1e9;
}

bool Alive(pid_t pid)
{
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) == 0;
}

void Stop(pid_t pid)
{
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 30 && Alive(pid); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (Alive(pid)) ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

std::string Tail(const std::string& path)
{
    std::string text = ReadWhole(path);
    return text.size() > 400 ? text.substr(text.size() - 400) : text;
}

// The processor time that `pid` used between the readings, children included.
double CpuSecondsBetween(const Reading& start, const Reading& end, bool& inTicks)
{
    const double tick = 1.0 / double(::sysconf(_SC_CLK_TCK));
    return OwnSeconds(start, end, tick, inTicks) + double(end.childTicks - start.childTicks) * tick;
}

// A floor beside the program: plain code that starts `helper` once a
// second as the program's timer does, nothing else in it.
pid_t StartFloor(const std::string& helper, char* const* envp)
{
    return StartProcess({SelfPath(), kChildFlag, kOnceASecond, helper}, envp, -1);
}

} // namespace

int OnceASecondChild(const std::string& helper)
{
    for (auto next = Clock::now();; ) {
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        if (!RunToItsEnd(helper)) return 1;
    }
}

IdleFigures MeasureIdle(const std::string& program, const std::string& frontScript, const std::string& folder,
                        const std::string& listedFolder, double settleSeconds, double windowSeconds)
{
    IdleFigures figures;
    MakeFolder(folder);
    std::vector<std::string> env = ProgramEnvironment(folder);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    WritePreferences(folder + "/config", listedFolder);
    MakeFile(folder + "/standin/front", "Quillmere");

    const std::string logPath = folder + "/quillmere.log";
    int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    pid_t pid = StartProcess({program}, envp.data(), log, log);
    ::close(log);
    if (pid < 0) {
        figures.failure = "cannot start " + program;
        return figures;
    }
    // The floors run through the same window as the program, so that the
    // machine's load weighs on all three alike.
    const pid_t trueFloor = StartFloor("/bin/true", envp.data());
    const pid_t scriptFloor = StartFloor(frontScript, envp.data());
    std::this_thread::sleep_for(std::chrono::duration<double>(settleSeconds));
    const Reading start = Read(pid), trueStart = Read(trueFloor), scriptStart = Read(scriptFloor);
    std::this_thread::sleep_for(std::chrono::duration<double>(windowSeconds));
    const Reading end = Read(pid), trueEnd = Read(trueFloor), scriptEnd = Read(scriptFloor);
    const bool alive = Alive(pid), floorsAlive = Alive(trueFloor) && Alive(scriptFloor);
    for (pid_t started : {pid, trueFloor, scriptFloor})
        if (started > 0 && Alive(started)) Stop(started);

    if (!alive || !start.known || !end.known) {
        figures.failure = "the program ended while measured: " + Tail(logPath);
        return figures;
    }
    figures.seconds = Seconds(start.at, end.at);
    bool ownInTicks = false;
    const double tick = 1.0 / double(::sysconf(_SC_CLK_TCK));
    const double children = double(end.childTicks - start.childTicks) * tick;
    figures.percent = CpuSecondsBetween(start, end, ownInTicks) / figures.seconds * 100;
    figures.childPercent = children / figures.seconds * 100;
    // Each field in ticks is cut short at both readings: two for the
    // children, two more when the program's own time is in ticks too.
    figures.resolution = (ownInTicks ? 4 : 2) * tick / figures.seconds * 100;
    if (floorsAlive && trueStart.known && trueEnd.known && scriptStart.known && scriptEnd.known) {
        bool inTicks = false;
        figures.truePercent = CpuSecondsBetween(trueStart, trueEnd, inTicks) / Seconds(trueStart.at, trueEnd.at) * 100;
        figures.scriptPercent =
            CpuSecondsBetween(scriptStart, scriptEnd, inTicks) / Seconds(scriptStart.at, scriptEnd.at) * 100;
    } else {
        figures.floorFailure = "a floor process ended while measured";
    }
    // A program whose timer ran no script would look idle for the wrong reason.
    if (children == 0) figures.failure = "no script ran: " + Tail(logPath);
    return figures;
}

} // namespace bench
