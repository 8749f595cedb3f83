#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "config/inifile.h"
#include "locale/systemseparator.h"
#include "model/cliptable.h"
#include "model/crossing.h"
#include "plot/crossingmarker.h"
#include "plot/mouse.h"
#include "plot/redraw.h"
#include "plot/titles.h"
#include "ui/axistitle.h"
#include "ui/crossingreadout.h"
#include "ui/document.h"
#include "ui/limitsbox.h"
#include "ui/mousereadout.h"
#include "ui/parameterpanel.h"
#include "ui/plotview.h"
#include "ui/separatorbox.h"
#include "ui/windowcanvas.h"
#include "ui/yaxischoice.h"

namespace kelvora {

namespace {

// Client area of the window, in twips.
constexpr int clientwidth = 15216;
constexpr int clientheight = 9384;

// The controls' font: small enough for the design's 19-pixel text boxes.
constexpr int controlpixelsize = 11;

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

// Shown over the plot while a button is held on it: the drawing follows the mouse.
constexpr Qt::CursorShape movepointer = Qt::SizeAllCursor;

MouseButton plotbutton(Qt::MouseButton button) {
    return button == Qt::LeftButton    ? MouseButton::left
           : button == Qt::RightButton ? MouseButton::right
                                       : MouseButton::middle;
}

} // namespace

MainWindow::MainWindow(std::filesystem::path settings, QWidget* parent)
    : QMainWindow(parent), document(new Document(this)), sep(systemseparator()),
      settingsfile(settings.empty() ? std::filesystem::path(configfilename) : std::move(settings)) {
    redrawTimer.setSingleShot(true);
    redrawTimer.setInterval(0);
    connect(&redrawTimer, &QTimer::timeout, this, &MainWindow::redraw);
    createcontrols();
    connectcontrols();
    fitplottoview();
    // What an interrupted save of an earlier run left behind.
    removestaletemps(settingsfile);
    createmenus();
    startparameters(false);
    // The file the window works on counts as opened, as a file given to an editor does.
    if (!fileunread) addrecent(settingsfile);
}

MainWindow::~MainWindow() = default;

const ModelState& MainWindow::state() const {
    return document->state();
}

void MainWindow::createcontrols() {
    setWindowTitle(windowcaption);
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
    // The controls stand at their design places on a plain central widget, over the frame lines; the
    // design size is also the smallest, and the plot takes whatever more the window is given.
    canvas = new WindowCanvas(QSize(toolkit::pixels(clientwidth), toolkit::pixels(clientheight)), this);
    setCentralWidget(canvas);
    for (const FrameLine& l : framelines)
        canvas->addline(QLine(toolkit::pixels(l.x1), toolkit::pixels(l.y1), toolkit::pixels(l.x2),
                              toolkit::pixels(l.y2)));

    plotView = new PlotView(canvas);
    toolkit::place(plotView, 360, 0, 8268, 4572);
    ratioTitle = new AxisTitle(QString::fromStdString(yaxistitle(ratioaxis)), true, canvas);
    ratioTitle->setObjectName(QStringLiteral("ratioTitle"));
    toolkit::place(ratioTitle, 120, 1200, 210, 2085);
    // A parameter's title may be longer than the ratio's: its frame runs the plot's full height.
    yTitle = new AxisTitle(QString(), true, canvas);
    yTitle->setObjectName(QStringLiteral("yTitle"));
    toolkit::place(yTitle, 120, 0, 210, 4572);
    yTitle->setlettersof(ratioTitle);
    yTitle->hide();
    xTitle = new AxisTitle(QString::fromStdString(xaxistitle()), false, canvas);
    toolkit::place(xTitle, 2280, 4680, 5220, 300);

    // Beside the plot, and first in the tab order after it: what is plotted and where the curves meet.
    yaxisChoice = new YAxisChoice(canvas);
    crossingReadout = new CrossingReadout(canvas);
    limitsBox = new LimitsBox(canvas);
    defaultButton = new QPushButton(QStringLiteral("&Default"), canvas);
    defaultButton->setObjectName(QStringLiteral("defaultButton"));
    toolkit::place(defaultButton, 13320, 300, 1335, 372);
    defaultButton->setToolTip(QStringLiteral("Go back to the original parameters"));
    readout = new MouseReadout(canvas);
    copyButton = new toolkit::WrapButton(QStringLiteral("&Copy to clipboard"), canvas);
    copyButton->setObjectName(QStringLiteral("copyButton"));
    toolkit::place(copyButton, 12000, 3240, 1092, 612);
    separatorBox = new SeparatorBox(canvas);
    panel = new ParameterPanel(*document, sep, canvas);

    using A = WindowCanvas::Anchor;
    canvas->anchor(plotView, A::grow);
    canvas->anchor(ratioTitle, A::besideplot);
    canvas->anchor(yTitle, A::tallplot);
    canvas->anchor(xTitle, A::underplot);
    for (QWidget* w : std::initializer_list<QWidget*>{yaxisChoice, crossingReadout, limitsBox, defaultButton,
                                                      readout, copyButton, separatorBox})
        canvas->anchor(w, A::right);
    canvas->anchor(panel, A::bottom);
    // The design size, with whatever bars the window holds by now.
    resize(sizeHint());
}

void MainWindow::connectcontrols() {
    connect(document, &Document::changed, this, [this] {
        requestredraw(false);
        updatetitle();
    });
    connect(document, &Document::restored, this, &MainWindow::showwhole);
    connect(panel, &ParameterPanel::parametersChanged, this, [this] { requestredraw(true); });
    connect(limitsBox, &LimitsBox::automaticToggled, this, &MainWindow::onAutomaticToggled);
    connect(limitsBox, &LimitsBox::limitsSet, this, &MainWindow::onLimitsSet);
    connect(defaultButton, &QPushButton::clicked, this, &MainWindow::onDefaultClicked);
    connect(copyButton, &QPushButton::clicked, this, &MainWindow::onCopyClicked);
    connect(plotView, &PlotView::pressed, this, &MainWindow::onPlotPressed);
    connect(plotView, &PlotView::moved, this, &MainWindow::onPlotMoved);
    connect(plotView, &PlotView::released, this, &MainWindow::onPlotReleased);
    connect(plotView, &PlotView::doubleClicked, this, &MainWindow::onPlotDoubleClicked);
    // The same limits, drawn at the density of the screen the window has moved to, or at a new size.
    connect(plotView, &PlotView::rescaled, this, &MainWindow::redraw);
    // A burst of resizes is drawn once: at the next pass of the event loop, or by the paint that comes
    // first (rescaled above), so that no paint shows a picture of the old size.
    connect(plotView, &PlotView::resized, this, [this] {
        fitplottoview();
        requestredraw(false);
    });
    connect(yaxisChoice, &YAxisChoice::yaxisChosen, this, &MainWindow::onYAxisChosen);
    // Whatever put another quantity on the y axis, the window follows it.
    connect(document, &Document::yaxisChanged, this, &MainWindow::showyaxis);
    // An access key gives its button the focus before the button acts (see eventFilter).
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        b->installEventFilter(this);
}

void MainWindow::fitplottoview() {
    // A resize to the size the plot already has (a window shown again) changes nothing.
    if (plot.surfacewidth == plotView->width() && plot.surfaceheight == plotView->height()) return;
    // Rows, table rows, pan and zoom and the readout all follow the plot's size; a pin or a drag made at
    // the old size would point elsewhere now, so they end.
    const QColor back = palette().color(QPalette::Window);
    initplotstate(plot, plotView->width(), plotView->height(),
                  Colour{static_cast<uint8_t>(back.red()), static_cast<uint8_t>(back.green()),
                         static_cast<uint8_t>(back.blue())});
    readout->clear();
}

void MainWindow::showyaxis() {
    const int16_t yaxis = document->state().yaxis;
    yaxisChoice->showyaxis(yaxis);
    // The ratio has its own title picture; any other quantity is named in the same letters.
    ratioTitle->setVisible(yaxis == ratioaxis);
    yTitle->settext(QString::fromStdString(yaxistitle(yaxis)));
    yTitle->setVisible(yaxis != ratioaxis);
    panel->layoutfor(yaxis);
    panel->showparameters();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        menukeys.contains(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()))) {
        // Not taken by the text box: the menu's shortcut runs.
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::Shortcut) {
        // Qt presses a button for its access key without moving the focus. Moving it first leaves a panel
        // box with typed text, which applies that text before the button acts, as a click would.
        auto* target = static_cast<QWidget*>(watched);
        if (target->isEnabled() && target->focusPolicy() != Qt::NoFocus)
            target->setFocus(Qt::ShortcutFocusReason);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::requestredraw(bool mayfit) {
    fitpending = fitpending || mayfit;
    redrawTimer.start();
}

void MainWindow::redraw() {
    // The plot is drawn at the density of the screen it is on; its geometry stays in logical pixels.
    plot.scale = plotView->scale();
    plot.reference = referencestate;
    ModelState s = document->state();
    const bool fitted =
        kelvora::redraw(fitpending, limitsBox->automatic(), s, plot, plotView->surface(), sep);
    fitpending = false;
    if (fitted) readout->clear();
    // Limits fitted to a change belong to its undo step.
    document->settle(s, QStringLiteral("Automatic limits"));
    drawcrossingmarker(s, plot, plotView->surface());
    crossingReadout->showcrossing(s, sep);
    limitsBox->showlimits(
        {s.xmin - plot.xshift, s.xmax - plot.xshift, s.ymin + plot.yshift, s.ymax + plot.yshift}, sep);
    plotView->update();
    // Whatever the fit changed is drawn already.
    redrawTimer.stop();
}

void MainWindow::drawnow() {
    if (redrawTimer.isActive()) redraw();
}

void MainWindow::onAutomaticToggled(bool on) {
    if (on) requestredraw(true);
}

void MainWindow::onLimitsSet(const AxisLimits& limits) {
    ModelState s = document->state();
    setlimits(s, limits);
    plot.pinned = false;
    readout->clear();
    document->apply(s, QStringLiteral("Set axis limits"));
}

void MainWindow::onCopyClicked() {
    drawnow();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(
        QString::fromStdString(cliptable(document->state(), plot.plotheight, separatorBox->choice(), sep)));
}

void MainWindow::onYAxisChosen(int16_t yaxis) {
    // As the same choice in the settings file at start-up: nothing pinned, the limits fitted to the new
    // quantity where fitting is allowed.
    plot.pinned = false;
    readout->clear();
    document->setyaxis(yaxis);
    requestredraw(true);
}

void MainWindow::onPlotPressed(Qt::MouseButton button, QPointF at) {
    mousepress(plot, plotbutton(button), at.x(), at.y());
    plotView->setCursor(movepointer);
}

void MainWindow::onPlotMoved(QPointF at) {
    plot.dblclicked = false;
    if (plot.dragging) {
        // A pan switches to manual limits.
        limitsBox->setautomatic(false);
        limitsBox->setmanualenabled(true);
        plot.pinned = false;
    }
    const ModelState& s = document->state();
    if (!plot.pinned) {
        if (!plot.dragging && insidelimits(s, plot, at.x(), at.y()))
            readout->showreadout(readoutat(s, plot, at.x(), at.y(), sep), false);
        else
            readout->clear();
    }
    if (plot.dragging) {
        dragoffsets(s, plot, at.x(), at.y());
        requestredraw(false);
    }
}

void MainWindow::onPlotReleased(QPointF at) {
    plotView->unsetCursor();
    ModelState s = document->state();
    const Release release = mouserelease(s, plot, at.x(), at.y(), sep);
    if (release.inside)
        readout->showreadout(release.readout, release.enabled);
    else
        readout->clear();
    document->apply(s, QStringLiteral("Move the plot"));
}

void MainWindow::onPlotDoubleClicked() {
    // Beyond the zoom bounds the limits stay and nothing is redrawn; the release that follows redraws.
    ModelState s = document->state();
    if (mousedoubleclick(s, plot)) document->apply(s, QStringLiteral("Zoom"));
}

} // namespace kelvora
