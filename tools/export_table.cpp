#include "tools/export_table.h"

#include "config/shownname.h"

#include <cstdio>
#include <iostream>

#include "locale/systemseparator.h"
#include "model/cliptable.h"
#include "tools/exportoptions.h"

namespace kelvora {

void tablehelp() {
    std::cout << "Usage: kelvora-export table [--config FILE] [--auto] [--decimal point|comma] [--size WxH]\n"
                 "\n"
                 "Writes to standard output exactly the text that the window's \"Copy to clipboard\"\n"
                 "button puts on the clipboard: a tab-separated table with a header line, one line\n"
                 "per plot row (y value, ErevANT, ErevATPase; H-35 rows for --size WxH) and the\n"
                 "parameters beside the first lines, every line ending in CR LF. The state is the\n"
                 "one the window starts with from the same configuration file.\n"
                 "\n"
                 "Options:\n"
              << commonoptionshelp() << decimaloptionhelp() << "  --help          show this help\n";
}

int runtable(const std::vector<std::string>& args) {
    ExportOptions options;
    SeparatorChoice choice = SeparatorChoice::system;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string message;
        const OptionResult common = parsecommonoption(args, i, options, message);
        if (common == OptionResult::taken) continue;
        if (common == OptionResult::bad) {
            std::cerr << "kelvora-export table: " << message << "\n";
            return exitbadusage;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            tablehelp();
            return exitok;
        }
        const OptionResult decimal = parsedecimaloption(args, i, choice, message);
        if (decimal == OptionResult::taken) continue;
        if (decimal == OptionResult::bad) {
            std::cerr << "kelvora-export table: " << message << "\n";
            return exitbadusage;
        }
        std::cerr << "kelvora-export table: unknown argument '" << shownname(args[i])
                  << "' (kelvora-export table --help lists the options)\n";
        return exitbadusage;
    }

    ModelState s;
    std::string message;
    if (!buildexportstate(options, s, message)) {
        std::cerr << "kelvora-export table: " << message << "\n";
        return exitfailure;
    }
    const int rows = plotrows(options.surfaceheight);
    const std::string text = cliptable(s, rows, choice, systemseparator());
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) != 0 || !written) {
        std::cerr << "kelvora-export table: cannot write to standard output\n";
        return exitfailure;
    }
    return exitok;
}

} // namespace kelvora
