// The settings a figure was drawn from, carried inside the figure file, and kelvora-export config-from,
// which gives them back as a settings file that draws the same figure again.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <string>
#include <vector>

namespace kelvora {

// One XML element, <kelvora:settings>, holding the settings text (base64, so that every byte comes
// back) and the program's version; the same element stands in an SVG's <metadata> and in a PDF's XMP
// packet.
std::string settingselement(const std::string& settings);

// The SVG with a <metadata> element holding settingselement, after its <desc>.
QByteArray withsvgmetadata(const QByteArray& svg, const std::string& settings);

// An XMP packet for a PDF holding settingselement.
QByteArray xmppacket(const std::string& settings);

// Text entries of a picture: the settings element and the program that wrote it (a PNG keeps them; a
// TIFF needs withtiffdescription).
void setimagemetadata(QImage& image, const std::string& settings);

// The TIFF file with an image description (Qt's TIFF writer keeps no text); empty when the bytes are
// not a TIFF this can extend.
QByteArray withtiffdescription(const QByteArray& tiff, const std::string& text);

// The settings text a figure file carries, if any: its settings element, wherever it stands in the
// bytes, or the text entry of a picture.
std::optional<std::string> settingsoffigure(const QByteArray& file);

void configfromhelp();
int runconfigfrom(const std::vector<std::string>& args);

} // namespace kelvora
