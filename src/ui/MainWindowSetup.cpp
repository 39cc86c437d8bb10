// Construction of the main window: its controls at their designed places, in tab order.
#include "MainWindow.h"

#include "BoxOutlines.h"
#include "TextBox.h"
#include "Twips.h"

#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace {

// A decorative line in the window's text colour, one pixel wide. It fills its whole widget:
// a line drawn through it may round to no device pixel at a fractional screen scale.
class LineControl final : public QWidget
{
public:
    LineControl(QWidget *parent, double x1, double y, double x2) : QWidget(parent)
    {
        setGeometry(twipsToPixels(x1), twipsToPixels(y), twipsToPixels(x2 - x1) + 1, 1);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::WindowText));
    }
};

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption,
                        const QRect &geometry, bool enabled)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setEnabled(enabled);
    button->setAutoDefault(true); // Enter presses the button that has the focus
    return button;
}

QLabel *makeArrow(QWidget *parent, const char *name, double top)
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
    label->setGeometry(twipRect(105, top, 6330, 405));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel *makePreviewLabel(QWidget *parent, const char *name, double top)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(twipRect(2070, top, 4410, 285));
    return label;
}

TextBox *makePreviewBox(QWidget *parent, const char *name, double top, double height)
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
    box->setGeometry(twipRect(2070, top, 4410, height));
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
}

MainWindow::~MainWindow() = default;

void MainWindow::setupWindow()
{
    setObjectName(u"mainWindow"_s);
    setWindowTitle(u"今日のロタム印刷ソフト"_s);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(6600), twipsToPixels(6000));
    setFont(windowDefaultFont());
    setAcceptDrops(true);
}

void MainWindow::setupLoadControls()
{
    openFilesButton = makeButton(this, "openFilesButton", u"ファイルから読み出す"_s,
                                 twipRect(1065, 75, 1995, 555), true);
    pasteButton = makeButton(this, "pasteButton", u"コピペから取り込む"_s,
                             twipRect(3285, 75, 1815, 555), true);
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
}

void MainWindow::setupListControls()
{
    issueList = new QListWidget(this);
    issueList->setObjectName(u"issueList"_s);
    issueList->setGeometry(twipRect(105, 1185, 1875, 2160));
    issueList->setSortingEnabled(false); // filled in list order already
    issueList->setUniformItemSizes(true);
    issueList->setSelectionMode(QAbstractItemView::SingleSelection);

    checkAllButton =
        makeButton(this, "checkAllButton", u"全て選択"_s, twipRect(285, 3555, 1560, 510), false);
    uncheckAllButton = makeButton(this, "uncheckAllButton", u"全て選択解除"_s,
                                  twipRect(285, 4125, 1560, 510), false);

    connect(issueList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showPreview();
    });
    connect(issueList, &QListWidget::itemChanged, this, &MainWindow::onItemChanged);
    connect(checkAllButton, &QPushButton::clicked, this, &MainWindow::checkAll);
    connect(uncheckAllButton, &QPushButton::clicked, this, &MainWindow::uncheckAll);
}

void MainWindow::setupPreviewControls()
{
    titleLabel = makePreviewLabel(this, "titleLabel", 1215);
    hintView = makePreviewBox(this, "hintView", 1860, 795);
    commentView = makePreviewBox(this, "commentView", 2685, 1215);
    sizeLabel = makePreviewLabel(this, "sizeLabel", 1515);
    annotationButton = makeButton(this, "annotationButton", u"注記を表示する"_s,
                                  twipRect(3450, 4095, 1650, 375), false);
    connect(annotationButton, &QPushButton::clicked, this, &MainWindow::showAnnotation);
}

void MainWindow::setupPrintControls()
{
    positionGroup = new QWidget(this);
    positionGroup->setObjectName(u"positionGroup"_s);
    positionGroup->setGeometry(twipRect(1590, 4890, 1260, 1035));

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

    printButton =
        makeButton(this, "printButton", u"印刷する"_s, twipRect(3615, 5220, 1650, 540), false);
    // Beside "印刷する", in room the window leaves free; enabled with it.
    previewButton =
        makeButton(this, "previewButton", u"プレビュー"_s, twipRect(5370, 5220, 1125, 540), false);
    connect(printButton, &QPushButton::clicked, this, &MainWindow::printCheckedIssues);
    connect(previewButton, &QPushButton::clicked, this, &MainWindow::previewPrint);
}

void MainWindow::setupDecorations()
{
    upperRule = new LineControl(this, 105, 915, 6420);
    upperRule->setObjectName(u"upperRule"_s);
    lowerRule = new LineControl(this, 105, 4860, 6420);
    lowerRule->setObjectName(u"lowerRule"_s);
    // The arrows are drawn over the lines they cross.
    loadArrow = makeArrow(this, "loadArrow", 765);
    printArrow = makeArrow(this, "printArrow", 4680);
    auto *outlines = new BoxOutlines(this);
    for (QFrame *box : {static_cast<QFrame *>(issueList), static_cast<QFrame *>(hintView),
                        static_cast<QFrame *>(commentView)})
        outlines->outline(box);
    for (QLabel *label : {titleLabel, sizeLabel})
        outlines->outline(label, label->palette().color(QPalette::WindowText));
    outlines->raise();
}

void MainWindow::setupTabOrder()
{
    const QList<QWidget *> order{
        openFilesButton,    pasteButton, issueList,        checkAllButton,     uncheckAllButton,
        hintView,           commentView, annotationButton, positionButtons[0], positionButtons[1],
        positionButtons[2], printButton, previewButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::setupShortcuts()
{
    openFilesAction->setShortcut(QKeySequence::Open);
    openFolderAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    pasteButton->setShortcut(QKeySequence::Paste);
    printButton->setShortcut(QKeySequence::Print);
    previewButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    checkAllButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    uncheckAllButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    openFilesButton->setToolTip(u"メールのファイル (Ctrl+O) かフォルダ (Ctrl+Shift+O) を開く。"
                                u"窓へドロップしても読み込めます"_s);
    pasteButton->setToolTip(u"メールの本文を貼り付けて取り込む (Ctrl+V)"_s);
    printButton->setToolTip(
        u"チェックした問題を印刷する (Ctrl+P)。PDF への保存は印刷ダイアログから"_s);
    previewButton->setToolTip(u"印刷される頁を先に見る (Ctrl+Shift+P)"_s);
    checkAllButton->setToolTip(u"Ctrl+Shift+A"_s);
    uncheckAllButton->setToolTip(u"Ctrl+Shift+N"_s);
    auto *quit = new QShortcut(QKeySequence::Quit, this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

void MainWindow::restoreSettings()
{
    if (const std::optional<PagePlacement> remembered = m_settings.placement())
        positionButtons.at(size_t(*remembered))->setChecked(true);
    setPrintOptions({placement(), m_settings.layout().value_or(PageLayout::Single),
                     m_settings.cells().value_or(false)});
}
