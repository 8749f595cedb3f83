// What the commands that draw a figure into a file (png, svg, pdf) share: the output file and the
// shared options on the command line, the checks before anything is drawn, an offscreen Qt for the
// fonts, and the atomic write at the end.
#pragma once

#include <QByteArray>
#include <QGuiApplication>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/parameters.h"
#include "tools/exportoptions.h"

namespace kelvora {

struct FigureCommand {
    explicit FigureCommand(std::string command) : name(std::move(command)) {}

    std::string name;      // "png", "svg", "pdf": the command and the output file's extension
    ExportOptions options; // --config and --size; --auto is kept apart in automatic
    std::string out;
    bool automatic = false; // the redraw fits the limits, as switching the automatic toggle on does
    ModelState state;       // the start-up state, built by preparefigure

    // "kelvora-export NAME: ", the start of every message.
    std::string prefix() const { return "kelvora-export " + name + ": "; }
};

// Offers args[i] to a command's own options first; as parsecommonoption.
using OwnOption =
    std::function<OptionResult(const std::vector<std::string>& args, std::size_t& i, std::string& message)>;

// Reads the arguments after the command's name: the shared options, own (may be empty), --help (prints
// help) and the one output file. Returns the exit status when the command ends here (help, or a bad
// argument after one line on standard error), nothing when it goes on.
std::optional<int> parsefigurecommand(FigureCommand& c, const std::vector<std::string>& args,
                                      const OwnOption& own, const std::function<void()>& help);

// Refuses an output that must not be replaced, then builds the start-up state. Returns the exit status
// when the command ends here, nothing when it goes on.
std::optional<int> preparefigure(FigureCommand& c);

// A QGuiApplication on the offscreen platform, which needs no display whatever the environment names;
// only errors of its own reach standard error, after the command's prefix.
std::unique_ptr<QGuiApplication> offscreenqt(const FigureCommand& c);

// Writes the figure's bytes to the output file, replacing an older file only once complete. The exit
// status.
int writefigure(const FigureCommand& c, const QByteArray& bytes);

} // namespace kelvora
