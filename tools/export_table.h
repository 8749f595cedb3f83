// kelvora-export table: the text "Copy to clipboard" would put on the clipboard, on standard output.
#pragma once

#include <string>
#include <vector>

namespace kelvora {

// Prints the help of the table subcommand.
void tablehelp();

// args are the arguments after "table". Returns the exit status.
int runtable(const std::vector<std::string>& args);

} // namespace kelvora
