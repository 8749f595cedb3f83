#include "tools/figureoptions.h"

#include <charconv>
#include <sstream>

#include "locale/systemseparator.h"

namespace kelvora {
namespace {

constexpr Colour white{255, 255, 255};

// A plain decimal number from lowest to highest ("85", "88.5").
std::optional<double> decimal(const std::string& text, double lowest, double highest) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!(value >= lowest && value <= highest)) return std::nullopt;
    return value;
}

std::string range(double lowest, double highest, const char* unit) {
    std::ostringstream out;
    out << "a number from " << lowest << " to " << highest << " (" << unit << ")";
    return out.str();
}

} // namespace

OptionResult parsefigureoption(const std::vector<std::string>& args, std::size_t& i, FigureOptions& o,
                               std::string& message) {
    if (args[i] == "--legend") {
        o.legend = true;
        return OptionResult::taken;
    }
    OptionResult r = parsedecimaloption(args, i, o.decimal, message);
    if (r != OptionResult::notmine) return r;
    r = valueoption(
        args, i, "--style", "journal or window", "journal or window",
        [&](const std::string& v, std::string&) {
            if (v != "journal" && v != "window") return false;
            o.journal = v == "journal";
            return true;
        },
        message);
    if (r != OptionResult::notmine) return r;
    const auto length = [&](const char* name, std::optional<double>& out) {
        const std::string wants = range(smallestmm, largestmm, "mm");
        return valueoption(
            args, i, name, wants, wants,
            [&](const std::string& v, std::string&) {
                return (out = decimal(v, smallestmm, largestmm)).has_value();
            },
            message);
    };
    if ((r = length("--width", o.widthmm)) != OptionResult::notmine) return r;
    if ((r = length("--height", o.heightmm)) != OptionResult::notmine) return r;
    const std::string pt = range(smallestpt, largestpt, "pt");
    r = valueoption(
        args, i, "--font-size", pt, pt,
        [&](const std::string& v, std::string&) {
            return (o.fontpt = decimal(v, smallestpt, largestpt)).has_value();
        },
        message);
    if (r != OptionResult::notmine) return r;
    const std::string dpi =
        "a whole number from " + std::to_string(smallestdpi) + " to " + std::to_string(largestdpi);
    r = valueoption(
        args, i, "--dpi", dpi, dpi,
        [&](const std::string& v, std::string&) {
            const auto value = wholenumber(v, smallestdpi, largestdpi);
            if (value) o.dpi = static_cast<int>(*value);
            return value.has_value();
        },
        message);
    if (r != OptionResult::notmine) return r;
    r = valueoption(
        args, i, "--background", "#rrggbb, white or black", "a colour",
        [&](const std::string& v, std::string&) { return (o.background = parsecolour(v)).has_value(); },
        message);
    if (r != OptionResult::notmine) return r;
    return valueoption(
        args, i, "--palette", "default or safe", "default or safe",
        [&](const std::string& v, std::string&) { return (o.palette = parsepalette(v)).has_value(); },
        message);
}

std::string figureoptionshelp(bool dpi) {
    std::ostringstream out;
    out << "  --style journal|window\n"
           "                  journal: a figure a journal takes as it is (white page, black axes,\n"
           "                  outlined curves, a real minus sign, the unit only in the axis title,\n"
           "                  sizes in millimetres and points); window: the window's look\n"
           "  --width MM      the figure's width in mm (default "
        << defaultwidthmm
        << ", one column; 178 is two)\n"
           "  --height MM     its height in mm (default: by the plot's aspect)\n"
           "  --font-size PT  the text size in points at that width (default "
        << defaultfontpt << ")\n";
    if (dpi)
        out << "  --dpi N         pixels per inch, recorded in the file (default " << defaultdpi << ")\n";
    out << "  --background COLOUR\n"
           "                  the page colour, #rrggbb, white or black (default white)\n"
           "  --palette default|safe\n"
           "                  the zone colours: the window's, or colours told apart under the\n"
           "                  common colour-vision deficiencies and in greyscale (the journal\n"
           "                  style's default)\n"
           "  --legend        add a legend below the figure: the four zones with the way each\n"
           "                  enzyme runs there, and the two curves\n"
        << decimaloptionhelp();
    return out.str();
}

bool journalbydefault(FigureFormat format, const FigureOptions& o) {
    return format != FigureFormat::png || o.legend;
}

bool journalstyleof(const FigureOptions& o, bool bydefault, bool& journal, std::string& message) {
    const bool asks = o.widthmm || o.heightmm || o.fontpt || o.dpi || o.background || o.palette;
    if (o.journal == false && asks) {
        message =
            "--width, --height, --font-size, --dpi, --background and --palette belong to --style journal";
        return false;
    }
    journal = o.journal.value_or(bydefault || asks);
    return true;
}

FigureStyle figurestyle(const FigureOptions& o, bool journal) {
    if (!journal) return windowstyle();
    return journalstyle(o.palette.value_or(Palette::safe), o.background.value_or(white));
}

char figureseparator(const FigureOptions& o) {
    return o.decimal == SeparatorChoice::point   ? '.'
           : o.decimal == SeparatorChoice::comma ? ','
                                                 : systemseparator();
}

FigureRequest figurerequest(const FigureOptions& o, bool journal) {
    FigureRequest r;
    r.style = figurestyle(o, journal);
    r.journalsizes = journal;
    r.widthmm = o.widthmm.value_or(defaultwidthmm);
    r.heightmm = o.heightmm.value_or(0.0);
    r.fontpt = o.fontpt.value_or(defaultfontpt);
    r.dpi = o.dpi.value_or(defaultdpi);
    r.legend = o.legend;
    r.decimalsep = figureseparator(o);
    return r;
}

} // namespace kelvora
