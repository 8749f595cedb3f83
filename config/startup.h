// The part of start-up that needs no window: the state that the window and the export tool both build
// before anything is drawn, so that both see the very same numbers.
#pragma once

#include <filesystem>
#include <system_error>

#include "config/safefile.h"
#include "model/parameters.h"

namespace kelvora {

enum class ConfigStatus {
    absent, // no file of that name: the state holds the defaults, the caller writes the first-start form
    read,   // the file was read and repaired into the state
    failed  // a file of that name exists but could not be read: the state holds the defaults
};

// The state start-up builds without a file: default axis limits and y-axis index, the tables with the
// defaults in use, pKa2 7.2.
void defaultstate(ModelState& s);

// Builds defaultstate and, when the file is present (hidden files count), reads and repairs it. A
// symbolic link is followed to its last target; a link whose target does not exist yet is a first start
// there. Never writes anything. On failed, error says why. stamp, when given, receives the stamp of the
// file read (not exists when absent), which a later save compares with the file on disk.
ConfigStatus startstate(ModelState& s, const std::filesystem::path& file, std::error_code& error,
                        FileStamp* stamp = nullptr);
ConfigStatus startstate(ModelState& s, const std::filesystem::path& file);

} // namespace kelvora
