// Kelvora: when the ATP synthase and the adenine nucleotide translocase reverse, in one window.
#include <QApplication>

#include "ui/form1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    kelvora::Form1 window;
    window.show();
    return QApplication::exec();
}
