// What every writer of a figure or table file (kelvora-export and the window's exports) has in common:
// which names it may write, and writing so that the file is replaced only once it is complete. A name is
// bytes, used as they are for the checks and the write alike.
#pragma once

#include <string>

namespace kelvora {

// Whether a command that reads its settings from configpath may write out. False, with one line in
// why, when out exists and is not a regular file (a device, a pipe, a directory: writing would put a
// plain file in its place), when it is the settings file itself by any name (a symbolic or hard link,
// another spelling of the path), or when it cannot be looked up.
bool checkoutputfile(const std::string& out, const std::string& configpath, std::string& why);

// Writes bytes to out through the safe writer the settings file uses: a temporary file beside out that
// replaces it only once complete; a link keeps pointing at its target, which gets the bytes. False, with
// one line in why naming the system's reason, when anything fails; out is then as it was.
bool writeoutputfile(const std::string& out, const std::string& bytes, std::string& why);

// The name in quotes, shown readably (see shownname).
std::string quotedname(const std::string& name);

} // namespace kelvora
