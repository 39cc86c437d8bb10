#include "IssueLoad.h"
#include "IssueStore.h"
#include "LineArray.h"
#include "MailDecoder.h"
#include "MailFiles.h"
#include "MailParser.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

// Whatever a user feeds the program, the load ends calmly and what was loaded before stays.
namespace {

class HostileInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // One issue loaded before every hostile load.
        parseIssues(
            LineArray(QStringList{QStringLiteral("◇前の号◇"), QString(), QStringLiteral("　Ａ"),
                                  QStringLiteral("　ａ□"), QString(), QString()}),
            store);
        ASSERT_EQ(store.lastIndex(), 1);
    }

    QString write(const QByteArray &content)
    {
        QFile file(dir.filePath(QStringLiteral("hostile.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

    QList<ReadFailure> load(const QString &path)
    {
        const QList<ReadFailure> failures = loadMailPaths(store, {path}).unreadable;
        EXPECT_EQ(store.puzzles[1].Title, QStringLiteral("前の号"));
        return failures;
    }

    // Loads a mail as the window and rotam-pdf do; the issue loaded before must survive.
    LoadReport loadMail(const QString &path)
    {
        const LoadReport report = loadMailPaths(store, {path});
        EXPECT_EQ(store.puzzles[1].Title, QStringLiteral("前の号"));
        return report;
    }

    QTemporaryDir dir;
    IssueStore store;
};

const QByteArray issue = QByteArray("\xE2\x97\x87\xE6\x96\xB0\xE2\x97\x87\n\n") + // ◇新◇
                         "\xE3\x80\x80\xEF\xBC\xA1\n\n";                          // 　Ａ

QByteArray cp932(const QString &text)
{
    return QStringEncoder("windows-31j").encode(text);
}

} // namespace

// A hundred megabytes of short lines, and ten of one line.
TEST_F(HostileInput, HugeFiles)
{
    const QByteArray line = QByteArray(98, 'x') + "\r\n";
    const qsizetype count = 100 * 1024 * 1024 / line.size() + 1;
    for (const auto &[content, lines] :
         {std::pair{line.repeated(count), count},
          std::pair{QByteArray(10 * 1024 * 1024, 'y'), qsizetype(1)}}) {
        EXPECT_TRUE(load(write(content)).isEmpty());
        EXPECT_EQ(store.lastIndex(), 1);
        LineArray split;
        split.appendFileText(decodeMailBytes(content));
        ASSERT_EQ(split.size(), lines);
        EXPECT_EQ(split[0].size(), lines == 1 ? content.size() : 98);
    }
}

TEST_F(HostileInput, BinaryFileAndNulBytes)
{
    QByteArray noise(1024 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(42);
    generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    EXPECT_TRUE(load(write(noise)).isEmpty());

    EXPECT_TRUE(load(write(QByteArray("\0\0\0\r\n\0", 6))).isEmpty());
}

TEST_F(HostileInput, ThousandLabelGrid)
{
    QByteArray header = cp932(QStringLiteral("　"));
    for (int i = 0; i < 1000; ++i)
        header += cp932(QStringLiteral("Ａ"));
    load(write(cp932(QStringLiteral("◇大◇\r\n\r\n")) + header + "\r\n" +
               cp932(QStringLiteral("　Ａ□\r\n\r\n"))));
    EXPECT_EQ(store.puzzles.last().ColCount, 1000);
    EXPECT_EQ(store.puzzles.last().RowLabels.size(), 1001);
}

TEST_F(HostileInput, HundredThousandIssues)
{
    // Numbered, as repeats of one issue would be dropped.
    const QByteArray issue = cp932(QStringLiteral("\r\n\r\n　Ａ\r\n　Ａ□\r\n\r\nhint\r\n\r\n"));
    QByteArray content;
    content.reserve((issue.size() + 16) * 100000);
    for (int i = 0; i < 100000; ++i)
        content += cp932(QStringLiteral("◇") + QString::number(i) + QStringLiteral("◇")) + issue;
    EXPECT_TRUE(load(write(content)).isEmpty());
    EXPECT_EQ(store.lastIndex(), 100001);
}

TEST_F(HostileInput, NonFilesFailWithoutBlocking)
{
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &path :
         {fifo, QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("vanished.txt"))}) {
        const QList<ReadFailure> failures = load(path);
        ASSERT_EQ(failures.size(), 1) << path.toStdString();
        EXPECT_EQ(failures[0].path, path);
    }
}

TEST_F(HostileInput, MillionTitleMarksWithoutABlankLineAreOneGrid)
{
    // Without an empty line the first title's grid takes every following line as a row.
    const QByteArray line = cp932(QStringLiteral("◇\r\n"));
    load(write(line.repeated(1000000)));
    EXPECT_EQ(store.lastIndex(), 2);
    EXPECT_EQ(store.puzzles[2].ColCount, 1); // the third mark is the header's one label
}

TEST_F(HostileInput, FileBeyondTheLimitIsRefusedWithoutReadingIt)
{
    QFile file(dir.filePath(QStringLiteral("huge.img")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(MaxTextFileBytes + 1)); // sparse: no disk space used
    file.close();
    const QList<ReadFailure> failures = load(file.fileName());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].reason.contains(QStringLiteral("大きすぎます")));
}

TEST_F(HostileInput, HostileMessages)
{
    const QByteArray mime = "MIME-Version: 1.0\n";
    QByteArray nested = mime + "Content-Type: multipart/mixed; boundary=b0\n\n";
    for (int i = 1; i < 10000; ++i)
        nested += "--b" + QByteArray::number(i - 1) +
                  "\nContent-Type: multipart/mixed; boundary=b" + QByteArray::number(i) + "\n\n";
    nested += "--b9999\nContent-Type: text/plain\n\n" + issue;
    QByteArray huge = mime + "Content-Type: text/plain\nContent-Transfer-Encoding: base64\n\n";
    huge += QByteArray(issue + QByteArray(50 * 1024 * 1024 / 4 * 3 - issue.size(), 'x')).toBase64();
    const struct
    {
        const char *name;
        QByteArray mail;
        qint32 issues; // loaded by it
    } cases[] = {
        {"nested 10,000 deep: beyond GMime's limit nothing is read", nested, 0},
        {"a 50 MB base64 part", huge, 1},
        {"a boundary that never closes",
         mime +
             "Content-Type: multipart/mixed; boundary=open\n\n--open\nContent-Type: "
             "text/plain\n\n" +
             issue,
         1},
        {"a bad charset", mime + "Content-Type: text/plain; charset=\"\\x\"\n\n" + issue, 1},
        {"no charset", mime + "Content-Type: text/plain; charset=\n\n" + issue, 1},
        {"NUL bytes in headers",
         QByteArray("MIME-Version: 1.0\nDate: a\0b\nX\0: \0\n\n", 35) + issue, 1},
        {"an empty and a headerless mbox message", "From a\nFrom b\n" + issue + "\nFrom c\n", 1},
        {"only empty mbox messages", "From a\nFrom b\n\nFrom c", 0},
    };
    for (const auto &c : cases) {
        const qint32 before = store.lastIndex();
        const LoadReport report = loadMail(write(c.mail));
        EXPECT_EQ(store.lastIndex() - before, c.issues) << c.name;
        EXPECT_EQ(report.withoutIssue.size(), c.issues == 0 ? 1 : 0) << c.name;
        while (store.lastIndex() > 1) // forget it, or the next case's issue would be a repeat
            store.puzzles.removeLast();
    }
}

TEST_F(HostileInput, FifoInAMaildir)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("md/cur")));
    const QString fifo = dir.filePath(QStringLiteral("md/cur/fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile mail(dir.filePath(QStringLiteral("md/cur/mail")));
    ASSERT_TRUE(mail.open(QIODevice::WriteOnly));
    mail.write("Subject: x\n\n" + issue);
    mail.close();
    const LoadReport report = loadMail(dir.filePath(QStringLiteral("md")));
    ASSERT_EQ(report.unreadable.size(), 1);
    EXPECT_EQ(report.unreadable[0].path, fifo);
    EXPECT_EQ(report.unreadable[0].problem, ReadProblem::NotAFile);
    EXPECT_EQ(store.lastIndex(), 2);
}
