// Construction of the main window: its controls at their designed places, in tab order.
#include "MainWindow.h"

#include "BoxOutlines.h"
#include "IssueListDelegate.h"
#include "IssueListModel.h"
#include "MainWindowLayout.h"
#include "TextBox.h"
#include "Twips.h"

#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace {

// A decorative line in the window's text colour, one pixel wide. It fills its whole widget:
// a line drawn through it may round to no device pixel at a fractional screen scale.
class LineControl final : public QWidget
{
public:
    explicit LineControl(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::WindowText));
    }
};

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, bool enabled)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setEnabled(enabled);
    button->setAutoDefault(true); // Enter presses the button that has the focus
    return button;
}

QLabel *makeArrow(QWidget *parent, const char *name)
{
    auto *label = new QLabel(u"↓"_s, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(u"ＭＳ Ｐゴシック"_s, 18);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(palette);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel *makePreviewLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

TextBox *makePreviewBox(QWidget *parent, const char *name)
{
    auto *box = new TextBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    QFont font(u"ＭＳ ゴシック"_s);
    font.setPointSizeF(6.75);
    box->setFont(font);
    box->setReadOnly(true);
    box->setAcceptDrops(false); // mail files dropped here load like anywhere on the window
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    return box;
}

} // namespace

MainWindow::MainWindow(UiServices services, QWidget *parent)
    : QWidget(parent), m_services(std::move(services)), m_settings(m_services.settings)
{
    setupWindow();
    setupLoadControls();
    setupListControls();
    setupPreviewControls();
    setupPrintControls();
    setupDecorations();
    setupTabOrder();
    setupShortcuts();
    restoreSettings();
    openLibrary();
    refreshIssueList();
}

MainWindow::~MainWindow() = default;

void MainWindow::setupWindow()
{
    setObjectName(u"mainWindow"_s);
    setWindowTitle(u"今日のロタム印刷ソフト"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(mainWindowBaseSize());
    resize(mainWindowBaseSize());
    setFont(windowDefaultFont());
    setAcceptDrops(true);
}

void MainWindow::setupLoadControls()
{
    openFilesButton = makeButton(this, "openFilesButton", u"ファイルから読み出す"_s, true);
    pasteButton = makeButton(this, "pasteButton", u"コピペから取り込む"_s, true);
    auto *openMenu = new QMenu(openFilesButton);
    openMenu->setObjectName(u"openMenu"_s);
    openFilesAction = openMenu->addAction(u"ファイルを開く…"_s, this, &MainWindow::openFiles);
    openFolderAction = openMenu->addAction(u"フォルダを開く…"_s, this, &MainWindow::openFolder);
    openFilesAction->setObjectName(u"openFilesAction"_s);
    openFolderAction->setObjectName(u"openFolderAction"_s);
    openFilesButton->setMenu(openMenu);
    // Also on the window, so that their shortcuts work with the menu closed.
    addActions({openFilesAction, openFolderAction});
    connect(pasteButton, &QPushButton::clicked, this, &MainWindow::openPasteWindow);

    receiveButton = makeButton(this, "receiveButton", u"メールを受信"_s, true);
    auto *receiveMenu = new QMenu(receiveButton);
    receiveMenu->setObjectName(u"receiveMenu"_s);
    receiveAction = receiveMenu->addAction(u"受信する"_s, this, &MainWindow::receiveMail);
    mailServerAction =
        receiveMenu->addAction(u"メールサーバーの設定…"_s, this, [this] { editMailServer(); });
    receiveAction->setObjectName(u"receiveAction"_s);
    mailServerAction->setObjectName(u"mailServerAction"_s);
    receiveButton->setMenu(receiveMenu);
    addActions({receiveAction, mailServerAction});
}

void MainWindow::setupListControls()
{
    searchField = new QLineEdit(this);
    searchField->setObjectName(u"searchField"_s);
    searchField->setPlaceholderText(u"絞り込み検索"_s);
    searchField->setClearButtonEnabled(true);

    issueList = new QListView(this);
    issueList->setObjectName(u"issueList"_s);
    issueModel = new IssueListModel(issueList);
    issueList->setModel(issueModel);
    issueList->setItemDelegate(new IssueListDelegate(issueList));
    issueList->setUniformItemSizes(true);
    issueList->setSelectionMode(QAbstractItemView::SingleSelection);
    issueList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    checkUnprintedButton = makeButton(this, "checkUnprintedButton", u"未印刷を選択"_s, false);
    checkAllButton = makeButton(this, "checkAllButton", u"全て選択"_s, false);
    uncheckAllButton = makeButton(this, "uncheckAllButton", u"全て選択解除"_s, false);
    removeButton = makeButton(this, "removeButton", u"削除"_s, false);
    auto *removeMenu = new QMenu(removeButton);
    removeMenu->setObjectName(u"removeMenu"_s);
    removeCheckedAction =
        removeMenu->addAction(u"チェックした問題を削除"_s, this, &MainWindow::removeCheckedIssues);
    clearListAction = removeMenu->addAction(u"一覧を空にする"_s, this, &MainWindow::clearIssueList);
    removeCheckedAction->setObjectName(u"removeCheckedAction"_s);
    clearListAction->setObjectName(u"clearListAction"_s);
    removeButton->setMenu(removeMenu);
    // Delete removes the checked issues from the list, and only there: in the search field it
    // deletes a character.
    issueList->addAction(removeCheckedAction);

    connect(searchField, &QLineEdit::textChanged, this, &MainWindow::filterIssueList);
    connect(issueList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::showPreview);
    connect(issueModel, &IssueListModel::checksChanged, this, &MainWindow::updateListButtons);
    connect(issueModel, &QAbstractItemModel::modelReset, this, &MainWindow::updateListButtons);
    connect(checkUnprintedButton, &QPushButton::clicked, this, [this] {
        issueModel->setShownChecks(
            true, [](const LibraryEntry &entry) { return !entry.lastPrinted.isValid(); });
    });
    connect(checkAllButton, &QPushButton::clicked, this,
            [this] { issueModel->setShownChecks(true); });
    connect(uncheckAllButton, &QPushButton::clicked, this,
            [this] { issueModel->setShownChecks(false); });
}

void MainWindow::setupPreviewControls()
{
    titleLabel = makePreviewLabel(this, "titleLabel");
    hintView = makePreviewBox(this, "hintView");
    commentView = makePreviewBox(this, "commentView");
    sizeLabel = makePreviewLabel(this, "sizeLabel");
    annotationButton = makeButton(this, "annotationButton", u"注記を表示する"_s, false);
    connect(annotationButton, &QPushButton::clicked, this, &MainWindow::showAnnotation);
}

void MainWindow::setupPrintControls()
{
    positionGroup = new QWidget(this);
    positionGroup->setObjectName(u"positionGroup"_s);

    struct Option
    {
        const char16_t *caption;
        double top;
        double width;
    };
    static constexpr Option options[] = {
        {u"左上隅", 225, 1140}, {u"中央左寄せ", 495, 1200}, {u"中央", 765, 1050}};
    for (size_t i = 0; i < positionButtons.size(); ++i) {
        positionButtons[i] =
            new QRadioButton(QString::fromUtf16(options[i].caption), positionGroup);
        positionButtons[i]->setObjectName(u"positionButton"_s + QString::number(i));
        positionButtons[i]->setGeometry(twipRect(15, options[i].top, options[i].width, 210));
    }
    positionButtons[0]->setChecked(true);
    for (QRadioButton *button : positionButtons) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                m_settings.setPlacement(placement());
        });
    }

    printButton = makeButton(this, "printButton", u"印刷する"_s, false);
    // Beside "印刷する", in room the window leaves free; enabled with it.
    previewButton = makeButton(this, "previewButton", u"プレビュー"_s, false);
    connect(printButton, &QPushButton::clicked, this, &MainWindow::printCheckedIssues);
    connect(previewButton, &QPushButton::clicked, this, &MainWindow::previewPrint);
}

void MainWindow::setupDecorations()
{
    upperRule = new LineControl(this);
    upperRule->setObjectName(u"upperRule"_s);
    lowerRule = new LineControl(this);
    lowerRule->setObjectName(u"lowerRule"_s);
    // The arrows are drawn over the lines they cross.
    loadArrow = makeArrow(this, "loadArrow");
    printArrow = makeArrow(this, "printArrow");
    outlines = new BoxOutlines(this);
    for (QFrame *box : {static_cast<QFrame *>(issueList), static_cast<QFrame *>(hintView),
                        static_cast<QFrame *>(commentView)})
        outlines->outline(box);
    for (QLabel *label : {titleLabel, sizeLabel})
        outlines->outline(label, label->palette().color(QPalette::WindowText));
    outlines->raise();
}

void MainWindow::setupTabOrder()
{
    const QList<QWidget *> order{openFilesButton,    pasteButton,        receiveButton,
                                 searchField,        issueList,          checkUnprintedButton,
                                 checkAllButton,     uncheckAllButton,   removeButton,
                                 hintView,           commentView,        annotationButton,
                                 positionButtons[0], positionButtons[1], positionButtons[2],
                                 printButton,        previewButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::setupShortcuts()
{
    openFilesAction->setShortcut(QKeySequence::Open);
    openFolderAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    pasteButton->setShortcut(QKeySequence::Paste);
    receiveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    printButton->setShortcut(QKeySequence::Print);
    previewButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    checkAllButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    uncheckAllButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    removeCheckedAction->setShortcut(QKeySequence::Delete);
    removeCheckedAction->setShortcutContext(Qt::WidgetShortcut);
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        searchField->setFocus(Qt::ShortcutFocusReason);
        searchField->selectAll();
    });
    // Nothing else in the window answers Esc: from anywhere in it, it clears the search.
    auto *clearSearch = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(clearSearch, &QShortcut::activated, searchField, &QLineEdit::clear);
    openFilesButton->setToolTip(u"メールのファイル (Ctrl+O) かフォルダ (Ctrl+Shift+O) を開く。"
                                u"窓へドロップしても読み込めます"_s);
    pasteButton->setToolTip(u"メールの本文を貼り付けて取り込む (Ctrl+V)"_s);
    receiveButton->setToolTip(u"メールサーバーから新しいメールを受信する (Ctrl+R)"_s);
    printButton->setToolTip(
        u"チェックした問題を印刷する (Ctrl+P)。PDF への保存は印刷ダイアログから"_s);
    previewButton->setToolTip(u"印刷される頁を先に見る (Ctrl+Shift+P)"_s);
    checkAllButton->setToolTip(u"Ctrl+Shift+A"_s);
    uncheckAllButton->setToolTip(u"Ctrl+Shift+N"_s);
    checkUnprintedButton->setToolTip(u"表示中の問題のうち、まだ印刷していないものをチェックする"_s);
    searchField->setToolTip(u"題名の行とコメントの語で一覧を絞り込む (Ctrl+F)。Esc で解除"_s);
    removeButton->setToolTip(u"チェックした問題 (Delete) か、すべての問題を一覧から削除する"_s);
    auto *quit = new QShortcut(QKeySequence::Quit, this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

void MainWindow::restoreSettings()
{
    if (const std::optional<QSize> size = m_settings.windowSize())
        resize(size->expandedTo(mainWindowBaseSize()));
    applyLayout(size());
    if (const std::optional<PagePlacement> remembered = m_settings.placement())
        positionButtons.at(size_t(*remembered))->setChecked(true);
    setPrintOptions({placement(), m_settings.layout().value_or(PageLayout::Single),
                     m_settings.cells().value_or(false)});
}

void MainWindow::applyLayout(QSize size)
{
    const MainWindowLayout l = layOutMainWindow(size);
    openFilesButton->setGeometry(l.openFilesButton);
    pasteButton->setGeometry(l.pasteButton);
    receiveButton->setGeometry(l.receiveButton);
    loadArrow->setGeometry(l.loadArrow);
    upperRule->setGeometry(l.upperRule);
    searchField->setGeometry(l.searchField);
    issueList->setGeometry(l.issueList);
    const std::array<QPushButton *, ListButtonCount> listButtons{
        checkUnprintedButton, checkAllButton, uncheckAllButton, removeButton};
    for (size_t i = 0; i < listButtons.size(); ++i)
        listButtons[i]->setGeometry(l.listButtons[qsizetype(i)]);
    titleLabel->setGeometry(l.titleLabel);
    sizeLabel->setGeometry(l.sizeLabel);
    hintView->setGeometry(l.hintView);
    commentView->setGeometry(l.commentView);
    annotationButton->setGeometry(l.annotationButton);
    lowerRule->setGeometry(l.lowerRule);
    printArrow->setGeometry(l.printArrow);
    positionGroup->setGeometry(l.positionGroup);
    printButton->setGeometry(l.printButton);
    previewButton->setGeometry(l.previewButton);
    outlines->setGeometry(QRect(QPoint(), size));
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout(event->size());
    // Sizes set while hidden are the program's own, not the user's.
    if (isVisible() && !isMaximized() && !isFullScreen())
        m_settings.setWindowSize(event->size());
}
