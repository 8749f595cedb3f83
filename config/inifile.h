// Reading and writing Kelvora.ini, the plain text file that keeps every setting between runs.
//
// The file holds one number per value line in a fixed order (value, minimum and maximum of the twenty
// parameters, then pKa2, the four axis limits and the y-axis index); comment lines may stand anywhere.
// Users may edit it by hand, so the reader tolerates anything and repairs what breaks the range rules.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "config/safefile.h"
#include "model/parameters.h"

namespace kelvora {

// The file's bare name: it lives in the current working directory.
constexpr const char* configfilename = "Kelvora.ini";

// The reader stops after this many value lines; only the first 66 are used.
constexpr int maxvaluelines = 100;

// The two forms of the file. The first-start form (96 lines) is written from the defaults when no file
// exists; the full form (98 lines, two more header lines) from the current table when the window closes.
enum class ConfigForm { firststart, atclose };

// Reads configuration text held in memory into s and repairs it; s must hold the tables and settings
// that start-up builds (the defaults preset every slot the text leaves out). Lines end at CR, CR LF or LF.
void readconfig(ModelState& s, std::string_view text);

// Reads the file at path the same way, streaming it in chunks so that a huge file or a huge line costs
// bounded memory. Only a regular file is read: a pipe, a device, a socket or a directory is refused at
// once, without waiting for a writer or reading without end. Returns false, with the reason in error,
// when the file cannot be opened or read or is not a regular file; s is then left unchanged. stamp, when
// given, receives the stamp of the file as it was opened.
bool readconfigfile(ModelState& s, const std::filesystem::path& path, std::error_code& error,
                    FileStamp* stamp = nullptr);
bool readconfigfile(ModelState& s, const std::filesystem::path& path);

// The whole text of the file in the given form, lines ending in CR LF, numbers with the decimal
// separator sep ('.' or ','). The first-start form takes the parameters from defaults, the full form from
// params; both take pKa2, the axis limits and the y-axis index from the current settings.
std::string configtext(const ModelState& s, ConfigForm form, char sep);

// Writes configtext to the file path stands for through the one safe writer (see writesafefile): a link
// stays a link and its target gets the text, the old file is replaced in one rename and keeps its
// permission bits and, where allowed, its owner. Returns false, with the reason in error, on any failure
// (no permission, a write-protected file, a full disk, a target that is not a regular file, a file that
// changed since options.expected); the old file then stays as it was.
bool writeconfigfile(const ModelState& s, ConfigForm form, char sep, const std::filesystem::path& path,
                     std::error_code& error, const SafeWrite& options = {});
bool writeconfigfile(const ModelState& s, ConfigForm form, char sep, const std::filesystem::path& path);

} // namespace kelvora
