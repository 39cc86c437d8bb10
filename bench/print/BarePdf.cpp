// The floor for rotam-pdf: the same lines and texts of the benchmark's pages drawn straight
// onto a QPdfWriter, with no parsing, no printer object and no text measurement.
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

#include <malloc.h>

namespace {

constexpr double Dpi = 600;

double dots(double mm)
{
    return mm * Dpi / 25.4;
}

// Layout millimetres placed as rotam-pdf's top-left placement puts them.
QPointF at(double x, double y)
{
    return {dots(x + 4.5), dots(y)};
}

QFont face(const char *family, int points)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSize(points);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawPage(QPainter &painter, int number)
{
    const QString header = QStringLiteral("－今日のロタム－");
    const QString columns = QStringLiteral("ＡＢＣＤＥＦＧＨＩＪ");
    const QString rows = QStringLiteral("一二三四五六七八九十");
    painter.setFont(face("IPAPGothic", 11));
    for (int i = 0; i < header.size(); ++i)
        painter.drawText(at(10 + i * 9.0, 4), header.mid(i, 1));
    painter.setFont(face("IPAPGothic", 9));
    painter.drawText(at(25, 9), QStringLiteral("◇第%1回◇　今日の問題").arg(number));
    painter.setFont(face("IPAPMincho", 9));
    painter.drawText(at(35, 14), QStringLiteral("難易度：中級"));
    painter.setFont(face("IPAPMincho", 6));
    painter.drawText(
        at(5, 161),
        QStringLiteral(
            "発行責任者：ロタム編集部  まぐまぐＩＤ：0001234567  印刷ソフト作成：kesa.tn"));
    painter.drawText(at(20, 164), QStringLiteral("発信時刻：Sat, 15 Jan 2005 06:00:00 +0900"));

    painter.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(at(1, 17), at(85, 17));
    painter.drawRect(QRectF(at(15, 24), at(75, 84)));
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setFont(face("IPAPGothic", 11));
    for (int e = 1; e <= 10; ++e) {
        if (e >= 2) {
            painter.drawLine(at(9 + 6 * e, 24), at(9 + 6 * e, 84));
            painter.drawLine(at(15, 18 + 6 * e), at(75, 18 + 6 * e));
        }
        painter.drawText(at(10 + 6 * e, 23), columns.mid(e - 1, 1));
        painter.drawText(at(10, 23 + 6 * e), rows.mid(e - 1, 1));
    }
    painter.setFont(face("IPAGothic", 8));
    for (int k = 1; k <= 4; ++k)
        painter.drawText(at(1, 88 + 3.5 * k),
                         QStringLiteral("ヒント%1：%2列と%3行に注目してください。")
                             .arg(k)
                             .arg(columns.at(k))
                             .arg(rows.at(k)));
    painter.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(at(1, 101), at(85, 101));
    painter.setFont(face("IPAMincho", 8));
    for (int k = 1; k <= 18; ++k)
        painter.drawText(
            at(1, 101 + 3 * k),
            QStringLiteral("コメント%1行目：今週は寒い日が続きますね。問題は中級向けです。")
                .arg(k));
    painter.setFont(face("IPAMincho", 6));
    painter.drawText(at(0, 158), QStringLiteral("（以下印刷省略）"));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: rotam-bench-bare-pdf PAGES OUT.pdf\n");
        return 2;
    }
    const int pages = QString::fromLocal8Bit(argv[1]).toInt();
    // The same allocator setting as rotam-pdf, so that the ratio measures the printing only.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    QElapsedTimer timer;
    timer.start();
    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setResolution(int(Dpi));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        drawPage(painter, page);
    }
    painter.end();
    std::printf("%lld\n", static_cast<long long>(timer.elapsed()));
    return 0;
}
