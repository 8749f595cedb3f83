// kelvora-export png: the plot the window shows, written as a PNG image, without any display.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/renderfigure.h"

namespace kelvora {

// The densest picture --scale asks for.
constexpr int largestpngscale = 8;

// "K", a whole number from 1 to largestpngscale; false and nothing set otherwise.
bool parsescale(std::string_view text, int& scale);

// Prints the help of the png subcommand.
void pnghelp();

// args are the arguments after "png". Returns the exit status.
int runpng(const std::vector<std::string>& args);

} // namespace kelvora
