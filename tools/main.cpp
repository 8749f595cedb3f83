// kelvora-export: a headless companion of the window for batch work and reproducible results.
// Each subcommand is one row of the table below.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "config/shownname.h"
#include "tools/export_png.h"
#include "tools/export_sweep.h"
#include "tools/export_table.h"
#include "tools/export_vector.h"
#include "tools/figuremeta.h"

namespace {

struct Subcommand {
    const char* name;
    const char* summary;
    void (*help)();
    int (*run)(const std::vector<std::string>& args);
};

const Subcommand subcommands[] = {
    {"table", "write the clipboard table to standard output", kelvora::tablehelp, kelvora::runtable},
    {"png", "write the plot as a PNG image", kelvora::pnghelp, kelvora::runpng},
    {"sweep", "write the crossing point while one parameter steps through a range", kelvora::sweephelp,
     kelvora::runsweep},
    {"svg", "write the plot with its axis titles as an SVG drawing", kelvora::svghelp, kelvora::runsvg},
    {"pdf", "write the plot with its axis titles as a PDF page", kelvora::pdfhelp, kelvora::runpdf},
    {"tiff", "write the plot with its axis titles as a TIFF picture", kelvora::tiffhelp, kelvora::runtiff},
    {"config-from", "write the settings file a figure was drawn from", kelvora::configfromhelp,
     kelvora::runconfigfrom},
};

constexpr int exitok = 0;
constexpr int exitfailure = 1;
constexpr int exitbadusage = 2;

void help() {
    std::cout << "Usage: kelvora-export COMMAND [OPTIONS]\n"
                 "       kelvora-export COMMAND --help\n"
                 "       kelvora-export --help | --version\n"
                 "\n"
                 "Builds the state the Kelvora window starts with, from Kelvora.ini in the current\n"
                 "directory or the file given with --config, without opening a window, and writes\n"
                 "what the window would show or copy. The configuration file is never changed.\n"
                 "\n"
                 "Commands:\n";
    for (const Subcommand& c : subcommands) {
        std::string name = c.name;
        name.resize(12, ' ');
        std::cout << "  " << name << c.summary << "\n";
    }
    std::cout << "\n"
                 "Exit status: 0 on success, 1 when the configuration file cannot be read or the\n"
                 "output cannot or may not be written, 2 for a bad argument.\n"
                 "\n"
                 "The model is described in " KELVORA_DOCDIR "/model.md;\n"
                 "see also kelvora-export(1).\n";
    for (const Subcommand& c : subcommands) {
        std::cout << "\n";
        c.help();
    }
}

// A help or version text that did not reach its reader (a full disk, a closed pipe) is a failure too.
int flushed(int status) {
    // A write that failed before the last one leaves only the stream's error mark, and errno its reason.
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    std::cerr << "kelvora-export: cannot write to standard output: "
              << (errno != 0 ? std::strerror(errno) : "Input/output error") << "\n";
    return exitfailure;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << "kelvora-export: a command is needed (kelvora-export --help lists them)\n";
        return exitbadusage;
    }
    const std::string_view command = args.front();
    if (command == "--help" || command == "-h" || command == "help") {
        help();
        return flushed(exitok);
    }
    if (command == "--version") {
        std::cout << "kelvora-export " KELVORA_VERSION "\n";
        return flushed(exitok);
    }
    for (const Subcommand& c : subcommands) {
        if (command == c.name) {
            const int status = c.run(std::vector<std::string>(args.begin() + 1, args.end()));
            return status == exitok ? flushed(status) : status;
        }
    }
    std::cerr << "kelvora-export: unknown command '" << kelvora::shownname(command)
              << "' (kelvora-export --help lists them)\n";
    return exitbadusage;
}
