// SPDX-License-Identifier: GPL-3.0-or-later
// What starting in Polish costs: kestrane-cli checks a script with a compile
// error, so that it starts, compiles and prints one message, once in the C
// locale and once with LANGUAGE=pl (choosing the language, opening the
// catalogue and looking the message up). Timed from outside as a shell
// meets it: fork, exec, wait. Target: Polish under 10 ms more than C.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string programToTime()
{
    const char* chosen = std::getenv("KESTRANE_CLI");
    return chosen && *chosen ? chosen : KESTRANE_CLI_PATH;
}

std::string scriptWithAnError()
{
    std::string path =
        (std::filesystem::temp_directory_path() / "kestrane-language-bench.kst").string();
    std::ofstream(path, std::ios::binary) << "1start()\r\nl=line(A,B)\r\nEND";
    return path;
}

void CheckStartUp(benchmark::State& state, const char* language)
{
    std::string program = programToTime();
    std::string script = scriptWithAnError();
    for (auto _ : state) {
        pid_t child = fork();
        if (child == 0) {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, STDOUT_FILENO);
            dup2(devnull, STDERR_FILENO);
            unsetenv("LC_ALL");
            unsetenv("LC_MESSAGES");
            setenv("LANG", "C", 1);
            if (*language)
                setenv("LANGUAGE", language, 1);
            else
                unsetenv("LANGUAGE");
            execl(program.c_str(), program.c_str(), "check", script.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        // A compile error is exit status 1.
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 1) {
            state.SkipWithError("kestrane-cli check failed");
            break;
        }
    }
    state.SetLabel(*language ? language : "C");
}
BENCHMARK_CAPTURE(CheckStartUp, C, "")->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(CheckStartUp, Polish, "pl")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
