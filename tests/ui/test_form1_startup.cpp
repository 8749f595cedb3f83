// Start-up in its order, the first start, a start with a parameter on the y axis, closing with the
// settings kept, and the reset to the defaults.
#include <QComboBox>
#include <QSlider>

#include "config/inifile.h"
#include "config/startup.h"
#include "ui/axistitle.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Startup : public InTempDir {
  protected:
    // A configuration file in the full form for the defaults, changed by edit first.
    template <typename Edit> void writeconfig(Edit edit) {
        ModelState s;
        startstate(s, "no such file");
        edit(s);
        writefile(configfilename, QByteArray::fromStdString(configtext(s, ConfigForm::atclose, '.')));
    }

    // What the panel shows, column by column, and where.
    static std::vector<std::string> panelstate(const Form1& f) {
        std::vector<std::string> out;
        for (int i = 0; i <= lastindex; ++i)
            out.push_back(std::to_string(f.Slider[i]->x()) + " " + std::to_string(f.tbValue[i]->x()) + " " +
                          std::to_string(f.lbName[i]->x()) +
                          (f.Slider[i]->isVisibleTo(&f) ? " shown" : " hidden"));
        return out;
    }

    static void expectdefaults(const Form1& f) {
        for (int i = 0; i <= lastindex; ++i) {
            EXPECT_EQ(f.model.params[i].value, f.model.defaults[i].value) << i;
            EXPECT_EQ(f.model.params[i].min, f.model.defaults[i].min) << i;
            EXPECT_EQ(f.model.params[i].max, f.model.defaults[i].max) << i;
            EXPECT_EQ(f.model.params[i].inc, f.model.defaults[i].inc) << i;
        }
    }

    static bool columnshown(const Form1& f, int i) {
        const std::array<const QWidget*, 6> column{f.Slider[i],  f.tbMax[i],  f.tbMin[i],
                                                   f.tbValue[i], f.lbName[i], f.lbUnit[i]};
        int shown = 0;
        for (const QWidget* w : column)
            shown += w->isVisibleTo(&f) ? 1 : 0;
        EXPECT_TRUE(shown == 0 || shown == 6) << "column " << i << " is partly shown";
        return shown == 6;
    }
};

TEST_F(Startup, FirstStartWritesTheFileAndShowsTheDefaults) {
    ASSERT_FALSE(QFile::exists(path(configfilename)));
    Form1& f = start(true);

    const QStringList file = lines(configfilename);
    ASSERT_EQ(file.size(), 96);
    EXPECT_EQ(file[0],
              QStringLiteral("#  You may alter this file manually at your own risk. Take care, you should "
                             "not change the order of the variables."));
    EXPECT_EQ(file[4].toStdString(), "# ATPin  (mM)");
    EXPECT_EQ(file[5].toStdString(), withsep(" 6.00"));

    expectdefaults(f);
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(f.lbName[i]->text().toStdString(), parametername(i));
        EXPECT_EQ(f.lbUnit[i]->text().toStdString(), parameterunit(i));
        for (const QLineEdit* box : {f.tbValue[i], f.tbMin[i], f.tbMax[i]})
            EXPECT_TRUE(isblack(box)) << i;
    }
    EXPECT_EQ(static_cast<double>(f.model.params[ATPout].value), 1.2000000476837158);
    EXPECT_EQ(f.Combo1->count(), 21);
    EXPECT_EQ(f.Combo1->currentIndex(), 0);
    EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("ATPin/ADPin"));

    // The boxes as textrefresh and the redraw write them, the panel's with at most six digits.
    QStringList boxes;
    for (const QLineEdit* box : {f.tbValue[pHo], f.tbMin[pHo], f.tbMax[pHo], f.tbValue[ATPout],
                                 f.tbMin[ADPout], f.tbValue[KMadpin], f.tbymin, f.tbymax, f.tbxmin, f.tbxmax})
        boxes << box->text();
    EXPECT_EQ(boxes.join(QLatin1Char(' ')).toStdString(), withsep("7.25 6 8 1.2 0.001 0.906 0 3 -160 -80"));

    // The ratio is on the y axis: ATPin and ADPin have no column, the y title is shown.
    for (int i = 0; i <= lastindex; ++i)
        EXPECT_EQ(columnshown(f, i), i >= ATPout) << i;
    EXPECT_TRUE(f.Image2->isVisibleTo(&f));
    EXPECT_EQ(f.Slider[ATPout]->x(), 55); // 600 + 240 x 0.96 twips

    // The plot is painted: the bottom-left corner of the plot area lies in the zone left of both curves,
    // and the x axis line.
    const QImage shown = f.Picture1->grab().toImage();
    EXPECT_EQ(shown.pixel(leftmargin + 2, topmargin + 200), qRgb(191, 192, 0));
    EXPECT_EQ(shown.pixel(200, 305 - bottommargin), qRgb(0, 0, 150));
}

TEST_F(Startup, TemperatureOnTheYAxisHidesOnlyItsColumnAndTheTitle) {
    writeconfig([](ModelState& s) {
        s.yaxis = T;
        s.ymin = 20;
        s.ymax = 40;
    });
    Form1& f = start();
    EXPECT_EQ(f.model.yaxis, T);
    EXPECT_EQ(f.Combo1->currentIndex(), 18);
    EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("T (Celsius)"));
    for (int i = 0; i <= lastindex; ++i)
        EXPECT_EQ(columnshown(f, i), i != T) << i;
    EXPECT_FALSE(f.Image2->isVisibleTo(&f));
    // Mg and KM(adp) stand 1080 x 0.87 twips (62.6 pixels) apart.
    EXPECT_NEAR(f.Slider[KMadp]->x() - f.Slider[Mg]->x(), 1080 * 0.87 / 15, 1.0);
    EXPECT_EQ(f.Slider[KMadp]->x() - f.Slider[Mg]->x(), f.tbValue[KMadp]->x() - f.tbValue[Mg]->x());
    EXPECT_EQ(text(f.tbymin), "20");
    EXPECT_EQ(text(f.tbymax), "40");
}

TEST_F(Startup, ClosingWritesTheFullFileAndANewStartReadsItBack) {
    Form1& f = start(true);
    enter(f.tbValue[pHo], "7.5");
    enter(f.tbMax[T], "35");
    f.model.xmin = -170;
    f.model.pKa2 = 6.9;
    const ModelState before = f.model;
    closewindow();

    const QStringList file = lines(configfilename);
    ASSERT_EQ(file.size(), 98);
    EXPECT_EQ(file[0], QStringLiteral("#  Kelvora configuration file"));
    EXPECT_EQ(file[1], QStringLiteral("#"));
    EXPECT_EQ(file[96], QStringLiteral("# y axis"));
    EXPECT_EQ(file[97], QStringLiteral("-1 "));

    Form1& again = start();
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_NEAR(again.model.params[i].value, before.params[i].value, 5e-7) << i;
        EXPECT_NEAR(again.model.params[i].min, before.params[i].min, 5e-7) << i;
        EXPECT_NEAR(again.model.params[i].max, before.params[i].max, 5e-7) << i;
    }
    EXPECT_EQ(again.model.params[pHo].value, 7.5f);
    EXPECT_EQ(again.model.params[T].max, 35.0);
    EXPECT_EQ(again.model.xmin, -170.0);
    EXPECT_EQ(again.model.pKa2, 6.9);
    EXPECT_EQ(text(again.tbMax[T]), "35");
}

TEST_F(Startup, TheTaskManagerLeavesTheFileAsItWas) {
    Form1& f = start();
    const QStringList first = lines(configfilename);
    f.model.params[pHo].value = 7.0f;
    int16_t cancel = 0;
    f.Form_QueryUnload(cancel, 3);
    EXPECT_EQ(lines(configfilename), first);
    f.Form_QueryUnload(cancel, 0);
    EXPECT_EQ(lines(configfilename).size(), 98);
    EXPECT_EQ(cancel, 0);
}

TEST_F(Startup, AFileThatCannotBeReadOrWrittenStopsNothing) {
    // A directory in the place of the file: it is present but can be neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(configfilename)));
    Form1& f = start(true);
    EXPECT_EQ(f.model.params[pHo].value, 7.25f);
    EXPECT_EQ(text(f.tbValue[pHo]), withsep("7.25"));
    enter(f.tbValue[pHo], "7.5");
    EXPECT_EQ(f.model.params[pHo].value, 7.5f);
    f.question = [](QWidget*, const QString&, const QString&) { return toolkit::Answer::OK; };
    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    EXPECT_EQ(f.model.params[pHo].value, 7.25f);
    EXPECT_TRUE(QFileInfo(path(configfilename)).isDir());
    closewindow();
    EXPECT_TRUE(QFileInfo(path(configfilename)).isDir());
}

TEST_F(Startup, CancelInTheResetBoxChangesNothingOkRestoresTheDefaults) {
    writeconfig([](ModelState& s) {
        s.yaxis = pHo;
        s.ymin = 6;
        s.ymax = 8;
    });
    Form1& f = start(true);
    ASSERT_EQ(f.model.yaxis, pHo);
    toolkit::Answer answer = toolkit::Answer::Cancel;
    QString asked, title;
    f.question = [&](QWidget*, const QString& text, const QString& caption) {
        asked = text;
        title = caption;
        return answer;
    };
    enter(f.tbValue[Pin], "3000");
    enter(f.tbMin[pHi], "6.5");
    f.model.xmin = -200;
    const QStringList file = lines(configfilename);
    const std::vector<std::string> panel = panelstate(f);

    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    EXPECT_EQ(asked, QStringLiteral("Do you want to revert to the original values?"));
    EXPECT_EQ(title, QStringLiteral("Default"));
    EXPECT_EQ(f.model.params[Pin].value, 3000.0f);
    EXPECT_EQ(f.model.params[Pin].max, 3000.0);
    EXPECT_EQ(text(f.tbValue[Pin]), "3000");
    EXPECT_EQ(f.model.xmin, -200.0);
    EXPECT_EQ(f.model.yaxis, pHo);
    EXPECT_EQ(lines(configfilename), file);
    EXPECT_EQ(panelstate(f), panel);

    answer = toolkit::Answer::OK;
    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);

    expectdefaults(f);
    EXPECT_EQ(f.model.yaxis, ratioaxis);
    EXPECT_EQ(f.model.xmin, -160.0);
    EXPECT_EQ(f.Combo1->count(), 21);
    EXPECT_EQ(f.Combo1->currentIndex(), 0);
    EXPECT_EQ(text(f.tbValue[Pin]), "10");
    EXPECT_EQ(text(f.tbMin[pHi]), "6");
    EXPECT_EQ(text(f.tbxmin), "-160");
    EXPECT_EQ(lines(configfilename).size(), 96);

    // The layout is the one of a fresh start with the ratio, with no trace of the pHo layout before.
    const std::vector<std::string> afterreset = panelstate(f);
    closewindow();
    ASSERT_TRUE(QFile::remove(path(configfilename)));
    Form1& fresh = start();
    EXPECT_EQ(panelstate(fresh), afterreset);
}

} // namespace
} // namespace kelvora::uitest
