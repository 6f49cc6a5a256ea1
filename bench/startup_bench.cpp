// From process start to exit, against a yardstick: the least a Qt program with this program's
// kind of window pays (minimal_qt_window: a main window with a one-item menu, a one-action
// toolbar, a status text and the map in a label, 800 x 600, shown, its events processed once and
// grabbed). `tav1 --batch` runs a one-line script (PomocneMenu, a repaint) with --fast on the same
// 1024 x 1024 map, its view 800 x 600 and 1024 x 1024. Each reports its CPU time and page faults
// (the memory it wrote first) a run; the goals are at most 1.15x the yardstick's time at
// 800 x 600, and page faults at 1024 x 1024 within 1.3x those at 800 x 600.
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A scratch folder holding the map and the script, made once.
const std::string& folder()
{
    static const std::string made = [] {
        char name[] = "/tmp/tav1-bench-XXXXXX";
        if (mkdtemp(name) == nullptr) {
            return std::string();
        }
        QImage map(1024, 1024, QImage::Format_RGB32);
        map.fill(qRgb(235, 230, 215));
        QPainter(&map).fillRect(300, 200, 40, 620, QColor(255, 0, 0));
        map.save(QString::fromLocal8Bit(name) + QStringLiteral("/map.png"));
        std::ofstream(std::string(name) + "/script.txt") << "PomocneMenu\n";
        return std::string(name);
    }();
    return made;
}

void runProcess(benchmark::State& state, std::vector<std::string> arguments)
{
    if (folder().empty() || chdir(folder().c_str()) != 0) {
        state.SkipWithError("no scratch folder");
        return;
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    double cpuSeconds = 0.0;
    double faults = 0.0;
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
        cpuSeconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        faults += double(usage.ru_minflt + usage.ru_majflt);
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["cpu_ms"] = benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["page_faults"] = benchmark::Counter(faults, benchmark::Counter::kAvgIterations);
}

void BM_MinimalQtWindow(benchmark::State& state)
{
    runProcess(state, {MINIMAL_BINARY, "map.png"});
}

void BM_Tav1Batch(benchmark::State& state)
{
    const std::string size = std::to_string(state.range(0)) + "x" + std::to_string(state.range(1));
    runProcess(state, {TAV1_BINARY, "--batch", "script.txt", "--fast", "--size", size, "--map", "map.png"});
}

} // namespace

BENCHMARK(BM_MinimalQtWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_Tav1Batch)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime()->Args({800, 600})->Args({1024, 1024});

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
