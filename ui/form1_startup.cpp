// Opening the window, bringing up the state in its order, closing with the settings kept, and the
// reset to the built-in defaults.
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <system_error>

#include "config/inifile.h"
#include "config/shownname.h"
#include "config/startup.h"
#include "plot/titles.h"
#include "ui/form1.h"
#include "ui/plotwidget.h"

namespace kelvora {

namespace {

const QString resetquestion = QStringLiteral("Do you want to revert to the original values?");
const QString resettitle = QStringLiteral("Default");
const QString savetitle = QStringLiteral("Kelvora");

// Names the file the save went to (the target, for a link) in full, and the system's reason.
QString savefailedtext(const std::filesystem::path& file, const std::error_code& why) {
    std::error_code error;
    std::filesystem::path target = linktarget(file, error);
    if (error) target = file;
    const std::filesystem::path shown = std::filesystem::absolute(target, error);
    return QStringLiteral("The settings could not be saved to\n%1\n(%2).\n\n"
                          "Retry, or close without saving and lose the changes?")
        .arg(QString::fromStdString(shownname((error ? target : shown).string())),
             QString::fromStdString(why.message()));
}

// Names the file that another window or program wrote since this window read or saved it.
QString changedtext(const std::filesystem::path& file) {
    return QStringLiteral("The settings file\n%1\nchanged on disk since this window read or saved it.\n\n"
                          "Overwrite it with this window's settings, or close without saving?")
        .arg(QString::fromStdString(shownname(file.string())));
}

} // namespace

void Form1::Form_Load() {
    if (configfile.empty()) configfile = configfilename;

    const int width = Picture1->width();
    const int height = Picture1->height();

    // The panel's columns 1 to lastindex, copies of column 0 that panellayout places and shows.
    connectpanel(0);
    for (int i = 1; i <= lastindex; ++i) {
        Slider[i] = toolkit::copyof(Slider[0]);
        tbMax[i] = toolkit::copyof(tbMax[0]);
        tbMin[i] = toolkit::copyof(tbMin[0]);
        lbName[i] = toolkit::copyof(lbName[0]);
        tbValue[i] = toolkit::copyof(tbValue[0]);
        lbUnit[i] = toolkit::copyof(lbUnit[0]);
        connectpanel(i);
    }
    // The labels show name and unit in small letters; the tool tip gives both at the usual size.
    for (int i = 0; i <= lastindex; ++i) {
        const QString full = QString::fromStdString(yaxistitle(static_cast<int16_t>(i)));
        lbName[i]->setToolTip(full);
        lbUnit[i]->setToolTip(full);
    }

    const QColor back = palette().color(QPalette::Window);
    initplotstate(plot, width, height,
                  Colour{static_cast<uint8_t>(back.red()), static_cast<uint8_t>(back.green()),
                         static_cast<uint8_t>(back.blue())});
    model.faraday = faradayconstant;
    model.gas = gasconstant;
    model.kelvin = kelvinoffset;

    QObject::connect(cmdDefault, &QPushButton::clicked, this, [this] { cmdDefault_Click(); });

    // What an interrupted save of an earlier run left behind.
    removestaletemps(configfile);
    initparameters();
}

void Form1::initparameters() {
    startparameters(false);
}

void Form1::startparameters(bool reset) {
    plot.dragging = false;
    plot.pinned = false;
    plot.dblclicked = false;

    Text1->setEnabled(false);
    Text1->clear();
    Text2->setEnabled(false);
    Text2->clear();

    plot.settingboxes = false;
    applying = false;

    // Limits, y-axis index, tables and pKa2 to their defaults, then the file over them when present.
    ConfigStatus status = ConfigStatus::absent;
    if (reset) {
        defaultstate(model);
    } else {
        std::error_code error;
        status = startstate(model, configfile, error, &configstamp);
        fileunread = status == ConfigStatus::failed;
    }
    for (int i = 0; i <= lastindex; ++i) {
        lbName[i]->setText(QString::fromUtf8(parametername(i)));
        lbUnit[i]->setText(QString::fromUtf8(parameterunit(i)));
    }
    if (Combo1->count() < 2) {
        for (int entry = 0; entry < yaxisentries; ++entry)
            Combo1->addItem(QString::fromStdString(yaxistext(entry)));
    }
    // A file that exists but cannot be read holds settings this window never saw: it is left alone, by
    // the reset too. Otherwise the reset replaces the file in one step, so a link or the file's
    // permissions survive it; when that fails the old file stays as it was until a later save, and the
    // defaults are in use all the same.
    if (status == ConfigStatus::absent && !fileunread) {
        std::error_code error;
        writeconfigfile(model, ConfigForm::firststart, sep, configfile, error, {nullptr, &configstamp});
    }

    Combo1->setCurrentIndex(model.yaxis + 1);

    panellayout();
    setsliders();
    fastdraw(false);
    toolkit::processpending();
    textrefresh();
    plot.settingboxes = false;
}

void Form1::Form_QueryUnload(bool& cancel, CloseReason reason) {
    if (reason == CloseReason::taskmanager) return;
    if (fileunread) return;
    // When the file cannot be written the old one stays as it was; the user decides whether to try
    // again, to close without saving or to keep the window open.
    // A file that another window or program wrote meanwhile is overwritten only when the user says so.
    bool overwrite = false;
    for (;;) {
        std::error_code error;
        if (writeconfigfile(model, ConfigForm::atclose, sep, configfile, error,
                            {overwrite ? nullptr : &configstamp, &configstamp}))
            return;
        const bool changed = error == filechanged();
        const toolkit::SaveAnswer answer =
            changed ? overwritequestion(this, changedtext(configfile), savetitle)
                    : savequestion(this, savefailedtext(configfile, error), savetitle);
        overwrite = overwrite || answer == toolkit::SaveAnswer::Overwrite;
        if (answer == toolkit::SaveAnswer::Retry || answer == toolkit::SaveAnswer::Overwrite) continue;
        if (answer == toolkit::SaveAnswer::Cancel) cancel = true;
        return;
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    // Qt reports no close from the task manager: ending the process there never gets here, which leaves
    // the file as it was.
    bool cancel = false;
    Form_QueryUnload(cancel, CloseReason::controlmenu);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void Form1::cmdDefault_Click() {
    if (question(this, resetquestion, resettitle) != toolkit::Answer::OK) return;
    startparameters(true);
}

} // namespace kelvora
