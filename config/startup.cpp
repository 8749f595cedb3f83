#include "config/startup.h"

#include <system_error>

#include "config/inifile.h"

namespace kelvora {

ConfigStatus startstate(ModelState& s, const std::filesystem::path& file) {
    resetsettings(s);
    buildtables(s);
    s.pKa2 = defaultpKa2;

    // Present means a directory entry of that name exists, whatever it is or points to.
    std::error_code ec;
    const std::filesystem::file_status entry = std::filesystem::symlink_status(file, ec);
    if (entry.type() == std::filesystem::file_type::not_found) return ConfigStatus::absent;
    // A look-up that fails for another reason (no permission on the directory) cannot tell.
    if (entry.type() == std::filesystem::file_type::none) return ConfigStatus::failed;

    // A failed read leaves the defaults in place; the caller decides whether to say so.
    ModelState fromfile = s;
    if (!readconfigfile(fromfile, file)) return ConfigStatus::failed;
    s = fromfile;
    return ConfigStatus::read;
}

} // namespace kelvora
