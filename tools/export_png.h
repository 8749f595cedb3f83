// kelvora-export png: the plot the window shows, written as a PNG image, without any display.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "model/parameters.h"

namespace kelvora {

// Prints the help of the png subcommand.
void pnghelp();

// args are the arguments after "png". Returns the exit status.
int runpng(const std::vector<std::string>& args);

// The picture of the window's plot surface (width x height pixels) for a state as start-up builds it.
// automatic: as after switching the automatic toggle on (the redraw fits the limits), otherwise as the
// start-up redraw leaves it. decimalsep is the tick labels' separator. Needs a QGuiApplication.
QImage renderplot(const ModelState& state, int width, int height, bool automatic, char decimalsep);

} // namespace kelvora
