// The modal dialogs of the menus (file choosers, messages) and the desktop's document viewer, behind
// functions a test replaces so that it runs without a modal box.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace kelvora {

struct Dialogs {
    // A file to read; empty when the user cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& filters)> openfile;
    // A file to write; empty when the user cancelled. filter: the filter chosen, in and out.
    std::function<QString(QWidget* parent, const QString& title, const QString& suggested,
                          const QString& filters, QString* filter)>
        savefile;
    // A message with the warning icon, and one with the information icon.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> warn;
    std::function<void(QWidget* parent, const QString& title, const QString& text)> inform;
    // Opens a document in the desktop's viewer; false when nothing could open it.
    std::function<bool(const QUrl& url)> openurl;
};

// Qt's standard dialogs and QDesktopServices.
Dialogs standarddialogs();

} // namespace kelvora
