#include "config/startup.h"

#include <system_error>

#include "config/inifile.h"

namespace kelvora {

void defaultstate(ModelState& s) {
    resetsettings(s);
    buildtables(s);
    s.pKa2 = defaultpKa2;
}

ConfigStatus startstate(ModelState& s, const std::filesystem::path& file, std::error_code& error,
                        FileStamp* stamp) {
    defaultstate(s);
    if (stamp) *stamp = FileStamp{};

    const std::filesystem::path target = linktarget(file, error);
    if (error) return ConfigStatus::failed;
    // Present means a directory entry of that name exists, whatever it is.
    const std::filesystem::file_status entry = std::filesystem::symlink_status(target, error);
    if (entry.type() == std::filesystem::file_type::not_found) {
        error.clear();
        return ConfigStatus::absent;
    }
    // A look-up that fails for another reason (no permission on the directory) cannot tell.
    if (error) return ConfigStatus::failed;

    // A failed read leaves the defaults in place; the caller decides whether to say so.
    ModelState fromfile = s;
    if (!readconfigfile(fromfile, target, error, stamp)) return ConfigStatus::failed;
    s = fromfile;
    return ConfigStatus::read;
}

ConfigStatus startstate(ModelState& s, const std::filesystem::path& file) {
    std::error_code error;
    return startstate(s, file, error);
}

} // namespace kelvora
