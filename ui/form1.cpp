// The window's static make-up: every control that exists from the start, at its design position in
// twips, with its caption, and the frame lines that group the set-up area.
#include "ui/form1.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <utility>

#include "locale/systemseparator.h"
#include "plot/titles.h"
#include "ui/axistitle.h"
#include "ui/plotwidget.h"

namespace kelvora {

namespace {

// Client area of the window, in twips.
constexpr int clientwidth = 15216;
constexpr int clientheight = 9384;

// The separator check boxes reach to the window's edge: at the design width of 1212 twips the
// toolkit's box and font cut "use Comma" short.
constexpr int separatorboxwidth = clientwidth - 13440;

// The controls' font: small enough for the design's 19-pixel text boxes.
constexpr int controlpixelsize = 11;

// The panel's name and unit labels in a condensed face a pixel smaller than the controls' font: the
// longest names ("KM(adp)out") and units ("10^(-x) M") then fit their labels and keep clear of the
// neighbouring columns' texts, also where the columns stand closest.
constexpr const char* panellabelfamily = "DejaVu Sans Condensed";
constexpr int panellabelpixelsize = 10;

const QString windowcaption = QStringLiteral("Kelvora");

// Lines between the groups of the set-up area, from (x1, y1) to (x2, y2) in twips.
struct FrameLine {
    int x1, y1, x2, y2;
};
constexpr std::array<FrameLine, 8> framelines{{
    {15240, 4920, 15240, 0},    // Line3
    {8640, -840, 8640, 4080},   // Line6
    {8640, 4080, 10800, 4080},  // Line7
    {10800, 4080, 15240, 4080}, // Line9
    {11400, 4080, 11400, 0},    // Line8
    {8640, 1440, 11400, 1440},  // Line5
    {11400, 960, 15240, 960},   // Line1
    {11400, 2880, 15240, 2880}, // Line10
}};
const QColor framecolour(0, 0, 0);

// A control of kind Control with its caption or text, placed at a design position in twips.
template <typename Control>
Control* placed(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    auto* control = new Control(text, parent);
    toolkit::place(control, left, top, width, height);
    return control;
}

QLabel* label(QWidget* parent, const QString& caption, int left, int top, int width, int height) {
    return placed<QLabel>(parent, caption, left, top, width, height);
}

QLineEdit* textbox(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    return placed<QLineEdit>(parent, text, left, top, width, height);
}

QPushButton* button(QWidget* parent, const QString& caption, int left, int top, int width, int height) {
    return placed<QPushButton>(parent, caption, left, top, width, height);
}

QCheckBox* checkbox(QWidget* parent, const QString& caption, int left, int top, int width, int height) {
    return placed<QCheckBox>(parent, caption, left, top, width, height);
}

} // namespace

Form1::Form1(QWidget* parent, std::filesystem::path settings)
    : QWidget(parent), configfile(std::move(settings)) {
    sep = systemseparator();
    createcontrols();
    connectcontrols();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createcontrols() {
    setWindowTitle(windowcaption);
    setFixedSize(toolkit::pixels(clientwidth), toolkit::pixels(clientheight));
    // The window's background is the plot's margin colour, so that the plot sits in the window without
    // a seam and looks the same as an exported image.
    QPalette pal = palette();
    const Colour back = plotcolours::background;
    pal.setColor(QPalette::Window, QColor(back.r, back.g, back.b));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont controlfont = font();
    controlfont.setPixelSize(controlpixelsize);
    setFont(controlfont);

    // The plot and its titles.
    Picture1 = new PlotWidget(this);
    toolkit::place(Picture1, 360, 0, 8268, 4572);
    Image2 = new AxisTitle(QString::fromStdString(yaxistitle(ratioaxis)), true, this);
    toolkit::place(Image2, 120, 1200, 210, 2085);
    // A parameter's title may be longer than the ratio's: its frame runs the plot's full height.
    Image3 = new AxisTitle(QString(), true, this);
    toolkit::place(Image3, 120, 0, 210, 4572);
    Image3->setlettersof(Image2);
    Image3->hide();
    Image1 = new AxisTitle(QString::fromStdString(xaxistitle()), false, this);
    toolkit::place(Image1, 2280, 4680, 5220, 300);

    // Automatic and manual axis limits.
    screensetupcaption = label(this, QStringLiteral("Screen setup"), 8760, 240, 1692, 252);
    cmdAuto = button(this, QStringLiteral("Automatic off"), 9480, 720, 1212, 372);
    cmdAuto->setCheckable(true);
    manualsetupcaption = label(this, QStringLiteral("Manual setup"), 8760, 1680, 1812, 252);
    ymincaption = label(this, QStringLiteral("Y min"), 8760, 2040, 732, 252);
    ymaxcaption = label(this, QStringLiteral("Y max"), 10080, 2040, 612, 252);
    tbymin = textbox(this, QString(), 8760, 2280, 1095, 288);
    tbymax = textbox(this, QString(), 10080, 2280, 1095, 288);
    xmincaption = label(this, QStringLiteral("X min"), 8760, 2760, 732, 252);
    xmaxcaption = label(this, QStringLiteral("X max"), 10080, 2760, 612, 252);
    tbxmin = textbox(this, QString(), 8760, 3000, 1095, 288);
    tbxmax = textbox(this, QString(), 10080, 3000, 1095, 288);
    cmdSet = button(this, QStringLiteral("Set"), 10200, 3480, 975, 372);

    // Reset, mouse position, clipboard.
    cmdDefault = button(this, QStringLiteral("&Default"), 13320, 300, 1335, 372);
    cmdDefault->setToolTip(QStringLiteral("Go back to the original parameters"));
    mousepositioncaption = label(this, QStringLiteral("Mouse position:"), 11640, 1200, 1812, 372);
    readoutxcaption = label(this, QStringLiteral("X"), 11880, 1800, 372, 252);
    Text1 = textbox(this, QString(), 12120, 1800, 1215, 288);
    readoutycaption = label(this, QStringLiteral("Y"), 11880, 2280, 372, 252);
    Text2 = textbox(this, QString(), 12120, 2280, 1215, 288);
    // The readout boxes are disabled most of the time, yet they are there to be read.
    toolkit::legiblewhendisabled(Text1);
    toolkit::legiblewhendisabled(Text2);
    cmdClipboard = new toolkit::WrapButton(QStringLiteral("&Copy to clipboard"), this);
    toolkit::place(cmdClipboard, 12000, 3240, 1092, 612);
    cbDot = checkbox(this, QStringLiteral("use Point"), 13440, 3240, separatorboxwidth, 192);
    cbComma = checkbox(this, QStringLiteral("use Comma"), 13440, 3600, separatorboxwidth, 192);
    toolkit::fitindicator(cbDot);
    toolkit::fitindicator(cbComma);

    // Row captions of the panel.
    slidermaxcaption = label(this, QStringLiteral("Max"), 120, 5400, 375, 255);
    slidermincaption = label(this, QStringLiteral("Min"), 120, 8040, 375, 255);

    // The y-axis list, kept as a list of texts and never shown.
    Combo1 = new QComboBox(this);
    Combo1->hide();

    // Element 0 of every panel array; the others are copied from these in Form_Load.
    tbMax[0] = textbox(this, QStringLiteral("max"), 480, 5400, 612, 288);
    Slider[0] = toolkit::verticalslider(this);
    toolkit::place(Slider[0], 600, 5760, 495, 2295);
    tbMin[0] = textbox(this, QStringLiteral("min"), 480, 8040, 612, 288);
    QFont labelfont = font();
    labelfont.setFamily(QString::fromLatin1(panellabelfamily));
    labelfont.setPixelSize(panellabelpixelsize);
    lbName[0] = label(this, QStringLiteral("lbName"), 360, 8400, 975, 255);
    lbName[0]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lbName[0]->setFont(labelfont);
    lbUnit[0] = label(this, QStringLiteral("lbUnit"), 480, 8640, 735, 255);
    lbUnit[0]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lbUnit[0]->setFont(labelfont);
    tbValue[0] = textbox(this, QStringLiteral("0"), 480, 8880, 612, 288);
    QFont bold = tbValue[0]->font();
    bold.setBold(true);
    tbValue[0]->setFont(bold);
}

void Form1::connectcontrols() {
    // Check boxes and text boxes report the program's own changes too, as their handlers expect.
    toolkit::onclick(cmdAuto, [this] { cmdAuto_Click(); });
    QObject::connect(cmdSet, &QPushButton::clicked, this, [this] { cmdSet_Click(); });
    toolkit::onchange(tbxmin, [this] { tbxmin_Change(); });
    toolkit::onchange(tbxmax, [this] { tbxmax_Change(); });
    toolkit::onchange(tbymin, [this] { tbymin_Change(); });
    toolkit::onchange(tbymax, [this] { tbymax_Change(); });

    Picture1->onmousedown = [this](Qt::MouseButtons button, Qt::KeyboardModifiers shift, float x, float y) {
        Picture1_MouseDown(button, shift, x, y);
    };
    Picture1->onmousemove = [this](Qt::MouseButtons button, Qt::KeyboardModifiers shift, float x, float y) {
        Picture1_MouseMove(button, shift, x, y);
    };
    Picture1->onmouseup = [this](Qt::MouseButtons button, Qt::KeyboardModifiers shift, float x, float y) {
        Picture1_MouseUp(button, shift, x, y);
    };
    Picture1->ondblclick = [this] { Picture1_DblClick(); };
    // A redraw at the same limits, at the density of the screen the window has moved to.
    Picture1->onrescale = [this] { fastdraw(false); };

    QObject::connect(cmdClipboard, &QPushButton::clicked, this, [this] { cmdClipboard_Click(); });
    toolkit::onclick(cbComma, [this] { cbComma_Click(); });
    toolkit::onclick(cbDot, [this] { cbDot_Click(); });

    // Enter in a limit box does what a click on Set does, and nothing while Set is disabled.
    for (QLineEdit* box : {tbxmin, tbxmax, tbymin, tbymax})
        QObject::connect(box, &QLineEdit::returnPressed, this, [this] {
            if (cmdSet->isEnabled()) cmdSet_Click();
        });

    // An access key gives its button the focus before the button acts (see eventFilter).
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        b->installEventFilter(this);
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(framecolour);
    for (const FrameLine& l : framelines)
        painter.drawLine(toolkit::pixels(l.x1), toolkit::pixels(l.y1), toolkit::pixels(l.x2),
                         toolkit::pixels(l.y2));
}

} // namespace kelvora
