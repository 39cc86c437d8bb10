#include "CommandLine.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

QString example(const char *name)
{
    return QStringLiteral(ROTAM_EXAMPLES_DIR) + QDir::separator() + QString::fromUtf8(name);
}

struct ToolRun
{
    int exitCode;
    QString out;
    QString err;
};

ToolRun run(QStringList arguments)
{
    ToolRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    arguments.prepend(QStringLiteral("rotam-pdf"));
    result.exitCode = RunTool(arguments, out, err);
    return result;
}

} // namespace

TEST(RotamPdf, UsageErrorsExitWith2)
{
    for (const QStringList &arguments :
         {QStringList{}, QStringList{QStringLiteral("--json")},
          QStringList{QStringLiteral("--bogus"), example("rotam-0123.txt")},
          QStringList{QStringLiteral("--json"), QStringLiteral("--list"),
                      example("rotam-0123.txt")},
          QStringList{QStringLiteral("-o"), QStringLiteral("x.pdf"), QStringLiteral("--position"),
                      QStringLiteral("middle"), example("rotam-0123.txt")},
          QStringList{QStringLiteral("-o"), QStringLiteral("x.pdf"), QStringLiteral("--layout"),
                      QStringLiteral("double"), example("rotam-0123.txt")},
          QStringList{QStringLiteral("-o"), QStringLiteral("x.pdf"), QStringLiteral("--select"),
                      QStringLiteral("0"), example("rotam-0123.txt")},
          QStringList{QStringLiteral("-o"), QStringLiteral("x.pdf"), QStringLiteral("--select"),
                      QStringLiteral(","), example("rotam-0123.txt")}}) {
        const ToolRun r = run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(RotamPdf, JsonHoldsEveryRecordWithoutElementZero)
{
    const ToolRun r = run({QStringLiteral("--json"), example("rotam-0123.txt"),
                           example("rotam-digest-0124-0127.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray issues =
        QJsonDocument::fromJson(r.out.toUtf8()).object().value(QStringLiteral("issues")).toArray();
    ASSERT_EQ(issues.size(), 5);
    const QJsonObject first = issues[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("Index")).toInt(), 1);
    EXPECT_EQ(first.value(QStringLiteral("Title")).toString(), QStringLiteral("第１２３回"));
    EXPECT_EQ(first.value(QStringLiteral("ColCount")).toInt(), 10);
    EXPECT_EQ(first.value(QStringLiteral("ColLabels")).toArray().size(), 10);
    EXPECT_EQ(first.value(QStringLiteral("HintLines")).toArray().size(), 4);
    EXPECT_EQ(first.value(QStringLiteral("MagazineId")).toString(), QStringLiteral("0001234567"));
    for (const char *key : {"SendTime", "TitleLine", "GridNote", "RowLabels", "CommentLines",
                            "TyuukiText", "Publisher"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(key))) << key;
    EXPECT_EQ(issues[4].toObject().value(QStringLiteral("Index")).toInt(), 5);
}

TEST(RotamPdf, AnUnreadableFileIsNamedAndTheOthersAreStillRead)
{
    const QString missing = QStringLiteral("/nonexistent/mail.txt");
    const ToolRun r = run({QStringLiteral("--list"), missing, example("rotam-0123.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(missing));
    EXPECT_EQ(r.out, QStringLiteral("1\t第１２３回\n"));
}

TEST(RotamPdf, ListIsInTitleOrderNotRecordOrder)
{
    const ToolRun r = run(
        {QStringLiteral("--list"), example("rotam-0130-forwarded.txt"), example("rotam-0123.txt")});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("2\t第１２３回\n1\t第１３０回\n"));
}

TEST(RotamPdf, TheProgramWritesUtf8AndExitsWithTheToolsCode)
{
    QProcess process;
    process.start(QStringLiteral(ROTAM_PDF_PATH),
                  {QStringLiteral("--list"), example("rotam-0123.txt")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              QStringLiteral("1\t第１２３回\n"));

    process.start(QStringLiteral(ROTAM_PDF_PATH), {});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
}

TEST(RotamPdf, PdfRunsExitWithTheirCodeAndSayNothingButEnglish)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const QString noIssue = dir.filePath(QStringLiteral("no-issue.txt"));
    QFile text(noIssue);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Subject: hello\n\nno puzzle here\n");
    text.close();
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString title; // of the PDF written; none is written without one
    } cases[] = {
        {{QStringLiteral("-o"), pdf, noIssue}, 1, {}},
        {{QStringLiteral("-o"), pdf, QStringLiteral("--select"), QStringLiteral("1"), noIssue},
         1,
         {}},
        {{QStringLiteral("-o"), QStringLiteral("/nonexistent/x.pdf"), example("rotam-0123.txt")},
         1,
         {}},
        {{QStringLiteral("-o"), pdf, QStringLiteral("--select"), QStringLiteral("4"),
          example("rotam-digest-0124-0127.txt")},
         0,
         QStringLiteral("◇第１２７回◇")},
        {{QStringLiteral("--list"), example("rotam-0123.txt")}, 0, {}},
    };
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    process.setProcessEnvironment(environment);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        QFile::remove(pdf);
        process.start(QStringLiteral(ROTAM_PDF_PATH), c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), c.exitCode);
        const QByteArray err = process.readAllStandardError();
        EXPECT_EQ(err.isEmpty(), c.exitCode == 0) << err.toStdString();
        EXPECT_FALSE(err.contains("QStandardPaths")) << err.toStdString();
        EXPECT_TRUE(std::all_of(err.begin(), err.end(), [](char b) { return b >= 0; }))
            << "not English: " << err.toStdString();
        EXPECT_EQ(QFile::exists(pdf), !c.title.isEmpty());
        if (!c.title.isEmpty()) {
            QProcess info;
            info.start(QStringLiteral("pdfinfo"), {pdf});
            ASSERT_TRUE(info.waitForFinished(30000));
            EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                            .contains(QRegularExpression(QStringLiteral("Title:\\s+") + c.title)));
        }
    }
}

TEST(RotamPdf, FilesWithoutIssuesAreNamedAndJsonStaysAnObject)
{
    const QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain.txt")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("no issue\n");
    plain.close();
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    const ToolRun r = run({QStringLiteral("--json"), plain.fileName(), missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(QJsonDocument::fromJson(r.out.toUtf8()).object(),
              QJsonObject({{QStringLiteral("issues"), QJsonArray()}}));
    EXPECT_EQ(r.err, QStringLiteral("rotam-pdf: ") + missing +
                         QStringLiteral(": no such file or folder\n") +
                         QStringLiteral("rotam-pdf: ") + plain.fileName() +
                         QStringLiteral(": no issue found\n"));
}

TEST(RotamPdf, FoldersAndCells)
{
    const ToolRun r = run({QStringLiteral("--json"), example("rotam-maildir")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray issues =
        QJsonDocument::fromJson(r.out.toUtf8()).object().value(QStringLiteral("issues")).toArray();
    ASSERT_EQ(issues.size(), 3) << "the greeting without a puzzle is a record too";
    const QJsonArray cells = issues[0].toObject().value(QStringLiteral("Cells")).toArray();
    ASSERT_EQ(cells.size(), 4);
    EXPECT_EQ(cells[0].toString().size(), 4);
    // The list and the printing leave the untitled record out.
    EXPECT_EQ(run({QStringLiteral("--list"), example("rotam-maildir")}).out,
              QStringLiteral("1\t第１３５回\n2\t第１３６回\n"));
    const QTemporaryDir dir;
    EXPECT_EQ(run({QStringLiteral("-o"), dir.filePath(QStringLiteral("x.pdf")),
                   QStringLiteral("--select"), QStringLiteral("3"), example("rotam-maildir")})
                  .exitCode,
              1);
}

TEST(RotamPdf, TwoUpPrintsTwoIssuesASheet)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("two.pdf"));
    QProcess process;
    process.start(QStringLiteral(ROTAM_PDF_PATH),
                  {QStringLiteral("--layout"), QStringLiteral("two"), QStringLiteral("--cells"),
                   QStringLiteral("-o"), pdf, example("rotam-0123.txt"),
                   example("rotam-digest-0124-0127.txt")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    process.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_TRUE(process.readAllStandardOutput().contains("Pages:           3")); // 5 issues
}
