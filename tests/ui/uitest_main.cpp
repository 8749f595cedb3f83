// The window tests need one QApplication for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Windows are created offscreen unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef KELVORA_SCALE_FACTOR
    // A screen of that many device pixels a logical pixel, whatever the environment says.
    qputenv("QT_SCALE_FACTOR", KELVORA_SCALE_FACTOR);
#endif
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
