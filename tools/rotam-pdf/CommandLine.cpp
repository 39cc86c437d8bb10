#include "CommandLine.h"

#include "IssueJson.h"
#include "IssueLoad.h"
#include "IssueOrder.h"
#include "IssueStore.h"
#include "LibraryRun.h"
#include "MailboxRun.h"
#include "MailboxUrl.h"
#include "PdfExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

#include <optional>
#include <variant>

namespace {

struct Options
{
    bool json = false;
    bool list = false;
    PdfExportOptions pdf;
    QStringList files;
    QString library;
    bool unprinted = false;
    std::optional<MailboxRunOptions> mailbox;
};

const QCommandLineOption JsonOption(QStringLiteral("json"),
                                    QStringLiteral("Write the parsed issues as JSON."));
const QCommandLineOption ListOption(QStringLiteral("list"),
                                    QStringLiteral("List the issues: index, tab, title."));
const QCommandLineOption
    OutputOption({QStringLiteral("o"), QStringLiteral("output")},
                 QStringLiteral("Print the issues to this PDF file; - for standard output."),
                 QStringLiteral("OUT.pdf"));
const QCommandLineOption PositionOption(
    QStringLiteral("position"),
    QStringLiteral("Placement on the page: top-left (default), center-left or center."),
    QStringLiteral("position"), QStringLiteral("top-left"));
const QCommandLineOption
    LayoutOption(QStringLiteral("layout"),
                 QStringLiteral("Issues a sheet: single (default), two side by side, or large (one "
                                "enlarged to the paper)."),
                 QStringLiteral("layout"), QStringLiteral("single"));
const QCommandLineOption CellsOption(
    QStringLiteral("cells"),
    QStringLiteral("Print the grid's cells as the mail has them: black squares and given "
                   "characters."));
const QCommandLineOption PaperOption(QStringLiteral("paper"),
                                     QStringLiteral("Paper: A4 (default), B5, A5 or Letter."),
                                     QStringLiteral("paper"), QStringLiteral("A4"));
const QCommandLineOption
    SelectOption(QStringLiteral("select"),
                 QStringLiteral("Only these record indexes: to print, list or write as JSON. "
                                "With --library, the library's ids, as --list shows them."),
                 QStringLiteral("INDEX,..."));
const QCommandLineOption LibraryOption(
    QStringLiteral("library"),
    QStringLiteral("Keep the issues in this library file: the FILEs, or --imap's new mail, are "
                   "added to it first, "
                   "then --list, --json and -o act on every issue it keeps, each listed with "
                   "its id; -o marks what it wrote as printed."),
    QStringLiteral("FILE"));
const QCommandLineOption
    UnprintedOption(QStringLiteral("unprinted"),
                    QStringLiteral("With --library: only the issues never printed."));
const QCommandLineOption ImapOption(
    QStringLiteral("imap"),
    QStringLiteral("Read the mail of this IMAP folder instead of FILEs, as if saved as files: "
                   "imaps://USER@HOST[:PORT]/FOLDER (TLS, port 993) or imap://... (STARTTLS, "
                   "port 143), reserved characters percent-encoded (%40 for @); no FOLDER is "
                   "INBOX. With --library, only mail new since the last fetch is read. The "
                   "password comes from --password-command, else from the keyring."),
    QStringLiteral("URL"));
const QCommandLineOption PasswordCommandOption(
    QStringLiteral("password-command"),
    QStringLiteral("With --imap: run CMD with /bin/sh -c; its first line of output is the "
                   "password."),
    QStringLiteral("CMD"));
const QCommandLineOption
    CaFileOption(QStringLiteral("ca-file"),
                 QStringLiteral("With --imap: trust the CA certificates in this PEM file too."),
                 QStringLiteral("FILE"));

void setUp(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Reads 今日のロタム mail: text files (CP932, UTF-8 or ISO-2022-JP), "
                       "saved messages (.eml), mbox files, Maildirs and folders of them. "
                       "Lists the issues, writes them as JSON, or prints them to a PDF file, "
                       "one page each."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({JsonOption, ListOption, OutputOption, PositionOption, LayoutOption,
                       CellsOption, PaperOption, SelectOption, LibraryOption, UnprintedOption,
                       ImapOption, PasswordCommandOption, CaFileOption});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Mail files and folders, read in order."),
                                 QStringLiteral("FILE..."));
}

std::optional<QList<qint32>> indexesFromList(const QString &list)
{
    QList<qint32> indexes;
    for (const QString &piece : list.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint32 index = piece.trimmed().toInt(&ok);
        if (!ok || index < 1)
            return std::nullopt;
        indexes.append(index);
    }
    if (indexes.isEmpty()) // an empty selection must not mean every issue
        return std::nullopt;
    return indexes;
}

// The options, or an explanation of what is wrong with them.
std::variant<Options, QString> readOptions(const QCommandLineParser &parser)
{
    Options options;
    options.json = parser.isSet(JsonOption);
    options.list = parser.isSet(ListOption);
    options.files = parser.positionalArguments();
    options.pdf.outputPath = parser.value(OutputOption);
    options.library = parser.value(LibraryOption);
    options.unprinted = parser.isSet(UnprintedOption);
    if (parser.isSet(ImapOption)) {
        const auto account = accountFromUrl(parser.value(ImapOption));
        if (const QString *problem = std::get_if<QString>(&account))
            return *problem;
        if (!options.files.isEmpty())
            return QStringLiteral("--imap reads no FILE");
        options.mailbox =
            MailboxRunOptions{std::get<MailboxAccount>(account),
                              parser.value(PasswordCommandOption), parser.values(CaFileOption)};
    } else if (parser.isSet(PasswordCommandOption) || parser.isSet(CaFileOption)) {
        return QStringLiteral("--password-command and --ca-file need --imap");
    }
    if (options.files.isEmpty() && options.library.isEmpty() && !options.mailbox)
        return QStringLiteral("no mail file given");
    if (options.unprinted && options.library.isEmpty())
        return QStringLiteral("--unprinted needs --library");
    if (int(options.json) + int(options.list) + int(parser.isSet(OutputOption)) != 1)
        return QStringLiteral("choose exactly one of --json, --list and -o");
    const auto placement = placementFromName(parser.value(PositionOption));
    if (!placement)
        return QStringLiteral("unknown position: ") + parser.value(PositionOption);
    options.pdf.placement = *placement;
    const auto layout = layoutFromName(parser.value(LayoutOption));
    if (!layout)
        return QStringLiteral("unknown layout: ") + parser.value(LayoutOption);
    options.pdf.layout = *layout;
    options.pdf.cells = parser.isSet(CellsOption);
    options.pdf.paper = parser.value(PaperOption);
    if (!QStringList{QStringLiteral("A4"), QStringLiteral("B5"), QStringLiteral("A5"),
                     QStringLiteral("Letter")}
             .contains(options.pdf.paper))
        return QStringLiteral("unknown paper: ") + options.pdf.paper;
    if (parser.isSet(SelectOption)) {
        const auto indexes = indexesFromList(parser.value(SelectOption));
        if (!indexes)
            return QStringLiteral("--select takes record indexes (with --library, ids) from 1, "
                                  "separated by commas");
        options.pdf.select = *indexes;
    }
    return options;
}

void writeList(const IssueStore &store, const QList<qint32> &indexes, QTextStream &out)
{
    for (const qint32 index : indexes)
        out << index << '\t' << store.puzzles.title(index) << '\n';
}

// Qt names the program as it was started, often by its full path.
QString helpText(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    const qsizetype end = text.left(text.indexOf(u'\n')).lastIndexOf(QStringLiteral(" [options]"));
    if (text.startsWith(usage) && end > usage.size())
        text.replace(usage.size(), end - usage.size(), QCoreApplication::applicationName());
    return text;
}

// Points to the help rather than printing it: the help names the magazine in Japanese, and
// error output stays English.
const char *const HelpHint = "Try 'rotam-pdf --help' for more information.\n";

} // namespace

bool writesPdf(const QStringList &arguments)
{
    QCommandLineParser parser;
    setUp(parser);
    return parser.parse(arguments) && parser.isSet(OutputOption);
}

int runTool(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    setUp(parser);
    if (!parser.parse(arguments)) {
        err << "rotam-pdf: " << parser.errorText() << '\n' << HelpHint;
        return ExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << helpText(parser);
        return ExitOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return ExitOk;
    }
    const auto options = readOptions(parser);
    if (const QString *problem = std::get_if<QString>(&options)) {
        err << "rotam-pdf: " << *problem << '\n' << HelpHint;
        return ExitUsage;
    }
    const Options &o = std::get<Options>(options);
    if (!o.library.isEmpty()) {
        LibraryRunOptions library{o.library, o.files, o.unprinted, o.json,
                                  o.list,    {},      o.pdf,       o.mailbox};
        library.select = {o.pdf.select.begin(), o.pdf.select.end()};
        library.pdf.select.clear();
        const int exitCode = runOnLibrary(library, out, err);
        out.flush();
        err.flush();
        return exitCode;
    }

    IssueStore store;
    if (o.mailbox && !fetchMailbox(*o.mailbox, store, err)) {
        err.flush();
        return ExitFailure;
    }
    const LoadReport report = loadMailPaths(store, o.files);
    for (const ReadFailure &failure : report.unreadable)
        err << "rotam-pdf: " << failure.path << ": " << englishReason(failure) << '\n';
    for (const QString &path : report.withoutIssue)
        err << "rotam-pdf: " << path << ": no issue found\n";

    int exitCode = report.unreadable.isEmpty() ? ExitOk : ExitFailure;
    if (o.json || o.list) {
        const auto selected = selectedIssues(issueListOrder(store), o.pdf.select);
        if (const qint32 *missing = std::get_if<qint32>(&selected)) {
            err << "rotam-pdf: no issue has the record index " << *missing << '\n';
            exitCode = ExitFailure;
        } else if (o.list) {
            writeList(store, std::get<QList<qint32>>(selected), out);
        } else {
            // Unselected, every record in record order: untitled ones too.
            const QJsonObject json = o.pdf.select.isEmpty()
                                         ? issuesToJson(store)
                                         : issuesToJson(store, std::get<QList<qint32>>(selected));
            out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
        }
    } else if (!exportPdf(store, o.pdf, err)) {
        exitCode = ExitFailure;
    }
    out.flush();
    err.flush();
    return exitCode;
}
