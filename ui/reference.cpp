#include "ui/reference.h"

#include <system_error>

#include "config/startup.h"

namespace kelvora {

bool readreference(const std::filesystem::path& file, ModelState& reference, QString& why) {
    ModelState s;
    std::error_code error;
    switch (startstate(s, file, error)) {
    case ConfigStatus::read:
        reference = s;
        return true;
    case ConfigStatus::absent:
        why = QStringLiteral("there is no such file");
        return false;
    case ConfigStatus::failed:
        why = QString::fromStdString(error.message());
        return false;
    }
    return false;
}

} // namespace kelvora
