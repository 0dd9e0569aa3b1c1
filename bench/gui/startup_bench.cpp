// Start-up, as whole processes on the offscreen platform: COCKPIX from its start to the demo
// panel's main panel window on screen, beside a bare Qt main window program. Both end as soon
// as their windows are shown (cockpix --exit-when-shown).

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the program to its end; false when it could not be started or failed.
bool runToEnd(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void offscreen() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("COCKPIX_SCREEN", "1024x768", 0);
}

void BM_StartToTheDemoPanelWindow(benchmark::State& state) {
    offscreen();
    const std::vector<std::string> command{COCKPIX_BIN_DIR "/cockpix", "--demo", "--show-window",
                                           "0", "--exit-when-shown"};
    runToEnd(command); // the first start cuts the demo's gauge pictures out of their modules
    for (auto _ : state) {
        if (!runToEnd(command))
            state.SkipWithError("cockpix did not start and end");
    }
}
BENCHMARK(BM_StartToTheDemoPanelWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartABareQtMainWindow(benchmark::State& state) {
    offscreen();
    const std::vector<std::string> command{COCKPIX_BIN_DIR "/cockpix_bare_window"};
    for (auto _ : state) {
        if (!runToEnd(command))
            state.SkipWithError("the bare window program did not start and end");
    }
}
BENCHMARK(BM_StartABareQtMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
