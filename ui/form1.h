// The program's one window. It owns every control and all state: the parameter tables and settings, the
// plot state and the guard flags. Its handlers live in files by concern:
//   form1.cpp          the controls at their design positions, captions, frame lines
//   form1_startup.cpp  Form_Load, initparameters, closing, the reset button
//   form1_panel.cpp    panellayout, textrefresh
//   form1_sliders.cpp  setsliders, Slider_Scroll, Slider_Change
//   form1_entry.cpp    the value, minimum and maximum boxes
//   form1_plot.cpp     the redraw of Picture1
//   form1_limits.cpp   the automatic toggle, the four typed axis limits and Set
//   form1_mouse.cpp    pan, zoom, the position readout and the pinned marker on Picture1
//   form1_clipboard.cpp the clipboard table and its two separator check boxes
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>

#include "config/safefile.h"
#include "model/entry.h"
#include "model/parameters.h"
#include "plot/plotstate.h"
#include "ui/toolkit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace kelvora {

class AxisTitle;
class PlotWidget;

class Form1 : public QWidget {
  public:
    // settings: the configuration file to read and write; empty means Kelvora.ini in the working
    // directory.
    explicit Form1(QWidget* parent = nullptr, std::filesystem::path settings = {});
    ~Form1() override;

    // ---- State -------------------------------------------------------------------------------------
    ModelState model;      // parameter tables, settings and model constants
    PlotState plot;        // plot geometry, colours, pan offsets, mouse flags, settingboxes
    bool applying = false; // an entry procedure is running: its own slider and text changes keep colours
    std::filesystem::path
        configfile; // the configuration file; by default its bare name: the working directory
    char sep = '.'; // decimal separator of the regional settings, read once

    // The reset question. Tests replace it to answer without a modal box.
    toolkit::Question question = toolkit::askokcancel;
    // The question when the close cannot save the file. Tests replace it the same way.
    toolkit::SaveQuestion savequestion = toolkit::askretry;
    // The question when the file changed on disk since this window read or saved it.
    toolkit::SaveQuestion overwritequestion = toolkit::askoverwrite;
    FileStamp configstamp; // the file as this window read or saved it last
    // The file existed at start-up but could not be read: it holds settings this window never saw, so
    // neither the reset nor closing writes over it.
    bool fileunread = false;

    // ---- Controls ----------------------------------------------------------------------------------
    PlotWidget* Picture1 = nullptr;
    AxisTitle* Image1 = nullptr; // x-axis title under the plot
    AxisTitle* Image2 = nullptr; // y-axis title left of the plot, shown for the ratio only
    AxisTitle* Image3 = nullptr; // y-axis title of a parameter on the y axis, in Image2's letters
    // Labels that only show a caption; the comment gives the name each has in the window's design.
    QLabel* screensetupcaption = nullptr; // Label12
    QPushButton* cmdAuto = nullptr;       // check box drawn as a toggle button
    QLabel* manualsetupcaption = nullptr; // Label19
    QLabel* ymincaption = nullptr;        // Label15
    QLabel* ymaxcaption = nullptr;        // Label16
    QLineEdit* tbymin = nullptr;
    QLineEdit* tbymax = nullptr;
    QLabel* xmincaption = nullptr; // Label17
    QLabel* xmaxcaption = nullptr; // Label18
    QLineEdit* tbxmin = nullptr;
    QLineEdit* tbxmax = nullptr;
    QPushButton* cmdSet = nullptr;
    QPushButton* cmdDefault = nullptr;
    QLabel* mousepositioncaption = nullptr; // Label3
    QLabel* readoutxcaption = nullptr;      // Label1
    QLineEdit* Text1 = nullptr;
    QLabel* readoutycaption = nullptr; // Label2
    QLineEdit* Text2 = nullptr;
    QPushButton* cmdClipboard = nullptr;
    QCheckBox* cbDot = nullptr;
    QCheckBox* cbComma = nullptr;
    QLabel* slidermaxcaption = nullptr; // Label11
    QLabel* slidermincaption = nullptr; // Label14
    QComboBox* Combo1 = nullptr;        // the y-axis list; never shown

    // The parameter panel: element i of each array belongs to parameter i. Element 0 exists from the
    // start; Form_Load creates 1 to lastindex as hidden copies.
    std::array<QLineEdit*, lastindex + 1> tbMax{};
    std::array<QSlider*, lastindex + 1> Slider{};
    std::array<QLineEdit*, lastindex + 1> tbMin{};
    std::array<QLabel*, lastindex + 1> lbName{};
    std::array<QLabel*, lastindex + 1> lbUnit{};
    std::array<QLineEdit*, lastindex + 1> tbValue{};

    // ---- Start-up, shutdown, reset -----------------------------------------------------------------
    void Form_Load();
    void initparameters();
    // Why the window closes: its close box, or the operating system's task manager ending the program
    // (the file is then left alone).
    enum class CloseReason { controlmenu, taskmanager };
    // Writes the file before the window closes; cancel: the user chose to keep the window open.
    void Form_QueryUnload(bool& cancel, CloseReason reason);
    void cmdDefault_Click();

    // ---- Panel -------------------------------------------------------------------------------------
    void panellayout();
    void textrefresh();

    // ---- Sliders -----------------------------------------------------------------------------------
    void setsliders();
    void Slider_Scroll(int index);
    void Slider_Change(int index);

    // ---- Value and range entry ---------------------------------------------------------------------
    // key: the Qt::Key of the press; Enter applies the box, Escape restores the stored number.
    void tbValue_KeyPress(int index, int key);
    void tbValue_Validate(int index);
    void tbValue_Change(int index);
    void tbMin_KeyPress(int index, int key);
    void tbMin_Validate(int index);
    void tbMax_KeyPress(int index, int key);
    void tbMax_Validate(int index);
    void applyvalue(int index, bool fromtext);
    void applyminimum(int index);
    void applymaximum(int index);

    // ---- Plot --------------------------------------------------------------------------------------
    // Redraws the plot and writes the visible limits into the axis boxes; with autoflag the limits may
    // be fitted first (the automatic toggle, or a curve that never came into view).
    void fastdraw(bool autoflag);

    // ---- Axis limits -------------------------------------------------------------------------------
    void cmdAuto_Click();
    void checklimits();
    void cmdSet_Click();
    void tbxmin_Change();
    void tbxmax_Change();
    void tbymin_Change();
    void tbymax_Change();

    // ---- Mouse on the plot -------------------------------------------------------------------------
    // button: the button pressed or released, or those held during a move; X, Y in surface pixels.
    void Picture1_MouseDown(Qt::MouseButtons button, Qt::KeyboardModifiers shift, float X, float Y);
    void Picture1_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, float X, float Y);
    void Picture1_MouseUp(Qt::MouseButtons button, Qt::KeyboardModifiers shift, float X, float Y);
    void Picture1_DblClick();

    // ---- Clipboard ---------------------------------------------------------------------------------
    void cmdClipboard_Click();
    void cbComma_Click();
    void cbDot_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The panel boxes' keys and focus loss, and the buttons' access keys, which move the focus first.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createcontrols();
    // Connects the handlers of the set-up area and of the plot surface to their controls.
    void connectcontrols();
    // After a minimum or maximum entry: the boxes the model corrected in red, then sliders, boxes and plot.
    void showrange(int index, const RedMarks& marks);
    // Enables or disables Set and the four limit boxes together.
    void enablelimitboxes(bool enabled);
    // Disables and empties the mouse readout boxes Text1 and Text2.
    void clearreadout();
    void connectpanel(int index);
    // initparameters, or with reset the built-in defaults written over the file instead of reading it.
    void startparameters(bool reset);
    // The panel box an event came from: which array, and the index in it.
    enum class PanelBox { none, value, minimum, maximum };
    std::pair<PanelBox, int> panelbox(const QObject* watched) const;
};

} // namespace kelvora
