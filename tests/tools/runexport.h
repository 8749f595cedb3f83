// Runs the built kelvora-export in a directory of its own, with a chosen locale, and collects what it
// writes and how it ends.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
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
    ExportDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("kelvora-export-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_ / "work");
    }
    ~ExportDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ExportDir(const ExportDir&) = delete;
    ExportDir& operator=(const ExportDir&) = delete;

    // The working directory of the runs; the captured output lives beside it.
    std::filesystem::path work() const { return path_ / "work"; }

    // Runs kelvora-export with args in work() under the locale (LC_ALL) given.
    ExportRun run(const std::vector<std::string>& args, const std::string& locale = "C") const {
        const std::filesystem::path out = path_ / "stdout";
        const std::filesystem::path err = path_ / "stderr";
        const pid_t child = fork();
        if (child == 0) {
            if (chdir(work().c_str()) != 0) _exit(127);
            const int outfd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int errfd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (outfd < 0 || errfd < 0) _exit(127);
            dup2(outfd, 1);
            dup2(errfd, 2);
            setenv("LC_ALL", locale.c_str(), 1);
            setenv("LANG", locale.c_str(), 1);
            unsetenv("LC_NUMERIC");
            unsetenv("LANGUAGE");
            std::vector<char*> argv;
            std::string program = KELVORA_EXPORT;
            argv.push_back(program.data());
            std::vector<std::string> copies = args;
            for (std::string& a : copies)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        ExportRun result;
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child) return result;
        if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
        result.out = slurp(out);
        result.err = slurp(err);
        return result;
    }

  private:
    static std::string slurp(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path path_;
};

} // namespace kelvora::test
