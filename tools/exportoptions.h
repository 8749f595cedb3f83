// What the subcommands of kelvora-export have in common: the options that choose the configuration
// file, the automatic limits and the drawing surface, and the state they build from them.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/cliptable.h"
#include "model/parameters.h"
#include "plot/plotstate.h"

namespace kelvora {

// The smallest surface that leaves one pixel of plot area inside the margins.
constexpr int smallestsurfacewidth = leftmargin + rightmargin + 1;
constexpr int smallestsurfaceheight = topmargin + bottommargin + 1;

// Exit statuses.
constexpr int exitok = 0;
constexpr int exitfailure = 1;  // the configuration file could not be read, or the output not written
constexpr int exitbadusage = 2; // a bad argument

struct ExportOptions {
    std::filesystem::path config = "Kelvora.ini";
    bool autoscale = false;
    int surfacewidth = defaultsurfacewidth; // the window's plot surface Picture1, 8268 x 4572 twips
    int surfaceheight = defaultsurfaceheight;
};

// N, the number of plot rows, for a surface height.
constexpr int plotrows(int surfaceheight) {
    return surfaceheight - topmargin - bottommargin;
}

// Help lines for --config alone.
std::string configoptionhelp();

// Help lines for the shared options, to be listed in every subcommand's help.
std::string commonoptionshelp();

// The result of offering one argument to a parser.
enum class OptionResult { taken, notmine, bad };

// Offers args[i] (and, for an option with a value, args[i + 1]) to the shared options. On taken, i is
// left on the last argument used; on bad, message says what is wrong in one line.
OptionResult parsecommonoption(const std::vector<std::string>& args, std::size_t& i, ExportOptions& options,
                               std::string& message);

// Offers args[i] to --config alone, for subcommands that draw nothing.
OptionResult parseconfigoption(const std::vector<std::string>& args, std::size_t& i, ExportOptions& options,
                               std::string& message);

// Offers args[i] to --decimal point|comma, which acts like the check boxes "use Point" and "use Comma".
OptionResult parsedecimaloption(const std::vector<std::string>& args, std::size_t& i, SeparatorChoice& choice,
                                std::string& message);

// Help lines for --decimal.
std::string decimaloptionhelp();

// The value of an option given as "--name VALUE" or "--name=VALUE", if args[i] is that option.
// Sets missing when the option stands last without its value.
std::optional<std::string> optionvalue(const std::vector<std::string>& args, std::size_t& i,
                                       std::string_view name, bool& missing);

// Offers args[i] to an option with a value (see optionvalue). take stores a value it accepts and returns
// true; for one it refuses it may set message itself, otherwise message says "NAME wants WANTS, not
// 'VALUE'"; an option without its value says "NAME needs NEEDS".
OptionResult valueoption(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                         std::string_view wants, std::string_view needs,
                         const std::function<bool(const std::string& value, std::string& message)>& take,
                         std::string& message);

// A text that is one whole number from lowest to highest (lowest at least 0: digits only, no sign).
std::optional<long long> wholenumber(std::string_view text, long long lowest, long long highest);

// "WxH" with both numbers within range; false and nothing set otherwise.
bool parsesize(std::string_view text, int& width, int& height);

// The state start-up builds from the chosen file (no file: the defaults), then, with --auto, the limits
// fitted as when the automatic toggle is switched on. Sets message and returns false when a file of that
// name exists but cannot be read.
bool buildexportstate(const ExportOptions& options, ModelState& s, std::string& message);

} // namespace kelvora
