// Runs the built kelvora-export in a directory of its own, with a chosen locale, and collects what it
// writes and how it ends.
#pragma once

#include "../config/configtest.h"

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kelvora::test {

struct ExportRun {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

class ExportDir {
  public:
    ExportDir() { std::filesystem::create_directory(work()); }

    // The working directory of the runs; the captured output lives beside it.
    std::filesystem::path work() const { return scratch_ / "work"; }

    // Runs kelvora-export with args in work() under the locale (LC_ALL) given.
    ExportRun run(std::vector<std::string> args, const std::string& locale = "C") const {
        const std::filesystem::path out = scratch_ / "stdout", err = scratch_ / "stderr";
        std::string program = KELVORA_EXPORT;
        const pid_t child = fork();
        if (child == 0) {
            const int outfd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int errfd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (chdir(work().c_str()) != 0 || outfd < 0 || errfd < 0) _exit(127);
            dup2(outfd, 1);
            dup2(errfd, 2);
            setenv("LC_ALL", locale.c_str(), 1);
            setenv("LANG", locale.c_str(), 1);
            unsetenv("LC_NUMERIC");
            unsetenv("LANGUAGE");
            std::vector<char*> argv = {program.data()};
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        ExportRun result;
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child) return result;
        if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
        result.out = readfile(out);
        result.err = readfile(err);
        return result;
    }

  private:
    ScratchDir scratch_;
};

} // namespace kelvora::test
