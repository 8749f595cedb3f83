// Test runner: the QImage surface needs a QGuiApplication for its font; offscreen needs no display.
#include <gtest/gtest.h>
#ifdef KELVORA_PLOT_QT
#include <QGuiApplication>
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
#ifdef KELVORA_PLOT_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
