// The program's window: the plot with its titles, the axis limits, the mouse readout, the clipboard
// copy with its separator choice, and the parameter panel, all showing one document. It brings the
// settings file in at start-up and writes it back when it closes; its menus open and save settings
// files, export figures and tables, undo and redo, and keep curves for comparison.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/safefile.h"
#include "model/parameters.h"
#include "plot/plotstate.h"
#include "ui/dialoghooks.h"
#include "ui/toolkit.h"

class QAction;
class QActionGroup;
class QMenu;
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
    void setdialogs(Dialogs d) { dialogs = std::move(d); }
    const std::filesystem::path& settingspath() const { return settingsfile; }
    const std::optional<ModelState>& reference() const { return referencestate; }
    // The settings files opened or saved lately, in this window or an earlier one: absolute names as
    // bytes, newest first.
    const std::vector<std::string>& recentfiles() const { return recent; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The buttons' access keys, which move the focus first; the menus' shortcuts over the text boxes.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createcontrols();
    void connectcontrols();
    // Start-up, or with reset the built-in defaults written over the file instead of reading it.
    void startparameters(bool reset);
    // Why the settings file is written: the user's Save, the window closing, another file opened.
    enum class SaveFor { save, close, open };
    // Writes the settings file now. False: the user chose to keep the window open or the file in use
    // (or, for a Save, the file was not written).
    bool savesettings(SaveFor why = SaveFor::close);
    // Every view shows the whole document: at start-up, after undo and redo, after a file is opened.
    void showwhole();
    // The title names the settings file and marks settings that differ from it.
    void updatetitle();

    // The menus, in mainwindow_menus.cpp.
    void createmenus();
    // Text typed into the box with the focus and not entered yet counts for a menu entry, as for a click
    // elsewhere: the box is entered as if left.
    void taketyping();
    void opensettings(const std::filesystem::path& file);
    void onOpenSettings();
    void onSaveSettingsAs();
    void onExportFigure();
    void onExportTable();
    void onKeepReference();
    void onReferenceFromFile();
    void onAbout();
    void onModelDocument();
    void addrecent(const std::filesystem::path& file);
    void openrecent(const std::string& name);
    // The list stored for the next session too, and shown in the menu.
    void keeprecent(std::vector<std::string> names);
    void showrecent();
    // The stored list, or this window's own when none can be read.
    std::vector<std::string> latestrecent() const;
    // A name from a file dialog as the bytes of a path; nothing (after a message) when the name has no
    // such bytes.
    std::optional<std::filesystem::path> pathof(const QString& name);
    // Writes a figure or table file through the safe writer; false after a message naming the file and
    // the reason.
    bool writeexport(const std::filesystem::path& file, const std::string& bytes);

    // A redraw at the next pass of the event loop: a burst of changes is drawn once, with the latest
    // state. mayfit: one of them allows the limits to be re-fitted.
    void requestredraw(bool mayfit);
    void redraw();
    // The redraw still waiting, made now: it may re-fit the limits, and what is copied, saved or exported
    // is the state the window shows.
    void drawnow();
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
    std::string savedtext;   // the settings as the file holds them, to tell unsaved changes
    Dialogs dialogs = standarddialogs();
    std::optional<ModelState> referencestate; // the curves kept for comparison
    std::filesystem::path recentlist;         // where the list is kept between sessions; empty: nowhere
    std::vector<std::string> recent;
    QMenu* recentMenu = nullptr;
    // Figure options: the style (by format, journal or window), a legend, the picture's scale.
    QActionGroup* styleGroup = nullptr;
    QAction* legendAction = nullptr;
    QActionGroup* scaleGroup = nullptr;
    // The shortcuts of the File, Reference and Help menus, which no text box may take for itself.
    QList<QKeySequence> menukeys;

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
