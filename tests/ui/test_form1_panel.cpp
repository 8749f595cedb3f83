// Start-up, the window's make-up, closing with the settings kept, the reset to the defaults, and the
// panel's boxes and sliders: Enter, Escape, leaving the box, a slider step, and the red marks.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>

#include "config/inifile.h"
#include "config/startup.h"
#include "ui/axistitle.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Startup : public InTempDir {
  protected:
    // A configuration file in the full form for the defaults with another y axis.
    void writeconfig(int16_t yaxis, double ymin, double ymax) {
        ModelState s;
        startstate(s, "no such file");
        std::tie(s.yaxis, s.ymin, s.ymax) = std::tie(yaxis, ymin, ymax);
        QFile file(path(configfilename));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(configtext(s, ConfigForm::atclose, '.')));
    }
    // What the panel shows, column by column, and where.
    static std::vector<std::string> panelstate(const Form1& f) {
        std::vector<std::string> out;
        for (int i = 0; i <= lastindex; ++i)
            out.push_back(std::to_string(f.Slider[i]->x()) + " " + std::to_string(f.tbValue[i]->x()) +
                          (f.Slider[i]->isVisibleTo(&f) ? " shown" : " hidden"));
        return out;
    }
    static void expectdefaults(const Form1& f) {
        for (int i = 0; i <= lastindex; ++i) {
            const parameter &p = f.model.params[i], &d = f.model.defaults[i];
            EXPECT_TRUE(p.value == d.value && p.min == d.min && p.max == d.max && p.inc == d.inc) << i;
        }
    }
    // Whether the whole column is shown; a partly shown column fails.
    static bool columnshown(const Form1& f, int i) {
        int shown = 0;
        for (const QWidget* w : std::initializer_list<const QWidget*>{f.Slider[i], f.tbMax[i], f.tbMin[i],
                                                                      f.tbValue[i], f.lbName[i], f.lbUnit[i]})
            shown += w->isVisibleTo(&f) ? 1 : 0;
        EXPECT_TRUE(shown == 0 || shown == 6) << "column " << i << " is partly shown";
        return shown == 6;
    }
};

TEST_F(Startup, FirstStartWritesTheFileAndShowsTheDefaults) {
    Form1& f = start(true);
    const QStringList file = lines(configfilename);
    ASSERT_EQ(file.size(), 96);
    EXPECT_EQ(file[4].toStdString(), "# ATPin  (mM)");
    EXPECT_EQ(file[5].toStdString(), withsep(" 6.00"));
    expectdefaults(f);
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(f.lbName[i]->text().toStdString(), parametername(i));
        EXPECT_EQ(f.lbUnit[i]->text().toStdString(), parameterunit(i));
        EXPECT_TRUE(isblack(f.tbValue[i])) << i;
        EXPECT_EQ(columnshown(f, i), i >= ATPout) << i; // the ratio is on the y axis
    }
    EXPECT_TRUE(f.Image2->isVisibleTo(&f) && !f.Image3->isVisibleTo(&f));
    EXPECT_EQ(f.Combo1->count(), 21);
    EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("ATPin/ADPin"));
    EXPECT_FALSE(f.Combo1->isVisible());
    QStringList boxes;
    for (const QLineEdit* box : {f.tbValue[pHo], f.tbMin[pHo], f.tbMax[pHo], f.tbValue[ATPout],
                                 f.tbMin[ADPout], f.tbValue[KMadpin], f.tbymin, f.tbymax, f.tbxmin, f.tbxmax})
        boxes << box->text();
    EXPECT_EQ(boxes.join(QLatin1Char(' ')).toStdString(), withsep("7.25 6 8 1.2 0.001 0.906 0 3 -160 -80"));
}

TEST_F(Startup, ControlsStandAtTheirDesignPlacesWithTheirCaptions) {
    Form1& f = start(true);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Kelvora"));
    EXPECT_EQ(f.minimumSize(), QSize(1014, 626));
    EXPECT_EQ(f.maximumSize(), QSize(1014, 626));
    // Design places in twips: left, top, width, height.
    const std::vector<std::pair<QWidget*, std::array<int, 4>>> places{
        {f.Picture1, {360, 0, 8268, 4572}},
        {f.Image2, {120, 1200, 210, 2085}},
        {f.Image1, {2280, 4680, 5220, 300}},
        {f.screensetupcaption, {8760, 240, 1692, 252}},
        {f.cmdAuto, {9480, 720, 1212, 372}},
        {f.manualsetupcaption, {8760, 1680, 1812, 252}},
        {f.ymincaption, {8760, 2040, 732, 252}},
        {f.ymaxcaption, {10080, 2040, 612, 252}},
        {f.tbymin, {8760, 2280, 1095, 288}},
        {f.tbymax, {10080, 2280, 1095, 288}},
        {f.xmincaption, {8760, 2760, 732, 252}},
        {f.xmaxcaption, {10080, 2760, 612, 252}},
        {f.tbxmin, {8760, 3000, 1095, 288}},
        {f.tbxmax, {10080, 3000, 1095, 288}},
        {f.cmdSet, {10200, 3480, 975, 372}},
        {f.cmdDefault, {13320, 300, 1335, 372}},
        {f.mousepositioncaption, {11640, 1200, 1812, 372}},
        {f.readoutxcaption, {11880, 1800, 372, 252}},
        {f.Text1, {12120, 1800, 1215, 288}},
        {f.readoutycaption, {11880, 2280, 372, 252}},
        {f.Text2, {12120, 2280, 1215, 288}},
        {f.cmdClipboard, {12000, 3240, 1092, 612}},
        {f.cbDot, {13440, 3240, 1776, 192}},
        {f.cbComma, {13440, 3600, 1776, 192}},
        {f.slidermaxcaption, {120, 5400, 375, 255}},
        {f.slidermincaption, {120, 8040, 375, 255}},
        {f.tbMax[0], {480, 5400, 612, 288}},
        {f.Slider[0], {600, 5760, 495, 2295}},
        {f.tbMin[0], {480, 8040, 612, 288}},
        {f.lbName[0], {360, 8400, 975, 255}},
        {f.lbUnit[0], {480, 8640, 735, 255}},
        {f.tbValue[0], {480, 8880, 612, 288}}};
    for (const auto& [widget, t] : places)
        EXPECT_EQ(widget->geometry(), QRect(toolkit::pixels(t[0]), toolkit::pixels(t[1]),
                                            toolkit::pixels(t[2]), toolkit::pixels(t[3])))
            << widget->metaObject()->className() << " " << t[0];
    // Labels, buttons and boxes all keep their caption or content in the property "text".
    QStringList captions;
    for (const QWidget* w : std::initializer_list<QWidget*>{
             f.screensetupcaption, f.cmdAuto, f.manualsetupcaption, f.ymincaption, f.ymaxcaption,
             f.xmincaption, f.xmaxcaption, f.cmdSet, f.cmdDefault, f.mousepositioncaption, f.readoutxcaption,
             f.readoutycaption, f.cmdClipboard, f.cbDot, f.cbComma, f.slidermaxcaption, f.slidermincaption,
             f.Text1, f.Text2})
        captions << w->property("text").toString();
    EXPECT_EQ(
        captions.join(QLatin1Char('|')).toStdString(),
        "Screen setup|Automatic off|Manual setup|Y min|Y max|X min|X max|Set|&Default|Mouse position:|X|Y|"
        "&Copy to clipboard|use Point|use Comma|Max|Min||");
    EXPECT_EQ(f.cmdDefault->toolTip(), QStringLiteral("Go back to the original parameters"));
    EXPECT_EQ(f.Image1->text(), QStringLiteral("Mitochondrial membrane potential (\u0394\u03A8m, mV)"));
    EXPECT_EQ(f.Image2->text(), QStringLiteral("Matrix ATP/ADP"));
    EXPECT_TRUE(f.Image2->readsupward());
}

TEST_F(Startup, TemperatureOnTheYAxisHidesOnlyItsColumnAndTheTitle) {
    writeconfig(T, 20, 40);
    Form1& f = start();
    EXPECT_EQ(f.Combo1->currentIndex(), 18);
    for (int i = 0; i <= lastindex; ++i)
        EXPECT_EQ(columnshown(f, i), i != T) << i;
    EXPECT_FALSE(f.Image2->isVisibleTo(&f));
    EXPECT_EQ(f.Slider[KMadp]->x() - f.Slider[Mg]->x(), f.tbValue[KMadp]->x() - f.tbValue[Mg]->x());
    EXPECT_EQ(text(f.tbymax), "40");
}

TEST_F(Startup, ClosingWritesTheFullFileAndANewStartReadsItBack) {
    Form1& f = start(true);
    enter(f.tbValue[pHo], "7.5");
    enter(f.tbMax[T], "35");
    f.model.xmin = -170;
    const ModelState before = f.model;
    // The task manager closing the program leaves the file as it was.
    bool cancel = false;
    f.Form_QueryUnload(cancel, Form1::CloseReason::taskmanager);
    EXPECT_EQ(lines(configfilename).size(), 96);
    closewindow();
    const QStringList file = lines(configfilename);
    ASSERT_EQ(file.size(), 98);
    EXPECT_EQ(file[0], QStringLiteral("#  Kelvora configuration file"));
    EXPECT_EQ(file[97], QStringLiteral("-1 "));
    // What the file keeps, to the six decimals of its pattern, is checked with the configuration file.
    Form1& again = start();
    EXPECT_EQ(again.model.params[pHo].value, 7.5f);
    EXPECT_EQ(again.model.params[T].max, before.params[T].max);
    EXPECT_EQ(again.model.xmin, -170.0);
    EXPECT_EQ(text(again.tbMax[T]), "35");
}

TEST_F(Startup, AChosenSettingsFileTakesThePlaceOfKelvoraIni) {
    const std::filesystem::path chosen = path("experiment.ini").toStdString();
    form = std::make_unique<Form1>(nullptr, chosen);
    EXPECT_EQ(lines("experiment.ini").size(), 96);
    form->model.xmin = -170;
    closewindow();
    EXPECT_EQ(lines("experiment.ini").size(), 98);
    form = std::make_unique<Form1>(nullptr, chosen);
    EXPECT_EQ(form->model.xmin, -170.0);
    EXPECT_FALSE(QFileInfo::exists(path(configfilename)));
}

TEST_F(Startup, ADirectoryNamedLikeTheFileStopsNothing) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(configfilename)));
    Form1& f = start(true);
    EXPECT_EQ(text(f.tbValue[pHo]), withsep("7.25"));
    enter(f.tbValue[pHo], "7.5");
    EXPECT_EQ(f.model.params[pHo].value, 7.5f);
    f.question = [](QWidget*, const QString&, const QString&) { return toolkit::Answer::OK; };
    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    EXPECT_EQ(f.model.params[pHo].value, 7.25f);
    closewindow();
    EXPECT_TRUE(QFileInfo(path(configfilename)).isDir());
}

TEST_F(Startup, CancelInTheResetBoxChangesNothingOkRestoresTheDefaults) {
    Form1& fresh = start();
    const std::vector<std::string> panel = panelstate(fresh);
    closewindow();
    writeconfig(pHo, 6, 8);
    Form1& f = start(true);
    toolkit::Answer answer = toolkit::Answer::Cancel;
    QString asked, title;
    f.question = [&](QWidget*, const QString& text, const QString& caption) {
        asked = text;
        title = caption;
        return answer;
    };
    enter(f.tbValue[Pin], "3000");
    f.model.xmin = -200;
    const std::vector<std::string> changed = panelstate(f);
    const QStringList file = lines(configfilename);

    QTest::keyClick(&f, Qt::Key_D, Qt::AltModifier); // the access key presses the button
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.isEmpty(); }, 2000));
    EXPECT_EQ(asked, QStringLiteral("Do you want to revert to the original values?"));
    EXPECT_EQ(title, QStringLiteral("Default"));
    EXPECT_EQ(f.model.params[Pin].value, 3000.0f);
    EXPECT_EQ(f.model.xmin, -200.0);
    EXPECT_EQ(f.model.yaxis, pHo);
    EXPECT_EQ(lines(configfilename), file);
    EXPECT_EQ(panelstate(f), changed);

    answer = toolkit::Answer::OK;
    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    expectdefaults(f);
    EXPECT_EQ(f.model.yaxis, ratioaxis);
    EXPECT_EQ(f.model.xmin, -160.0);
    EXPECT_EQ(text(f.tbValue[Pin]), "10");
    EXPECT_EQ(lines(configfilename).size(), 96);
    EXPECT_EQ(panelstate(f), panel);
}

TEST_F(Startup, NamesAndUnitsFitTheirLabelsAndKeepClearOfTheNeighbouringColumns) {
    // The ratio layout, and one with a parameter on the y axis, where the outer columns stand closer.
    for (const int16_t yaxis : {ratioaxis, int16_t{pHo}}) {
        form.reset();
        writeconfig(yaxis, 6, 8);
        Form1& f = start(true);
        for (const auto& labels : {f.lbName, f.lbUnit}) {
            QRect previous;
            for (int i = 0; i <= lastindex; ++i) {
                const QLabel* l = labels[i];
                if (!l->isVisibleTo(&f)) continue;
                // Where the label draws its text, measured in the font it really has, in the window.
                const QFontMetrics metrics(l->font());
                const QRect drawn = metrics.boundingRect(l->contentsRect(), int(l->alignment()), l->text())
                                        .translated(l->pos());
                const std::string where =
                    l->text().toStdString() + " at y-axis index " + std::to_string(yaxis);
                EXPECT_LE(metrics.horizontalAdvance(l->text()), l->width()) << where;
                EXPECT_LE(metrics.height(), l->height()) << where;
                EXPECT_TRUE(f.rect().contains(drawn)) << where;
                EXPECT_FALSE(drawn.intersects(previous)) << where;
                previous = drawn;
            }
        }
    }
    // Each label names its parameter in full in its tool tip.
    for (const auto& [i, tip] : {std::pair{KMadpout, "KM(adp)out (mM)"},
                                 std::pair{KHadpin, "KH(adp)in 10^(-x) M"}, std::pair{pHi, "pHi"}}) {
        EXPECT_EQ(f().lbName[i]->toolTip().toStdString(), tip);
        EXPECT_EQ(f().lbUnit[i]->toolTip().toStdString(), tip);
    }
}

TEST_F(Startup, EveryYAxisChoiceHasATitleInTheLettersOfTheRatioTitle) {
    // The texts themselves are checked with the plot's titles; the ratio's picture is shown instead.
    writeconfig(Pin, 6, 8);
    Form1& f = start(true);
    EXPECT_FALSE(f.Image2->isVisibleTo(&f));
    EXPECT_TRUE(f.Image3->isVisibleTo(&f));
    EXPECT_EQ(f.Image3->text().toStdString(), "Pin (mM)");
    // A parameter's title is drawn at the ratio title's scale and place: given the ratio's text it draws
    // exactly the ratio's picture.
    f.Image3->settext(f.Image2->text());
    const QImage ratio = f.Image2->grab().toImage();
    const QImage same = f.Image3->grab().toImage();
    const QRect inside(f.Image2->pos() - f.Image3->pos(), f.Image2->size());
    const qreal ratiopixels = same.devicePixelRatio(); // the grabs are in device pixels
    EXPECT_EQ(same.copy(QRect(inside.topLeft() * ratiopixels, inside.size() * ratiopixels)), ratio);
}

TEST_F(Startup, TheSeparatorBoxesShowTheirWholeIndicatorTheReadoutsReadAsIfEnabled) {
    Form1& f = start(true);
    for (QCheckBox* box : {f.cbDot, f.cbComma}) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        EXPECT_TRUE(box->rect().contains(indicator)) << box->text().toStdString();
    }
    // The darkest pixel of the text is the same disabled as enabled.
    const auto darkest = [](QLineEdit* box) {
        const QImage image = box->grab().toImage();
        QRgb dark = qRgb(255, 255, 255);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < qGray(dark)) dark = image.pixel(x, y);
        return QColor(dark);
    };
    f.Text1->setText(QStringLiteral("-120 mV"));
    ASSERT_FALSE(f.Text1->isEnabled());
    const QColor disabled = darkest(f.Text1);
    f.Text1->setEnabled(true);
    EXPECT_EQ(disabled, darkest(f.Text1));
    EXPECT_EQ(disabled, f.Text1->palette().color(QPalette::Active, QPalette::Text));
}

class Entry : public Shown {};

// The repairs themselves are checked on the model's entry rules; here what the window shows of one.
TEST_F(Entry, EnterAppliesCorrectsAndMarks) {
    // A pHo value above its hard limit 20 (range 6 ... 8): corrected, marked, the range and slider widened.
    const QImage before = picture();
    enter(f().tbValue[pHo], "25");
    EXPECT_EQ(f().model.params[pHo].value, 20.0f);
    EXPECT_EQ(text(f().tbValue[pHo]) + " " + text(f().tbMin[pHo]) + " " + text(f().tbMax[pHo]), "20 6 20");
    EXPECT_TRUE(isred(f().tbValue[pHo]) && isblack(f().tbMin[pHo]) && isblack(f().tbMax[pHo]));
    EXPECT_EQ(f().Slider[pHo]->minimum(), 600);
    EXPECT_EQ(f().Slider[pHo]->maximum(), 2000);
    EXPECT_NE(picture(), before);
    // Typing clears the value box's mark.
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Backspace);
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
}

TEST_F(Entry, ASliderStepChangesTheValueTheBoxesAndThePlotAndClearsTheMarksOfItsRow) {
    enter(f().tbMin[pHo], "8.5");  // the maximum box turns red
    enter(f().tbValue[pHo], "30"); // the value box turns red too
    enter(f().tbMax[pHi], "30");   // another row's mark
    ASSERT_TRUE(isred(f().tbMax[pHo]) && isred(f().tbValue[pHo]) && isred(f().tbMax[pHi]));
    QTest::keyClick(f().tbMax[pHo], Qt::Key_Backspace); // the maximum box has no change handler
    ASSERT_TRUE(isred(f().tbMax[pHo]));
    const QImage before = picture();
    f().Slider[pHo]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f().Slider[pHo], Qt::Key_Down); // one step down, away from the maximum
    EXPECT_EQ(f().model.params[pHo].value, 19.99f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("19.99"));
    EXPECT_TRUE(isblack(f().tbValue[pHo]) && isblack(f().tbMin[pHo]) && isblack(f().tbMax[pHo]));
    EXPECT_TRUE(isred(f().tbMax[pHi]));
    EXPECT_NE(picture(), before);
}

TEST_F(Entry, LeavingTheBoxAppliesEscapeRestoresTheStoredText) {
    // The window losing the focus to another program or to a menu applies nothing.
    typeinto(f().tbValue[pHo], "7.5");
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(f().tbValue[pHo], &away);
    }
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    // Another control taking the focus does.
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.5f);
    // Escape and leaving applies the restored text, not the typed one.
    typeinto(f().tbValue[pHo], "5");
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Escape);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.5"));
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.5f);
}

} // namespace
} // namespace kelvora::uitest
