// The curves kept for comparison: taken from the window's state or from another settings file, read by
// the rules of start-up.
#pragma once

#include <QString>
#include <filesystem>

#include "model/parameters.h"

namespace kelvora {

// Reads the settings file as start-up does (links followed, values repaired) into reference. False, with
// the reason in why, when there is no such file or it cannot be read; reference is then unchanged.
bool readreference(const std::filesystem::path& file, ModelState& reference, QString& why);

} // namespace kelvora
