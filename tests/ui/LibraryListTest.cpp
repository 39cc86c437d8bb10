// The issue list over the library: print marks, order, search, removal, reopening, size.
#include "UiTestSupport.h"

#include "IssueListModel.h"
#include "MainWindowLayout.h"
#include "QtPrinterObject.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPageSize>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// あ, い and う listed; あ and う checked.
void loadThreeCheckTwo(MainWindowFixture &f)
{
    f.paste(mailText({titled(u"う"_s), titled(u"あ"_s), titled(u"い"_s)}));
    f.setChecked(0, true);
    f.setChecked(2, true);
}

IssueSpec withComment(const QString &title, const QString &comment)
{
    IssueSpec issue = titled(title);
    issue.comments = {comment};
    return issue;
}

} // namespace

TEST(LibraryList, OnlyAJobThatEndedWholeMarksItsIssuesPrinted)
{
    const struct
    {
        const char *name;
        std::function<void(MainWindowFixture &)> before;
        QStringList printed;
    } cases[] = {
        {"whole", [](MainWindowFixture &) {}, {u"あ"_s, u"う"_s}},
        {"sheet 2 of 2",
         [](MainWindowFixture &f) {
             f.printDialog->answer->sheets = QPageRanges::fromString(u"2"_s);
         },
         {u"う"_s}},
        {"printer failed", [](MainWindowFixture &f) { f.printers->at(0)->failAtOutput = 5; }, {}},
        {"dialog cancelled", [](MainWindowFixture &f) { f.printDialog->answer.reset(); }, {}},
        {"preview",
         [](MainWindowFixture &f) {
             f.printDialog->answer.reset();
             RecordingPrinter preview(u"Preview"_s);
             ASSERT_TRUE(f.window->drawPreviewPages(preview));
         },
         {}},
    };
    for (const auto &c : cases) {
        MainWindowFixture f;
        loadThreeCheckTwo(f);
        f.printDialog->answer = PrintChoice{};
        c.before(f);
        controls(*f.window).printButton->click();
        EXPECT_EQ(f.printedTitles(), c.printed) << c.name;
        f.restart();
        EXPECT_EQ(f.printedTitles(), c.printed) << c.name << ", as the library keeps it";
    }
}

TEST(LibraryList, ACancelledJobMarksNothingAndAPdfIsRecordedByItsPath)
{
    MainWindowFixture f;
    QList<IssueSpec> issues;
    for (int i = 1; i <= 60; ++i)
        issues.append(titled(u"問題%1"_s.arg(i, 3, 10, QChar(u'0'))));
    f.paste(mailText(issues));
    controls(*f.window).checkAllButton->click();
    f.progress->steps.clear(); // the load's
    f.progress->cancelAt = 10;
    f.printDialog->answer = PrintChoice{};
    controls(*f.window).printButton->click();
    ASSERT_EQ(f.progress->steps.size(), 10);
    EXPECT_TRUE(f.printedTitles().isEmpty());

    f.progress->cancelAt = 0;
    const QString pdf = f.settingsDir.filePath(u"job.pdf"_s);
    f.printDialog->answer = PrintChoice{
        QtPrinterObject::forPdf(pdf, QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5), 300),
        {},
        QPageRanges::fromString(u"1"_s)};
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.printedTitles(), QStringList{u"問題001"_s});
    const IssueHistory history = f.window->library().history(f.window->checkedIds().at(0));
    ASSERT_EQ(history.prints.size(), 1);
    EXPECT_EQ(history.prints[0].destination, pdf);
}

TEST(LibraryList, IssuesAreListedInNumberOrder)
{
    MainWindowFixture f;
    f.paste(mailText({titled(u"第１０００回"_s), titled(u"第９９回"_s), titled(u"第１２３回"_s)}));
    EXPECT_EQ(f.listTexts(), (QStringList{u"第９９回"_s, u"第１２３回"_s, u"第１０００回"_s}));
}

TEST(LibraryList, TheSearchFiltersByTitleLineAndCommentWords)
{
    MainWindowFixture f;
    f.paste(
        mailText({withComment(u"第１回"_s, u"猫の問題"_s), withComment(u"第２回"_s, u"Dog days"_s),
                  withComment(u"第１２回"_s, u"犬と猫"_s)}));
    const struct
    {
        QString typed;
        QStringList shown;
    } cases[] = {
        {u""_s, {u"第１回"_s, u"第２回"_s, u"第１２回"_s}},
        {u"第１回"_s, {u"第１回"_s}},
        {u"今日の問題"_s, {u"第１回"_s, u"第２回"_s, u"第１２回"_s}}, // the title line's rest
        {u"DOG"_s, {u"第２回"_s}},
        {u"猫"_s, {u"第１回"_s, u"第１２回"_s}},
        {u"猫  犬"_s, {u"第１２回"_s}},
        {u"1"_s, {u"第１回"_s, u"第１２回"_s}}, // half-width finds full-width
        {u"鳥"_s, {}},
    };
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    QLineEdit &search = *controls(*f.window).searchField;
    search.setFocus();
    for (const auto &c : cases) {
        search.clear();
        for (const QChar ch : c.typed) // as typed: the list follows each character
            search.insert(ch);
        EXPECT_EQ(f.listTexts(), c.shown) << c.typed.toStdString();
    }
    QTest::keyClick(&search, Qt::Key_Escape);
    EXPECT_TRUE(search.text().isEmpty());
    EXPECT_EQ(f.listTexts().size(), 3);
}

TEST(LibraryList, TheCheckButtonsActOnTheShownIssuesOnly)
{
    MainWindowFixture f;
    f.paste(mailText({withComment(u"あ"_s, u"猫"_s), withComment(u"い"_s, u"猫"_s),
                      withComment(u"う"_s, u"犬"_s), withComment(u"え"_s, u"犬"_s)}));
    f.setChecked(0, true);
    f.printDialog->answer = PrintChoice{};
    controls(*f.window).printButton->click(); // あ printed
    controls(*f.window).uncheckAllButton->click();
    QLineEdit &search = *controls(*f.window).searchField;
    search.setText(u"猫"_s);
    controls(*f.window).checkUnprintedButton->click();
    EXPECT_EQ(f.checkedTitles(), QStringList{u"い"_s});
    controls(*f.window).checkAllButton->click();
    search.setText(u"犬"_s);
    f.setChecked(0, true); // う
    EXPECT_EQ(f.checkedTitles(), (QStringList{u"あ"_s, u"い"_s, u"う"_s}));
    controls(*f.window).uncheckAllButton->click();
    EXPECT_EQ(f.checkedTitles(), (QStringList{u"あ"_s, u"い"_s}));
    EXPECT_TRUE(controls(*f.window).printButton->isEnabled()) << "hidden checks still print";
    search.setText(u"鳥"_s);
    EXPECT_FALSE(controls(*f.window).checkAllButton->isEnabled());
}

TEST(LibraryList, RemovalAsksFirstAndNoKeepsEverything)
{
    MainWindowFixture f;
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    loadThreeCheckTwo(f);
    f.click(0); // あ previewed
    QAction &removeChecked = *controls(*f.window).removeCheckedAction;
    QAction &clearList = *controls(*f.window).clearListAction;

    f.confirmAnswer = false;
    removeChecked.trigger();
    clearList.trigger();
    EXPECT_EQ(f.listTexts(), (QStringList{u"あ"_s, u"い"_s, u"う"_s}));
    ASSERT_EQ(f.questions.size(), 2);
    EXPECT_TRUE(f.questions[0].text.contains(u"2 件"_s)) << f.questions[0].text.toStdString();
    EXPECT_TRUE(f.questions[1].text.contains(u"3 件"_s)) << f.questions[1].text.toStdString();

    f.confirmAnswer = true;
    controls(*f.window).issueList->setFocus();
    QTest::keyClick(controls(*f.window).issueList, Qt::Key_Delete);
    EXPECT_EQ(f.listTexts(), QStringList{u"い"_s});
    EXPECT_TRUE(controls(*f.window).titleLabel->text().isEmpty()) << "あ went with its preview";
    EXPECT_FALSE(controls(*f.window).printButton->isEnabled());
    EXPECT_FALSE(removeChecked.isEnabled());

    clearList.trigger();
    EXPECT_EQ(f.libraryCount(), 0);
    EXPECT_FALSE(controls(*f.window).removeButton->isEnabled());
    EXPECT_EQ(f.questions.size(), 4);
}

TEST(LibraryList, AnotherDayListsWhatWasLoadedWithItsPrintMarks)
{
    MainWindowFixture f;
    f.openFiles(
        {QDir(QStringLiteral(ROTAM_EXAMPLES_DIR)).filePath(u"rotam-digest-0124-0127.txt"_s)});
    f.setChecked(1, true);
    f.printDialog->answer = PrintChoice{};
    controls(*f.window).printButton->click();
    const QStringList listed = f.listTexts();
    ASSERT_EQ(listed.size(), 4);
    f.restart();
    EXPECT_EQ(f.listTexts(), listed);
    EXPECT_EQ(f.printedTitles(), QStringList{listed[1]});
    EXPECT_TRUE(f.window->checkedIds().isEmpty()) << "checks are for one run";
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(LibraryList, ALibraryThatCannotBeOpenedIsNamedAndTheWindowWorksWithout)
{
    MainWindowFixture f;
    // A library under a regular file: its folder can never be made.
    QFile blocker(f.settingsDir.filePath(u"file"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.libraryPath = blocker.fileName() + u"/library.sqlite"_s;
    f.restart();
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_EQ(f.messages[0].kind, UserMessage::Kind::Critical);
    EXPECT_TRUE(f.messages[0].text.contains(f.libraryPath)) << f.messages[0].text.toStdString();
    f.paste(mailText({titled(u"一"_s)}));
    EXPECT_EQ(f.listTexts(), QStringList{u"一"_s});
    EXPECT_EQ(QFileInfo(blocker.fileName()).size(), 0) << "nothing moved or written";
}

TEST(LibraryList, ABrokenLibraryIsMovedAsideInOneMessage)
{
    MainWindowFixture f;
    f.libraryPath = f.settingsDir.filePath(u"broken.sqlite"_s);
    QFile broken(f.libraryPath);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a database, though long enough to look like one at first sight");
    broken.close();
    f.restart();
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_EQ(f.messages[0].kind, UserMessage::Kind::Warning);
    EXPECT_TRUE(f.messages[0].text.contains(f.libraryPath));
    EXPECT_TRUE(f.messages[0].text.contains(f.libraryPath + u".broken-"_s));
    EXPECT_EQ(f.libraryCount(), 0);
}

TEST(LibraryList, TheWindowSizeIsRemembered)
{
    MainWindowFixture f;
    f.window->show();
    f.window->resize(1000, 700);
    EXPECT_EQ(f.window->size(), QSize(1000, 700));
    f.restart();
    EXPECT_EQ(f.window->size(), QSize(1000, 700));
    f.settings->setValue(u"window/size"_s, u"200x100"_s);
    f.restart();
    EXPECT_EQ(f.window->size(), QSize(440, 400)) << "never below the first size";
}

// Over a sweep of sizes: no control covers another, all stay inside, and the list and the
// preview grow with the window.
TEST(MainWindowLayout, ControlsNeverOverlapAndTheListAndPreviewGrow)
{
    const MainWindowLayout base = layOutMainWindow(mainWindowBaseSize());
    EXPECT_EQ(base.printButton, QRect(241, 348, 110, 36)) << "designed places at the base size";
    EXPECT_EQ(base.hintView, QRect(138, 124, 294, 53));
    for (int w = 440; w <= 1600; w += 37) {
        for (int h = 400; h <= 1200; h += 41) {
            const MainWindowLayout l = layOutMainWindow(QSize(w, h));
            QList<QRect> boxes{l.openFilesButton,  l.pasteButton,   l.receiveButton,
                               l.searchField,      l.issueList,     l.titleLabel,
                               l.sizeLabel,        l.hintView,      l.commentView,
                               l.annotationButton, l.positionGroup, l.printButton,
                               l.previewButton};
            boxes += l.listButtons;
            for (qsizetype i = 0; i < boxes.size(); ++i) {
                EXPECT_TRUE(QRect(0, 0, w, h).contains(boxes[i])) << w << "x" << h << " #" << i;
                for (qsizetype j = i + 1; j < boxes.size(); ++j)
                    EXPECT_FALSE(boxes[i].intersects(boxes[j])) << w << "x" << h << " #" << i << j;
            }
            EXPECT_EQ(l.issueList.width() + l.hintView.width(),
                      base.issueList.width() + base.hintView.width() + w - 440);
            EXPECT_EQ(l.commentView.bottom() - l.hintView.top(),
                      base.commentView.bottom() - base.hintView.top() + h - 400);
            EXPECT_GE(l.issueList.height(), base.issueList.height() + h - 400);
            EXPECT_EQ(l.lowerRule.top() - l.printButton.top(),
                      base.lowerRule.top() - base.printButton.top());
        }
    }
}
