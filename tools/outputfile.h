// What every kelvora-export command that writes a file has in common: which names it may write, and
// writing so that the file is replaced only once it is complete.
#pragma once

#include <QIODevice>
#include <functional>
#include <string>

namespace kelvora {

// Whether a command that reads its settings from configpath may write out. False, with one line in
// why, when out exists and is not a regular file (a device, a pipe, a directory: writing would put a
// plain file in its place), when it is the settings file itself by any name (a symbolic or hard link,
// another spelling of the path), or when it cannot be looked up.
bool checkoutputfile(const std::string& out, const std::string& configpath, std::string& why);

// Writes out through write, which fills the device it is given and returns false on failure. The data
// goes to a temporary file beside out that replaces it only once complete; a link keeps pointing at
// its target, which gets the data. False, with one line in why, when anything fails; out is then as it
// was.
bool writeoutputfile(const std::string& out, const std::function<bool(QIODevice&)>& write, std::string& why);

} // namespace kelvora
