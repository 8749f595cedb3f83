#include "config/inifile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/entry.h"
#include "model/numtext.h"
#include "model/parsenumber.h"
#include "model/rounding.h"

namespace kelvora {
namespace {

// The work list: 101 slots, of which the first 66 are taken over.
constexpr int slotcount = 101;
constexpr int pKa2slot = 60;
constexpr int xminslot = 61;
constexpr int xmaxslot = 62;
constexpr int yminslot = 63;
constexpr int ymaxslot = 64;
constexpr int yaxisslot = 65;

// Only this many characters of a line, from its first non-blank one, can reach the number reader.
constexpr std::size_t numberchars = 35;

constexpr std::size_t readchunk = 64 * 1024;
constexpr const char* lineend = "\r\n";
constexpr int tempnametries = 16;
constexpr int tempnamedigits = 12; // hexadecimal digits of chance in a temporary file's name
constexpr const char* tempsuffix = ".tmp";
constexpr int maxlinkhops = 40; // as many links as the system itself follows in one path
constexpr mode_t permissionbits = 07777;

using WorkList = std::array<double, slotcount>;

// Splits text into lines and collects the numbers of the value lines, a chunk at a time. It keeps only
// what decides a line: whether a non-blank character was seen, whether the first one starts a comment,
// and the first characters from there on. Everything else of a line is dropped as it streams past.
struct ValueCollector {
    WorkList slots{};
    int count = 0;
    bool full = false; // the last value line to be read has been read

    bool started = false; // a non-blank character has been seen on this line
    bool comment = false;
    bool aftercr = false; // the previous character ended a line with CR; a following LF belongs to it
    std::string head;

    void endline() {
        if (started && !comment && !full) {
            slots[count] = parsenumber(head);
            ++count;
            if (count >= maxvaluelines) full = true;
        }
        started = false;
        comment = false;
        head.clear();
    }

    void feed(std::string_view chunk) {
        for (const char c : chunk) {
            if (full) return;
            if (aftercr) {
                aftercr = false;
                if (c == '\n') continue;
            }
            if (c == '\r') {
                endline();
                aftercr = true;
            } else if (c == '\n') {
                // A lone line feed ends a line too, so a file saved with LF line ends is not read as one
                // single line.
                endline();
            } else if (!started) {
                if (c == ' ') continue;
                started = true;
                comment = c == '#' || c == ';';
                head.push_back(c);
            } else if (head.size() < numberchars) {
                head.push_back(c);
            }
        }
    }

    // The last line needs no line end.
    void finish() {
        if (started) endline();
    }
};

// The slots before reading: the defaults, pKa2 and the axis limits as start-up left them. The y-axis
// slot stays 0, so a file that stops before it puts the first parameter on the y axis.
ValueCollector presetcollector(const ModelState& s) {
    ValueCollector c;
    c.slots.fill(0.0);
    for (int i = 0; i <= lastindex; ++i) {
        c.slots[3 * i] = static_cast<double>(s.defaults[i].value);
        c.slots[3 * i + 1] = s.defaults[i].min;
        c.slots[3 * i + 2] = s.defaults[i].max;
    }
    c.slots[pKa2slot] = s.pKa2;
    c.slots[xminslot] = s.xmin;
    c.slots[xmaxslot] = s.xmax;
    c.slots[yminslot] = s.ymin;
    c.slots[ymaxslot] = s.ymax;
    return c;
}

// A limit pair is usable when its ends are strictly ordered with a finite span.
bool usablerange(double low, double high) {
    return low < high && std::isfinite(high - low);
}

// The eight range repairs of one parameter read from the file; the value itself stays.
void repairrange(parameter& p, const parameter& defaults, const parameter& limits) {
    if (tosingle(p.min) > p.value) p.min = p.value;
    if (tosingle(p.max) < p.value) p.max = p.value;
    if (p.max > limits.max) p.max = limits.max;
    if (p.min < limits.min) p.min = limits.min;
    if (p.min > p.max) p.min = p.min - defaults.inc;
    if (p.min < limits.min) p.min = limits.min;
    if (p.min >= p.max) p.max = p.max + defaults.inc;
    if (p.max > limits.max) p.max = limits.max;
}

// Takes the slots over into the state, then repairs it in the fixed order.
void takeoverandrepair(ModelState& s, const WorkList& slots) {
    for (int i = 0; i <= lastindex; ++i) {
        s.params[i].value = tosingle(slots[3 * i]);
        s.params[i].min = slots[3 * i + 1];
        s.params[i].max = slots[3 * i + 2];
    }
    s.pKa2 = slots[pKa2slot];
    s.xmin = slots[xminslot];
    s.xmax = slots[xmaxslot];
    s.ymin = slots[yminslot];
    s.ymax = slots[ymaxslot];

    // Anything beyond the 16-bit range saturates here and is then out of range like any other index.
    const int32_t yaxis = roundeven32(slots[yaxisslot]);
    s.yaxis = yaxis < 0 || yaxis > lastindex ? ratioaxis : static_cast<int16_t>(yaxis);

    constexpr double lowestpKa2 = 0.0;
    constexpr double highestpKa2 = 12.0;
    if (s.pKa2 < lowestpKa2) s.pKa2 = lowestpKa2;
    if (s.pKa2 > highestpKa2) s.pKa2 = highestpKa2;

    if (s.xmin >= s.xmax) s.xmin = s.xmax - 1;
    if (s.ymin < 0) s.ymin = 0;
    if (s.ymin >= s.ymax) s.ymax = s.ymin + 1;
    // Far out, "one less" or "one more" is the same number, and a span may not be finite at all;
    // every later computation needs ordered limits with a finite span.
    if (!usablerange(s.xmin, s.xmax)) {
        s.xmin = defaultxmin;
        s.xmax = defaultxmax;
    }
    if (!usablerange(s.ymin, s.ymax)) {
        s.ymin = defaultymin;
        s.ymax = defaultymax;
    }

    for (int i = 0; i <= lastindex; ++i) {
        repairrange(s.params[i], s.defaults[i], s.limits[i]);
        checkvalue(s, i);
    }
}

void appendline(std::string& text, const std::string& line) {
    text += line;
    text += lineend;
}

// A parameter number line: one blank, then the number.
void appendnumberline(std::string& text, const std::string& number) {
    text += ' ';
    appendline(text, number);
}

std::error_code lasterror() {
    return {errno, std::generic_category()};
}

class ConfigErrors : public std::error_category {
  public:
    const char* name() const noexcept override { return "kelvora-config"; }
    std::string message(int) const override { return "Not a regular file"; }
};

std::string tempprefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".";
}

std::filesystem::path tempname(const std::filesystem::path& target, std::mt19937_64& random) {
    static constexpr char hexdigits[] = "0123456789abcdef";
    std::string name = tempprefix(target);
    std::uint64_t bits = random();
    for (int d = 0; d < tempnamedigits; ++d, bits >>= 4)
        name += hexdigits[bits & 0xf];
    return target.parent_path() / (name + tempsuffix);
}

// Whether name is one that tempname gives for target, and nothing else.
bool istempname(const std::string& name, const std::filesystem::path& target) {
    const std::string prefix = tempprefix(target);
    const std::string_view suffix = tempsuffix;
    if (name.size() != prefix.size() + tempnamedigits + suffix.size()) return false;
    if (!name.starts_with(prefix) || !name.ends_with(suffix)) return false;
    const auto digits = name.begin() + static_cast<std::ptrdiff_t>(prefix.size());
    return std::all_of(digits, digits + tempnamedigits,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Removes the regular files in the target's folder that carry a temporary name of that target.
void removetemps(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code ignored;
        if (istempname(entry->path().filename().string(), target) && entry->is_regular_file(ignored) &&
            !entry->is_symlink(ignored))
            std::filesystem::remove(entry->path(), ignored);
    }
}

// Creates a new temporary file next to target; never opens a file that already exists.
int createtemp(const std::filesystem::path& target, std::filesystem::path& temp, std::error_code& error) {
    std::mt19937_64 random(std::random_device{}());
    for (int attempt = 0; attempt < tempnametries; ++attempt) {
        temp = tempname(target, random);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    error = lasterror();
    return -1;
}

bool writeall(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Makes a finished rename durable; a folder that cannot be opened or synced changes nothing else.
void syncfolder(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void readconfig(ModelState& s, std::string_view text) {
    ValueCollector c = presetcollector(s);
    c.feed(text);
    c.finish();
    takeoverandrepair(s, c.slots);
}

bool readconfigfile(ModelState& s, const std::filesystem::path& path, std::error_code& error) {
    error.clear();
    // Opened without waiting: a named pipe with no writer would otherwise hang here.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = lasterror();
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = lasterror();
    } else if (!S_ISREG(info.st_mode)) {
        // A device may never end (/dev/zero) and a pipe may never deliver.
        error = notregularfile();
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        error = lasterror();
    }
    ValueCollector c = presetcollector(s);
    std::string chunk(readchunk, '\0');
    while (!error && !c.full) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = lasterror();
        if (got <= 0) break;
        c.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
    }
    ::close(fd);
    if (error) return false;
    c.finish();
    takeoverandrepair(s, c.slots);
    return true;
}

bool readconfigfile(ModelState& s, const std::filesystem::path& path) {
    std::error_code error;
    return readconfigfile(s, path, error);
}

std::error_code notregularfile() {
    static const ConfigErrors category;
    return {1, category};
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

std::string configtext(const ModelState& s, ConfigForm form, char sep) {
    std::string text;
    if (form == ConfigForm::atclose) {
        appendline(text, "#  Kelvora configuration file");
        appendline(text, "#");
    }
    appendline(text, "#  You may alter this file manually at your own risk. Take care, you should not change "
                     "the order of the variables.");
    appendline(text, "#  Unappropriate values will be overriden.");
    appendline(text, "#  Format: # Parameter name and unit, parameter value, allowed minimum value, allowed "
                     "maximum value; and some other things.");
    appendline(text, "");

    const ParameterTable& table = form == ConfigForm::atclose ? s.params : s.defaults;
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = table[i];
        appendline(text, std::string("# ") + parametername(i) + "  " + parameterunit(i));
        appendnumberline(text, fixedsix(static_cast<double>(p.value), sep));
        appendnumberline(text, fixedsix(p.min, sep));
        appendnumberline(text, fixedsix(p.max, sep));
    }

    appendline(text, "# pKa2");
    appendline(text, plainnumber(s.pKa2, sep));
    appendline(text, "# xmin");
    appendline(text, plainnumber(s.xmin, sep));
    appendline(text, "# xmax");
    appendline(text, plainnumber(s.xmax, sep));
    appendline(text, "# ymin");
    appendline(text, plainnumber(s.ymin, sep));
    appendline(text, "# ymax");
    appendline(text, plainnumber(s.ymax, sep));
    appendline(text, "# y axis");
    appendline(text, plainnumber(static_cast<double>(s.yaxis), sep));
    return text;
}

bool writeconfigfile(const ModelState& s, ConfigForm form, char sep, const std::filesystem::path& path,
                     std::error_code& error) {
    error.clear();
    const std::string text = configtext(s, form, sep);
    const std::filesystem::path target = linktarget(path, error);
    if (error) return false;
    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) {
        error = lasterror();
        return false;
    }
    // A directory, a pipe or a device of that name is the user's, not a settings file to replace.
    if (replacing && !S_ISREG(old.st_mode)) {
        error = notregularfile();
        return false;
    }
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
    ok = ok && writeall(fd, text);
    // On disk before the rename: after a power cut the file is the old one or the new one, never empty.
    ok = ok && ::fsync(fd) == 0;
    if (!ok) error = lasterror();
    if (::close(fd) != 0 && ok) {
        error = lasterror();
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = lasterror();
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncfolder(target);
    return true;
}

bool writeconfigfile(const ModelState& s, ConfigForm form, char sep, const std::filesystem::path& path) {
    std::error_code error;
    return writeconfigfile(s, form, sep, path, error);
}

void removestaletemps(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path target = linktarget(path, error);
    if (!error) removetemps(target);
}

} // namespace kelvora
