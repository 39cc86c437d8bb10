#include "DesktopCommandLine.h"

#include "Version.h"

#include <QCommandLineParser>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr auto ProgramName = "rotam-print"_L1;

QString helpText(const QCommandLineParser &parser)
{
    // Without an application object Qt cannot know the program's name.
    QString text = parser.helpText();
    text.replace(u"<executable_name>"_s, ProgramName);
    return text;
}

} // namespace

DesktopCommand parseDesktopCommandLine(const QStringList &arguments, QTextStream &out,
                                       QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prints the grid puzzles of the mail magazine 今日のロタム from saved mail: text files "
        u"(CP932, UTF-8 or ISO-2022-JP), saved messages (.eml), mbox files, Maildirs and "
        u"folders of them. One page for each checked issue, to a printer or a PDF file."_s);
    // Not addHelpOption(): its --help-all would promise Qt's options, which only an
    // application object knows.
    parser.addOption(QCommandLineOption({u"h"_s, u"help"_s}, u"Displays this help."_s));
    parser.addVersionOption();
    parser.addPositionalArgument(u"FILE"_s,
                                 u"Mail files (text, .eml or mbox) or folders (Maildirs too) to "
                                 u"load at start."_s,
                                 u"[FILE...]"_s);

    DesktopCommand command;
    if (!parser.parse(arguments)) {
        err << ProgramName << ": " << parser.errorText() << '\n' << helpText(parser);
        command.exitCode = 2;
        return command;
    }
    if (parser.isSet(u"help"_s)) {
        out << helpText(parser);
        command.exitCode = 0;
        return command;
    }
    if (parser.isSet(u"version"_s)) {
        out << ProgramName << ' ' << QStringLiteral(ROTAM_VERSION) << '\n';
        command.exitCode = 0;
        return command;
    }
    command.paths = parser.positionalArguments();
    return command;
}
