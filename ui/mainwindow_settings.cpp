// The window and its settings file: the state brought up at start-up, written back when the window
// closes, and the reset to the built-in defaults.
#include <QCloseEvent>
#include <QFile>
#include <array>
#include <system_error>

#include "config/inifile.h"
#include "config/shownname.h"
#include "config/startup.h"
#include "ui/document.h"
#include "ui/mainwindow.h"
#include "ui/mousereadout.h"

namespace kelvora {

namespace {

const QString resettext = QStringLiteral("Do you want to revert to the original values?");
const QString resettitle = QStringLiteral("Default");
const QString savetitle = QStringLiteral("Kelvora");

// What the questions about a save say, by why the file is written (MainWindow::SaveFor): the way on
// without saving in the text when the save failed, in the text when the file changed on disk, and on
// the button that takes it.
struct SaveWords {
    const char* failed;
    const char* changed;
    const char* discard;
};
constexpr std::array<SaveWords, 3> savewords{{
    {"leave the file as it is?", "leave it as it is", "&Leave it as it is"},
    {"close without saving and lose the changes?", "close without saving", "Close &without saving"},
    {"open the other file without saving and lose the changes?", "open the other file without saving",
     "Open &without saving"},
}};

// Names the file the save went to (the target, for a link) in full, and the system's reason.
QString savefailedtext(const std::filesystem::path& file, const std::error_code& why,
                       const SaveWords& words) {
    std::error_code error;
    std::filesystem::path target = linktarget(file, error);
    if (error) target = file;
    const std::filesystem::path shown = std::filesystem::absolute(target, error);
    return QStringLiteral("The settings could not be saved to\n%1\n(%2).\n\nRetry, or %3")
        .arg(QString::fromStdString(shownname((error ? target : shown).string())),
             QString::fromStdString(why.message()), QLatin1String(words.failed));
}

// Names the file that another window or program wrote since this window read or saved it.
QString changedtext(const std::filesystem::path& file, const SaveWords& words) {
    return QStringLiteral("The settings file\n%1\nchanged on disk since this window read or saved it.\n\n"
                          "Overwrite it with this window's settings, or %2?")
        .arg(QString::fromStdString(shownname(file.string())), QLatin1String(words.changed));
}

} // namespace

void MainWindow::startparameters(bool reset) {
    plot.dragging = false;
    plot.pinned = false;
    plot.dblclicked = false;
    readout->clear();

    // Limits, y-axis index, tables and pKa2 to their defaults, then the file over them when present.
    ModelState s;
    ConfigStatus status = ConfigStatus::absent;
    if (reset) {
        defaultstate(s);
    } else {
        std::error_code error;
        status = startstate(s, settingsfile, error, &settingsstamp);
        fileunread = status == ConfigStatus::failed;
    }
    // A file that exists but cannot be read holds settings this window never saw: it is left alone, by
    // the reset too. Otherwise the reset replaces the file in one step, so a link or the file's
    // permissions survive it; when that fails the old file stays as it was until a later save, and the
    // defaults are in use all the same.
    if (status == ConfigStatus::absent && !fileunread) {
        std::error_code error;
        writeconfigfile(s, ConfigForm::firststart, sep, settingsfile, error, {nullptr, &settingsstamp});
    }
    // What the file holds from now on, to tell unsaved changes.
    savedtext = configtext(s, ConfigForm::atclose, sep);
    // A reset is a change the user can take back; start-up begins the history.
    if (reset)
        document->apply(s, resettitle);
    else
        document->setstate(s);
    showwhole();
    redraw();
}

void MainWindow::showwhole() {
    showyaxis();
    requestredraw(false);
}

void MainWindow::updatetitle() {
    setWindowFilePath(QFile::decodeName(std::filesystem::absolute(settingsfile).c_str()));
    setWindowTitle(QStringLiteral("%1[*] - Kelvora")
                       .arg(QString::fromStdString(shownname(settingsfile.filename().string()))));
    setWindowModified(configtext(document->state(), ConfigForm::atclose, sep) != savedtext);
}

bool MainWindow::savesettings(SaveFor why) {
    drawnow();
    // The window closes or reads another file: not saving lets it go on.
    const bool leaving = why != SaveFor::save;
    if (fileunread) {
        if (!leaving)
            dialogs.warn(this, savetitle,
                         QStringLiteral("The settings file\n%1\ncould not be read and is left as it is; "
                                        "use Save settings as... to keep these settings.")
                             .arg(QString::fromStdString(shownname(settingsfile.string()))));
        return leaving;
    }
    // When the file cannot be written the old one stays as it was; the user decides whether to try
    // again, to go on without saving or to keep the window open and the file in use.
    // A file that another window or program wrote meanwhile is overwritten only when the user says so.
    bool overwrite = false;
    for (;;) {
        std::error_code error;
        if (writeconfigfile(document->state(), ConfigForm::atclose, sep, settingsfile, error,
                            {overwrite ? nullptr : &settingsstamp, &settingsstamp})) {
            savedtext = configtext(document->state(), ConfigForm::atclose, sep);
            updatetitle();
            addrecent(settingsfile);
            return true;
        }
        const bool changed = error == filechanged();
        const SaveWords& words = savewords[static_cast<std::size_t>(why)];
        const QString discard = QLatin1String(words.discard);
        const toolkit::SaveAnswer answer =
            changed ? overwritequestion(this, changedtext(settingsfile, words), savetitle, discard)
                    : savequestion(this, savefailedtext(settingsfile, error, words), savetitle, discard);
        overwrite = overwrite || answer == toolkit::SaveAnswer::Overwrite;
        if (answer == toolkit::SaveAnswer::Retry || answer == toolkit::SaveAnswer::Overwrite) continue;
        return leaving && answer != toolkit::SaveAnswer::Cancel;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Qt reports no close from the task manager: ending the process there never gets here, which leaves
    // the file as it was.
    if (savesettings())
        event->accept();
    else
        event->ignore();
}

void MainWindow::onDefaultClicked() {
    if (resetquestion(this, resettext, resettitle) != toolkit::Answer::OK) return;
    startparameters(true);
}

} // namespace kelvora
