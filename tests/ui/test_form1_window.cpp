// The window's static make-up: caption, size, every control at its design place with its caption,
// the access keys, the tool tip, the hidden y-axis list, the axis titles and the frame lines.
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>

#include "ui/axistitle.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Window : public InTempDir {};

QRect twips(int left, int top, int width, int height) {
    return {toolkit::pixels(left), toolkit::pixels(top), toolkit::pixels(width), toolkit::pixels(height)};
}

TEST_F(Window, ControlsStandAtTheirDesignPlaces) {
    Form1& f = start();
    const std::vector<std::pair<QWidget*, QRect>> places{
        {f.Picture1, twips(360, 0, 8268, 4572)},   {f.Image2, twips(120, 1200, 210, 2085)},
        {f.Image1, twips(2280, 4680, 5220, 300)},  {f.Label12, twips(8760, 240, 1692, 252)},
        {f.cmdAuto, twips(9480, 720, 1212, 372)},  {f.Label19, twips(8760, 1680, 1812, 252)},
        {f.Label15, twips(8760, 2040, 732, 252)},  {f.Label16, twips(10080, 2040, 612, 252)},
        {f.tbymin, twips(8760, 2280, 1095, 288)},  {f.tbymax, twips(10080, 2280, 1095, 288)},
        {f.Label17, twips(8760, 2760, 732, 252)},  {f.Label18, twips(10080, 2760, 612, 252)},
        {f.tbxmin, twips(8760, 3000, 1095, 288)},  {f.tbxmax, twips(10080, 3000, 1095, 288)},
        {f.cmdSet, twips(10200, 3480, 975, 372)},  {f.cmdDefault, twips(13320, 300, 1335, 372)},
        {f.Label3, twips(11640, 1200, 1812, 372)}, {f.Label1, twips(11880, 1800, 372, 252)},
        {f.Text1, twips(12120, 1800, 1215, 288)},  {f.Label2, twips(11880, 2280, 372, 252)},
        {f.Text2, twips(12120, 2280, 1215, 288)},  {f.cmdClipboard, twips(12000, 3240, 1092, 612)},
        {f.cbDot, twips(13440, 3240, 1776, 192)},  {f.cbComma, twips(13440, 3600, 1776, 192)},
        {f.Label11, twips(120, 5400, 375, 255)},   {f.Label14, twips(120, 8040, 375, 255)},
        {f.tbMax[0], twips(480, 5400, 612, 288)},  {f.Slider[0], twips(600, 5760, 495, 2295)},
        {f.tbMin[0], twips(480, 8040, 612, 288)},  {f.lbName[0], twips(360, 8400, 975, 255)},
        {f.lbUnit[0], twips(480, 8640, 735, 255)}, {f.tbValue[0], twips(480, 8880, 612, 288)},
    };
    for (const auto& [widget, rect] : places)
        EXPECT_EQ(widget->geometry(), rect)
            << widget->metaObject()->className() << " " << rect.x() << "," << rect.y();
    EXPECT_EQ(f.Picture1->size(), QSize(551, 305));
}

TEST_F(Window, CaptionsToolTipStartStatesAndFixedClientArea) {
    Form1& f = start();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Kelvora"));
    EXPECT_EQ(f.minimumSize(), QSize(1014, 626));
    EXPECT_EQ(f.maximumSize(), QSize(1014, 626));
    // Labels, buttons and boxes all keep their caption or content in the property "text".
    QStringList captions;
    for (const QWidget* w : std::initializer_list<QWidget*>{
             f.Label12, f.cmdAuto, f.Label19, f.Label15, f.Label16, f.Label17, f.Label18, f.cmdSet,
             f.cmdDefault, f.Label3, f.Label1, f.Label2, f.cmdClipboard, f.cbDot, f.cbComma, f.Label11,
             f.Label14, f.Text1, f.Text2})
        captions << w->property("text").toString();
    EXPECT_EQ(
        captions.join(QLatin1Char('|')).toStdString(),
        "Screen setup|Automatic off|Manual setup|Y min|Y max|X min|X max|Set|&Default|Mouse position:|X|Y|"
        "&Copy to clipboard|use Point|use Comma|Max|Min||");
    EXPECT_EQ(f.cmdDefault->toolTip(), QStringLiteral("Go back to the original parameters"));
    EXPECT_TRUE(f.cmdAuto->isCheckable());
    EXPECT_FALSE(f.cmdAuto->isChecked() || f.cbDot->isChecked() || f.cbComma->isChecked());
    EXPECT_TRUE(f.cmdSet->isEnabled());
    EXPECT_FALSE(f.Text1->isEnabled() || f.Text2->isEnabled());
}

TEST_F(Window, AccessKeyPressesTheResetButtonAndTheYAxisListIsNeverShown) {
    Form1& f = start(true);
    EXPECT_FALSE(f.Combo1->isVisible());
    int asked = 0;
    f.question = [&](QWidget*, const QString&, const QString&) {
        ++asked;
        return toolkit::Answer::Cancel;
    };
    QTest::keyClick(&f, Qt::Key_D, Qt::AltModifier);
    // A button pressed by its access key shows itself pressed for a moment before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked > 0; }, 2000));
    EXPECT_EQ(asked, 1);
}

TEST_F(Window, PanelColumnsAreCopiesOfColumnZero) {
    Form1& f = start();
    for (int i = 1; i <= lastindex; ++i) {
        EXPECT_EQ(f.tbValue[i]->parentWidget(), f.tbValue[0]->parentWidget());
        EXPECT_EQ(f.tbValue[i]->size(), f.tbValue[0]->size());
        EXPECT_TRUE(f.tbValue[i]->font().bold());
        EXPECT_EQ(f.lbName[i]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        EXPECT_EQ(f.Slider[i]->size(), f.Slider[0]->size());
        EXPECT_EQ(f.Slider[i]->y(), f.Slider[0]->y());
        EXPECT_EQ(f.tbMin[i]->y(), f.tbMin[0]->y());
        EXPECT_EQ(f.lbUnit[i]->y(), f.lbUnit[0]->y());
        EXPECT_EQ(f.Slider[i]->orientation(), Qt::Vertical);
    }
}

TEST_F(Window, AxisTitlesAndFrameLines) {
    Form1& f = start(true);
    EXPECT_EQ(f.Image1->text(), QStringLiteral("Mitochondrial membrane potential (\u0394\u03A8m, mV)"));
    EXPECT_FALSE(f.Image1->readsupward());
    EXPECT_EQ(f.Image2->text(), QStringLiteral("Matrix ATP/ADP"));
    EXPECT_TRUE(f.Image2->readsupward());

    // The upward title fills its tall frame: ink reaches near its top and bottom ends.
    const QImage title = f.Image2->grab().toImage();
    int first = -1;
    int last = -1;
    for (int y = 0; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x)
            if (qGray(title.pixel(x, y)) < 96) {
                if (first < 0) first = y;
                last = y;
            }
    EXPECT_GE(first, 0);
    EXPECT_LE(first, 5);
    EXPECT_GE(last, title.height() - 6);

    // The frame lines separate the groups of the set-up area.
    const QImage window = f.grab().toImage();
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(window.pixel(576, 150), black);  // Line6, x 8640
    EXPECT_EQ(window.pixel(760, 40), black);   // Line8, x 11400
    EXPECT_EQ(window.pixel(650, 96), black);   // Line5, y 1440
    EXPECT_EQ(window.pixel(900, 64), black);   // Line1, y 960
    EXPECT_EQ(window.pixel(900, 192), black);  // Line10, y 2880
    EXPECT_EQ(window.pixel(640, 272), black);  // Line7, y 4080
    EXPECT_EQ(window.pixel(1000, 272), black); // Line9, y 4080
    EXPECT_NE(window.pixel(650, 97), black);
}

} // namespace
} // namespace kelvora::uitest
