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
#include "config/startup.h"
#include "ui/form1.h"
#include "ui/plotwidget.h"

namespace kelvora {

namespace {

const QString resetquestion = QStringLiteral("Do you want to revert to the original values?");
const QString resettitle = QStringLiteral("Default");

// Close reasons: the window's close box, a close by the program, and the task manager ending it.
constexpr int16_t closebycontrolmenu = 0;
constexpr int16_t closebytaskmanager = 3;

bool present(const std::filesystem::path& file) {
    // Hidden files count; so does a dangling link of that name.
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(file, error));
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

    const QColor back = palette().color(QPalette::Window);
    initplotstate(plot, width, height,
                  Colour{static_cast<uint8_t>(back.red()), static_cast<uint8_t>(back.green()),
                         static_cast<uint8_t>(back.blue())});
    model.faraday = faradayconstant;
    model.gas = gasconstant;
    model.kelvin = kelvinoffset;

    QObject::connect(cmdDefault, &QPushButton::clicked, this, [this] { cmdDefault_Click(); });

    initparameters();
}

void Form1::initparameters() {
    plot.dragging = 0;
    plot.pinned = 0;
    plot.dblclicked = 0;

    Text1->setEnabled(false);
    Text1->clear();
    Text2->setEnabled(false);
    Text2->clear();

    plot.settingboxes = 0;
    applying = 0;

    // Limits, y-axis index, tables and pKa2 to their defaults, then the file over them when present.
    const ConfigStatus status = startstate(model, configfile);
    for (int i = 0; i <= lastindex; ++i) {
        lbName[i]->setText(QString::fromUtf8(parametername(i)));
        lbUnit[i]->setText(QString::fromUtf8(parameterunit(i)));
    }
    if (Combo1->count() < 2) {
        for (int entry = 0; entry < yaxisentries; ++entry)
            Combo1->addItem(QString::fromStdString(yaxistext(entry)));
    }
    // A file that exists but cannot be read is left alone; closing the window replaces it.
    if (status == ConfigStatus::absent) writeconfigfile(model, ConfigForm::firststart, sep, configfile);

    Combo1->setCurrentIndex(model.yaxis + 1);

    panellayout();
    setsliders();
    fastdraw(0);
    toolkit::processpending();
    textrefresh();
    plot.settingboxes = 0;
}

void Form1::Form_QueryUnload(int16_t& /*cancel*/, int16_t reason) {
    if (reason == closebytaskmanager) return;
    // When the file cannot be written the old one stays as it was; the close goes on all the same.
    writeconfigfile(model, ConfigForm::atclose, sep, configfile);
}

void Form1::closeEvent(QCloseEvent* event) {
    // Qt reports no close from the task manager: ending the process there never gets here, which leaves
    // the file as it was.
    int16_t cancel = 0;
    Form_QueryUnload(cancel, closebycontrolmenu);
    event->accept();
}

void Form1::cmdDefault_Click() {
    if (question(this, resetquestion, resettitle) != toolkit::Answer::OK) return;
    // Only a file is deleted: a directory of that name is the user's and stays (nothing can be read
    // from it or written over it, so the defaults then simply stay in memory).
    std::error_code error;
    if (present(configfile) && !std::filesystem::is_directory(configfile, error))
        std::filesystem::remove(configfile, error);
    initparameters();
}

} // namespace kelvora
