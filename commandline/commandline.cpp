#include "commandline.h"
#include "commandlineupdate.h"
#include "historylisting.h"
#include "programidentity.h"
#include "programtranslation.h"
#include "terminaltext.h"
#include "updatefilecheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

// The command line's texts, in the technician's language.
struct commandLineText
{
    Q_DECLARE_TR_FUNCTIONS(commandLine)
};

void printTo(FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

// Wrong usage: the problem, then the options.
int usageError(const QCommandLineParser &parser, const QString &problem)
{
    printTo(stderr, withControlsEscaped(problem) + "\n\n" + parser.helpText());
    return 2;
}

// The interfaces in the order of the Interfaces menu, whose newest entry is on top.
QList<interfacePort> listed(const interfacePortSource &attachedPorts)
{
    QList<interfacePort> ports;
    for (const interfacePort &port : attachedPorts())
        if (port.isListed())
            ports.prepend(port);
    return ports;
}

QString lines(const QList<interfacePort> &ports)
{
    QString text;
    for (const interfacePort &port : ports)
        text +=
            withControlsEscaped(port.portName) + '\t' + withControlsEscaped(port.menuText()) + '\n';
    return text;
}

// udev's order is arbitrary, and firmware must never go to a GPS or a console cable: without a
// port named, only the one interface box there is will do.
interfacePort chooseInterface(const interfacePortSource &attachedPorts)
{
    QList<interfacePort> boxes;
    const QList<interfacePort> ports = listed(attachedPorts);
    for (const interfacePort &port : ports)
        if (port.isInterfaceBox())
            boxes << port;
    if (boxes.size() == 1) {
        printTo(stderr, withControlsEscaped(commandLineText::tr("Interface: %1 (%2)")
                                                .arg(boxes[0].menuText(), boxes[0].portName)) +
                            '\n');
        return boxes[0];
    }
    printTo(stderr,
            commandLineText::tr("%n interface boxes are attached; name one with --interface PORT.",
                                nullptr, boxes.size()) +
                (ports.isEmpty() ? "\n"
                                 : ' ' + commandLineText::tr("Attached:") + '\n' + lines(ports)));
    return {};
}

// The port as given, by its name or its device path, listed or not; the history keeps what the
// system says of it when it is attached.
interfacePort namedInterface(const interfacePortSource &attachedPorts, const QString &name)
{
    for (const interfacePort &port : attachedPorts())
        if (name == port.portName || name == "/dev/" + port.portName)
            return port;
    return {name, {}, {}, {}};
}

bool displayNamed()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

// Qt's own options, such as -platform, take one dash; every option that takes two is the command
// line's, and one it does not know is wrong usage rather than a window that cannot open. Without
// a display the window cannot open either, and Qt would end the program with an abort and the
// advice to reinstall it: the command line says what to do instead.
bool commandLine::isWanted(int argc, char *argv[])
{
    bool platformNamed = displayNamed();
    for (int index = 1; index < argc; ++index) {
        const QByteArray argument(argv[index]);
        if (argument.startsWith("--") || argument == "-h" || argument == "-v")
            return true;
        platformNamed = platformNamed || argument == "-platform";
    }
    return !platformNamed;
}

int commandLine::run(int argc, char *argv[], const interfacePortSource &attachedPorts)
{
    QCoreApplication application(argc, argv);
    programIdentity::apply();
    // Scripts that read what it says set LC_ALL=C, as for any program translated with gettext.
    const programTranslation translation(programTranslation::languagesOfEnvironment());

    // Made here rather than before main, so that their descriptions are translated.
    const QCommandLineOption sendOption(
        "send", commandLineText::tr("Sends the update file without a window."),
        commandLineText::tr("FILE"));
    const QCommandLineOption interfaceOption(
        "interface",
        commandLineText::tr("The interface to send through, as a port name or a device path."),
        commandLineText::tr("PORT"));
    const QCommandLineOption ignorePowerOption(
        "ignore-power",
        commandLineText::tr("Sends even when the battery may not last for the whole update."));
    const QCommandLineOption forceOption(
        "force",
        commandLineText::tr("Sends a file with lines that are not frame data. A file whose "
                            "published checksum does not match is never sent."));
    const QCommandLineOption listOption(
        "list-interfaces",
        commandLineText::tr("Lists the interfaces, as the Interfaces menu does."));
    const QCommandLineOption historyOption(
        "history", commandLineText::tr("Lists every update recorded for this user, oldest first."));
    const QCommandLineOption jsonOption(
        "json", commandLineText::tr("With --history: one JSON object per update, for scripts."));
    const QCommandLineOption versionOption({"v", "version"},
                                           commandLineText::tr("Shows the program's version."));
    const QCommandLineOption helpOption({"h", "help"}, commandLineText::tr("Shows these options."));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        commandLineText::tr("%1: sends a firmware update file to a fixture.")
            .arg(programIdentity::name));
    parser.addOptions({sendOption, interfaceOption, ignorePowerOption, forceOption, listOption,
                       historyOption, jsonOption, versionOption, helpOption});
    // parse(), not process(): wrong usage ends with status 2, before anything is opened.
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.optionNames().isEmpty() && !displayNamed())
        return usageError(parser, commandLineText::tr("There is no display for the window; send "
                                                      "the update file with --send FILE."));
    if (!parsed || !parser.positionalArguments().isEmpty())
        return usageError(parser, parser.errorText().isEmpty()
                                      ? commandLineText::tr("Unexpected argument: %1")
                                            .arg(parser.positionalArguments()[0])
                                      : parser.errorText());
    if (parser.isSet(helpOption))
        return printTo(stdout, parser.helpText()), 0;
    if (parser.isSet(versionOption))
        return printTo(stdout,
                       QString("%1 %2\n").arg(programIdentity::name, programIdentity::version)),
               0;
    if (parser.isSet(historyOption) && (parser.isSet(sendOption) || parser.isSet(listOption)))
        return usageError(parser, commandLineText::tr("--history cannot be combined with --send "
                                                      "or --list-interfaces."));
    if (parser.isSet(jsonOption) && !parser.isSet(historyOption))
        return usageError(parser, commandLineText::tr("--json goes only with --history."));
    if (parser.isSet(historyOption)) {
        const historyListing history(parser.isSet(jsonOption));
        printTo(stdout, history.lines());
        if (history.problem().isEmpty())
            return 0;
        printTo(stderr, withControlsEscaped(history.problem()) + '\n');
        return 1;
    }
    if (parser.isSet(listOption) && parser.isSet(sendOption))
        return usageError(parser,
                          commandLineText::tr("--list-interfaces cannot be combined with --send."));
    if (parser.isSet(interfaceOption) && parser.value(interfaceOption).isEmpty())
        return usageError(parser, commandLineText::tr("No port after --interface."));
    if (parser.isSet(listOption))
        return printTo(stdout, lines(listed(attachedPorts))), 0;
    if (!parser.isSet(sendOption))
        return usageError(
            parser, commandLineText::tr("Nothing to do: name the update file with --send FILE."));

    // An update that nobody asked to stop goes on when its terminal hangs up or the reader of
    // stderr goes away, as when an ssh connection drops: a fixture left with half its firmware is
    // worse than lines that nobody reads, and writes that fail are dropped. Ignored rather than
    // handled: a handler could run in the worker's thread, where it would end a port call.
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);

    const QString updateFile = parser.value(sendOption);
    updateFileCheck check(updateFile);
    if (!check.passed()) {
        printTo(stderr, withControlsEscaped(check.message()) + '\n');
        return 2;
    }
    const interfacePort interface =
        parser.isSet(interfaceOption) ? namedInterface(attachedPorts, parser.value(interfaceOption))
                                      : chooseInterface(attachedPorts);
    if (interface.portName.isEmpty())
        return 1;
    const updateFileHeader header = check.header();
    if (header.isComplete())
        printTo(stderr, withControlsEscaped(header.applicationText()) + '\n' +
                            withControlsEscaped(header.fixtureText()) + '\n');
    commandLineUpdate update(interface, updateFile, parser.isSet(ignorePowerOption),
                             parser.isSet(forceOption));
    return update.exec();
}
