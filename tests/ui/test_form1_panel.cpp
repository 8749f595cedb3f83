// Start-up, the reset to the defaults, the panel's layout for each y axis,
// and the panel's boxes and sliders: Enter, Escape, a slider step, and the red marks.
#include <QCheckBox>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>

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
        startstate(s, "no such file");
        std::tie(s.yaxis, s.ymin, s.ymax) = std::tuple(yaxis, 6.0, 8.0);
        QFile file(path(configfilename));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(configtext(s, ConfigForm::atclose, '.')));
    }
};

// The file's text is checked with the configuration file; here that the window writes it at a first start
// and at a reset, and shows the defaults.
TEST_F(Startup, CancelInTheResetBoxChangesNothingOkRestoresTheDefaults) {
    start();
    EXPECT_EQ(lines(configfilename).size(), 96);
    closewindow();
    writeconfig(pHo);
    Form1& f = start(true);
    toolkit::Answer answer = toolkit::Answer::Cancel;
    QString asked;
    f.question = [&](QWidget*, const QString& text, const QString& caption) {
        asked = caption + QLatin1Char('|') + text;
        return answer;
    };
    enter(f.tbValue[Pin], "3000");
    const QStringList file = lines(configfilename);

    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    EXPECT_EQ(asked, QStringLiteral("Default|Do you want to revert to the original values?"));
    EXPECT_EQ(f.model.params[Pin].value, 3000.0f);
    EXPECT_EQ(lines(configfilename), file);

    answer = toolkit::Answer::OK;
    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    EXPECT_EQ(lines(configfilename).size(), 96);
    EXPECT_TRUE(f.Slider[pHo]->isVisibleTo(&f) && !f.Slider[ATPin]->isVisibleTo(&f));
    EXPECT_EQ(text(f.tbValue[Pin]) + " " + text(f.tbymin) + " " + text(f.tbymax), "10 0 3");
}

// Where the columns stand is checked with the panel geometry; here that the window places its controls
// there, that names and units fit their labels clear of their neighbours, and the y title.
TEST_F(Startup, EachYAxisChoiceLaysOutThePanelWithReadableLabels) {
    for (const int16_t yaxis : {ratioaxis, int16_t{pHo}, int16_t{T}}) {
        form.reset();
        writeconfig(yaxis);
        Form1& f = start(true);
        // The parameter on the y axis (with the ratio both ATPin and ADPin) leaves the panel.
        for (int i = 0; i <= lastindex; ++i) {
            const bool shown = i != yaxis && !(yaxis == ratioaxis && i <= ADPin);
            const std::array<QWidget*, panelarrays> column{f.Slider[i],  f.tbMax[i],  f.tbMin[i],
                                                           f.tbValue[i], f.lbName[i], f.lbUnit[i]};
            for (const QWidget* w : column)
                EXPECT_EQ(w->isVisibleTo(&f), shown) << yaxis << " " << i;
        }
        // The last slider, placed from all columns before it; each array is placed on its own.
        std::array<float, panelarrays> design{};
        design[SliderArray] = toolkit::lefttwips(f.Slider[0]);
        const float last = panelgeometry(yaxis, design).columns[lastindex].left[SliderArray];
        EXPECT_EQ(f.Slider[lastindex]->x(), toolkit::pixels(last)) << yaxis;
        EXPECT_EQ(f.Image2->isVisibleTo(&f), yaxis == ratioaxis);
        EXPECT_EQ(f.Image3->isVisibleTo(&f), yaxis != ratioaxis);
        for (const auto& labels : {f.lbName, f.lbUnit}) {
            QRect previous;
            for (int i = 0; i <= lastindex; ++i) {
                const QLabel* l = labels[i];
                if (!l->isVisibleTo(&f)) continue;
                // Where the label draws its text, measured in the font it really has, in the window.
                const QFontMetrics metrics(l->font());
                const QRect drawn = metrics.boundingRect(l->contentsRect(), int(l->alignment()), l->text())
                                        .translated(l->pos());
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
    EXPECT_EQ(f().Image3->text().toStdString(), "T (Celsius)");
    f().Image3->settext(f().Image2->text());
    const QImage ratio = f().Image2->grab().toImage();
    const QImage same = f().Image3->grab().toImage();
    const QRect inside(f().Image2->pos() - f().Image3->pos(), f().Image2->size());
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

// The repairs themselves are checked on the model's entry rules; here what the window shows of one, and
// how a slider step clears the marks of its own row.
TEST_F(Entry, EnterAndASliderStepApplyRedrawAndMarkEscapeRestores) {
    // A pHo value above its hard limit 20 (range 6 ... 8): corrected, marked, the range widened.
    const QImage before = picture();
    enter(f().tbValue[pHo], "25");
    EXPECT_EQ(text(f().tbValue[pHo]) + " " + text(f().tbMin[pHo]) + " " + text(f().tbMax[pHo]), "20 6 20");
    EXPECT_TRUE(isred(f().tbValue[pHo]) && !isred(f().tbMax[pHo]));
    EXPECT_NE(picture(), before);
    enter(f().tbMax[pHi], "30"); // another row's mark
    ASSERT_TRUE(isred(f().tbMax[pHi]));
    f().Slider[pHo]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f().Slider[pHo], Qt::Key_Down); // one step down from the widened slider's end
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("19.99"));
    EXPECT_TRUE(!isred(f().tbValue[pHo]) && isred(f().tbMax[pHi]));
    // Escape brings back the stored text.
    typeinto(f().tbValue[pHo], "5");
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Escape);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("19.99"));
}

} // namespace
} // namespace kelvora::uitest
