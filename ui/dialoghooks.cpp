#include "ui/dialoghooks.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace kelvora {

Dialogs standarddialogs() {
    Dialogs d;
    d.openfile = [](QWidget* parent, const QString& title, const QString& filters) {
        return QFileDialog::getOpenFileName(parent, title, QString(), filters);
    };
    d.savefile = [](QWidget* parent, const QString& title, const QString& suggested, const QString& filters,
                    QString* filter) {
        return QFileDialog::getSaveFileName(parent, title, suggested, filters, filter);
    };
    d.warn = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::warning(parent, title, text);
    };
    d.inform = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::about(parent, title, text);
    };
    d.openurl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return d;
}

} // namespace kelvora
