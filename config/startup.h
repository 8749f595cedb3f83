// The part of start-up that needs no window: the state that the window and the export tool both build
// before anything is drawn, so that both see the very same numbers.
#pragma once

#include <filesystem>

#include "model/parameters.h"

namespace kelvora {

enum class ConfigStatus {
    absent, // no file of that name: the state holds the defaults, the caller writes the first-start form
    read,   // the file was read and repaired into the state
    failed  // a file of that name exists but could not be read: the state holds the defaults
};

// Resets the axis limits and the y-axis index, builds the tables, sets pKa2 to 7.2 and, when the file is
// present (hidden files and dangling links count as present), reads and repairs it. Never writes anything.
ConfigStatus startstate(ModelState& s, const std::filesystem::path& file);

} // namespace kelvora
