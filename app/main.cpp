// Kelvora: when the ATP synthase and the adenine nucleotide translocase reverse, in one window.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <filesystem>

#include "ui/form1.h"

namespace {

constexpr int exitok = 0;
constexpr int exitbadusage = 2;

const char* const usage = "Usage: kelvora [--config FILE]\n"
                          "       kelvora --help | --version\n"
                          "\n"
                          "Opens the Kelvora window: the reversal potentials of the adenine nucleotide\n"
                          "translocase (ErevANT) and of the ATP synthase (ErevATPase) against the\n"
                          "membrane potential, with the colour zones that tell which way each enzyme works.\n"
                          "\n"
                          "Options:\n"
                          "  --config FILE   read the settings from FILE and write them back to it when the\n"
                          "                  window closes (default: Kelvora.ini in the current directory);\n"
                          "                  a missing FILE is created with the built-in defaults\n"
                          "  --help          show this help and exit\n"
                          "  --version       show the version and exit\n"
                          "\n"
                          "Exit status: 0 when the window was closed or help or version was shown,\n"
                          "2 for a bad argument.\n"
                          "\n"
                          "The model is described in " KELVORA_DOCDIR "/model.md;\n"
                          "see also kelvora(1) and kelvora-export(1).\n";

void say(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// What is wrong with the command line, in one line: an unknown option as it was typed, otherwise the
// parser's own words.
QString problem(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        for (const QString& argument : arguments.mid(1)) {
            QString name = argument;
            while (name.startsWith(QLatin1Char('-')))
                name.remove(0, 1);
            name = name.section(QLatin1Char('='), 0, 0);
            if (argument.startsWith(QLatin1Char('-')) && name == unknown.constFirst())
                return QStringLiteral("unknown option '%1'").arg(argument);
        }
    }
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    // The command line is read before the toolkit starts, so that --help, --version and a bad argument
    // need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // "-platform xcb" and the like are the toolkit's own options: read as long options and passed on.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption config(QStringLiteral("config"), QString(), QStringLiteral("FILE"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(config);
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "style", "stylesheet", "display",
          "geometry", "qwindowgeometry", "qwindowtitle", "qwindowicon", "session"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    if (!parser.parse(arguments)) {
        say(stderr, QStringLiteral("kelvora: %1 (kelvora --help lists the options)\n")
                        .arg(problem(parser, arguments)));
        return exitbadusage;
    }
    if (!parser.positionalArguments().isEmpty()) {
        say(stderr, QStringLiteral("kelvora: unexpected argument '%1' (kelvora --help lists the options)\n")
                        .arg(parser.positionalArguments().constFirst()));
        return exitbadusage;
    }
    if (parser.isSet(help)) {
        std::fputs(usage, stdout);
        return exitok;
    }
    if (parser.isSet(version)) {
        std::fputs("kelvora " KELVORA_VERSION "\n", stdout);
        return exitok;
    }
    std::filesystem::path settings;
    if (parser.isSet(config)) {
        const QString file = parser.value(config);
        if (file.isEmpty()) {
            say(stderr, QStringLiteral("kelvora: --config needs a file name\n"));
            return exitbadusage;
        }
        settings = std::filesystem::path(file.toLocal8Bit().toStdString());
    }

    QApplication application(argc, argv);
    // The desktop entry's name and icon, so that a task bar matches the window to its entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvora.Kelvora"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.kelvora.Kelvora"),
                                                 QIcon(QStringLiteral(":/org.kelvora.Kelvora.svg"))));
    kelvora::Form1 window(nullptr, settings);
    window.show();
    return QApplication::exec();
}
