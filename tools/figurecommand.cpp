#include "tools/figurecommand.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <iostream>

#include "config/outputfile.h"

namespace kelvora {

namespace {

// The prefix of Qt's own messages; the handler takes no context of its own.
std::string qtprefix;

// Qt's notes on standard error (a missing runtime directory and the like) are of no use to a script;
// warnings are dropped, anything graver still shows.
void quietqt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    std::fprintf(stderr, "%s%s\n", qtprefix.c_str(), message.toLocal8Bit().constData());
}

} // namespace

std::optional<int> parsefigurecommand(FigureCommand& c, const std::vector<std::string>& args,
                                      const OwnOption& own, const std::function<void()>& help) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string message;
        OptionResult result = own ? own(args, i, message) : OptionResult::notmine;
        if (result == OptionResult::notmine) result = parsecommonoption(args, i, c.options, message);
        if (result == OptionResult::taken) continue;
        if (result == OptionResult::bad) {
            std::cerr << c.prefix() << message << "\n";
            return exitbadusage;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            help();
            return exitok;
        }
        if (args[i].empty() || args[i][0] == '-') {
            std::cerr << c.prefix() << "unknown argument " << quotedname(args[i]) << " (kelvora-export "
                      << c.name << " --help lists the options)\n";
            return exitbadusage;
        }
        if (!c.out.empty()) {
            std::cerr << c.prefix() << "one output file only, not also " << quotedname(args[i]) << "\n";
            return exitbadusage;
        }
        c.out = args[i];
    }
    if (c.out.empty()) {
        std::cerr << c.prefix() << "the output file OUT." << c.name << " is missing\n";
        return exitbadusage;
    }
    return std::nullopt;
}

std::optional<int> preparefigure(FigureCommand& c) {
    std::string why;
    if (!checkoutputfile(c.out, c.options.config.string(), why)) {
        std::cerr << c.prefix() << why << "\n";
        return exitfailure;
    }
    // The automatic fit belongs to the redraw here, as in the window: build the start-up state only.
    c.automatic = c.options.autoscale;
    ExportOptions startup = c.options;
    startup.autoscale = false;
    std::string message;
    if (!buildexportstate(startup, c.state, message)) {
        std::cerr << c.prefix() << message << "\n";
        return exitfailure;
    }
    return std::nullopt;
}

std::unique_ptr<QGuiApplication> offscreenqt(const FigureCommand& c) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtprefix = c.prefix();
    qInstallMessageHandler(quietqt);
    static int argc = 1;
    static char name[] = "kelvora-export";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int writefigure(const FigureCommand& c, const QByteArray& bytes) {
    // A failed write leaves no half file and keeps an older file of that name.
    std::string why;
    if (!writeoutputfile(c.out, bytes.toStdString(), why)) {
        std::cerr << c.prefix() << why << "\n";
        return exitfailure;
    }
    return exitok;
}

} // namespace kelvora
