#include "IdleFigure.h"

#include "BenchTree.h"
#include "ChildRun.h"
#include "Timing.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <map>
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

bool ChildrenRunning(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = ::opendir(tasks.c_str());
    if (!dir) return false;
    bool running = false;
    while (const dirent* task = ::readdir(dir)) {
        if (task->d_name[0] == '.') continue;
        std::ifstream children(tasks + "/" + task->d_name + "/children");
        std::string first;
        if (children >> first) running = true;
    }
    ::closedir(dir);
    return running;
}

struct Reading {
    long long ticks = -1;      // utime + stime + cutime + cstime, in clock ticks
    long long childTicks = 0;  // cutime + cstime
    Clock::time_point at;
};

Reading ReadCpu(pid_t pid)
{
    Reading r;
    r.at = Clock::now();
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), {});
    auto paren = stat.rfind(')');
    if (paren == std::string::npos) return r;
    std::istringstream fields(stat.substr(paren + 2));
    std::vector<std::string> field{std::istream_iterator<std::string>(fields), {}};
    // Field 3 (the state) comes first: utime is field 14, cstime field 17.
    if (field.size() < 15) return r;
    auto at = [&](int number) { return std::stoll(field[std::size_t(number - 3)]); };
    r.childTicks = at(16) + at(17);
    r.ticks = at(14) + at(15) + r.childTicks;
    return r;
}

// A child counts once it is reaped: read when no tick is running, so that
// every tick before the reading is in it and none after.
Reading ReadBetweenTicks(pid_t pid)
{
    auto giveUp = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < giveUp) {
        if (!ChildrenRunning(pid)) {
            Reading r = ReadCpu(pid);
            if (!ChildrenRunning(pid)) return r;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return ReadCpu(pid);
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
    std::ifstream log(path);
    std::string text((std::istreambuf_iterator<char>(log)), {});
    return text.size() > 400 ? text.substr(text.size() - 400) : text;
}

} // namespace

IdleFigures MeasureIdle(const std::string& program, const std::string& folder, const std::string& listedFolder,
                        double settleSeconds, double windowSeconds)
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
    std::this_thread::sleep_for(std::chrono::duration<double>(settleSeconds));
    Reading start = ReadBetweenTicks(pid);
    std::this_thread::sleep_for(std::chrono::duration<double>(windowSeconds));
    Reading end = ReadBetweenTicks(pid);
    const bool alive = Alive(pid);
    if (alive) Stop(pid);

    if (!alive || start.ticks < 0 || end.ticks < 0) {
        figures.failure = "the program ended while measured: " + Tail(logPath);
        return figures;
    }
    const double tick = double(::sysconf(_SC_CLK_TCK));
    figures.seconds = Seconds(start.at, end.at);
    figures.childSeconds = double(end.childTicks - start.childTicks) / tick;
    figures.percent = double(end.ticks - start.ticks) / tick / figures.seconds * 100;
    // A program whose timer ran no script would look idle for the wrong reason.
    if (end.childTicks == start.childTicks) figures.failure = "no script ran: " + Tail(logPath);
    return figures;
}

} // namespace bench
