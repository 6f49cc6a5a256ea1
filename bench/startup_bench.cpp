// Wall time from process start to exit: `tav1 --batch` with an empty script against a minimal
// Qt program that shows a main window with menus, a toolbar, a status text and a map, both on
// the offscreen platform.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

void runProcess(benchmark::State& state, std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void BM_Tav1EmptyBatch(benchmark::State& state)
{
    // An empty script on standard input (/dev/null); the working directory is a scratch one.
    char folder[] = "/tmp/tav1-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr || chdir(folder) != 0) {
        state.SkipWithError("no scratch folder");
        return;
    }
    runProcess(state, {TAV1_BINARY, "--batch", "-"});
}

void BM_MinimalQtWindow(benchmark::State& state)
{
    runProcess(state, {MINIMAL_BINARY});
}

} // namespace

BENCHMARK(BM_MinimalQtWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_Tav1EmptyBatch)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
