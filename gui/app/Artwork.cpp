#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor outline(0x26, 0x32, 0x38);
const QColor radioBlue(0x1f, 0x6a, 0xa5);
const QColor radioDark(0x0e, 0x3a, 0x5e);

QPixmap blank()
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    return p;
}

void page(QPainter &g)
{
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(12.5, 4.5);
    sheet.lineTo(12.5, 14.5);
    sheet.lineTo(3.5, 14.5);
    sheet.closeSubpath();
    g.setPen(QPen(outline, 1));
    g.setBrush(Qt::white);
    g.drawPath(sheet);
    g.drawPolyline(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
}

// A small handheld radio in a 16 x 16 cell; x shifts it sideways.
void radio(QPainter &g, double x)
{
    g.setPen(Qt::NoPen);
    g.setBrush(outline);
    g.drawRoundedRect(QRectF(x + 1.5, 0.5, 2, 6), 1, 1);
    g.setPen(QPen(radioDark, 1));
    g.setBrush(radioBlue);
    g.drawRoundedRect(QRectF(x + 0.5, 4.5, 8, 11), 1.5, 1.5);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xc8, 0xf7, 0xd4));
    g.drawRect(QRectF(x + 2, 6, 5, 3));
    g.setBrush(QColor(0xcf, 0xe3, 0xf3));
    g.drawRect(QRectF(x + 2, 10.5, 5, 1));
    g.drawRect(QRectF(x + 2, 12.5, 5, 1));
}

// A thick arrow pointing left (toward a radio on the left) or right (away from it).
void arrow(QPainter &g, const QColor &colour, bool pointLeft)
{
    QPolygonF a({{10, 6}, {13, 6}, {13, 3}, {16, 8}, {13, 13}, {13, 10}, {10, 10}});
    if (pointLeft) {
        for (QPointF &p : a)
            p.setX(26 - p.x());
    }
    g.setPen(QPen(colour.darker(160), 0.8));
    g.setBrush(colour);
    g.drawPolygon(a);
}

void drawGlyph(QPainter &g, int index)
{
    switch (index) {
    case GlyphNew:
        page(g);
        g.setPen(QPen(QColor(0xf2, 0xa3, 0x3a), 1.6));
        g.drawLine(QPointF(5.5, 9), QPointF(10.5, 9));
        g.drawLine(QPointF(8, 6.5), QPointF(8, 11.5));
        break;
    case GlyphOpen: {
        g.setPen(QPen(QColor(0x8a, 0x5a, 0x12), 1));
        g.setBrush(QColor(0xe8, 0xb0, 0x4a));
        g.drawPolygon(QPolygonF({{0.5, 3.5}, {5.5, 3.5}, {7, 5}, {13.5, 5}, {13.5, 13.5}, {0.5, 13.5}}));
        g.setBrush(QColor(0xf7, 0xd0, 0x6e));
        g.drawPolygon(QPolygonF({{3, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {0.5, 13.5}}));
        break;
    }
    case GlyphPrint:
        g.setPen(QPen(outline, 1));
        g.setBrush(Qt::white);
        g.drawRect(QRectF(4.5, 1.5, 7, 5));
        g.setBrush(QColor(0x90, 0xa4, 0xae));
        g.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        g.setBrush(Qt::white);
        g.drawRect(QRectF(4.5, 10.5, 7, 4));
        g.setPen(QPen(QColor(0x4c, 0xaf, 0x50), 1));
        g.drawPoint(QPointF(12.5, 8.5));
        break;
    case GlyphSave:
        g.setPen(QPen(radioDark, 1));
        g.setBrush(radioBlue);
        g.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
        g.setBrush(Qt::white);
        g.drawRect(QRectF(4.5, 1.5, 7, 5));
        g.setBrush(QColor(0xcf, 0xe3, 0xf3));
        g.drawRect(QRectF(3.5, 9.5, 9, 5));
        g.setPen(Qt::NoPen);
        g.setBrush(radioDark);
        g.drawRect(QRectF(9, 2.5, 1.5, 3));
        break;
    case GlyphWrite:
        radio(g, 0);
        arrow(g, QColor(0xe5, 0x39, 0x35), true);
        break;
    case GlyphRead:
        radio(g, 0);
        arrow(g, QColor(0x43, 0xa0, 0x47), false);
        break;
    case GlyphHelp: {
        g.setPen(QPen(radioDark, 1));
        g.setBrush(QColor(0x42, 0x8b, 0xd6));
        g.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        QPainterPath q;
        q.moveTo(5.5, 6);
        q.cubicTo(5.5, 2.8, 10.5, 2.8, 10.5, 6);
        q.cubicTo(10.5, 8, 8, 8, 8, 10);
        g.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        g.setBrush(Qt::NoBrush);
        g.drawPath(q);
        g.setPen(Qt::NoPen);
        g.setBrush(Qt::white);
        g.drawEllipse(QRectF(6.8, 11.3, 2.4, 2.4));
        break;
    }
    case GlyphTreeRoot:
        radio(g, 3.5);
        break;
    case GlyphTreeNode:
    case GlyphTreeNodeSelected: {
        const QColor fill = index == GlyphTreeNode ? QColor(0x90, 0xa4, 0xae) : QColor(0xf2, 0xa3, 0x3a);
        g.setPen(QPen(fill.darker(170), 1));
        g.setBrush(fill);
        g.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 2, 2);
        g.setPen(Qt::NoPen);
        g.setBrush(Qt::white);
        g.drawRect(QRectF(6, 6, 4, 1.2));
        g.drawRect(QRectF(6, 8.8, 4, 1.2));
        break;
    }
    default:
        break;
    }
}

} // namespace

QPixmap ImageListGlyph(int index)
{
    QPixmap p = blank();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    drawGlyph(g, index);
    return p;
}

QIcon TreeNodeIcon()
{
    QIcon icon(ImageListGlyph(GlyphTreeNode));
    icon.addPixmap(ImageListGlyph(GlyphTreeNodeSelected), QIcon::Selected);
    return icon;
}

static void initArtworkResources()
{
    Q_INIT_RESOURCE(Artwork);
}

QIcon ApplicationIcon()
{
    initArtworkResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tq6105-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap BackgroundPicture()
{
    // A quiet tile: a pale ground with faint radio waves, so the document area does not
    // look empty behind the windows.
    QPixmap p(160, 160);
    p.fill(QColor(0xe3, 0xeb, 0xf3));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0xd6, 0xe1, 0xec), 1.5));
    for (int r = 14; r <= 56; r += 14)
        g.drawArc(QRectF(80 - r, 80 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    return p;
}
