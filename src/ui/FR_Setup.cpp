// Construction of the main window: its controls at their designed places, in tab order.
#include "FR.h"

#include "FontSubstitutes.h"
#include "KesaPrt.h"
#include "TextBox.h"
#include "Twips.h"

#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace {

// A decorative line in the window's text colour, one pixel wide.
class LineControl final : public QWidget
{
public:
    LineControl(QWidget *parent, double x1, double y, double x2) : QWidget(parent)
    {
        setGeometry(TwipsToPixels(x1), TwipsToPixels(y), TwipsToPixels(x2 - x1) + 1, 1);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawLine(0, 0, width() - 1, 0);
    }
};

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption,
                        const QRect &geometry, bool enabled)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setEnabled(enabled);
    button->setAutoDefault(true); // Enter presses the button that has the focus
    return button;
}

QLabel *MakeArrow(QWidget *parent, const char *name, double top)
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
    label->setGeometry(TwipRect(105, top, 6330, 405));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel *MakePreviewLabel(QWidget *parent, const char *name, double top)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(TwipRect(2070, top, 4410, 285));
    return label;
}

TextBox *MakePreviewBox(QWidget *parent, const char *name, double top, double height)
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
    box->setGeometry(TwipRect(2070, top, 4410, height));
    return box;
}

} // namespace

FR::FR(UiServices services, QWidget *parent)
    : QWidget(parent), Dialog(services.Dialog), m_services(std::move(services))
{
    RegisterFontSubstitutes();
    setupWindow();
    setupLoadControls();
    setupListControls();
    setupPreviewControls();
    setupPrintControls();
    setupDecorations();
    setupTabOrder();
    setupShortcuts();
    Form_Load();
}

FR::~FR() = default;

void FR::setupWindow()
{
    setObjectName(u"FR"_s);
    setWindowTitle(u"今日のロタム印刷ソフト"_s);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(6600), TwipsToPixels(6000));
    setFont(WindowDefaultFont());
    setAcceptDrops(true);
}

void FR::setupLoadControls()
{
    cmFile =
        MakeButton(this, "cmFile", u"ファイルから読み出す"_s, TwipRect(1245, 75, 1815, 555), true);
    cmCopipe =
        MakeButton(this, "cmCopipe", u"コピペから取り込む"_s, TwipRect(3285, 75, 1815, 555), true);
    connect(cmFile, &QPushButton::clicked, this, &FR::cmFile_Click);
    connect(cmCopipe, &QPushButton::clicked, this, &FR::cmCopipe_Click);
}

void FR::setupListControls()
{
    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_s);
    List1->setGeometry(TwipRect(105, 1185, 1875, 2160));
    List1->setSortingEnabled(false); // filled in list order already
    List1->setUniformItemSizes(true);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);

    cmAll = MakeButton(this, "cmAll", u"全て選択"_s, TwipRect(285, 3555, 1560, 510), false);
    cmNo = MakeButton(this, "cmNo", u"全て選択解除"_s, TwipRect(285, 4125, 1560, 510), false);

    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List1_Click();
    });
    connect(List1, &QListWidget::itemChanged, this, &FR::OnItemChanged);
    connect(cmAll, &QPushButton::clicked, this, &FR::cmAll_Click);
    connect(cmNo, &QPushButton::clicked, this, &FR::cmNo_Click);
}

void FR::setupPreviewControls()
{
    lbTitle = MakePreviewLabel(this, "lbTitle", 1215);
    lbHint = MakePreviewBox(this, "lbHint", 1860, 795);
    lbComment = MakePreviewBox(this, "lbComment", 2685, 1215);
    lbSize = MakePreviewLabel(this, "lbSize", 1515);
    cmImport =
        MakeButton(this, "cmImport", u"注記を表示する"_s, TwipRect(3450, 4095, 1650, 375), false);
    connect(cmImport, &QPushButton::clicked, this, &FR::cmImport_Click);
}

void FR::setupPrintControls()
{
    Frame2 = new QWidget(this);
    Frame2->setObjectName(u"Frame2"_s);
    Frame2->setGeometry(TwipRect(1590, 4890, 1260, 1035));

    struct Option
    {
        const char16_t *caption;
        double top;
        double width;
    };
    static constexpr Option options[] = {
        {u"左上隅", 225, 1140}, {u"中央左寄せ", 495, 1200}, {u"中央", 765, 1050}};
    for (size_t i = 0; i < opPos.size(); ++i) {
        opPos[i] = new QRadioButton(QString::fromUtf16(options[i].caption), Frame2);
        opPos[i]->setObjectName(u"opPos"_s + QString::number(i));
        opPos[i]->setGeometry(TwipRect(15, options[i].top, options[i].width, 210));
    }
    opPos[0]->setChecked(true);

    cmPrint = MakeButton(this, "cmPrint", u"印刷する"_s, TwipRect(3615, 5220, 1650, 540), false);
    // Beside "印刷する", in room the window leaves free; enabled with it.
    cmPreview =
        MakeButton(this, "cmPreview", u"プレビュー"_s, TwipRect(5370, 5220, 1125, 540), false);
    connect(cmPrint, &QPushButton::clicked, this, &FR::cmPrint_Click);
    connect(cmPreview, &QPushButton::clicked, this, &FR::cmPreview_Click);
}

void FR::setupDecorations()
{
    Line1 = new LineControl(this, 105, 915, 6420);
    Line1->setObjectName(u"Line1"_s);
    Line2 = new LineControl(this, 105, 4860, 6420);
    Line2->setObjectName(u"Line2"_s);
    // The arrows are drawn over the lines they cross.
    Label1 = MakeArrow(this, "Label1", 765);
    Label2 = MakeArrow(this, "Label2", 4680);
}

void FR::setupTabOrder()
{
    const QList<QWidget *> order{cmFile,   cmCopipe,  List1,    cmAll,    cmNo,
                                 lbHint,   lbComment, cmImport, opPos[0], opPos[1],
                                 opPos[2], cmPrint,   cmPreview};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FR::setupShortcuts()
{
    cmFile->setShortcut(QKeySequence::Open);
    cmCopipe->setShortcut(QKeySequence::Paste);
    cmPrint->setShortcut(QKeySequence::Print);
    cmPreview->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    cmAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    cmNo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    cmFile->setToolTip(
        u"メールのファイルを開く (Ctrl+O)。ファイルを窓へドロップしても読み込めます"_s);
    cmCopipe->setToolTip(u"メールの本文を貼り付けて取り込む (Ctrl+V)"_s);
    cmPrint->setToolTip(u"チェックした問題を印刷する (Ctrl+P)。PDF への保存は印刷ダイアログから"_s);
    cmPreview->setToolTip(u"印刷される頁を先に見る (Ctrl+Shift+P)"_s);
    cmAll->setToolTip(u"Ctrl+Shift+A"_s);
    cmNo->setToolTip(u"Ctrl+Shift+N"_s);
    auto *quit = new QShortcut(QKeySequence::Quit, this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

void FR::Form_Load()
{
    KesaPrt::PrintTarget = m_services.Printers ? m_services.Printers->Printer() : nullptr;
    Store = IssueStore{};
}
