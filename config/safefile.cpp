#include "config/safefile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <random>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvora {
namespace {

constexpr int tempnametries = 16;
constexpr std::size_t tempnamedigits = 12; // hexadecimal digits of chance in a temporary file's name
constexpr std::string_view tempsuffix = ".tmp";
// The dots before and after the stem, the digits and the suffix.
constexpr std::size_t tempnameextra = 2 + tempnamedigits + tempsuffix.size();
constexpr std::size_t longestname = NAME_MAX;
constexpr int maxlinkhops = 40; // as many links as the system itself follows in one path
constexpr mode_t permissionbits = 07777;
constexpr mode_t newfilemode = 0666; // before the umask, as any program creates a file
constexpr std::int64_t nanopersecond = 1000000000;

enum class SafeFileError { notregular = 1, changed };

class SafeFileErrors : public std::error_category {
  public:
    const char* name() const noexcept override { return "kelvora-safefile"; }
    std::string message(int code) const override {
        return code == static_cast<int>(SafeFileError::changed) ? "Changed on disk since it was read or saved"
                                                                : "Not a regular file";
    }
};

std::error_code safefileerror(SafeFileError e) {
    static const SafeFileErrors category;
    return {static_cast<int>(e), category};
}

std::error_code lasterror() {
    return {errno, std::generic_category()};
}

std::filesystem::path folderof(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : ".";
}

FileStamp stampof(const struct stat& info) {
    return {true,
            static_cast<std::uint64_t>(info.st_dev),
            static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            info.st_mtim.tv_sec * nanopersecond + info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec * nanopersecond + info.st_ctim.tv_nsec};
}

// ".NAME.", the stem cut where the whole temporary name would be longer than a name may be.
std::string tempprefix(const std::filesystem::path& target) {
    std::string stem = target.filename().string();
    if (stem.size() + tempnameextra > longestname) stem.resize(longestname - tempnameextra);
    return "." + stem + ".";
}

std::string randomdigits(std::mt19937_64& random) {
    static constexpr char hexdigits[] = "0123456789abcdef";
    std::string digits;
    std::uint64_t bits = random();
    for (std::size_t d = 0; d < tempnamedigits; ++d, bits >>= 4)
        digits += hexdigits[bits & 0xf];
    return digits;
}

// Whether name is one that tempname gives for target, and nothing else.
bool istempname(const std::string& name, const std::filesystem::path& target) {
    const std::string prefix = tempprefix(target);
    if (name.size() != prefix.size() + tempnamedigits + tempsuffix.size()) return false;
    if (!name.starts_with(prefix) || !name.ends_with(tempsuffix)) return false;
    const auto digits = name.begin() + static_cast<std::ptrdiff_t>(prefix.size());
    return std::all_of(digits, digits + tempnamedigits,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Whether fd is still the file of that name: a cleaner may have removed the name before the lock was
// taken.
bool stillnamed(int fd, const std::filesystem::path& name) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(name.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// Removes a temporary file unless a writer holds it; never opens anything but a regular file.
void removeifunheld(const std::filesystem::path& name) {
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    int fd = ::open(name.c_str(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && stillnamed(fd, name)) ::unlink(name.c_str());
    ::close(fd);
}

void removetemps(const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::directory_iterator entry(folderof(target), error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (istempname(entry->path().filename().string(), target)) removeifunheld(entry->path());
    }
}

// Creates a new temporary file next to target and locks it; never opens a file that already exists.
int createtemp(const std::filesystem::path& target, std::filesystem::path& temp, std::error_code& error) {
    std::mt19937_64 random(std::random_device{}());
    for (int attempt = 0; attempt < tempnametries; ++attempt) {
        temp = tempname(target, randomdigits(random));
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newfilemode);
        if (fd < 0 && errno != EEXIST) break;
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && stillnamed(fd, temp)) return fd;
        ::close(fd);
    }
    error = lasterror();
    return -1;
}

// Makes a finished rename durable; a folder that cannot be opened or synced changes nothing else.
void syncfolder(const std::filesystem::path& target) {
    const int fd = ::open(folderof(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool writeall(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Whether the target is still the file the caller knows.
bool unchanged(const std::filesystem::path& target, const SafeWrite& options, std::error_code& error) {
    if (!options.expected) return true;
    const FileStamp now = filestamp(target, error);
    if (error) return false;
    if (now == *options.expected) return true;
    error = filechanged();
    return false;
}

// Refuses what is not a plain file the user may write: checked before anything is written, because the
// rename only needs the folder's permission and would void the file's own.
bool mayreplace(const std::filesystem::path& target, bool& replacing, struct stat& old,
                std::error_code& error) {
    replacing = ::lstat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) error = lasterror();
    if (replacing && !S_ISREG(old.st_mode)) error = notregularfile();
    if (!error && replacing && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        error = lasterror();
    return !error;
}

} // namespace

std::error_code notregularfile() {
    return safefileerror(SafeFileError::notregular);
}

std::error_code filechanged() {
    return safefileerror(SafeFileError::changed);
}

std::filesystem::path linktarget(const std::filesystem::path& path, std::error_code& error) {
    error.clear();
    std::filesystem::path current = path;
    for (int hop = 0; hop <= maxlinkhops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            // Nothing there yet: this is where the file will be.
            if (errno == ENOENT) return current;
            error = lasterror();
            return path;
        }
        if (!S_ISLNK(info.st_mode)) return current;
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error) return path;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

FileStamp filestamp(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? stampof(info) : FileStamp{};
}

FileStamp filestamp(const std::filesystem::path& path, std::error_code& error) {
    error.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return stampof(info);
    if (errno != ENOENT) error = lasterror();
    return {};
}

std::filesystem::path tempname(const std::filesystem::path& target, const std::string& digits) {
    return folderof(target) / (tempprefix(target) + digits + std::string(tempsuffix));
}

bool writesafefile(const std::filesystem::path& path, const FdWriter& write, std::error_code& error,
                   const SafeWrite& options) {
    error.clear();
    const std::filesystem::path target = linktarget(path, error);
    if (error) return false;
    struct stat old {};
    bool replacing = false;
    if (!mayreplace(target, replacing, old, error) || !unchanged(target, options, error)) return false;
    removetemps(target);

    std::filesystem::path temp;
    const int fd = createtemp(target, temp, error);
    if (fd < 0) return false;
    bool ok = true;
    if (replacing) {
        // The owner first, since changing it may clear the set-id bits that the mode then restores.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Giving a file away is the superuser's right only; anyone else's new file stays theirs.
            [[maybe_unused]] const int given = ::fchown(fd, old.st_uid, old.st_gid);
        }
        ok = ::fchmod(fd, old.st_mode & permissionbits) == 0;
    }
    errno = 0;
    ok = ok && write(fd);
    // On disk before the rename: after a power cut the file is the old one or the new one, never empty.
    ok = ok && ::fsync(fd) == 0;
    if (!ok) error = errno != 0 ? lasterror() : std::make_error_code(std::errc::io_error);
    // Checked again at the last moment: another window may have saved while this one wrote.
    ok = ok && unchanged(target, options, error);
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = lasterror();
        ok = false;
    }
    if (ok && options.written) *options.written = filestamp(fd);
    if (!ok) ::unlink(temp.c_str());
    // Closing gives up the lock, after the temporary name is gone either way.
    ::close(fd);
    if (ok) syncfolder(target);
    return ok;
}

bool writesafefile(const std::filesystem::path& path, const std::string& bytes, std::error_code& error,
                   const SafeWrite& options) {
    return writesafefile(
        path, [&bytes](int fd) { return writeall(fd, bytes); }, error, options);
}

void removestaletemps(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path target = linktarget(path, error);
    if (!error) removetemps(target);
}

} // namespace kelvora
