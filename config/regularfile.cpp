#include "config/regularfile.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvora {

namespace {

constexpr std::size_t readchunk = 64 * 1024;

std::error_code lasterror() {
    return {errno, std::generic_category()};
}

} // namespace

bool readregularfile(const std::filesystem::path& path, const PieceReader& take, std::error_code& error,
                     FileStamp* stamp) {
    error.clear();
    // Opened without waiting: a named pipe with no writer would otherwise hang here.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = lasterror();
        return false;
    }
    struct stat info {};
    const FileStamp opened = filestamp(fd);
    if (::fstat(fd, &info) != 0) {
        error = lasterror();
    } else if (!S_ISREG(info.st_mode)) {
        error = notregularfile();
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        error = lasterror();
    }
    std::string chunk(readchunk, '\0');
    while (!error) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = lasterror();
        if (got <= 0 || !take(std::string_view(chunk.data(), static_cast<std::size_t>(got)))) break;
    }
    ::close(fd);
    if (error) return false;
    if (stamp) *stamp = opened;
    return true;
}

} // namespace kelvora
