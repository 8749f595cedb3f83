// Start-up, the reset to the defaults, the panel's layout for each y axis,
// and the panel's boxes and sliders: Enter, Escape, a slider step, and the red marks.
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "config/inifile.h"
#include "config/startup.h"
#include "ui/axistitle.h"
#include "ui/panelgeometry.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Startup : public InTempDir {
  protected:
    // A configuration file in the full form for the defaults with another y axis.
    void writeconfig(int16_t yaxis) {
        ModelState s;
        defaultstate(s);
        std::tie(s.yaxis, s.ymin, s.ymax) = std::tuple(yaxis, 6.0, 8.0);
        ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', configfilename));
    }
};

// The file's text is checked with the configuration file; here that the window writes it at a first start
// and at a reset, and shows the defaults.
TEST_F(Startup, CancelInTheResetBoxChangesNothingOkRestoresTheDefaults) {
    start();
    EXPECT_EQ(lines(configfilename).size(), 96);
    closewindow();
    writeconfig(pHo);
    MainWindow& f = start(true);
    toolkit::Answer answer = toolkit::Answer::Cancel;
    QString asked;
    f.setresetquestion([&](QWidget*, const QString& text, const QString& caption) {
        asked = caption + QLatin1Char('|') + text;
        return answer;
    });
    enter(value(Pin), "3000");
    const QStringList file = lines(configfilename);

    clickbutton("defaultButton");
    EXPECT_EQ(asked, QStringLiteral("Default|Do you want to revert to the original values?"));
    EXPECT_EQ(f.state().params[Pin].value, 3000.0f);
    EXPECT_EQ(lines(configfilename), file);

    answer = toolkit::Answer::OK;
    clickbutton("defaultButton");
    EXPECT_EQ(lines(configfilename).size(), 96);
    EXPECT_TRUE(slider(pHo)->isVisibleTo(&f));
    EXPECT_FALSE(slider(ATPin)->isVisibleTo(&f));
    EXPECT_EQ(text(value(Pin)) + " " + text(control("ymin")) + " " + text(control("ymax")), "10 0 3");
}

// Where the columns stand is checked with the panel geometry; here that the window places its controls
// there, that names and units fit their labels clear of their neighbours, and the y title.
TEST_F(Startup, EachYAxisChoiceLaysOutThePanelWithReadableLabels) {
    for (const int16_t yaxis : {ratioaxis, int16_t{pHo}, int16_t{T}}) {
        form.reset();
        writeconfig(yaxis);
        MainWindow& f = start(true);
        // The parameter on the y axis (with the ratio both ATPin and ADPin) leaves the panel.
        for (int i = 0; i <= lastindex; ++i) {
            const bool shown = i != yaxis && !(yaxis == ratioaxis && i <= ADPin);
            for (const char* kind : {"slider", "maximum", "minimum", "value", "name", "unit"})
                EXPECT_EQ(field<QWidget>(i, kind)->isVisibleTo(&f), shown) << yaxis << " " << i << kind;
        }
        // The last slider, placed from all columns before it; each array is placed on its own.
        std::array<float, panelarrays> design{};
        design[SliderArray] = toolkit::lefttwips(slider(0));
        const float last = panelgeometry(yaxis, design).columns[lastindex].left[SliderArray];
        EXPECT_EQ(slider(lastindex)->x(), toolkit::pixels(last)) << yaxis;
        EXPECT_EQ(control<AxisTitle>("ratioTitle")->isVisibleTo(&f), yaxis == ratioaxis);
        EXPECT_EQ(control<AxisTitle>("yTitle")->isVisibleTo(&f), yaxis != ratioaxis);
        for (const char* kind : {"name", "unit"}) {
            QRect previous;
            for (int i = 0; i <= lastindex; ++i) {
                const QLabel* l = field<QLabel>(i, kind);
                if (!l->isVisibleTo(&f)) continue;
                // Where the label draws its text, measured in the font it really has, in the window.
                const QFontMetrics metrics(l->font());
                const QRect drawn = metrics.boundingRect(l->contentsRect(), int(l->alignment()), l->text())
                                        .translated(l->mapTo(&f, QPoint()));
                const std::string where = l->text().toStdString() + " at y axis " + std::to_string(yaxis);
                EXPECT_LE(metrics.horizontalAdvance(l->text()), l->width()) << where;
                EXPECT_LE(metrics.height(), l->height()) << where;
                EXPECT_TRUE(f.rect().contains(drawn)) << where;
                EXPECT_FALSE(drawn.intersects(previous)) << where;
                previous = drawn;
            }
        }
    }
    // A parameter's title is drawn at the ratio title's scale and place: given the ratio's text it draws
    // exactly the ratio's picture.
    AxisTitle* ytitle = control<AxisTitle>("yTitle");
    AxisTitle* ratiotitle = control<AxisTitle>("ratioTitle");
    EXPECT_EQ(ytitle->text().toStdString(), "T (Celsius)");
    ytitle->settext(ratiotitle->text());
    const QRect inside(ratiotitle->pos() - ytitle->pos(), ratiotitle->size());
    EXPECT_EQ(ytitle->grab(inside).toImage(), ratiotitle->grab().toImage());
}

TEST_F(Startup, TheSeparatorBoxesShowTheirWholeIndicatorTheReadoutsReadAsIfEnabled) {
    start(true);
    for (QCheckBox* box : {control<QCheckBox>("usePoint"), control<QCheckBox>("useComma")}) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        EXPECT_TRUE(box->rect().contains(indicator)) << box->text().toStdString();
    }
    // The darkest pixel of the text is the same disabled as enabled.
    const auto darkest = [](QLineEdit* box) {
        const QImage image = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return QColor(*std::min_element(pixels, pixels + image.sizeInBytes() / sizeof(QRgb),
                                        [](QRgb a, QRgb b) { return qGray(a) < qGray(b); }));
    };
    QLineEdit* x = control("readoutX");
    x->setText(QStringLiteral("-120 mV"));
    ASSERT_FALSE(x->isEnabled());
    const QColor disabled = darkest(x);
    x->setEnabled(true);
    EXPECT_EQ(disabled, darkest(x));
    EXPECT_EQ(disabled, x->palette().color(QPalette::Active, QPalette::Text));
}

class Entry : public Shown {};

// The repairs themselves are checked on the model's entry rules; here what the window shows of one, and
// how a slider step clears the marks of its own row.
TEST_F(Entry, EnterAndASliderStepApplyRedrawAndMarkEscapeRestores) {
    // A pHo value above its hard limit 20 (range 6 ... 8): corrected, marked, the range widened.
    const QImage before = picture();
    enter(value(pHo), "25");
    EXPECT_EQ(text(value(pHo)) + " " + text(minimum(pHo)) + " " + text(maximum(pHo)), "20 6 20");
    EXPECT_TRUE(isred(value(pHo)));
    EXPECT_FALSE(isred(maximum(pHo)));
    EXPECT_NE(picture(), before);
    enter(maximum(pHi), "30"); // another row's mark
    ASSERT_TRUE(isred(maximum(pHi)));
    slider(pHo)->setFocus(Qt::TabFocusReason);
    const QImage widened = picture();
    QTest::keyClick(slider(pHo), Qt::Key_Down); // one step down from the widened slider's end
    EXPECT_EQ(text(value(pHo)), withsep("19.99"));
    EXPECT_NE(picture(), widened); // the step is drawn
    EXPECT_FALSE(isred(value(pHo)));
    EXPECT_TRUE(isred(maximum(pHi)));
    // Escape brings back the stored text.
    typeinto(value(pHo), "5");
    QTest::keyClick(value(pHo), Qt::Key_Escape);
    EXPECT_EQ(text(value(pHo)), withsep("19.99"));
}

} // namespace
} // namespace kelvora::uitest
