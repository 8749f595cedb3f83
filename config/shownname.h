// A file name as the user may read it in a message of one line. On this system a name is any bytes
// but "/" and NUL; what is not text is shown escaped instead of being replaced or breaking the line.
#pragma once

#include <string>
#include <string_view>

namespace kelvora {

// The name's bytes, valid UTF-8 passed on as it is; every byte of an invalid sequence as \xNN, control
// characters (a line break among them) as \xNN or, beyond ASCII, \u{XXXX}; a backslash as \\, so that
// no two names look alike.
std::string shownname(std::string_view name);

} // namespace kelvora
