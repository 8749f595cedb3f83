// The settings files the window opened or saved lately, kept between sessions in a small file of the
// user's own, apart from any settings file (whose format is fixed). The list holds absolute names as
// bytes, each ended by a NUL: a file name may hold any byte but that one, a line break included.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace kelvora {

// The list keeps this many names.
constexpr std::size_t recentcount = 8;

// Where the list lives: $XDG_STATE_HOME/kelvora/recent-files, or ~/.local/state/kelvora/recent-files.
// Empty when neither variable names an absolute folder: the list is then kept for the session only.
std::filesystem::path recentlistpath();

// The names the list file holds, newest first, at most recentcount of them. A missing or unreadable file
// is an empty list; an entry that is not an absolute name, and anything beyond the last full entry, are
// left out.
std::vector<std::string> readrecent(const std::filesystem::path& list);

// names with name first and nowhere else, cut to recentcount.
std::vector<std::string> withrecent(std::vector<std::string> names, const std::string& name);

// names without name.
std::vector<std::string> withoutrecent(std::vector<std::string> names, const std::string& name);

// Replaces the list file with names through the safe writer, creating its folder. False with the reason
// in error; the old list then stays as it was.
bool writerecent(const std::filesystem::path& list, const std::vector<std::string>& names,
                 std::error_code& error);

} // namespace kelvora
