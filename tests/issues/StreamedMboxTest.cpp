#include "IssueLoad.h"
#include "MailFiles.h"
#include "MailLoadFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

// An mbox is read as a stream: any size, and a file that changes under the reader.
namespace {

QByteArray issueText(int number)
{
    return (u"◇"_s + QString::number(number) + u"◇\n\n　Ａ\n　ａ□\n\n"_s).toUtf8();
}

// Every seventh message has no text part and gives no issue, and some others have no
// header block: neither may hide or lend anything to a later message.
QByteArray issueMessage(int number)
{
    if (number % 7 == 3)
        return "From x\nContent-Type: text/html\n\n" + issueText(number);
    return "From x\n" + QByteArray(number % 11 == 5 ? "" : "Subject: s\n\n") + issueText(number);
}

QStringList numbers(int from, int to)
{
    QStringList result;
    for (int i = from; i < to; ++i)
        if (i % 7 != 3)
            result << QString::number(i);
    return result;
}

} // namespace

TEST_F(MailLoad, MboxBeyondTheTextLimitStreamsPastItsAttachment)
{
    // Sparse: a gigabyte of zeros in an attachment between two issues costs no disk space.
    const QByteArray head =
        "From a\nMIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n"
        "--b\nContent-Type: text/plain; charset=UTF-8\n\n" +
        issueText(1) + "--b\nContent-Type: application/octet-stream\n\n";
    QFile file(dir.filePath(u"big.mbox"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(head);
    ASSERT_TRUE(file.seek(MaxTextFileBytes + 1));
    file.write("\n--b--\n\n" + issueMessage(2));
    file.close();
    qint64 last = 0;
    const LoadReport report =
        loadMailPaths(store, {file.fileName()}, [&last](qint64 done, qint64 size) {
            EXPECT_GT(done, last);
            EXPECT_LE(done, size);
            last = done;
            return true;
        });
    EXPECT_TRUE(report.unreadable.isEmpty());
    EXPECT_EQ(titles(), numbers(1, 3));
    EXPECT_GT(last, MaxTextFileBytes);
}

TEST_F(MailLoad, MboxChangedWhileRead)
{
    // Far more messages than the reader runs ahead of the parser.
    constexpr int count = 3000;
    QByteArray mbox;
    for (int i = 0; i < count; ++i)
        mbox += issueMessage(i);
    QByteArray more;
    for (int i = count; i < count + 10; ++i)
        more += issueMessage(i);
    const struct
    {
        const char *name;
        std::function<bool(QFile &)> change; // at the first progress; false stops the load
        bool whole;                          // every message read
    } cases[] = {
        {"cut short", [](QFile &f) { return f.resize(f.size() / 2); }, false},
        {"cut to nothing", [](QFile &f) { return f.resize(0); }, false},
        {"stopped", [](QFile &) { return false; }, false},
        {"appended to: what was added waits for the next load",
         [&more](QFile &f) { return f.seek(f.size()) && f.write(more) == more.size(); }, true},
    };
    for (const auto &c : cases) {
        store = IssueStore();
        const QString box = write(u"box.mbox"_s, mbox);
        QFile file(box);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        int calls = 0;
        const LoadReport report =
            loadMailPaths(store, {box, write(u"after.txt"_s, issueText(count + 99))},
                          [&](qint64, qint64) { return ++calls > 1 || c.change(file); });
        file.close();
        EXPECT_TRUE(report.unreadable.isEmpty()) << c.name;
        const QStringList read = titles();
        // What was read stays, in order; the file after it is read unless the load stopped.
        const bool stopped = QByteArrayView(c.name) == "stopped";
        ASSERT_FALSE(read.isEmpty()) << c.name;
        EXPECT_EQ(read.endsWith(QString::number(count + 99)), !stopped) << c.name;
        const QStringList fromBox = read.first(read.size() - (stopped ? 0 : 1));
        ASSERT_LE(fromBox.size(), numbers(0, count).size()) << c.name;
        EXPECT_EQ(fromBox, numbers(0, count).first(fromBox.size())) << c.name;
        EXPECT_EQ(fromBox == numbers(0, count), c.whole) << c.name << fromBox.size();
    }
    loadMailPaths(store, {dir.filePath(u"box.mbox"_s)});
    const qsizetype before = numbers(0, count).size() + 1; // the text file's issue too
    ASSERT_GE(store.lastIndex(), before);
    EXPECT_EQ(titles().sliced(before), numbers(count, count + 10));
}
