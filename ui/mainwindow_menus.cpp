// The window's menus: settings files opened and saved, figures and tables exported through the safe
// writer, undo and redo, the reference curves, and About.
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <optional>
#include <system_error>

#include "config/inifile.h"
#include "config/outputfile.h"
#include "config/recentfiles.h"
#include "config/shownname.h"
#include "config/startup.h"
#include "model/cliptable.h"
#include "tools/figureoptions.h"
#include "ui/document.h"
#include "ui/limitsbox.h"
#include "ui/mainwindow.h"
#include "ui/reference.h"
#include "ui/separatorbox.h"

namespace kelvora {

namespace {

const QString apptitle = QStringLiteral("Kelvora");
const QString settingsfilters = QStringLiteral("Kelvora settings (*.ini);;All files (*)");
const QString pngfilter = QStringLiteral("PNG picture (*.png)");
const QString svgfilter = QStringLiteral("SVG drawing (*.svg)");
const QString pdffilter = QStringLiteral("PDF document (*.pdf)");
const QString tifffilter = QStringLiteral("TIFF picture (*.tif *.tiff)");
const QString tablefilters = QStringLiteral("Tab-separated table (*.tsv *.txt);;All files (*)");
// The picture scales the export offers.
constexpr std::array<int, 3> figurescales{1, 2, 4};

struct FigureKind {
    FigureFormat format;
    const QString& filter;
    const char* extension;
};
const std::array<FigureKind, 4> figurekinds{{
    {FigureFormat::png, pngfilter, "png"},
    {FigureFormat::svg, svgfilter, "svg"},
    {FigureFormat::pdf, pdffilter, "pdf"},
    {FigureFormat::tiff, tifffilter, "tiff"},
}};

struct FigureStyleChoice {
    const char* title;
    const char* name;
    std::optional<bool> journal; // nothing: by format
};
const std::array<FigureStyleChoice, 3> stylechoices{{
    {"Style by &format (journal: SVG, PDF, TIFF, PNG with a legend)", "styleByFormat", {}},
    {"&Journal style", "journalStyle", true},
    {"&Window style", "windowStyle", false},
}};

// The format a name's extension asks for, or else the filter chosen; in that case the name gets the
// filter's extension.
std::optional<FigureFormat> figureformat(QString& name, const QString& filter) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("tif")) return FigureFormat::tiff;
    for (const FigureKind& k : figurekinds)
        if (suffix == QLatin1String(k.extension)) return k.format;
    for (const FigureKind& k : figurekinds) {
        if (filter == k.filter) {
            name += QLatin1Char('.') + QLatin1String(k.extension);
            return k.format;
        }
    }
    return std::nullopt;
}

QString shown(const std::filesystem::path& file) {
    return QString::fromStdString(shownname(file.string()));
}

QAction* addaction(QMenu* menu, const QString& text, const char* name, const QList<QKeySequence>& keys) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    a->setShortcuts(keys);
    return a;
}

} // namespace

void MainWindow::createmenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(addaction(file, QStringLiteral("&Open settings..."), "openSettings", {QKeySequence::Open}),
            &QAction::triggered, this, &MainWindow::onOpenSettings);
    recentMenu = file->addMenu(QStringLiteral("Open &recent"));
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    recentlist = recentlistpath();
    recent = readrecent(recentlist);
    showrecent();
    connect(addaction(file, QStringLiteral("&Save settings"), "saveSettings", {QKeySequence::Save}),
            &QAction::triggered, this, [this] {
                taketyping();
                savesettings(SaveFor::save);
            });
    connect(addaction(file, QStringLiteral("Save settings &as..."), "saveSettingsAs",
                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}),
            &QAction::triggered, this, &MainWindow::onSaveSettingsAs);
    file->addSeparator();
    connect(addaction(file, QStringLiteral("&Export figure..."), "exportFigure",
                      {QKeySequence(Qt::CTRL | Qt::Key_E)}),
            &QAction::triggered, this, &MainWindow::onExportFigure);
    QMenu* options = file->addMenu(QStringLiteral("Figure &options"));
    // As kelvora-export without --style, by format, or as --style journal|window (the data).
    styleGroup = new QActionGroup(this);
    for (const FigureStyleChoice& c : stylechoices) {
        QAction* a = options->addAction(QLatin1String(c.title));
        a->setObjectName(QLatin1String(c.name));
        a->setCheckable(true);
        a->setChecked(!c.journal);
        if (c.journal) a->setData(*c.journal);
        styleGroup->addAction(a);
    }
    options->addSeparator();
    legendAction = options->addAction(QStringLiteral("&Legend"));
    legendAction->setObjectName(QStringLiteral("figureLegend"));
    legendAction->setCheckable(true);
    options->addSeparator();
    scaleGroup = new QActionGroup(this);
    for (int k : figurescales) {
        QAction* a = options->addAction(QStringLiteral("Picture at %1x").arg(k));
        a->setObjectName(QStringLiteral("figureScale%1").arg(k));
        a->setCheckable(true);
        a->setChecked(k == 1);
        a->setData(k);
        scaleGroup->addAction(a);
    }
    connect(addaction(file, QStringLiteral("Export &table..."), "exportTable",
                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)}),
            &QAction::triggered, this, &MainWindow::onExportTable);
    file->addSeparator();
    connect(addaction(file, QStringLiteral("&Quit"), "quit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}),
            &QAction::triggered, this, &MainWindow::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* undo = document->history().createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = document->history().createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);

    QMenu* compare = menuBar()->addMenu(QStringLiteral("&Reference"));
    connect(addaction(compare, QStringLiteral("&Keep as reference"), "keepReference",
                      {QKeySequence(Qt::CTRL | Qt::Key_R)}),
            &QAction::triggered, this, &MainWindow::onKeepReference);
    connect(addaction(compare, QStringLiteral("Reference from &file..."), "referenceFromFile", {}),
            &QAction::triggered, this, &MainWindow::onReferenceFromFile);
    connect(addaction(compare, QStringLiteral("&Clear reference"), "clearReference", {}), &QAction::triggered,
            this, [this] {
                referencestate.reset();
                requestredraw(false);
            });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(addaction(help, QStringLiteral("The &model..."), "modelDocument", {QKeySequence::HelpContents}),
            &QAction::triggered, this, &MainWindow::onModelDocument);
    connect(addaction(help, QStringLiteral("&About Kelvora"), "about", {}), &QAction::triggered, this,
            &MainWindow::onAbout);
    // A text box binds some of these keys itself (Ctrl+E moves to the end of the line on X11), so that
    // with the focus in the panel the menu entry would never run. Undo and redo stay the box's own while
    // it has typing to take back.
    for (const QMenu* m : {file, compare, help})
        for (const QAction* a : m->actions())
            menukeys += a->shortcuts();
    for (QLineEdit* box : centralWidget()->findChildren<QLineEdit*>())
        box->installEventFilter(this);
    // The menu bar stands above the design's client area, which keeps its default size.
    resize(sizeHint());
}

void MainWindow::taketyping() {
    if (QWidget* box = qobject_cast<QLineEdit*>(focusWidget())) {
        box->clearFocus();
        box->setFocus(Qt::OtherFocusReason);
    }
}

std::optional<std::filesystem::path> MainWindow::pathof(const QString& name) {
    // A path is bytes; a name whose characters have no bytes in the file-name encoding would be a
    // different file.
    const QByteArray bytes = QFile::encodeName(name);
    if (QFile::decodeName(bytes) != name || bytes.contains('\0')) {
        dialogs.warn(
            this, apptitle,
            QStringLiteral("The name\n%1\ncannot be written as a file name on this system.").arg(name));
        return std::nullopt;
    }
    return std::filesystem::path(bytes.toStdString());
}

bool MainWindow::writeexport(const std::filesystem::path& file, const std::string& bytes) {
    std::string why;
    if (!checkoutputfile(file.string(), settingsfile.string(), why) ||
        !writeoutputfile(file.string(), bytes, why)) {
        dialogs.warn(this, apptitle, QString::fromStdString(why) + QLatin1Char('.'));
        return false;
    }
    return true;
}

void MainWindow::addrecent(const std::filesystem::path& file) {
    std::error_code error;
    const std::string name = std::filesystem::absolute(file, error).string();
    if (!error) keeprecent(withrecent(latestrecent(), name));
}

std::vector<std::string> MainWindow::latestrecent() const {
    // Another window may have changed the stored list since this one read it.
    std::vector<std::string> stored = readrecent(recentlist);
    return stored.empty() ? recent : stored;
}

void MainWindow::keeprecent(std::vector<std::string> names) {
    recent = std::move(names);
    // The list is a convenience: a folder that cannot be written keeps it for this session only.
    std::error_code error;
    if (!recentlist.empty()) writerecent(recentlist, recent, error);
    showrecent();
}

void MainWindow::showrecent() {
    recentMenu->clear();
    for (const std::string& name : recent) {
        // An ampersand in a name is shown, not taken as the entry's access key.
        QAction* a = recentMenu->addAction(
            QString::fromStdString(shownname(name)).replace(QLatin1Char('&'), QLatin1String("&&")));
        connect(a, &QAction::triggered, this, [this, name] { openrecent(name); });
    }
    recentMenu->setEnabled(!recent.empty());
}

void MainWindow::openrecent(const std::string& name) {
    taketyping();
    // A missing file would be started afresh from the defaults; the user asked for the one they knew.
    std::error_code error;
    if (!std::filesystem::exists(name, error) && !error) {
        dialogs.warn(this, apptitle,
                     QStringLiteral("The settings file\n%1\nno longer exists; it is taken off the list.")
                         .arg(shown(name)));
        keeprecent(withoutrecent(latestrecent(), name));
        return;
    }
    opensettings(name);
}

void MainWindow::opensettings(const std::filesystem::path& file) {
    // Read as at start-up; a file that cannot be read is left alone and the window keeps its own.
    ModelState probe;
    std::error_code error;
    if (startstate(probe, file, error) == ConfigStatus::failed) {
        dialogs.warn(this, apptitle,
                     QStringLiteral("The settings file\n%1\ncould not be read (%2); it is left as it is.")
                         .arg(shown(file), QString::fromStdString(error.message())));
        return;
    }
    // The file in use gets its settings first, as when the window closes.
    if (!savesettings(SaveFor::open)) return;
    settingsfile = file;
    removestaletemps(settingsfile);
    startparameters(false);
    addrecent(settingsfile);
}

void MainWindow::onOpenSettings() {
    taketyping();
    const QString name = dialogs.openfile(this, QStringLiteral("Open settings"), settingsfilters);
    if (name.isEmpty()) return;
    if (const auto file = pathof(name)) opensettings(*file);
}

void MainWindow::onSaveSettingsAs() {
    taketyping();
    drawnow();
    QString filter;
    const QString name = dialogs.savefile(this, QStringLiteral("Save settings as"),
                                          QFile::decodeName(settingsfile.c_str()), settingsfilters, &filter);
    if (name.isEmpty()) return;
    const auto file = pathof(name);
    if (!file) return;
    std::error_code error;
    FileStamp stamp;
    // The dialog asked before replacing an existing file.
    if (!writeconfigfile(document->state(), ConfigForm::atclose, sep, *file, error, {nullptr, &stamp})) {
        dialogs.warn(this, apptitle,
                     QStringLiteral("The settings could not be saved to\n%1\n(%2).")
                         .arg(shown(*file), QString::fromStdString(error.message())));
        return;
    }
    settingsfile = *file;
    settingsstamp = stamp;
    fileunread = false;
    savedtext = configtext(document->state(), ConfigForm::atclose, sep);
    addrecent(settingsfile);
    updatetitle();
}

void MainWindow::onExportFigure() {
    taketyping();
    drawnow();
    QString filter = pngfilter;
    QString name = dialogs.savefile(
        this, QStringLiteral("Export figure"), QString(),
        QStringList{pngfilter, svgfilter, pdffilter, tifffilter}.join(QLatin1String(";;")), &filter);
    if (name.isEmpty()) return;
    const QString typed = name;
    const std::optional<FigureFormat> format = figureformat(name, filter);
    if (!format) {
        dialogs.warn(this, apptitle, QStringLiteral("Figures are written as PNG, SVG, PDF or TIFF."));
        return;
    }
    const auto file = pathof(name);
    if (!file) return;
    // The dialog asked before replacing the name as typed; the one with the filter's extension is
    // another file, which nobody was asked about.
    std::error_code error;
    if (name != typed && std::filesystem::exists(std::filesystem::symlink_status(*file, error))) {
        dialogs.warn(this, apptitle,
                     QStringLiteral("The file\n%1\nexists already; give its whole name to replace it.")
                         .arg(shown(*file)));
        return;
    }
    FigureOptions options;
    options.legend = legendAction->isChecked();
    const QVariant style = styleGroup->checkedAction()->data();
    const bool journal = style.isValid() ? style.toBool() : journalbydefault(*format, options);
    // A picture leaves nothing the user chose silently out: the window's own picture has no room for a
    // legend, and a journal picture has its density instead of a scale.
    const int scale = scaleGroup->checkedAction()->data().toInt();
    const bool raster = *format == FigureFormat::png || *format == FigureFormat::tiff;
    if (raster && !journal && options.legend) {
        dialogs.warn(this, apptitle,
                     QStringLiteral("The window style's picture has no room for a legend: choose the journal "
                                    "style, a drawing (SVG or PDF), or no legend."));
        return;
    }
    if (raster && journal && scale != 1) {
        dialogs.warn(this, apptitle,
                     QStringLiteral("A journal-style picture is drawn at its own density: choose the picture "
                                    "at 1x, or the window style."));
        return;
    }
    FigureRequest request = figurerequest(options, journal);
    request.decimalsep = sep;
    request.reference = referencestate;
    request.scale = scale;
    // The state as the window shows it: its limits, not those the file holds or a fit would give.
    const QByteArray bytes =
        renderfigure(*format, document->state(), plot.surfacewidth, plot.surfaceheight, false, request);
    if (bytes.isEmpty()) {
        dialogs.warn(this, apptitle, QStringLiteral("The figure could not be drawn."));
        return;
    }
    writeexport(*file, bytes.toStdString());
}

void MainWindow::onExportTable() {
    taketyping();
    drawnow();
    QString filter;
    const QString name =
        dialogs.savefile(this, QStringLiteral("Export table"), QString(), tablefilters, &filter);
    if (name.isEmpty()) return;
    if (const auto file = pathof(name))
        writeexport(*file, cliptable(document->state(), plot.plotheight, separatorBox->choice(), sep));
}

void MainWindow::onKeepReference() {
    taketyping();
    drawnow();
    referencestate = document->state();
    requestredraw(false);
}

void MainWindow::onReferenceFromFile() {
    const QString name = dialogs.openfile(this, QStringLiteral("Reference from file"), settingsfilters);
    if (name.isEmpty()) return;
    const auto file = pathof(name);
    if (!file) return;
    ModelState s;
    QString why;
    if (!readreference(*file, s, why)) {
        dialogs.warn(this, apptitle,
                     QStringLiteral("The settings file\n%1\ncould not be read (%2).").arg(shown(*file), why));
        return;
    }
    referencestate = s;
    requestredraw(false);
}

void MainWindow::onAbout() {
    dialogs.inform(
        this, QStringLiteral("About Kelvora"),
        QStringLiteral("Kelvora " KELVORA_VERSION "\n\n"
                       "When the ATP synthase and the adenine nucleotide translocase reverse: their "
                       "reversal potentials against the mitochondrial membrane potential.\n\n"
                       "Copyright (c) 2026 The Kelvora developers\n"
                       "Licence: MIT"));
}

void MainWindow::onModelDocument() {
    const QString document = QStringLiteral(KELVORA_DOCDIR "/model.md");
    if (!QFileInfo::exists(document) || !dialogs.openurl(QUrl::fromLocalFile(document)))
        dialogs.warn(this, apptitle,
                     QStringLiteral("The model document\n%1\ncould not be opened.").arg(document));
}

} // namespace kelvora
