// The program's window: the plot with its titles, the axis limits, the mouse readout, the clipboard
// copy with its separator choice, and the parameter panel, all showing one document. It brings the
// settings file in at start-up and writes it back when it closes.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <filesystem>

#include "config/safefile.h"
#include "model/parameters.h"
#include "plot/plotstate.h"
#include "ui/toolkit.h"

class QPushButton;

namespace kelvora {

class AxisTitle;
class CrossingReadout;
class Document;
class LimitsBox;
class MouseReadout;
class ParameterPanel;
class PlotView;
class SeparatorBox;
class WindowCanvas;
class YAxisChoice;
struct AxisLimits;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // settings: the settings file to read and write; empty means Kelvora.ini in the working directory.
    explicit MainWindow(std::filesystem::path settings = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // For tests: what the window shows, and the questions answered without a modal box.
    const ModelState& state() const;
    const PlotState& plotstate() const { return plot; }
    char decimalseparator() const { return sep; }
    void setresetquestion(toolkit::Question question) { resetquestion = std::move(question); }
    void setsavequestion(toolkit::SaveQuestion question) { savequestion = std::move(question); }
    void setoverwritequestion(toolkit::SaveQuestion question) { overwritequestion = std::move(question); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The buttons' access keys, which move the focus first.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createcontrols();
    void connectcontrols();
    // Start-up, or with reset the built-in defaults written over the file instead of reading it.
    void startparameters(bool reset);
    // Writes the settings file before the window closes; false: the user chose to keep it open.
    bool savesettings();

    // A redraw at the next pass of the event loop: a burst of changes is drawn once, with the latest
    // state. mayfit: one of them allows the limits to be re-fitted.
    void requestredraw(bool mayfit);
    void redraw();
    // The plot's geometry for the plot view's present size: at start-up and after every resize.
    void fitplottoview();
    // Titles, panel columns and the y-axis choice for the document's y-axis quantity.
    void showyaxis();

    void onDefaultClicked();
    void onAutomaticToggled(bool on);
    void onLimitsSet(const AxisLimits& limits);
    void onCopyClicked();
    void onYAxisChosen(int16_t yaxis);
    void onPlotPressed(Qt::MouseButton button, QPointF at);
    void onPlotMoved(QPointF at);
    void onPlotReleased(QPointF at);
    void onPlotDoubleClicked();

    Document* document;
    PlotState plot;
    char sep = '.'; // decimal separator of the regional settings, read once
    std::filesystem::path settingsfile;
    // The file existed at start-up but could not be read: it holds settings this window never saw, so
    // neither the reset nor closing writes over it.
    bool fileunread = false;
    toolkit::Question resetquestion = toolkit::askokcancel;
    toolkit::SaveQuestion savequestion = toolkit::askretry;
    // The question when the file changed on disk since this window read or saved it.
    toolkit::SaveQuestion overwritequestion = toolkit::askoverwrite;
    FileStamp settingsstamp; // the file as this window read or saved it last

    QTimer redrawTimer;
    bool fitpending = false;

    WindowCanvas* canvas = nullptr;
    PlotView* plotView = nullptr;
    YAxisChoice* yaxisChoice = nullptr;
    CrossingReadout* crossingReadout = nullptr;
    AxisTitle* xTitle = nullptr;     // Image1, under the plot
    AxisTitle* ratioTitle = nullptr; // Image2, left of the plot, for the ratio only
    AxisTitle* yTitle = nullptr;     // Image3, a parameter on the y axis, in the ratio title's letters
    LimitsBox* limitsBox = nullptr;
    QPushButton* defaultButton = nullptr;
    MouseReadout* readout = nullptr;
    QPushButton* copyButton = nullptr;
    SeparatorBox* separatorBox = nullptr;
    ParameterPanel* panel = nullptr;
};

} // namespace kelvora
