#include "tools/figuremeta.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>
#include <iostream>
#include <system_error>

#include "config/regularfile.h"
#include "config/shownname.h"
#include "tools/exportoptions.h"

namespace kelvora {
namespace {

const char* const namespaceuri = "https://kelvora.org/ns/figure/1.0/";
const char* const elementstart = "<kelvora:settings";
const char* const elementend = "</kelvora:settings>";
// The text key of the element in a PNG.
const char* const imagekey = "kelvora:settings";

std::optional<std::string> fromelement(const QByteArray& bytes) {
    const qsizetype start = bytes.indexOf(elementstart);
    if (start < 0) return std::nullopt;
    const qsizetype open = bytes.indexOf('>', start);
    const qsizetype end = bytes.indexOf(elementend, start);
    if (open < 0 || end < open) return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(bytes.mid(open + 1, end - open - 1).trimmed(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) return std::nullopt;
    return decoded.decoded.toStdString();
}

// TIFF layout: a header naming the byte order and the offset of the first directory; a directory is a
// count, that many 12-byte entries sorted by tag, and the offset of the next directory.
constexpr qsizetype tiffheader = 8;
constexpr qsizetype tiffentry = 12;
constexpr uint16_t descriptiontag = 270;
constexpr uint16_t asciitype = 2;

struct TiffBytes {
    QByteArray& data;
    bool big;
    uint32_t get(qsizetype at, int size) const {
        uint32_t v = 0;
        for (int k = 0; k < size; ++k) {
            const auto byte = static_cast<uint8_t>(data[at + (big ? k : size - 1 - k)]);
            v = (v << 8) | byte;
        }
        return v;
    }
    void put(QByteArray& out, uint32_t v, int size) const {
        for (int k = 0; k < size; ++k) {
            const int shift = 8 * (big ? size - 1 - k : k);
            out.append(static_cast<char>((v >> shift) & 0xff));
        }
    }
};

} // namespace

QByteArray withtiffdescription(const QByteArray& tiff, const std::string& text) {
    QByteArray data = tiff;
    if (data.size() < tiffheader || (!data.startsWith("II") && !data.startsWith("MM"))) return {};
    const TiffBytes t{data, data.startsWith("MM")};
    const qsizetype first = t.get(4, 4);
    if (first + 2 > data.size()) return {};
    const uint32_t count = t.get(first, 2);
    if (first + 2 + count * tiffentry + 4 > data.size()) return {};
    // The description's text (with its closing zero) at the end, then a new first directory holding
    // every old entry and the description in tag order; the old entries' values stay where they are.
    while (data.size() % 2 != 0)
        data.append('\0');
    const auto textat = static_cast<uint32_t>(data.size());
    data.append(text.data(), static_cast<qsizetype>(text.size()));
    data.append('\0');
    while (data.size() % 2 != 0)
        data.append('\0');
    const auto directory = static_cast<uint32_t>(data.size());
    QByteArray entries;
    t.put(entries, count + 1, 2);
    bool placed = false;
    for (uint32_t k = 0; k <= count; ++k) {
        const qsizetype at = first + 2 + k * tiffentry;
        const uint32_t tag = k < count ? t.get(at, 2) : UINT32_MAX;
        if (tag == descriptiontag) return {};
        if (!placed && tag > descriptiontag) {
            t.put(entries, descriptiontag, 2);
            t.put(entries, asciitype, 2);
            t.put(entries, static_cast<uint32_t>(text.size() + 1), 4);
            t.put(entries, textat, 4);
            placed = true;
        }
        if (k < count) entries.append(data.mid(at, tiffentry));
    }
    entries.append(data.mid(first + 2 + count * tiffentry, 4)); // the next directory, as before
    data.append(entries);
    QByteArray offset;
    t.put(offset, directory, 4);
    data.replace(4, 4, offset);
    return data;
}

std::string settingselement(const std::string& settings) {
    return std::string(elementstart) + " xmlns:kelvora=\"" + namespaceuri +
           "\" version=\"" KELVORA_VERSION "\" encoding=\"base64\">" +
           QByteArray::fromStdString(settings).toBase64().toStdString() + elementend;
}

QByteArray withsvgmetadata(const QByteArray& svg, const std::string& settings) {
    const QByteArray element =
        "<metadata>" + QByteArray::fromStdString(settingselement(settings)) + "</metadata>\n";
    QByteArray out = svg;
    const qsizetype desc = out.indexOf("</desc>");
    const qsizetype at = desc >= 0 ? out.indexOf('\n', desc) + 1 : out.indexOf('>', out.indexOf("<svg")) + 1;
    out.insert(at, element);
    return out;
}

QByteArray xmppacket(const std::string& settings) {
    return "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "<rdf:Description rdf:about=\"\">\n" +
           QByteArray::fromStdString(settingselement(settings)) +
           "\n</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
}

void setimagemetadata(QImage& image, const std::string& settings) {
    const QString element = QString::fromStdString(settingselement(settings));
    image.setText(QString::fromLatin1(imagekey), element);
    image.setText(QStringLiteral("Software"), QStringLiteral("Kelvora " KELVORA_VERSION));
}

std::optional<std::string> settingsoffigure(const QByteArray& file) {
    if (auto settings = fromelement(file)) return settings;
    const QImage image = QImage::fromData(file);
    return fromelement(image.text(QString::fromLatin1(imagekey)).toUtf8());
}

void configfromhelp() {
    std::cout << "Usage: kelvora-export config-from FIGURE > Kelvora.ini\n"
                 "\n"
                 "Writes the settings file a figure of kelvora-export (svg, pdf, png or tiff) was\n"
                 "drawn from to standard output, byte for byte as the window writes it: the twenty\n"
                 "parameters with their ranges, pKa2, the axis limits (as fitted, for a figure drawn\n"
                 "with --auto) and the y axis. Drawn from it with the same figure options, the\n"
                 "figure comes out the same.\n";
}

int runconfigfrom(const std::vector<std::string>& args) {
    const std::string prefix = "kelvora-export config-from: ";
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        configfromhelp();
        return exitok;
    }
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::cerr << prefix << "one figure file is needed (kelvora-export config-from --help)\n";
        return exitbadusage;
    }
    // For the image plugins that read PNG and TIFF text entries.
    static int argc = 1;
    static char name[] = "kelvora-export";
    static char* argv[] = {name, nullptr};
    const QCoreApplication qt(argc, argv);
    std::error_code error;
    QByteArray file;
    const auto append = [&file](std::string_view piece) {
        file.append(piece.data(), static_cast<qsizetype>(piece.size()));
        return true;
    };
    if (!readregularfile(args[0], append, error)) {
        std::cerr << prefix << "cannot read '" << shownname(args[0]) << "': " << error.message() << "\n";
        return exitfailure;
    }
    const auto settings = settingsoffigure(file);
    if (!settings) {
        std::cerr << prefix << "'" << shownname(args[0]) << "' carries no Kelvora settings\n";
        return exitfailure;
    }
    std::fwrite(settings->data(), 1, settings->size(), stdout);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return exitok;
    std::cerr << prefix << "cannot write to standard output\n";
    return exitfailure;
}

} // namespace kelvora
