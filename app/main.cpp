// Kelvora: when the ATP synthase and the adenine nucleotide translocase reverse, in one window.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "config/shownname.h"
#include "ui/mainwindow.h"

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

// A text from the command line on one line: a line break in it is shown escaped.
QString oneline(const QString& text) {
    return QString::fromStdString(kelvora::shownname(text.toStdString()));
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

// The value of the last --config on the raw command line, bytes as given: the parser's text is decoded,
// and a name that is not valid in the locale's encoding would come back as another name. valued lists
// the options that take the next argument as their value.
std::optional<std::string> rawconfig(int argc, char* argv[], const QStringList& valued) {
    std::optional<std::string> value;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") break;
        if (!argument.starts_with('-')) continue;
        std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        if (equals != std::string_view::npos) {
            if (name.substr(0, equals) == "config") value = std::string(name.substr(equals + 1));
            continue;
        }
        if (!valued.contains(QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()))))
            continue;
        if (name == "config" && i + 1 < argc) value = std::string(argv[i + 1]);
        ++i;
    }
    return value;
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
    QStringList valued{QStringLiteral("config")};
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "style", "stylesheet", "display",
          "geometry", "qwindowgeometry", "qwindowtitle", "qwindowicon", "session"}) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
        valued << QString::fromLatin1(name);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    if (!parser.parse(arguments)) {
        say(stderr, QStringLiteral("kelvora: %1 (kelvora --help lists the options)\n")
                        .arg(oneline(problem(parser, arguments))));
        return exitbadusage;
    }
    if (!parser.positionalArguments().isEmpty()) {
        say(stderr, QStringLiteral("kelvora: unexpected argument '%1' (kelvora --help lists the options)\n")
                        .arg(oneline(parser.positionalArguments().constFirst())));
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
        // The name is used exactly as given; should the two readings ever disagree, nothing is guessed.
        const std::optional<std::string> raw = rawconfig(argc, argv, valued);
        if (!raw || QString::fromLocal8Bit(raw->data(), static_cast<qsizetype>(raw->size())) != file) {
            say(stderr, QStringLiteral("kelvora: the name given with --config cannot be kept exactly\n"));
            return exitbadusage;
        }
        settings = std::filesystem::path(*raw);
    }

    QApplication application(argc, argv);
    // The desktop entry's name and icon, so that a task bar matches the window to its entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvora.Kelvora"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.kelvora.Kelvora"),
                                                 QIcon(QStringLiteral(":/org.kelvora.Kelvora.svg"))));
    kelvora::MainWindow window(settings);
    window.show();
    return QApplication::exec();
}
