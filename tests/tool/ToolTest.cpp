#include "CommandLine.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
    const ToolRun r = run({QStringLiteral("--list"), example("rotam-0130-forwarded.txt"),
                       example("rotam-0123.txt")});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("2\t第１２３回\n1\t第１３０回\n"));
}

TEST(RotamPdf, TheProgramWritesUtf8AndExitsWithTheToolsCode)
{
    QProcess process;
    process.start(QStringLiteral(ROTAM_PDF_PATH), {QStringLiteral("--list"), example("rotam-0123.txt")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()), QStringLiteral("1\t第１２３回\n"));

    process.start(QStringLiteral(ROTAM_PDF_PATH), {});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
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
