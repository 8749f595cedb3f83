// Prints the settings text the window writes at close after starting from the file given: what the
// desktop makes of a settings file, for the browser test to compare the page's saved file with.
#include "config/inifile.h"
#include "config/startup.h"
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    kelvora::ModelState s;
    if (kelvora::startstate(s, argv[1]) == kelvora::ConfigStatus::failed) return 1;
    std::cout << kelvora::configtext(s, kelvora::ConfigForm::atclose, '.');
    return std::cout.good() ? 0 : 1;
}
