#include "config/recentfiles.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <utility>

#include <limits.h>

#include "config/safefile.h"

namespace kelvora {

namespace {

// A list longer than its names could ever be is not read further: it was not written by the window.
constexpr std::size_t largestlist = recentcount * (PATH_MAX + 1);
constexpr char ending = '\0';

std::filesystem::path absolutefolder(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || value[0] != '/') return {};
    return value;
}

} // namespace

std::filesystem::path recentlistpath() {
    std::filesystem::path state = absolutefolder("XDG_STATE_HOME");
    if (state.empty()) {
        const std::filesystem::path home = absolutefolder("HOME");
        if (home.empty()) return {};
        state = home / ".local" / "state";
    }
    return state / "kelvora" / "recent-files";
}

std::vector<std::string> readrecent(const std::filesystem::path& list) {
    std::vector<std::string> names;
    if (list.empty()) return names;
    std::ifstream in(list, std::ios::binary);
    std::string bytes(largestlist, ending);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::size_t begin = 0;
    for (std::size_t end; (end = bytes.find(ending, begin)) != std::string::npos; begin = end + 1) {
        const std::string name = bytes.substr(begin, end - begin);
        if (name.starts_with('/') && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
        if (names.size() == recentcount) break;
    }
    return names;
}

std::vector<std::string> withrecent(std::vector<std::string> names, const std::string& name) {
    names = withoutrecent(std::move(names), name);
    names.insert(names.begin(), name);
    if (names.size() > recentcount) names.resize(recentcount);
    return names;
}

std::vector<std::string> withoutrecent(std::vector<std::string> names, const std::string& name) {
    names.erase(std::remove(names.begin(), names.end(), name), names.end());
    return names;
}

bool writerecent(const std::filesystem::path& list, const std::vector<std::string>& names,
                 std::error_code& error) {
    std::filesystem::create_directories(list.parent_path(), error);
    if (error) return false;
    std::string bytes;
    for (const std::string& name : names)
        bytes += name + ending;
    return writesafefile(list, bytes, error);
}

} // namespace kelvora
