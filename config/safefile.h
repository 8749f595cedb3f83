// Replacing a file so that it is always either the old one or the complete new one: the one writer of
// the settings file and of every figure the export tool writes.
//
// The bytes go to a temporary file in the target's folder (".NAME.<12 hex digits>.tmp", the name's stem
// shortened where the whole would not fit), which is synced and then renamed over the target. The writer
// holds a lock on its temporary file until the rename, so that another process cleaning up after an
// interrupted write never removes a file that is still being written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

namespace kelvora {

// The errors of this unit that the system has no number for.
std::error_code notregularfile(); // the name exists but is not a regular file
std::error_code filechanged();    // the file is not the one read or saved last

// The file a path stands for: the path itself, or, through a chain of symbolic links, the last link's
// target, which need not exist yet. Sets error (a loop, a folder that cannot be searched) and returns path
// when the chain cannot be followed.
std::filesystem::path linktarget(const std::filesystem::path& path, std::error_code& error);

// What tells one state of a file from another: which file it is and when and how it was last changed.
// A save by another process replaces the file (another inode and change time); an edit in place changes
// its size or times.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0; // nanoseconds since the epoch
    std::int64_t changed = 0;  // the status change time, which no user can set back
    bool operator==(const FileStamp&) const = default;
};

// The stamp of an open file, and of the file a path stands for (through links; absent: exists false).
FileStamp filestamp(int fd);
FileStamp filestamp(const std::filesystem::path& path, std::error_code& error);

// Writes the bytes a callback puts into a file descriptor; the callback returns false with errno set.
using FdWriter = std::function<bool(int fd)>;

// What a safe write may check and tells back.
struct SafeWrite {
    const FileStamp* expected = nullptr; // fail with filechanged() unless the file still has this stamp
    FileStamp* written = nullptr;        // the stamp of the file once written
};

// Replaces the file path stands for (linktarget; a link stays a link and its target gets the bytes)
// with what write puts into the temporary file. A replaced file keeps its permission bits and, where
// allowed, its owner. Refused without writing: a target that is not a regular file (notregularfile()),
// one the user may not write to (a write-protected or another user's file: the system's reason), one
// that changed since options.expected. False with the reason in error on any failure; the old file then
// stays as it was and no temporary file is left behind. Stale temporary files are removed first.
bool writesafefile(const std::filesystem::path& path, const FdWriter& write, std::error_code& error,
                   const SafeWrite& options = {});
bool writesafefile(const std::filesystem::path& path, const std::string& bytes, std::error_code& error,
                   const SafeWrite& options = {});

// The temporary name for target with the given 12 hexadecimal digits, as the writer gives it.
std::filesystem::path tempname(const std::filesystem::path& target, const std::string& digits);

// Removes the temporary files that interrupted writes of the file path stands for left in the target's
// folder: exactly the names the writer gives them, regular files only, and only those no process holds
// a lock on (a write still under way keeps its file).
void removestaletemps(const std::filesystem::path& path);

} // namespace kelvora
