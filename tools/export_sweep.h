// kelvora-export sweep: the crossing of the two curves as one parameter steps through a range, as a table
// on standard output.
#pragma once

#include <string>
#include <vector>

namespace kelvora {

// Prints the help of the sweep subcommand.
void sweephelp();

// args are the arguments after "sweep". Returns the exit status.
int runsweep(const std::vector<std::string>& args);

} // namespace kelvora
