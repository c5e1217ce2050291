// Draws the textbook's pictures: the title page, the cover of the textbook
// window and the application icon. Run it from the repository's top folder:
//   build/tools/make_assets src/assets
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

namespace {

bool saveJpeg(const QImage &image, const QString &path)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(88);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    return writer.write(image.convertToFormat(QImage::Format_RGB888));
}

// An open book seen from above, with a pen across it: soft, pale, green-tinted.
void drawBook(QPainter &p, const QRectF &area)
{
    const QPointF spine(area.center().x(), area.top() + 10);
    for (int side : { -1, 1 }) {
        QPainterPath page;
        page.moveTo(spine);
        page.cubicTo(spine + QPointF(side * area.width() * 0.2, -18), spine + QPointF(side * area.width() * 0.4, -4),
                     QPointF(area.center().x() + side * area.width() / 2, area.top() + 18));
        page.lineTo(QPointF(area.center().x() + side * area.width() / 2, area.bottom() - 6));
        page.cubicTo(QPointF(area.center().x() + side * area.width() * 0.3, area.bottom() - 22),
                     QPointF(area.center().x() + side * area.width() * 0.1, area.bottom() - 12),
                     QPointF(area.center().x(), area.bottom()));
        page.closeSubpath();
        QLinearGradient shade(area.center().x(), 0, area.center().x() + side * area.width() / 2, 0);
        shade.setColorAt(0, QColor(196, 214, 196));
        shade.setColorAt(0.15, QColor(236, 244, 232));
        shade.setColorAt(1, QColor(226, 238, 222));
        p.setPen(QPen(QColor(170, 190, 168), 1.2));
        p.setBrush(shade);
        p.drawPath(page);
        p.setPen(QPen(QColor(200, 214, 198), 1));
        for (int line = 0; line < 12; ++line) {
            const double y = area.top() + 40 + line * (area.height() - 70) / 12.0;
            const double x0 = area.center().x() + side * 18;
            const double x1 = area.center().x() + side * (area.width() / 2 - 16);
            p.drawLine(QPointF(x0, y), QPointF(x1, y + 3));
        }
    }
    // The pen, lying across the right-hand page.
    p.save();
    p.translate(area.center().x() + area.width() * 0.22, area.center().y() + 8);
    p.rotate(-28);
    p.setPen(QPen(QColor(90, 120, 100), 1));
    QLinearGradient barrel(0, -6, 0, 6);
    barrel.setColorAt(0, QColor(150, 180, 160));
    barrel.setColorAt(1, QColor(80, 110, 92));
    p.setBrush(barrel);
    p.drawRoundedRect(QRectF(-110, -6, 190, 12), 5, 5);
    p.setBrush(QColor(200, 206, 180));
    QPolygonF nib({ QPointF(80, -5), QPointF(104, 0), QPointF(80, 5) });
    p.drawPolygon(nib);
    p.restore();
}

QImage titlePicture()
{
    QImage image(567, 425, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient paper(0, 0, 0, 425);
    paper.setColorAt(0, QColor(226, 238, 220));
    paper.setColorAt(1, QColor(200, 222, 198));
    p.fillRect(image.rect(), paper);
    // A little grain, as in a photograph.
    QRandomGenerator grain(1251);
    for (int i = 0; i < 9000; ++i) {
        const int x = grain.bounded(567), y = grain.bounded(425);
        QColor c = image.pixelColor(x, y);
        const int d = grain.bounded(-10, 10);
        image.setPixelColor(x, y, QColor(qBound(0, c.red() + d, 255), qBound(0, c.green() + d, 255), qBound(0, c.blue() + d, 255)));
    }
    drawBook(p, QRectF(70, 150, 430, 230));
    p.fillRect(QRectF(0, 0, 567, 425), QColor(226, 240, 224, 90));

    // The emblem: a circle with a grid and a rising line.
    const QRectF emblem(18, 12, 62, 62);
    p.setPen(QPen(QColor(30, 70, 130), 2.5));
    p.setBrush(QColor(240, 246, 236));
    p.drawEllipse(emblem);
    p.setPen(QPen(QColor(30, 70, 130), 1));
    p.drawEllipse(emblem.adjusted(6, 6, -6, -6));
    p.setPen(QPen(QColor(180, 40, 40), 1));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(emblem.left() + 16, emblem.top() + 14 + i * 9), QPointF(emblem.right() - 16, emblem.top() + 14 + i * 9));
        p.drawLine(QPointF(emblem.left() + 14 + i * 9, emblem.top() + 16), QPointF(emblem.left() + 14 + i * 9, emblem.bottom() - 16));
    }
    p.setPen(QPen(QColor(30, 70, 130), 2));
    p.drawPolyline(QPolygonF({ QPointF(emblem.left() + 17, emblem.bottom() - 18), QPointF(emblem.left() + 28, emblem.top() + 34),
                               QPointF(emblem.left() + 36, emblem.top() + 38), QPointF(emblem.right() - 17, emblem.top() + 18) }));

    QFont header(QStringLiteral("DejaVu Serif"));
    header.setPixelSize(13);
    p.setFont(header);
    p.setPen(QColor(30, 50, 80));
    const QRectF headerArea(90, 12, 460, 22);
    p.drawText(headerArea, Qt::AlignCenter, QStringLiteral("Министерство образования"));
    p.drawText(headerArea.translated(0, 20), Qt::AlignCenter, QStringLiteral("Учебный центр информационных технологий"));
    p.drawText(headerArea.translated(0, 40), Qt::AlignCenter, QStringLiteral("Кафедра прикладной информатики"));

    QFont heading(QStringLiteral("DejaVu Serif"));
    heading.setPixelSize(34);
    heading.setItalic(true);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(QColor(255, 255, 255, 160));
    const QRectF headingArea(20, 118, 527, 110);
    p.drawText(headingArea.translated(1.5, 1.5), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Электронное учебно-методическое пособие"));
    p.setPen(QColor(20, 40, 130));
    p.drawText(headingArea, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Электронное учебно-методическое пособие"));
    QFont subtitle(QStringLiteral("DejaVu Serif"));
    subtitle.setPixelSize(19);
    subtitle.setItalic(true);
    p.setFont(subtitle);
    p.drawText(QRectF(20, 232, 527, 30), Qt::AlignCenter, QStringLiteral("(электронный табличный процессор MS Excel)"));

    QFont credits(QStringLiteral("DejaVu Sans"));
    credits.setPixelSize(12);
    p.setFont(credits);
    p.setPen(QColor(30, 50, 70));
    p.drawText(QPointF(18, 370), QStringLiteral("Составитель: преподаватель кафедры"));
    p.drawText(QPointF(18, 388), QStringLiteral("Рецензент: методический совет центра"));
    p.drawText(QPointF(18, 406), QStringLiteral("Учебное издание для студентов всех форм обучения"));
    return image;
}

QImage coverPicture()
{
    QImage image(1024, 683, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 1024, 683);
    back.setColorAt(0, QColor(118, 104, 138));
    back.setColorAt(1, QColor(84, 76, 104));
    p.fillRect(image.rect(), back);

    // Faint formula fragments behind everything.
    QFont formula(QStringLiteral("DejaVu Sans Mono"));
    formula.setPixelSize(18);
    p.setFont(formula);
    p.setPen(QColor(255, 255, 255, 34));
    const char *fragments[] = { "=СУММ(B2:B7)", "=СРЗНАЧ(C2:C7)", "=ЕСЛИ(D4>0;1;0)", "=$A$1*B3", "=МАКС(E2:E9)", "=B5/C5" };
    for (int row = 0; row < 12; ++row)
        p.drawText(QPointF(40 + (row * 173) % 820, 40 + row * 54), QString::fromUtf8(fragments[row % 6]));

    const QRectF plot(90, 60, 860, 540);
    p.setPen(QPen(QColor(210, 50, 50), 1.5));
    for (int i = 0; i <= 8; ++i) {
        const double y = plot.bottom() - i * plot.height() / 8;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    p.setPen(QPen(QColor(230, 226, 240), 2));
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    QFont axis(QStringLiteral("DejaVu Sans"));
    axis.setPixelSize(16);
    p.setFont(axis);
    for (int i = 0; i <= 8; ++i)
        p.drawText(QRectF(30, plot.bottom() - i * plot.height() / 8 - 10, 52, 20), Qt::AlignRight | Qt::AlignVCenter, QString::number(i * 25));
    for (int i = 1; i <= 6; ++i)
        p.drawText(QRectF(plot.left() + (i - 0.5) * plot.width() / 6 - 20, plot.bottom() + 8, 40, 20), Qt::AlignCenter, QString::number(i));

    const auto series = [&](std::initializer_list<double> values, const QColor &colour) {
        QPolygonF line;
        int i = 0;
        for (double v : values)
            line << QPointF(plot.left() + (i++ + 0.5) * plot.width() / 6, plot.bottom() - v / 200 * plot.height());
        p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(line);
        p.setBrush(colour);
        for (const QPointF &point : line)
            p.drawEllipse(point, 7, 7);
    };
    series({ 40, 85, 70, 120, 150, 175 }, QColor(250, 220, 40));
    series({ 160, 110, 130, 90, 60, 100 }, QColor(230, 60, 200));

    // The inset: a lighter panel with a three-dimensional area chart.
    const QRectF inset(640, 80, 290, 190);
    p.setPen(QPen(QColor(240, 236, 248), 1.5));
    p.setBrush(QColor(200, 192, 216, 200));
    p.drawRect(inset);
    const double depth = 16;
    const double values[] = { 40, 90, 60, 120, 100, 140 };
    for (int layer = 2; layer >= 0; --layer) {
        QPolygonF area;
        const QPointF offset(layer * depth, -layer * depth * 0.6);
        const double base = inset.bottom() - 20;
        area << QPointF(inset.left() + 20, base) + offset;
        for (int i = 0; i < 6; ++i)
            area << QPointF(inset.left() + 20 + i * 40, base - values[(i + layer) % 6] * (0.7 - layer * 0.12)) + offset;
        area << QPointF(inset.left() + 220, base) + offset;
        const QColor colours[] = { QColor(70, 90, 200), QColor(120, 180, 90), QColor(200, 120, 60) };
        p.setPen(QPen(colours[layer].darker(140), 1));
        p.setBrush(colours[layer]);
        p.drawPolygon(area);
    }

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(54);
    title.setBold(true);
    p.setFont(title);
    const QRectF titleArea(30, 250, 964, 180);
    p.setPen(QColor(255, 255, 255, 120));
    p.drawText(titleArea.translated(2, 2), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Электронный табличный процессор MS EXCEL"));
    p.setPen(Qt::black);
    p.drawText(titleArea, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Электронный табличный процессор MS EXCEL"));
    return image;
}

QImage icon()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    QPainter p(&image);
    p.setPen(QColor(255, 0, 0));
    for (int i = 0; i < 32; i += 6) {
        p.drawLine(0, i, 31, i);
        p.drawLine(i, 0, i, 31);
    }
    p.setPen(QPen(QColor(0, 0, 255), 2));
    p.drawPolyline(QPolygon({ QPoint(1, 29), QPoint(9, 20), QPoint(16, 24), QPoint(23, 12), QPoint(30, 16) }));
    QFont word(QStringLiteral("DejaVu Sans"));
    word.setPixelSize(9);
    word.setBold(true);
    p.setFont(word);
    p.setPen(QColor(0, 0, 0));
    p.drawText(QRect(1, 2, 32, 11), Qt::AlignCenter, QStringLiteral("EXCEL"));
    p.setPen(QColor(255, 255, 0));
    p.drawText(QRect(0, 1, 32, 11), Qt::AlignCenter, QStringLiteral("EXCEL"));
    p.end();
    // The sixteen colours of the classic palette.
    QList<QRgb> palette;
    for (QRgb c : { 0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0xc0c0c0u,
                    0x808080u, 0xff0000u, 0x00ff00u, 0xffff00u, 0x0000ffu, 0xff00ffu, 0x00ffffu, 0xffffffu })
        palette << (0xff000000u | c);
    return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool ok = saveJpeg(titlePicture(), out.filePath(QStringLiteral("title.jpg")))
        && saveJpeg(coverPicture(), out.filePath(QStringLiteral("background.jpg")))
        && icon().save(out.filePath(QStringLiteral("icon.png")));
    if (!ok)
        std::fprintf(stderr, "make_assets: could not write the pictures\n");
    return ok ? 0 : 1;
}
