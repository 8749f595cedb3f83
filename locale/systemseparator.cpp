#include "locale/systemseparator.h"

#include <QLocale>
#include <QString>

namespace kelvora {

char decimalseparator(std::u16string_view setting) {
    return setting == u"," ? ',' : '.';
}

char systemseparator() {
    const QString setting = QLocale::system().decimalPoint();
    return decimalseparator(std::u16string_view(reinterpret_cast<const char16_t*>(setting.utf16()),
                                                static_cast<std::size_t>(setting.size())));
}

} // namespace kelvora
