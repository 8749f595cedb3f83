// Reading a file that may be anything: a settings file or a figure named by the user. Only a regular file
// is read; a pipe may never deliver and a device may never end, so they are refused without waiting.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

#include "config/safefile.h"

namespace kelvora {

// Takes the next piece of the file; false when it wants no more.
using PieceReader = std::function<bool(std::string_view piece)>;

// Reads the regular file path names (by its bytes, through links) piece by piece into take, until take
// has enough or the file ends. False with the reason in error when the file cannot be opened or read, or
// is not a regular file (notregularfile()). stamp: the file as it was opened, before the first byte.
bool readregularfile(const std::filesystem::path& path, const PieceReader& take, std::error_code& error,
                     FileStamp* stamp = nullptr);

} // namespace kelvora
