#pragma once

// Runs the built cockpix-cli as a user would, for the black-box tests of its commands.

#include "support/testfiles.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <algorithm>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace cockpix::test {

inline constexpr auto npos = std::string::npos;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs cockpix-cli with args in the working directory dir, stdout and stderr going to files
// there. The settings directory is dir/config, so that any write to it would show, and
// COCKPIX_SCREEN is left out so that every run lays panels out the same way.
// errPath, when given, is where stderr goes instead (a terminal, for a progress line);
// program, when given, is the cockpix-cli run instead of the one built.
inline CliRun runCli(const std::filesystem::path& dir, const std::vector<std::string>& args,
                     std::string errPath = {}, std::string program = {}) {
    const std::string outPath = (dir / "cli_stdout.txt").string();
    if (errPath.empty())
        errPath = (dir / "cli_stderr.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);

    if (program.empty())
        program = COCKPIX_BIN_DIR "/cockpix-cli";
    std::vector<std::string> argvText{program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvText)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::vector<std::string> envText{"COCKPIX_CONFIG_DIR=" + (dir / "config").string()};
    for (char** e = environ; *e; ++e) {
        const std::string_view entry(*e);
        if (entry.rfind("COCKPIX_CONFIG_DIR=", 0) != 0 && entry.rfind("COCKPIX_SCREEN=", 0) != 0)
            envText.emplace_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = fileText(outPath);
    if (errPath == (dir / "cli_stderr.txt").string())
        run.err = fileText(errPath);
    return run;
}

// The words of a command line, separated by blanks.
inline std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> args;
    for (std::size_t start = 0; start < line.size();) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        args.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

// The rows of a table of command lines in tests/fixtures/cli (see tableRows).
inline std::vector<std::vector<std::string>>
cliTable(const std::string& name, const std::vector<std::pair<std::string, std::string>>& vars) {
    return tableRows(std::filesystem::path(COCKPIX_FIXTURES_DIR) / "cli" / name, vars);
}

} // namespace cockpix::test
