#include "UiTestSupport.h"

#include "AnnotationWindow.h"
#include "PasteWindow.h"
#include "TextBox.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Leaves the paste window the way the test names, after typing some text into it.
std::function<int(QDialog &)> leavePaste(const std::function<void(PasteWindow &)> &leave)
{
    return [leave](QDialog &dialog) {
        auto &paste = dynamic_cast<PasteWindow &>(dialog);
        paste.show();
        namedChild<TextBox>(paste, u"textEdit"_s)->insertPlainText(u"書きかけの文章"_s);
        leave(paste);
        EXPECT_FALSE(paste.isVisible());
        return paste.result();
    };
}

} // namespace

TEST(PasteWindow, IsMadeAfreshWithItsCaptionAndButtons)
{
    MainWindowFixture f;
    QStringList seen;
    f.modal = [&seen](QDialog &dialog) {
        auto &paste = dynamic_cast<PasteWindow &>(dialog);
        seen << paste.windowTitle() << namedChild<TextBox>(paste, u"textEdit"_s)->toPlainText()
             << namedChild<QPushButton>(paste, u"runButton"_s)->text()
             << namedChild<QPushButton>(paste, u"cancelButton"_s)->text();
        EXPECT_TRUE(namedChild<QPushButton>(paste, u"runButton"_s)->isDefault());
        EXPECT_TRUE(paste.windowFlags() & Qt::Tool);
        namedChild<TextBox>(paste, u"textEdit"_s)->insertPlainText(u"前の文章"_s);
        namedChild<QPushButton>(paste, u"cancelButton"_s)->click();
        return paste.result();
    };
    controls(*f.window).pasteButton->click();
    controls(*f.window).pasteButton->click();
    EXPECT_EQ(seen, (QStringList{u"コピペから取り込む"_s, QString(), u"実行"_s, u"キャンセル"_s,
                                 u"コピペから取り込む"_s, QString(), u"実行"_s, u"キャンセル"_s}));
}

TEST(PasteWindow, CancelCloseBoxAndEscEndThePasteQuietly)
{
    const std::function<void(PasteWindow &)> ways[] = {
        [](PasteWindow &w) { namedChild<QPushButton>(w, u"cancelButton"_s)->click(); },
        [](PasteWindow &w) { w.close(); },
        [](PasteWindow &w) { QTest::keyClick(&w, Qt::Key_Escape); },
        [](PasteWindow &w) {
            QTest::keyClick(namedChild<QPushButton>(w, u"cancelButton"_s), Qt::Key_Return);
        }, // Enter on キャンセル
    };
    for (const auto &leave : ways) {
        MainWindowFixture f;
        f.paste(mailText({titled(u"一"_s)}));
        f.modal = leavePaste(leave);
        controls(*f.window).pasteButton->click();
        EXPECT_EQ(f.modalCount, 2);
        EXPECT_EQ(f.listTexts(), QStringList{u"一"_s}) << "no re-parse, no empty entry";
        EXPECT_EQ(f.libraryCount(), 1);
    }
}

TEST(PasteWindow, EnterExecutesAndCtrlEnterBreaksTheLine)
{
    MainWindowFixture f;
    QString handed;
    f.modal = [&handed](QDialog &dialog) {
        auto &paste = dynamic_cast<PasteWindow &>(dialog);
        namedChild<TextBox>(paste, u"textEdit"_s)->insertPlainText(u"A"_s);
        QTest::keyClick(namedChild<TextBox>(paste, u"textEdit"_s), Qt::Key_Return,
                        Qt::ControlModifier);
        namedChild<TextBox>(paste, u"textEdit"_s)->insertPlainText(u"B"_s);
        EXPECT_EQ(paste.result(), 0) << "Ctrl+Enter must not close the window";
        QTest::keyClick(namedChild<TextBox>(paste, u"textEdit"_s), Qt::Key_Return);
        handed = paste.text();
        return paste.result();
    };
    controls(*f.window).pasteButton->click();
    EXPECT_EQ(handed, u"A\r\nB"_s);
}

TEST(PasteWindow, TabLeavesTheTextBoxInsteadOfTypingATab)
{
    MainWindowFixture f;
    QString handed;
    f.modal = [&handed](QDialog &dialog) {
        auto &paste = dynamic_cast<PasteWindow &>(dialog);
        namedChild<TextBox>(paste, u"textEdit"_s)->insertPlainText(u"A"_s);
        QTest::keyClick(namedChild<TextBox>(paste, u"textEdit"_s), Qt::Key_Tab);
        namedChild<QPushButton>(paste, u"runButton"_s)->click();
        handed = paste.text();
        return paste.result();
    };
    controls(*f.window).pasteButton->click();
    EXPECT_EQ(handed, u"A"_s);
}

TEST(PasteWindow, ExecuteWithAnEmptyBoxParsesAnEmptyText)
{
    MainWindowFixture f;
    f.paste(QString());
    EXPECT_TRUE(f.listTexts().isEmpty());
    f.paste(QString());
    EXPECT_EQ(f.libraryCount(), 0) << "nothing is kept of an empty text";
}

TEST(AnnotationWindow, ShowsThePreviewedIssueEvenAfterAFurtherLoad)
{
    MainWindowFixture f;
    f.paste(mailText({titled(u"あ"_s, u"あの注記"_s), titled(u"い"_s, u"いの注記"_s)}));
    f.click(0); // あ
    f.paste(mailText({titled(u"う"_s, u"うの注記"_s)}));

    QString shown;
    f.modal = [&shown](QDialog &dialog) {
        auto &window = dynamic_cast<AnnotationWindow &>(dialog);
        EXPECT_EQ(window.parent(), nullptr);
        EXPECT_EQ(window.windowTitle(), u"注記"_s);
        EXPECT_TRUE(namedChild<TextBox>(window, u"textView"_s)->isReadOnly());
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        shown = namedChild<TextBox>(window, u"textView"_s)->text();
        EXPECT_EQ(namedChild<QPushButton>(window, u"closeButton"_s)->text(), u"閉じる"_s);
        namedChild<QPushButton>(window, u"closeButton"_s)->click();
        EXPECT_FALSE(window.isVisible());
        return window.result();
    };
    controls(*f.window).annotationButton->click();
    EXPECT_TRUE(shown.contains(u"あの注記\r\n"_s)) << shown.toStdString();
    EXPECT_FALSE(shown.contains(u"うの注記"_s));
    const qint64 first = f.window->library().entries().at(0).id;
    EXPECT_EQ(shown, f.window->library().records({first}).puzzles[1].TyuukiText);
}

TEST(AnnotationWindow, AnIssueWithoutAnnotationOpensAnEmptyBox)
{
    MainWindowFixture f;
    f.paste(u"◇注記のない号◇"_s);
    f.click(0);
    QString shown = u"not set"_s;
    f.modal = [&shown](QDialog &dialog) {
        auto &window = dynamic_cast<AnnotationWindow &>(dialog);
        window.showText();
        shown = namedChild<TextBox>(window, u"textView"_s)->text();
        return int(QDialog::Rejected);
    };
    controls(*f.window).annotationButton->click();
    EXPECT_EQ(shown, QString());
}
