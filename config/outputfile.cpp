#include "config/outputfile.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

#include "config/safefile.h"
#include "config/shownname.h"

namespace kelvora {

std::string quotedname(const std::string& name) {
    return "'" + shownname(name) + "'";
}

bool checkoutputfile(const std::string& out, const std::string& configpath, std::string& why) {
    const std::string quoted = quotedname(out);
    // Both looked up through any links, so that a link to the settings file counts as that file.
    struct stat target {};
    if (::stat(out.c_str(), &target) != 0) {
        if (errno == ENOENT) return true; // a new file
        why = "cannot write " + quoted + ": " + std::generic_category().message(errno);
        return false;
    }
    if (!S_ISREG(target.st_mode)) {
        why = quoted + " exists and is not a regular file; it is left as it is";
        return false;
    }
    struct stat config {};
    if (::stat(configpath.c_str(), &config) == 0 && config.st_dev == target.st_dev &&
        config.st_ino == target.st_ino) {
        why = quoted + " is the configuration file being read; it is left as it is";
        return false;
    }
    return true;
}

bool writeoutputfile(const std::string& out, const std::string& bytes, std::string& why) {
    std::error_code error;
    if (writesafefile(out, bytes, error)) return true;
    why = "cannot write " + quotedname(out) + ": " + error.message();
    return false;
}

} // namespace kelvora
