#include "tools/export_sweep.h"

#include "config/shownname.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string_view>

#include "locale/systemseparator.h"
#include "model/numtext.h"
#include "model/sweep.h"
#include "tools/exportoptions.h"

namespace kelvora {
namespace {

const char* const prefix = "kelvora-export sweep: ";

// Output goes out in pieces of about this size, so that a long sweep never holds its whole table.
constexpr std::size_t chunkbytes = 1 << 16;

struct SweepOptions {
    ExportOptions common;
    SeparatorChoice choice = SeparatorChoice::system;
    std::optional<std::string> param; // as typed; the index is looked up once all options are read
    std::optional<double> from;
    std::optional<double> to;
    std::optional<long long> steps;
};

// A whole text that is one finite number, with a decimal point or a decimal comma (the program reads
// both everywhere). Unlike the lenient reader of typed boxes, nothing may follow the number: a script's
// typo must stop the sweep rather than quietly become another value.
std::optional<double> strictnumber(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789.,eE+-") != std::string_view::npos)
        return std::nullopt;
    std::string plain(text.starts_with('+') ? text.substr(1) : text);
    for (char& c : plain)
        if (c == ',') c = '.';
    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Offers args[i] to the options of the sweep itself.
OptionResult parsesweepoption(const std::vector<std::string>& args, std::size_t& i, SweepOptions& o,
                              std::string& message) {
    OptionResult r = valueoption(
        args, i, "--param", "a parameter name as the panel shows it (pHo, Mg, KM(adp)in, ...)",
        "a parameter name",
        [&](const std::string& value, std::string&) {
            if (parameterbyname(value) < 0) return false;
            o.param = value;
            return true;
        },
        message);
    for (const auto& [name, target] : {std::pair{"--from", &o.from}, std::pair{"--to", &o.to}}) {
        if (r == OptionResult::notmine)
            r = valueoption(
                args, i, name, "a number", "a number",
                [target](const std::string& value, std::string&) {
                    *target = strictnumber(value);
                    return target->has_value();
                },
                message);
    }
    if (r != OptionResult::notmine) return r;
    return valueoption(
        args, i, "--steps", "a whole number from 1 to " + std::to_string(maxsweepsteps), "a number of steps",
        [&](const std::string& value, std::string&) {
            o.steps = wholenumber(value, 1, maxsweepsteps);
            return o.steps.has_value();
        },
        message);
}

// The first option the sweep lacks, or an empty text.
std::string missingoption(const SweepOptions& o) {
    if (!o.param) return "--param NAME";
    if (!o.from) return "--from A";
    if (!o.to) return "--to B";
    if (!o.steps) return "--steps K";
    return {};
}

// What stands against sweeping parameter index with the state's y axis and range, or an empty text.
std::string sweepproblem(const ModelState& s, int index, double from, double to) {
    const std::string name = parametername(index);
    const std::string yaxis = yaxistext(s.yaxis + 1);
    switch (sweepblock(s, index)) {
    case SweepBlock::noclosedform:
        return "the y axis of the settings shows " + yaxis +
               ", whose crossing has no closed form; a sweep needs ATPin/ADPin, ATPin, ADPin, ATPout, "
               "ADPout or Pin on the y axis";
    case SweepBlock::onyaxis:
        if (s.yaxis == ratioaxis)
            return name + " is part of the ratio ATPin/ADPin on the y axis of the settings; sweep another "
                          "parameter";
        return name + " is on the y axis of the settings; sweep another parameter";
    case SweepBlock::none:
        break;
    }
    for (const auto& [option, value] : {std::pair{"--from", from}, std::pair{"--to", to}}) {
        if (!withinlimits(s, index, value))
            return std::string(option) + " " + shorttext(value, '.') + " lies outside the limits of " + name +
                   ", " + shorttext(s.limits[index].min, '.') + " to " + shorttext(s.limits[index].max, '.');
    }
    return {};
}

// Writes text to standard output; false when that fails.
bool emit(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

} // namespace

void sweephelp() {
    std::cout << "Usage: kelvora-export sweep --param NAME --from A --to B --steps K [--config FILE]\n"
                 "                            [--decimal point|comma]\n"
                 "\n"
                 "Writes to standard output where the two curves cross while the parameter NAME\n"
                 "takes K+1 equally spaced values from A to B (the last exactly B), each stored in\n"
                 "single precision as the window stores a value. The other parameters and the y-axis\n"
                 "quantity are those the window starts with from the same configuration file.\n"
                 "\n"
                 "A tab-separated table, every line ending in CR LF, numbers written as the\n"
                 "clipboard table writes them. The header names the parameter with its unit, the\n"
                 "crossing with the y-axis quantity, and \"ErevANT = ErevATPase (mV)\"; then one line\n"
                 "per value: the value, the crossing (the y value at which both potentials are\n"
                 "equal) and that common potential. When the crossing ratio ATPin/ADPin falls below\n"
                 "1e-10, the crossing is written for a ratio of 1e-10, the potential is left empty\n"
                 "(the curves do not meet there) and a fourth column says \"clamped\". A number\n"
                 "that cannot be computed leaves its field empty and the fourth column says\n"
                 "\"not computable\".\n"
                 "\n"
                 "The crossing has a closed form only with ATPin/ADPin, ATPin, ADPin, ATPout, ADPout\n"
                 "or Pin on the y axis; NAME may not be the y-axis quantity (nor ATPin or ADPin\n"
                 "while their ratio is on the y axis).\n"
                 "\n"
                 "Options:\n"
                 "  --param NAME    the parameter, named as in the panel (pHo, Mg, KM(adp)in, ...);\n"
                 "                  case is ignored\n"
                 "  --from A        the first value\n"
                 "  --to B          the last value; A and B lie within the parameter's hard limits\n"
                 "                  (the widest range the panel allows) and may be written with a\n"
                 "                  decimal point or comma; B may lie below A\n"
                 "  --steps K       the number of steps, 1 to "
              << maxsweepsteps << "\n"
              << configoptionhelp() << decimaloptionhelp() << "  --help          show this help\n";
}

int runsweep(const std::vector<std::string>& args) {
    SweepOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            sweephelp();
            return exitok;
        }
        std::string message;
        OptionResult result = parseconfigoption(args, i, o.common, message);
        if (result == OptionResult::notmine) result = parsedecimaloption(args, i, o.choice, message);
        if (result == OptionResult::notmine) result = parsesweepoption(args, i, o, message);
        if (result == OptionResult::taken) continue;
        if (result == OptionResult::notmine)
            message = "unknown argument '" + shownname(args[i]) +
                      "' (kelvora-export sweep --help lists the options)";
        std::cerr << prefix << message << "\n";
        return exitbadusage;
    }
    if (const std::string lack = missingoption(o); !lack.empty()) {
        std::cerr << prefix << "needs " << lack << " (kelvora-export sweep --help explains)\n";
        return exitbadusage;
    }

    ModelState s;
    std::string message;
    if (!buildexportstate(o.common, s, message)) {
        std::cerr << prefix << message << "\n";
        return exitfailure;
    }
    const int index = parameterbyname(*o.param);
    if (const std::string problem = sweepproblem(s, index, *o.from, *o.to); !problem.empty()) {
        std::cerr << prefix << problem << "\n";
        return exitbadusage;
    }

    const char sep = systemseparator();
    std::string text = sweepheader(s, index);
    text.reserve(chunkbytes + chunkbytes / 4);
    bool written = true;
    for (long long i = 0; i <= *o.steps && written; ++i) {
        appendsweepline(text, sweeprow(s, index, sweepvalue(*o.from, *o.to, i, *o.steps)), o.choice, sep);
        if (text.size() >= chunkbytes) {
            written = emit(text);
            text.clear();
        }
    }
    written = written && emit(text);
    if (std::fflush(stdout) != 0 || !written) {
        std::cerr << prefix << "cannot write to standard output\n";
        return exitfailure;
    }
    return exitok;
}

} // namespace kelvora
