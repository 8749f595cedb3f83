// The menus through their actions, with the dialogs answered by the test: settings files, exports
// through the safe writer, undo and redo of the panel, and the reference curves.
#include <QAction>
#include <QMenu>
#include <tuple>

#include "../model/factory.h"
#include "config/inifile.h"
#include "config/startup.h"
#include "model/cliptable.h"
#include "tools/figureoptions.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

// A PDF names the second it was made in: two drawings of one state may differ in that alone.
QByteArray undated(QByteArray figure) {
    const qsizetype at = figure.indexOf("/CreationDate (");
    if (at >= 0) figure.remove(at, figure.indexOf(')', at) - at);
    return figure;
}

class Menus : public InTempDir {
  protected:
    MainWindow& open(bool shown = false) {
        MainWindow& w = start(shown);
        Dialogs d;
        d.openfile = [this](QWidget*, const QString&, const QString&) { return answer; };
        d.savefile = [this](QWidget*, const QString&, const QString&, const QString&, QString*) {
            return answer;
        };
        d.warn = [this](QWidget*, const QString&, const QString& text) { warnings << text; };
        d.inform = [this](QWidget*, const QString&, const QString& text) { informed << text; };
        d.openurl = [](const QUrl&) { return true; };
        w.setdialogs(d);
        return w;
    }
    void trigger(const char* action, const QString& name = {}) {
        answer = name;
        control<QAction>(action)->trigger();
        settle();
    }
    QString answer;
    QStringList warnings;
    QStringList informed;
};

// A name without bytes is refused; another is written to, and the title follows the changes.
TEST_F(Menus, SaveAsWritesThereAndTheTitleFollowsTheChanges) {
    open();
    trigger("saveSettingsAs", QString(QChar(0xD800)) + QStringLiteral(".ini"));
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_EQ(f().settingspath(), configfilename);
    trigger("saveSettingsAs", path("R&D.ini"));
    EXPECT_EQ(f().settingspath(), path("R&D.ini").toStdString());
    EXPECT_EQ(lines("R&D.ini").size(), 98);
    EXPECT_TRUE(f().windowTitle().startsWith(QLatin1String("R&D.ini")));
    EXPECT_TRUE(
        control<QMenu>("recentMenu")->actions().constFirst()->text().endsWith(QLatin1String("R&&D.ini")));
    EXPECT_FALSE(f().isWindowModified());
    enter(value(pHo), "7.3");
    EXPECT_TRUE(f().isWindowModified());
    trigger("saveSettings");
    EXPECT_FALSE(f().isWindowModified());
    EXPECT_EQ(f().recentfiles().size(), 2);
}

// The list outlives the window; a file gone since is taken off it rather than started afresh.
TEST_F(Menus, RecentFilesOutliveTheWindowAndAGoneOneIsTakenOff) {
    open();
    trigger("saveSettings");
    trigger("saveSettingsAs", path("other.ini"));
    form.reset();
    open();
    const std::string started = path(configfilename).toStdString();
    ASSERT_EQ(f().recentfiles(), (std::vector<std::string>{started, path("other.ini").toStdString()}));
    ASSERT_TRUE(QFile::remove(path("other.ini")));
    control<QMenu>("recentMenu")->actions().at(1)->trigger();
    settle();
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_EQ(f().recentfiles(), std::vector<std::string>{started});
    EXPECT_FALSE(QFile::exists(path("other.ini")));
}

TEST_F(Menus, OpenReadsAnotherFileAndAnUnreadableOneIsLeftAlone) {
    ModelState s = factorystate();
    s.params[pHo].value = 6.5f;
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', path("b.ini").toStdString()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    open();
    trigger("openSettings", path("folder.ini"));
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_EQ(f().settingspath(), configfilename);
    trigger("openSettings", path("b.ini"));
    EXPECT_EQ(f().state().params[pHo].value, 6.5f);
    EXPECT_EQ(text(value(pHo)), withsep("6.5"));
    EXPECT_EQ(f().settingspath(), path("b.ini").toStdString());
}

// The figure as kelvora-export draws it: by default journal for SVG, PDF and TIFF, the window's picture
// for PNG; the other choices as --style journal|window.
TEST_F(Menus, TheFigureIsRenderfiguresAndNeverTheSettingsFile) {
    open();
    trigger("keepReference");
    const auto drawn = [this](FigureFormat format, bool journal) {
        FigureRequest r = figurerequest(FigureOptions{}, journal);
        r.decimalsep = f().decimalseparator();
        r.reference = f().state();
        const PlotState& ps = f().plotstate();
        return renderfigure(format, f().state(), ps.surfacewidth, ps.surfaceheight, false, r);
    };
    // The style chosen, the file's name and format, and whether the figure is the journal's.
    const std::tuple<const char*, const char*, FigureFormat, bool> cases[] = {
        {"styleByFormat", "a.svg", FigureFormat::svg, true},
        {"styleByFormat", "a.png", FigureFormat::png, false},
        {"windowStyle", "w.pdf", FigureFormat::pdf, false},
        {"journalStyle", "j.png", FigureFormat::png, true}};
    for (const auto& [style, name, format, journal] : cases) {
        control<QAction>(style)->trigger();
        trigger("exportFigure", path(name));
        EXPECT_EQ(undated(bytes(name)), undated(drawn(format, journal))) << name;
    }
    control<QAction>("figureLegend")->setChecked(true);
    trigger("exportFigure", path("fig.svg"));
    EXPECT_TRUE(bytes("fig.svg").contains("of the reference settings"));
    // The window's picture has no room for the legend asked for: said, not silently left out.
    control<QAction>("windowStyle")->trigger();
    trigger("exportFigure", path("nolegend.png"));
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_FALSE(QFile::exists(path("nolegend.png")));
    // In the journal style every line, the reference's dashes too, lies over its outline.
    FigureRequest r = figurerequest(FigureOptions{}, false);
    r.legend = true;
    r.reference = f().state();
    const auto lines = [&](bool journal) {
        r.style = figurestyle(FigureOptions{}, journal);
        return renderfigure(FigureFormat::svg, f().state(), 500, 300, false, r).count("<polyline");
    };
    EXPECT_EQ(lines(true), 2 * lines(false));
    const QByteArray before = bytes(configfilename);
    ASSERT_TRUE(QFile::link(path(configfilename), path("link.svg")));
    trigger("exportFigure", path("link.svg"));
    EXPECT_EQ(warnings.size(), 2);
    EXPECT_EQ(bytes(configfilename), before);
    // The dialog asked about the name as typed, not about the one the filter's extension makes.
    const QByteArray png = bytes("a.png");
    control<QAction>("figureLegend")->setChecked(false);
    trigger("exportFigure", path("a"));
    ASSERT_EQ(warnings.size(), 3);
    EXPECT_TRUE(warnings[2].contains(QLatin1String("a.png")));
    EXPECT_EQ(bytes("a.png"), png);
}

TEST_F(Menus, TheTableIsTheClipboardsText) {
    open();
    trigger("exportTable", path("t.tsv"));
    const std::string table =
        cliptable(f().state(), f().plotstate().plotheight, SeparatorChoice::system, f().decimalseparator());
    EXPECT_EQ(bytes("t.tsv").toStdString(), table);
}

// Steps of one slider in quick succession are one undo step.
TEST_F(Menus, UndoAndRedoShowTheWholeState) {
    open(true);
    const std::string was = text(value(pHo));
    enter(value(pHo), "7.3");
    enter(minimum(pHi), "6.5");
    slider(pHo)->setFocus();
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(slider(pHo), Qt::Key_Down);
    settle();
    ASSERT_NE(text(value(pHo)), withsep("7.3"));
    trigger("undo");
    EXPECT_EQ(text(value(pHo)), withsep("7.3"));
    trigger("undo");
    trigger("undo");
    EXPECT_EQ(text(value(pHo)), was);
    EXPECT_EQ(f().state().params[pHi].min, factorystate().params[pHi].min);
    trigger("redo");
    EXPECT_EQ(text(value(pHo)), withsep("7.3"));
}

TEST_F(Menus, TheReferenceIsDrawnDashedUntilCleared) {
    open();
    trigger("keepReference");
    enter(value(pHo), "7.6");
    const QImage with = plotview()->surface().image().copy();
    trigger("clearReference");
    EXPECT_NE(plotview()->surface().image(), with);
    EXPECT_FALSE(f().reference());
}

TEST_F(Menus, AboutNamesTheLicenceAndQuitClosesAsTheWindowDoes) {
    open();
    trigger("about");
    ASSERT_EQ(informed.size(), 1);
    EXPECT_TRUE(informed[0].contains(QLatin1String("MIT")));
    enter(value(pHo), "7.3");
    trigger("quit");
    EXPECT_FALSE(f().isVisible());
    EXPECT_EQ(lines(configfilename)[27].toStdString(), withsep(" 7.30"));
}

} // namespace
} // namespace kelvora::uitest
