#include "IssueStore.h"
#include "SampleIssue.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <memory>

namespace {

// Equal as the library writes them: a null string is not an empty one.
void expectSame(const QString &a, const QString &b, const char *field)
{
    EXPECT_EQ(a, b) << field;
    EXPECT_EQ(a.isNull(), b.isNull()) << field;
}

void expectSame(const QStringList &a, const QStringList &b, const char *field)
{
    ASSERT_EQ(a.size(), b.size()) << field;
    for (qsizetype i = 0; i < a.size(); ++i)
        expectSame(a[i], b[i], field);
}

void expectSame(const PuzzleRecord &a, const PuzzleRecord &b)
{
    expectSame(a.SendTime, b.SendTime, "SendTime");
    expectSame(a.HintLines, b.HintLines, "HintLines");
    expectSame(a.CommentLines, b.CommentLines, "CommentLines");
    expectSame(a.TyuukiText, b.TyuukiText, "TyuukiText");
    expectSame(a.TitleLine, b.TitleLine, "TitleLine");
    expectSame(a.Title, b.Title, "Title");
    EXPECT_EQ(a.ColCount, b.ColCount);
    expectSame(a.GridNote, b.GridNote, "GridNote");
    expectSame(a.ColLabels, b.ColLabels, "ColLabels");
    expectSame(a.RowLabels, b.RowLabels, "RowLabels");
    expectSame(a.Publisher, b.Publisher, "Publisher");
    expectSame(a.MagazineId, b.MagazineId, "MagazineId");
    expectSame(a.Cells, b.Cells, "Cells");
}

// Records at the edges of the packing: null and empty strings, a used element 0, texts
// outside the BMP, sizes and counts on either side of the one-unit limit.
QList<PuzzleRecord> edgeRecords()
{
    QList<PuzzleRecord> records{PuzzleRecord{}, sampleIssue(1, 10, 4, 3), sampleIssue(2, 1, 0, 0)};
    PuzzleRecord empties;
    empties.SendTime = QStringLiteral("");
    empties.TitleLine = QStringLiteral("◇");
    empties.ColLabels = QStringList{QString(), QStringLiteral("")};
    empties.RowLabels = QStringList(2);
    empties.Cells = QStringList{QStringLiteral(""), QString()};
    empties.HintLines.clear();
    records.append(empties);
    PuzzleRecord wide = sampleIssue(3, 2, 1, 1);
    wide.Title = QStringLiteral("𠮷野家◇𩸽");
    wide.Cells = QStringList{QString(), QStringLiteral("𠮷\u3000"), QString()};
    wide.ColLabels[0] = QStringLiteral("element 0");
    wide.CommentLines[0] = QStringLiteral("𩸽");
    wide.ColCount = -7;
    records.append(wide);
    for (const qsizetype size : {0x7FFE, 0x7FFF, 0x8000, 0x8001, 0x12345}) {
        PuzzleRecord large = sampleIssue(4, 3, 1, 1);
        large.TyuukiText = QString(size, u'注');
        large.HintLines = QStringList(size + 1, QStringLiteral("h"));
        large.ColCount = qint32(0x7FFFFFFF);
        records.append(large);
    }
    PuzzleRecord beyondAChunk = sampleIssue(5, 2, 1, 1); // the buffer grows by 2 MiB chunks
    beyondAChunk.TyuukiText = QString((1 << 20) + 3, u'注');
    records.append(beyondAChunk);
    records.append(sampleIssue(6, 2, 1, 1));
    return records;
}

} // namespace

TEST(PackedRecords, GivesBackEveryFieldAsItWasPut)
{
    const QList<PuzzleRecord> records = edgeRecords();
    const PackedRecords packed(records);
    ASSERT_EQ(packed.size(), records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        expectSame(packed[i], records[i]);
        const PackedRecords::Key key = packed.key(i);
        EXPECT_EQ(key.titleLine, records[i].TitleLine);
        EXPECT_EQ(key.title, records[i].Title);
        EXPECT_EQ(packed.title(i), records[i].Title);
        EXPECT_EQ(packed.titleLine(i), records[i].TitleLine);
        EXPECT_EQ(key.sendTime, records[i].SendTime);
        EXPECT_EQ(key.gridNote, records[i].GridNote);
        EXPECT_EQ(key.tyuukiText, records[i].TyuukiText);
        EXPECT_EQ(key.colCount, records[i].ColCount);
        for (qsizetype j = 0; j < records.size(); ++j)
            EXPECT_EQ(packed.identical(i, j), i == j || records[i] == records[j]) << j;
    }
}

TEST(PackedRecords, KeepsAndRemovesLikeAList)
{
    const QList<PuzzleRecord> records = edgeRecords();
    QRandomGenerator random(19);
    for (int round = 0; round < 12; ++round) {
        PackedRecords packed(records);
        const PackedRecords before = packed; // shares the buffer until one of them changes
        QList<PuzzleRecord> expected;
        QList<qint32> kept;
        for (qint32 i = 0; i < records.size(); ++i) {
            if (random.bounded(2)) {
                kept.append(i);
                expected.append(records[i]);
            }
        }
        packed.keepOnly(kept);
        if (!expected.isEmpty() && random.bounded(2)) {
            packed.removeLast();
            expected.removeLast();
        }
        packed.append(records[1]);
        expected.append(records[1]);
        ASSERT_EQ(packed.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            expectSame(packed[i], expected[i]);
        for (qsizetype i = 0; i < records.size(); ++i)
            expectSame(before[i], records[i]);
    }
}

TEST(PackedRecords, ARecordOutlivesItsStore)
{
    PuzzleRecord copy;
    {
        auto store = std::make_unique<IssueStore>();
        store->puzzles.append(sampleIssue(5, 4, 2, 2));
        copy = store->puzzles[1];
        store->puzzles.removeLast();
        store->puzzles.append(sampleIssue(6, 3, 1, 1)); // writes over the first record's units
    }
    expectSame(copy, sampleIssue(5, 4, 2, 2));
}
