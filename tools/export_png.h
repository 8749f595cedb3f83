// kelvora-export png: the plot the window shows, written as a PNG image, without any display.
#pragma once

#include <QImage>
#include <string>
#include <string_view>
#include <vector>

#include "model/parameters.h"

namespace kelvora {

// The densest picture --scale asks for.
constexpr int largestpngscale = 8;

// "K", a whole number from 1 to largestpngscale; false and nothing set otherwise.
bool parsescale(std::string_view text, int& scale);

// Prints the help of the png subcommand.
void pnghelp();

// args are the arguments after "png". Returns the exit status.
int runpng(const std::vector<std::string>& args);

// The picture of the window's plot surface (width x height logical pixels, drawn at scale device pixels
// each) for a state as start-up builds it. automatic: as after switching the automatic toggle on (the
// redraw fits the limits), otherwise as the start-up redraw leaves it. decimalsep is the tick labels'
// separator. drawn, if given, receives the state drawn (the limits as fitted). Needs a QGuiApplication.
QImage renderplot(const ModelState& state, int width, int height, bool automatic, char decimalsep,
                  int scale = 1, ModelState* drawn = nullptr);

} // namespace kelvora
