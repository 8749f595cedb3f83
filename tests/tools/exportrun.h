// Runs the built kelvora-export as a separate process, as a user or a script would.
#pragma once

#include "../config/configtest.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace kelvora::test {

struct ExportRun {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out, err;
};

inline std::size_t countlines(const std::string& t) {
    return std::count(t.begin(), t.end(), '\n');
}

// Runs kelvora-export with the arguments (shell words) in dir/work under the locale given, after the
// shell commands before. A run that still waits after half a minute counts as hung (status 124).
inline ExportRun run(const ScratchDir& dir, const std::string& args, const char* locale = "C",
                     const std::string& before = "") {
    const auto quoted = [](const std::string& s) { return "'" + s + "'"; };
    const std::string command = "cd " + quoted(dir / "work") + " && " + before +
                                " env -u LC_NUMERIC -u LANGUAGE LC_ALL=" + locale + " LANG=" + locale +
                                " timeout 30 " + quoted(KELVORA_EXPORT) + " " + args + " >" +
                                quoted(dir / "stdout") + " 2>" + quoted(dir / "stderr");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readfile(dir / "stdout"), readfile(dir / "stderr")};
}

// A refusal: the exit status given, nothing on standard output, one line on standard error.
inline void expectrefused(const ExportRun& r, int status, const std::string& args) {
    EXPECT_EQ(r.status, status) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_TRUE(r.err.starts_with("kelvora-export") && r.err.ends_with('\n') && countlines(r.err) == 1)
        << args << ": " << r.err;
}

} // namespace kelvora::test
