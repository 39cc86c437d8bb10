#include "UiTestSupport.h"

#include "AccessAsNobody.h"
#include "TextBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString example(const char *name)
{
    return QDir(QStringLiteral(ROTAM_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
}

} // namespace

TEST(MainWindow, StartsWithOnlyTheLoadButtonsEnabled)
{
    MainWindowFixture f;
    MainWindow &w = *f.window;
    EXPECT_EQ(w.windowTitle(), u"今日のロタム印刷ソフト"_s);
    EXPECT_EQ(w.size(), QSize(440, 400));
    EXPECT_EQ(w.minimumSize(), QSize(440, 400));
    EXPECT_GT(w.maximumSize().width(), 440) << "resizable";
    EXPECT_TRUE(controls(w).openFilesButton->isEnabled());
    EXPECT_TRUE(controls(w).pasteButton->isEnabled());
    for (QPushButton *b :
         {controls(w).checkUnprintedButton, controls(w).checkAllButton,
          controls(w).uncheckAllButton, controls(w).removeButton, controls(w).annotationButton,
          controls(w).printButton, controls(w).previewButton})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(f.listTexts().isEmpty());
    EXPECT_TRUE(controls(w).titleLabel->text().isEmpty());
    EXPECT_TRUE(controls(w).positionButtons[0]->isChecked());
    EXPECT_EQ(w.placement(), PagePlacement::TopLeft);
    EXPECT_EQ(f.libraryCount(), 0);
}

TEST(MainWindow, ButtonStatesThroughLoadCheckRefillAndPrint)
{
    MainWindowFixture f;
    MainWindow &w = *f.window;
    f.paste(mailText({titled(u"一"_s), titled(u"二"_s)}));
    ASSERT_EQ(f.listTexts().size(), 2);
    EXPECT_TRUE(controls(w).checkAllButton->isEnabled());
    EXPECT_TRUE(controls(w).uncheckAllButton->isEnabled());
    EXPECT_FALSE(controls(w).printButton->isEnabled());
    EXPECT_FALSE(controls(w).annotationButton->isEnabled());

    f.setChecked(0, true);
    EXPECT_TRUE(controls(w).printButton->isEnabled());
    EXPECT_TRUE(controls(w).previewButton->isEnabled());
    f.setChecked(1, true);
    f.setChecked(0, false);
    EXPECT_TRUE(controls(w).printButton->isEnabled()) << "one of two still checked";
    f.setChecked(1, false);
    EXPECT_FALSE(controls(w).printButton->isEnabled());

    controls(w).checkAllButton->click();
    EXPECT_TRUE(controls(w).printButton->isEnabled());
    EXPECT_EQ(w.checkedIds().size(), 2);
    controls(w).uncheckAllButton->click();
    EXPECT_FALSE(controls(w).printButton->isEnabled());
    EXPECT_TRUE(w.checkedIds().isEmpty());

    // A refill keeps the marks of the issues already listed, and with them the print button.
    f.setChecked(1, true);
    f.paste(mailText({titled(u"三"_s)}));
    ASSERT_EQ(f.listTexts(), (QStringList{u"一"_s, u"三"_s, u"二"_s}));
    EXPECT_EQ(f.checkedTitles(), QStringList{u"二"_s});
    EXPECT_TRUE(controls(w).printButton->isEnabled());
    EXPECT_TRUE(controls(w).previewButton->isEnabled());
    f.setChecked(2, false);
    EXPECT_FALSE(controls(w).printButton->isEnabled())
        << "the carried mark is counted like any other";

    f.setChecked(2, true);
    f.printDialog->answer = PrintChoice{};
    controls(w).printButton->click();
    EXPECT_EQ(f.printers->at(0)->pages(), 1);
    EXPECT_TRUE(controls(w).printButton->isEnabled()) << "printing leaves the checks alone";
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(MainWindow, EqualTitlesEachKeepTheirOwnIssue)
{
    MainWindowFixture f;
    IssueSpec first = titled(u"同じ"_s), second = titled(u"同じ"_s);
    first.hints = {u"一つ目のヒント"_s};
    second.hints = {u"二つ目のヒント"_s};
    f.paste(mailText({first, second}));
    EXPECT_EQ(f.listTexts(), (QStringList{u"同じ"_s, u"同じ"_s}));
    f.click(1);
    EXPECT_EQ(controls(*f.window).hintView->text(), u"二つ目のヒント\r\n"_s);
    f.click(0);
    EXPECT_EQ(controls(*f.window).hintView->text(), u"一つ目のヒント\r\n"_s);
}

TEST(MainWindow, PreviewShowsTitleSizeHintsAndComment)
{
    MainWindowFixture f;
    IssueSpec issue = titled(u"第１回"_s);
    issue.size = 10;
    issue.GridNote = u"難易度：初級"_s;
    issue.hints = {u"ヒント１"_s, u"ヒント２"_s};
    issue.comments = {u"コメント"_s};
    IssueSpec bare = titled(u"第２回"_s);
    bare.size = 4;
    f.paste(mailText({issue, bare}));
    MainWindow &w = *f.window;

    f.click(0);
    EXPECT_EQ(controls(w).titleLabel->text(), u"◇第１回◇　今日の問題"_s);
    EXPECT_EQ(controls(w).sizeLabel->text(), u"サイズ10 x 10   難易度：初級"_s);
    EXPECT_EQ(controls(w).hintView->text(), u"ヒント１\r\nヒント２\r\n"_s);
    EXPECT_EQ(controls(w).commentView->text(), u"コメント\r\n"_s);
    EXPECT_EQ(controls(w).hintView->toPlainText(), u"ヒント１\nヒント２\n"_s);
    EXPECT_TRUE(controls(w).annotationButton->isEnabled());

    f.click(1);
    EXPECT_EQ(controls(w).sizeLabel->text(), u"サイズ4 x 4   "_s);
    EXPECT_EQ(controls(w).hintView->text(), QString());
    EXPECT_EQ(controls(w).commentView->text(), QString());
}

TEST(MainWindow, IssueWithoutTitleBlockPreviewsAsSizeZero)
{
    MainWindowFixture f;
    f.paste(u"◇題◇\r\nもう一行"_s);
    ASSERT_EQ(f.listTexts(), QStringList{u"題"_s});
    EXPECT_TRUE(controls(*f.window).checkAllButton->isEnabled());
    f.click(0);
    EXPECT_EQ(controls(*f.window).sizeLabel->text(), u"サイズ0 x 0   "_s);
    EXPECT_EQ(controls(*f.window).titleLabel->text(), u"◇題◇"_s);
}

TEST(MainWindow, TextWithoutAnIssueIsNotListedButNamed)
{
    MainWindowFixture f;
    f.paste(u"ただの文章\r\nもう一行"_s);
    EXPECT_TRUE(f.listTexts().isEmpty());
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].text.contains(u"貼り付けたテキスト"_s));
    const QString missing = example("no-such-mail.txt");
    f.openFiles({missing});
    ASSERT_EQ(f.messages.size(), 2);
    EXPECT_FALSE(f.messages[1].text.contains(u"ほかのファイル"_s)) << "every chosen file failed";
}

TEST(MainWindow, RefillKeepsEarlierIssuesAndThePreview)
{
    MainWindowFixture f;
    f.paste(mailText({titled(u"い"_s), titled(u"あ"_s)}));
    f.click(1); // い, record 1
    f.paste(mailText({titled(u"う"_s)}));
    EXPECT_EQ(f.listTexts(), (QStringList{u"あ"_s, u"い"_s, u"う"_s}));
    EXPECT_EQ(controls(*f.window).titleLabel->text(), u"◇い◇　今日の問題"_s);
    EXPECT_EQ(controls(*f.window).issueList->currentIndex().row(), 1)
        << "the previewed entry stays selected";
}

TEST(MainWindow, FocusComingBackToTheListAfterALoadMovesNoPreview)
{
    MainWindowFixture f;
    f.paste(mailText({titled(u"い"_s), titled(u"あ"_s)}));
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(controls(*f.window).issueList, &tabbedIn);
    EXPECT_TRUE(controls(*f.window).titleLabel->text().isEmpty());
    EXPECT_FALSE(controls(*f.window).annotationButton->isEnabled());
}

TEST(MainWindow, CancelledOpenDialogsChangeNothing)
{
    MainWindowFixture f;
    f.paste(mailText({titled(u"一"_s)}));
    f.openFiles({});
    f.openFolder({});
    EXPECT_EQ(f.openDialog->timesShown, 2);
    EXPECT_EQ(f.listTexts(), QStringList{u"一"_s});
    EXPECT_EQ(f.libraryCount(), 1);
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(MainWindow, OpenDialogLoadsSeveralFilesFromOneFolder)
{
    MainWindowFixture f;
    f.openFiles({example("rotam-0123.txt"), example("rotam-digest-0124-0127.txt")});
    EXPECT_EQ(f.listTexts(), (QStringList{u"第１２３回"_s, u"第１２４回"_s, u"第１２５回"_s,
                                          u"第１２６回"_s, u"第１２７回"_s}));
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(MainWindow, TheOpenButtonOffersFilesAndFolders)
{
    MainWindowFixture f;
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    f.openDialog->folderAnswers.append(example("rotam-maildir"));
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (const QAction *action : menu->actions())
            offered << action->text();
        menu->setActiveAction(controls(*f.window).openFolderAction);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(controls(*f.window).openFilesButton, Qt::LeftButton);
    EXPECT_EQ(offered, (QStringList{u"ファイルを開く…"_s, u"フォルダを開く…"_s}));
    EXPECT_EQ(f.listTexts(), (QStringList{u"第１３５回"_s, u"第１３６回"_s}));
    EXPECT_TRUE(f.messages.isEmpty());

    // The next dialog opens where the chosen folder is.
    f.openFiles({});
    EXPECT_EQ(f.openDialog->folders,
              (QStringList{QString(), QDir::cleanPath(QStringLiteral(ROTAM_EXAMPLES_DIR))}));
}

TEST(MainWindow, AFolderThatCannotBeListedIsNamedWithTheUnreadableFiles)
{
    MainWindowFixture f;
    QTemporaryDir dir;
    // Open to the group too: with the permissions of nobody, root's group may still count.
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString locked = dir.filePath(u"locked"_s);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"locked"_s));
    QFile::setPermissions(locked, QFileDevice::Permissions());
    const QString missing = example("no-such-mail.txt");
    {
        const AccessAsNobody nobody;
        if (!nobody.works())
            GTEST_SKIP() << "running as root without the right to take another user's permissions";
        f.openFolder(locked);
        f.window->loadFiles({missing, locked, example("rotam-0123.txt")});
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(f.messages.size(), 2);
    for (const UserMessage &m : f.messages) {
        EXPECT_EQ(m.title, u"読み込めなかったファイル"_s);
        EXPECT_TRUE(m.text.contains(locked + u"\n    読み取りの権限がありません"_s))
            << m.text.toStdString();
        EXPECT_FALSE(m.text.contains(u"問題が見つかりません"_s));
    }
    EXPECT_TRUE(f.messages[1].text.contains(missing));
    EXPECT_EQ(f.listTexts(), QStringList{u"第１２３回"_s});
}

TEST(MainWindow, UnreadableFilesAreNamedOnceAndTheOthersLoaded)
{
    MainWindowFixture f;
    const QString missing = example("no-such-mail.txt");
    const QString alsoMissing = example("neither-this.txt");
    f.openFiles({example("rotam-0123.txt"), missing, alsoMissing});
    EXPECT_EQ(f.listTexts(), QStringList{u"第１２３回"_s});
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_EQ(f.messages[0].kind, UserMessage::Kind::Warning);
    EXPECT_TRUE(f.messages[0].text.contains(missing));
    EXPECT_TRUE(f.messages[0].text.contains(alsoMissing));
    EXPECT_FALSE(f.messages[0].text.contains(example("rotam-0123.txt")));
}

TEST(MainWindow, DragOfLocalFilesAndFoldersOnlyIsAccepted)
{
    const std::pair<QList<QUrl>, bool> drags[] = {
        {{QUrl(u"https://example.com/mail.txt"_s)}, false},
        {{QUrl::fromLocalFile(example("no-such-mail.txt"))}, false},
        {{QUrl::fromLocalFile(example(""))}, true},
        {{QUrl::fromLocalFile(example("")), QUrl::fromLocalFile(example("rotam-0123.txt"))}, true},
    };
    for (const auto &[urls, accepted] : drags) {
        MainWindowFixture f;
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(f.window.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), accepted) << urls.first().toString().toStdString();
    }
}

TEST(MainWindow, PlacementIsReadFromTheOptionsAsTheyStand)
{
    MainWindowFixture f;
    controls(*f.window).positionButtons[1]->setChecked(true);
    EXPECT_EQ(f.window->placement(), PagePlacement::CentreLeft);
    controls(*f.window).positionButtons[2]->setChecked(true);
    EXPECT_EQ(f.window->placement(), PagePlacement::Centre);
}

TEST(MainWindow, TabOrderFollowsTheDesignedSequence)
{
    MainWindowFixture f;
    MainWindow &w = *f.window;
    QList<QWidget *> chain;
    QWidget *next = controls(w).openFilesButton;
    do {
        if (next->focusPolicy() & Qt::TabFocus)
            chain.append(next);
        next = next->nextInFocusChain();
    } while (next != controls(w).openFilesButton && chain.size() < 50);
    const QList<QWidget *> designed{controls(w).openFilesButton,
                                    controls(w).pasteButton,
                                    namedChild<QPushButton>(w, u"receiveButton"_s),
                                    controls(w).searchField,
                                    controls(w).issueList,
                                    controls(w).checkUnprintedButton,
                                    controls(w).checkAllButton,
                                    controls(w).uncheckAllButton,
                                    controls(w).removeButton,
                                    controls(w).hintView,
                                    controls(w).commentView,
                                    controls(w).annotationButton,
                                    controls(w).positionButtons[0],
                                    controls(w).positionButtons[1],
                                    controls(w).positionButtons[2],
                                    controls(w).printButton,
                                    controls(w).previewButton};
    EXPECT_EQ(chain, designed);
}

TEST(MainWindow, ShortcutsPressOnlyEnabledButtons)
{
    // A shortcut presses its button the way a click does, animated: wait for the release.
    MainWindowFixture f;
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    QWindow *window = f.window->windowHandle();
    f.printDialog->answer = PrintChoice{};
    f.openDialog->answers.append(QStringList());
    QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.openDialog->timesShown == 1; }));
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);

    f.paste(mailText({titled(u"一"_s)}));
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return controls(*f.window).printButton->isEnabled(); }));
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.printers->at(0)->pages() == 1; }));
    EXPECT_EQ(f.printDialog->presets.size(), 1) << "the first Ctrl+P had nothing to print";
}

TEST(MainWindow, FilesDroppedOnThePreviewLoadToo)
{
    MainWindowFixture f;
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(example("rotam-0123.txt"))});
    QWidget *target = controls(*f.window).commentView->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(f.listTexts(), QStringList{u"第１２３回"_s});
    EXPECT_TRUE(controls(*f.window).commentView->text().isEmpty());
}
