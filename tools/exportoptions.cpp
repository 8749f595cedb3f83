#include "tools/exportoptions.h"

#include <charconv>
#include <system_error>

#include "config/shownname.h"
#include "config/startup.h"
#include "model/crossing.h"

namespace kelvora {

namespace {

std::string sizerange() {
    return "W from " + std::to_string(smallestsurfacewidth) + " and H from " +
           std::to_string(smallestsurfaceheight) + " up to " + std::to_string(largestsurfaceside);
}

} // namespace

std::string configoptionhelp() {
    return "  --config FILE   read the settings from FILE (default: Kelvora.ini in the current\n"
           "                  directory); no such file means the built-in defaults. The file is\n"
           "                  only read, never created or changed.\n";
}

std::string commonoptionshelp() {
    const std::string defaultsize =
        std::to_string(defaultsurfacewidth) + "x" + std::to_string(defaultsurfaceheight);
    return configoptionhelp() +
           "  --auto          fit the axis limits automatically, as switching the window's\n"
           "                  automatic toggle on does\n"
           "  --size WxH      the plot surface in pixels (default " +
           defaultsize +
           ", the window's plot);\n"
           "                  the plot area lies inside margins of " +
           std::to_string(leftmargin + rightmargin) + " x " + std::to_string(topmargin + bottommargin) +
           " pixels;\n"
           "                  " +
           sizerange() + "\n";
}

std::optional<std::string> optionvalue(const std::vector<std::string>& args, std::size_t& i,
                                       std::string_view name, bool& missing) {
    missing = false;
    const std::string_view arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return std::nullopt;
        }
        ++i;
        return args[i];
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=')
        return std::string(arg.substr(name.size() + 1));
    return std::nullopt;
}

namespace {

bool parsedimension(std::string_view text, int lowest, int& out) {
    const auto value = wholenumber(text, lowest, largestsurfaceside);
    if (value) out = static_cast<int>(*value);
    return value.has_value();
}

} // namespace

std::optional<long long> wholenumber(std::string_view text, long long lowest, long long highest) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

bool parsesize(std::string_view text, int& width, int& height) {
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos) return false;
    int w = 0;
    int h = 0;
    // At least one pixel of plot area each way; digits only, no sign.
    if (text.substr(0, cross).find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (text.substr(cross + 1).find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (!parsedimension(text.substr(0, cross), smallestsurfacewidth, w)) return false;
    if (!parsedimension(text.substr(cross + 1), smallestsurfaceheight, h)) return false;
    width = w;
    height = h;
    return true;
}

OptionResult valueoption(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                         std::string_view wants, std::string_view needs,
                         const std::function<bool(const std::string& value, std::string& message)>& take,
                         std::string& message) {
    bool missing = false;
    const auto value = optionvalue(args, i, name, missing);
    if (missing) message = std::string(name) + " needs " + std::string(needs);
    if (!value) return missing ? OptionResult::bad : OptionResult::notmine;
    if (take(*value, message)) return OptionResult::taken;
    if (message.empty())
        message = std::string(name) + " wants " + std::string(wants) + ", not '" + shownname(*value) + "'";
    return OptionResult::bad;
}

OptionResult parsecommonoption(const std::vector<std::string>& args, std::size_t& i, ExportOptions& options,
                               std::string& message) {
    if (args[i] == "--auto") {
        options.autoscale = true;
        return OptionResult::taken;
    }
    const OptionResult config = parseconfigoption(args, i, options, message);
    if (config != OptionResult::notmine) return config;
    return valueoption(
        args, i, "--size", "WxH in pixels, " + sizerange(), "a size WxH",
        [&](const std::string& value, std::string&) {
            return parsesize(value, options.surfacewidth, options.surfaceheight);
        },
        message);
}

OptionResult parseconfigoption(const std::vector<std::string>& args, std::size_t& i, ExportOptions& options,
                               std::string& message) {
    return valueoption(
        args, i, "--config", "a file name", "a file name",
        [&](const std::string& value, std::string& why) {
            if (value.empty())
                why = "--config needs a file name";
            else
                options.config = value;
            return !value.empty();
        },
        message);
}

OptionResult parsedecimaloption(const std::vector<std::string>& args, std::size_t& i, SeparatorChoice& choice,
                                std::string& message) {
    return valueoption(
        args, i, "--decimal", "point or comma", "point or comma",
        [&](const std::string& value, std::string&) {
            if (value != "point" && value != "comma") return false;
            choice = value == "point" ? SeparatorChoice::point : SeparatorChoice::comma;
            return true;
        },
        message);
}

std::string decimaloptionhelp() {
    return "  --decimal point|comma\n"
           "                  write every number with a decimal point or a decimal comma, as\n"
           "                  the check boxes \"use Point\" and \"use Comma\" do; without it the\n"
           "                  system's decimal separator is used\n";
}

bool buildexportstate(const ExportOptions& options, ModelState& s, std::string& message) {
    std::error_code error;
    if (startstate(s, options.config, error) == ConfigStatus::failed) {
        message = "cannot read the configuration file '" + shownname(options.config.string()) +
                  "': " + error.message();
        return false;
    }
    // Switching the toggle on redraws with automatic limits; a re-fit during that redraw would run the
    // same fit on the same state again, so one fit gives the limits the window ends up with.
    if (options.autoscale) autoscale(s);
    return true;
}

} // namespace kelvora
