// Start-up in its order, the first start, a start with a parameter on the y axis, closing with the
// settings kept, and the reset to the defaults.
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSlider>

#include "config/inifile.h"
#include "config/startup.h"
#include "ui/axistitle.h"
#include "ui/plotwidget.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Startup : public InTempDir {
  protected:
    // A configuration file in the full form for the defaults, changed by edit first.
    template <typename Edit> void writeconfig(char sep, Edit edit) {
        ModelState s;
        startstate(s, "no such file");
        edit(s);
        writefile(configfilename, QByteArray::fromStdString(configtext(s, ConfigForm::atclose, sep)));
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

    static std::string sepnumber(const Form1& f, const char* withpoint) {
        std::string text = withpoint;
        for (char& c : text)
            if (c == '.') c = f.sep;
        return text;
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
    Form1& f = start();

    const QStringList file = lines(configfilename);
    ASSERT_EQ(file.size(), 96);
    EXPECT_EQ(file[0],
              QStringLiteral("#  You may alter this file manually at your own risk. Take care, you should "
                             "not change the order of the variables."));
    EXPECT_EQ(file[4].toStdString(), "# ATPin  (mM)");
    EXPECT_EQ(file[5].toStdString(), sepnumber(f, " 6.00"));

    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(f.model.params[i].value, f.model.defaults[i].value);
        EXPECT_EQ(f.model.params[i].min, f.model.defaults[i].min);
        EXPECT_EQ(f.model.params[i].max, f.model.defaults[i].max);
        EXPECT_EQ(f.model.params[i].inc, f.model.defaults[i].inc);
        EXPECT_EQ(f.model.params[i].tag, f.model.defaults[i].tag);
        EXPECT_EQ(f.lbName[i]->text().toStdString(), parametername(i));
        EXPECT_EQ(f.lbUnit[i]->text().toStdString(), parameterunit(i));
    }
    EXPECT_EQ(static_cast<double>(f.model.params[ATPout].value), 1.2000000476837158);
    EXPECT_EQ(f.Combo1->count(), 21);
    EXPECT_EQ(f.Combo1->currentIndex(), 0);
    EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("ATPin/ADPin"));
    EXPECT_EQ(f.Combo1->itemText(18), QStringLiteral("T (Celsius)"));

    EXPECT_EQ(text(f.tbValue[pHo]), sepnumber(f, "7.25"));
    EXPECT_EQ(text(f.tbMin[pHo]), "6");
    EXPECT_EQ(text(f.tbMax[pHo]), "8");
    EXPECT_EQ(text(f.tbValue[ATPout]), sepnumber(f, "1.2"));
    EXPECT_EQ(text(f.tbMin[ADPout]), sepnumber(f, "0.001"));
    EXPECT_EQ(text(f.tbValue[KMadpin]), sepnumber(f, "0.906"));
    EXPECT_EQ(text(f.tbymin), "0");
    EXPECT_EQ(text(f.tbymax), "3");
    EXPECT_EQ(text(f.tbxmin), "-160");
    EXPECT_EQ(text(f.tbxmax), "-80");
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_TRUE(isblack(f.tbValue[i]));
        EXPECT_TRUE(isblack(f.tbMin[i]));
        EXPECT_TRUE(isblack(f.tbMax[i]));
    }

    // The ratio is on the y axis: ATPin and ADPin have no column, the y title is shown.
    EXPECT_FALSE(columnshown(f, ATPin));
    EXPECT_FALSE(columnshown(f, ADPin));
    for (int i = ATPout; i <= lastindex; ++i)
        EXPECT_TRUE(columnshown(f, i)) << i;
    EXPECT_TRUE(f.Image2->isVisibleTo(&f));
    EXPECT_EQ(f.Slider[ATPout]->x(), 55); // 600 + 240 x 0.96 twips
}

TEST_F(Startup, TheFirstStartPaintsThePlot) {
    Form1& f = start(true);
    const QImage shown = f.Picture1->grab().toImage();
    // The bottom-left corner of the plot area lies in the zone left of both curves.
    EXPECT_EQ(shown.pixel(leftmargin + 2, topmargin + 200), qRgb(191, 192, 0));
    // The x axis line.
    EXPECT_EQ(shown.pixel(200, 305 - bottommargin), qRgb(0, 0, 150));
}

TEST_F(Startup, TemperatureOnTheYAxisHidesOnlyItsColumnAndTheTitle) {
    writeconfig('.', [](ModelState& s) {
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
    typeinto(f.tbValue[pHo], QStringLiteral("7.5"));
    QTest::keyClick(f.tbValue[pHo], Qt::Key_Return);
    typeinto(f.tbMax[T], QStringLiteral("35"));
    QTest::keyClick(f.tbMax[T], Qt::Key_Return);
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
    EXPECT_EQ(text(f.tbValue[pHo]), sepnumber(f, "7.25"));
    typeinto(f.tbValue[pHo], QStringLiteral("7.5"));
    QTest::keyClick(f.tbValue[pHo], Qt::Key_Return);
    EXPECT_EQ(f.model.params[pHo].value, 7.5f);
    f.question = [](QWidget*, const QString&, const QString&) { return toolkit::Answer::OK; };
    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    EXPECT_EQ(f.model.params[pHo].value, 7.25f);
    EXPECT_TRUE(QFileInfo(path(configfilename)).isDir());
    closewindow();
    EXPECT_TRUE(QFileInfo(path(configfilename)).isDir());
}

TEST_F(Startup, CancelInTheResetBoxChangesNothing) {
    Form1& f = start(true);
    QString asked, title;
    f.question = [&](QWidget*, const QString& text, const QString& caption) {
        asked = text;
        title = caption;
        return toolkit::Answer::Cancel;
    };
    typeinto(f.tbValue[pHo], QStringLiteral("9"));
    QTest::keyClick(f.tbValue[pHo], Qt::Key_Return);
    const QStringList file = lines(configfilename);
    const std::vector<std::string> panel = panelstate(f);

    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);
    EXPECT_EQ(asked, QStringLiteral("Do you want to revert to the original values?"));
    EXPECT_EQ(title, QStringLiteral("Default"));
    EXPECT_EQ(f.model.params[pHo].value, 9.0f);
    EXPECT_EQ(f.model.params[pHo].max, 9.0);
    EXPECT_EQ(text(f.tbValue[pHo]), "9");
    EXPECT_EQ(lines(configfilename), file);
    EXPECT_EQ(panelstate(f), panel);
}

TEST_F(Startup, OkInTheResetBoxRestoresTheDefaultsAndRewritesTheFile) {
    writeconfig('.', [](ModelState& s) {
        s.yaxis = pHo;
        s.ymin = 6;
        s.ymax = 8;
    });
    Form1& f = start(true);
    ASSERT_EQ(f.model.yaxis, pHo);
    f.question = [](QWidget*, const QString&, const QString&) { return toolkit::Answer::OK; };
    typeinto(f.tbValue[Pin], QStringLiteral("3000"));
    QTest::keyClick(f.tbValue[Pin], Qt::Key_Return);
    typeinto(f.tbMin[pHi], QStringLiteral("6.5"));
    QTest::keyClick(f.tbMin[pHi], Qt::Key_Return);
    f.model.xmin = -200;

    QTest::mouseClick(f.cmdDefault, Qt::LeftButton);

    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(f.model.params[i].value, f.model.defaults[i].value) << i;
        EXPECT_EQ(f.model.params[i].min, f.model.defaults[i].min) << i;
        EXPECT_EQ(f.model.params[i].max, f.model.defaults[i].max) << i;
    }
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
