// The toolbar glyphs, the start-up picture and the program's icon, all drawn
// at run time. Glyphs are designed on a 24 x 24 grid with outlines on half
// pixels, so they stay crisp at their natural size and scale cleanly for
// larger screens.
#include "app/icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>

namespace vaziduvu {

namespace {

constexpr int kGlyphCount = 17;

// One palette for every glyph.
namespace ink {
const QColor outline(44, 58, 84);
const QColor paper(255, 255, 255);
const QColor header(214, 220, 230);
const QColor folderBack(214, 160, 48);
const QColor folderFront(248, 200, 86);
const QColor folderLine(142, 98, 16);
const QColor blue(46, 112, 200);
const QColor darkBlue(26, 66, 130);
const QColor paleBlue(222, 234, 252);
const QColor green(44, 150, 72);
const QColor paleGreen(196, 236, 196);
const QColor red(204, 54, 44);
const QColor paleRed(250, 204, 198);
const QColor gold(250, 196, 40);
const QColor darkGold(168, 118, 0);
}  // namespace ink

QPen outlinePen(const QColor &color = ink::outline, qreal width = 1.0)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// A round badge in the lower right corner, the way "add" and "clear" are
// marked on the table glyphs.
void drawBadge(QPainter &p, const QColor &fill)
{
    p.setPen(outlinePen(fill.darker(140)));
    p.setBrush(fill);
    p.drawEllipse(QPointF(18, 18), 5.5, 5.5);
}

void drawPlusBadge(QPainter &p)
{
    drawBadge(p, ink::green);
    QPen pen(ink::paper, 2.0, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(QPointF(18, 14.5), QPointF(18, 21.5));
    p.drawLine(QPointF(14.5, 18), QPointF(21.5, 18));
}

void drawCrossBadge(QPainter &p)
{
    drawBadge(p, ink::red);
    QPen pen(ink::paper, 2.0, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(15.6, 15.6), QPointF(20.4, 20.4));
    p.drawLine(QPointF(20.4, 15.6), QPointF(15.6, 20.4));
}

// A small table of 3 columns by 4 rows (header row shaded); `column` or
// `row` (0-based, -1 for none) is filled with the given colour. Column
// glyphs use narrow cells so the badge leaves the marked column in view.
void drawTable(QPainter &p, int column, int row, const QColor &mark, qreal cellW = 5)
{
    const qreal left = 1.5, top = 2.5, cellH = 4;
    const int columns = 3, rows = 4;
    const QRectF frame(left, top, cellW * columns, cellH * rows);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::paper);
    p.drawRect(frame);
    p.setBrush(ink::header);
    p.drawRect(QRectF(left, top, cellW * columns, cellH));
    p.setBrush(mark);
    if (column >= 0)
        p.drawRect(QRectF(left + cellW * column, top + cellH, cellW, cellH * (rows - 1)));
    if (row >= 0)
        p.drawRect(QRectF(left, top + cellH * row, cellW * columns, cellH));
    p.setPen(outlinePen(QColor(150, 160, 176)));
    for (int c = 1; c < columns; ++c)
        p.drawLine(QPointF(left + cellW * c, top), QPointF(left + cellW * c, frame.bottom()));
    for (int r = 1; r < rows; ++r)
        p.drawLine(QPointF(left, top + cellH * r), QPointF(frame.right(), top + cellH * r));
    p.setPen(outlinePen());
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
}

void drawOpen(QPainter &p)
{
    QPainterPath back;
    back.moveTo(2.5, 5.5);
    back.lineTo(9.5, 5.5);
    back.lineTo(11.5, 7.5);
    back.lineTo(19.5, 7.5);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setPen(outlinePen(ink::folderLine));
    p.setBrush(ink::folderBack);
    p.drawPath(back);
    // A sheet in the folder.
    p.setPen(outlinePen(QColor(150, 160, 176)));
    p.setBrush(ink::paper);
    p.drawRect(QRectF(5.5, 9.5, 12, 7));
    QPainterPath front;
    front.moveTo(6.5, 11.5);
    front.lineTo(22.5, 11.5);
    front.lineTo(19.5, 19.5);
    front.lineTo(2.5, 19.5);
    front.closeSubpath();
    p.setPen(outlinePen(ink::folderLine));
    p.setBrush(ink::folderFront);
    p.drawPath(front);
}

void drawSave(QPainter &p)
{
    QPainterPath disk;
    disk.moveTo(3.5, 3.5);
    disk.lineTo(18.5, 3.5);
    disk.lineTo(20.5, 5.5);
    disk.lineTo(20.5, 20.5);
    disk.lineTo(3.5, 20.5);
    disk.closeSubpath();
    p.setPen(outlinePen(ink::darkBlue));
    p.setBrush(ink::blue);
    p.drawPath(disk);
    // Shutter with its window.
    p.setBrush(QColor(226, 230, 236));
    p.drawRect(QRectF(7.5, 3.5, 9, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::darkBlue);
    p.drawRect(QRectF(13, 4.5, 2, 4));
    // Label.
    p.setPen(outlinePen(ink::darkBlue));
    p.setBrush(ink::paper);
    p.drawRect(QRectF(6.5, 12.5, 11, 8));
    p.setPen(outlinePen(QColor(150, 160, 176)));
    p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
}

void drawAbout(QPainter &p)
{
    p.setPen(outlinePen(ink::darkBlue));
    p.setBrush(ink::blue);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::paper);
    p.drawEllipse(QPointF(12, 7.3), 1.7, 1.7);
    p.drawRoundedRect(QRectF(10.6, 10, 2.8, 8.5), 0.8, 0.8);
}

void drawHelp(QPainter &p)
{
    p.setPen(outlinePen(QColor(24, 104, 56)));
    p.setBrush(ink::green);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    QPainterPath hook;
    hook.arcMoveTo(QRectF(8.6, 5.4, 6.8, 6.8), 165);
    hook.arcTo(QRectF(8.6, 5.4, 6.8, 6.8), 165, -240);
    hook.lineTo(12, 13.2);
    hook.lineTo(12, 14.4);
    QPen pen(ink::paper, 2.4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::paper);
    p.drawEllipse(QPointF(12, 17.6), 1.5, 1.5);
}

void drawAddColumn(QPainter &p)
{
    drawTable(p, 2, -1, ink::paleGreen, 4);
    drawPlusBadge(p);
}

void drawClearColumn(QPainter &p)
{
    drawTable(p, 1, -1, ink::paleRed, 4);
    drawCrossBadge(p);
}

void drawAddRow(QPainter &p)
{
    drawTable(p, -1, 3, ink::paleGreen);
    drawPlusBadge(p);
}

void drawCopyRow(QPainter &p)
{
    // The last row and the one above it: the copy and its original.
    drawTable(p, -1, 3, ink::paleBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::paleBlue);
    p.drawRect(QRectF(2, 11, 14, 3));
    p.setPen(outlinePen(QColor(150, 160, 176)));
    p.drawLine(QPointF(6.5, 10.5), QPointF(6.5, 14.5));
    p.drawLine(QPointF(11.5, 10.5), QPointF(11.5, 14.5));
    // Two sheets: the copy mark.
    p.setPen(outlinePen(ink::darkBlue));
    p.setBrush(ink::paper);
    p.drawRect(QRectF(13.5, 12.5, 6, 7));
    p.setBrush(ink::paleBlue);
    p.drawRect(QRectF(16.5, 15.5, 6, 7));
}

void drawStar(QPainter &p, QPointF centre, qreal outer, qreal inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const QPointF point(centre.x() + radius * std::cos(angle),
                            centre.y() + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    QPen pen = outlinePen(ink::darkGold);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(ink::gold);
    p.drawPath(star);
}

void drawNewProject(QPainter &p)
{
    QPainterPath page;
    page.moveTo(4.5, 2.5);
    page.lineTo(13.5, 2.5);
    page.lineTo(18.5, 7.5);
    page.lineTo(18.5, 21.5);
    page.lineTo(4.5, 21.5);
    page.closeSubpath();
    p.setPen(outlinePen());
    p.setBrush(ink::paper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(13.5, 2.5);
    fold.lineTo(13.5, 7.5);
    fold.lineTo(18.5, 7.5);
    p.setBrush(ink::header);
    p.drawPath(fold);
    p.setPen(outlinePen(QColor(150, 160, 176)));
    for (qreal y : {10.5, 13.5, 16.5})
        p.drawLine(QPointF(7.5, y), QPointF(y < 15 ? 15.5 : 11.5, y));
    drawStar(p, QPointF(17.5, 17), 6, 2.6);
}

QPainterPath bubble(const QRectF &box, qreal tailX)
{
    QPainterPath body;
    body.addRoundedRect(box, 3, 3);
    QPainterPath tail;
    tail.moveTo(tailX, box.bottom() - 1);
    tail.lineTo(tailX - 1.5, box.bottom() + 4.5);
    tail.lineTo(tailX + 5, box.bottom() - 1);
    tail.closeSubpath();
    return body.united(tail).simplified();
}

void drawShowComment(QPainter &p)
{
    const QRectF box(2.5, 3.5, 19, 13);
    p.setPen(outlinePen(ink::darkBlue));
    p.setBrush(ink::paleBlue);
    p.drawPath(bubble(box, 7));
    p.setPen(QPen(ink::blue, 1.0));
    p.drawLine(QPointF(6, 7.5), QPointF(18, 7.5));
    p.drawLine(QPointF(6, 10.5), QPointF(18, 10.5));
    p.drawLine(QPointF(6, 13.5), QPointF(13, 13.5));
}

void drawEditComment(QPainter &p)
{
    const QRectF box(1.5, 2.5, 16, 11);
    p.setPen(outlinePen(ink::darkBlue));
    p.setBrush(ink::paleBlue);
    p.drawPath(bubble(box, 5));
    p.setPen(QPen(ink::blue, 1.0));
    p.drawLine(QPointF(4.5, 6.5), QPointF(14.5, 6.5));
    p.drawLine(QPointF(4.5, 9.5), QPointF(11.5, 9.5));

    // A pencil pointing down to the left.
    p.save();
    p.translate(16.5, 15.5);
    p.rotate(135);
    QPen pen = outlinePen(QColor(90, 60, 20));
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(QColor(240, 150, 160));
    p.drawRect(QRectF(-8, -2, 3, 4));
    p.setBrush(QColor(246, 186, 40));
    p.drawRect(QRectF(-5, -2, 8.5, 4));
    QPainterPath tip;
    tip.moveTo(3.5, -2);
    tip.lineTo(7.5, 0);
    tip.lineTo(3.5, 2);
    tip.closeSubpath();
    p.setBrush(QColor(236, 210, 164));
    p.drawPath(tip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 50, 50));
    QPainterPath lead;
    lead.moveTo(6, -0.75);
    lead.lineTo(7.6, 0);
    lead.lineTo(6, 0.75);
    lead.closeSubpath();
    p.drawPath(lead);
    p.restore();
}

void drawSearch(QPainter &p)
{
    QPen handle(QColor(70, 70, 78), 3.4, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handle);
    p.drawLine(QPointF(15, 15), QPointF(20.5, 20.5));
    p.setPen(QPen(ink::outline, 2.0));
    p.setBrush(ink::paleBlue);
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    // A glint on the lens.
    p.setPen(QPen(ink::paper, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 6, 8, 8), 100 * 16, 70 * 16);
}

void drawMinusBadge(QPainter &p)
{
    drawBadge(p, ink::red);
    QPen pen(ink::paper, 2.2, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(QPointF(14.5, 18), QPointF(21.5, 18));
}

// A curved arrow turning back (undo) or forward (redo, mirrored).
void drawTurnArrow(QPainter &p, bool forward)
{
    if (forward) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(7, 9);
    arc.lineTo(14, 9);
    arc.cubicTo(QPointF(20.5, 9), QPointF(20.5, 19), QPointF(14, 19));
    arc.lineTo(9, 19);
    p.setPen(QPen(ink::blue, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(2, 9);
    head.lineTo(9, 3.5);
    head.lineTo(9, 14.5);
    head.closeSubpath();
    p.setPen(outlinePen(ink::darkBlue));
    p.setBrush(ink::blue);
    p.drawPath(head);
}

void drawUndo(QPainter &p)
{
    drawTurnArrow(p, false);
}

void drawRedo(QPainter &p)
{
    drawTurnArrow(p, true);
}

void drawDeleteRows(QPainter &p)
{
    drawTable(p, -1, 2, ink::paleRed);
    drawMinusBadge(p);
}

void drawDeleteColumn(QPainter &p)
{
    drawTable(p, 1, -1, ink::paleRed, 4);
    drawMinusBadge(p);
}

void drawCheckLog(QPainter &p)
{
    drawTable(p, -1, -1, ink::paleBlue);
    drawBadge(p, ink::green);
    QPainterPath tick;
    tick.moveTo(15, 18);
    tick.lineTo(17.3, 20.4);
    tick.lineTo(21.2, 15.4);
    p.setPen(QPen(ink::paper, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

using GlyphPainter = void (*)(QPainter &);

const GlyphPainter kGlyphPainters[kGlyphCount] = {
    drawOpen,   drawSave,    drawAbout,      drawHelp,         drawAddColumn,   drawClearColumn,
    drawAddRow, drawCopyRow, drawNewProject, drawShowComment,  drawEditComment, drawSearch,
    drawUndo,   drawRedo,    drawDeleteRows, drawDeleteColumn, drawCheckLog,
};

// Names of the freedesktop icon theme for the glyphs that have a standard
// meaning there; the others are always our own.
const char *const kThemeNames[kGlyphCount] = {
    "document-open", "document-save-as",
    "help-about",    "help-contents",
    nullptr,         nullptr,
    nullptr,         nullptr,
    "document-new",  nullptr,
    nullptr,         "edit-find",
    "edit-undo",     "edit-redo",
    nullptr,         nullptr,
    nullptr,
};

QPixmap renderGlyph(GlyphPainter draw, int size, qreal designSize = 24.0)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / designSize, size / designSize);
    draw(p);
    return pixmap;
}

QIcon iconFrom(GlyphPainter draw, std::initializer_list<int> sizes, qreal designSize = 24.0)
{
    QIcon icon;
    for (int size : sizes)
        icon.addPixmap(renderGlyph(draw, size, designSize));
    return icon;
}

// --- the start-up picture ---------------------------------------------------

// A small fixed generator, so the stars stay where they are on every start.
class StarField {
public:
    double next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(state_ >> 11) / double(uint64_t(1) << 53);
    }

private:
    uint64_t state_ = 0x5eed2a11c0ffeeULL;
};

void drawLatticeTower(QPainter &p, QPointF base, qreal height, qreal baseWidth, const QColor &steel)
{
    const QPointF top(base.x(), base.y() - height);
    const qreal topWidth = baseWidth * 0.12;
    const int sections = 9;
    QPen leg(steel, std::max<qreal>(1.2, baseWidth * 0.045));
    leg.setCapStyle(Qt::RoundCap);
    QPen brace(steel, std::max<qreal>(0.8, baseWidth * 0.022));
    auto halfWidthAt = [&](qreal t) { return baseWidth / 2 + (topWidth / 2 - baseWidth / 2) * t; };
    p.setBrush(Qt::NoBrush);
    p.setPen(leg);
    p.drawLine(QPointF(base.x() - baseWidth / 2, base.y()),
               QPointF(top.x() - topWidth / 2, top.y()));
    p.drawLine(QPointF(base.x() + baseWidth / 2, base.y()),
               QPointF(top.x() + topWidth / 2, top.y()));
    p.setPen(brace);
    for (int i = 0; i < sections; ++i) {
        const qreal t0 = qreal(i) / sections, t1 = qreal(i + 1) / sections;
        const qreal y0 = base.y() - height * t0, y1 = base.y() - height * t1;
        const qreal w0 = halfWidthAt(t0), w1 = halfWidthAt(t1);
        p.drawLine(QPointF(base.x() - w0, y0), QPointF(base.x() + w1, y1));
        p.drawLine(QPointF(base.x() + w0, y0), QPointF(base.x() - w1, y1));
        p.drawLine(QPointF(base.x() - w1, y1), QPointF(base.x() + w1, y1));
    }
    // The mast above the tower and its beacon.
    p.setPen(leg);
    const QPointF tip(top.x(), top.y() - height * 0.14);
    p.drawLine(top, tip);
    // A small beam antenna across the mast.
    p.setPen(brace);
    const qreal beam = baseWidth * 0.55;
    const qreal beamY = top.y() - height * 0.06;
    p.drawLine(QPointF(top.x() - beam / 2, beamY), QPointF(top.x() + beam / 2, beamY));
    for (int i = 0; i < 4; ++i) {
        const qreal x = top.x() - beam / 2 + beam * (i + 0.5) / 4;
        p.drawLine(QPointF(x, beamY - baseWidth * 0.09), QPointF(x, beamY + baseWidth * 0.09));
    }
}

}  // namespace

QIcon toolbarGlyph(ToolbarGlyph glyph)
{
    const int image = static_cast<int>(glyph);
    if (image < 0 || image >= kGlyphCount)
        return QIcon();
    if (const char *name = kThemeNames[image]) {
        if (QIcon::hasThemeIcon(QString::fromLatin1(name)))
            return QIcon::fromTheme(QString::fromLatin1(name));
    }
    return iconFrom(kGlyphPainters[image], {24, 36, 48});
}

QPixmap startupPicture(const QSize &size)
{
    const int w = std::max(1, size.width());
    const int h = std::max(1, size.height());
    QPixmap picture(w, h);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Night sky, darkest at the top.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(5, 10, 34));
    sky.setColorAt(0.55, QColor(16, 38, 92));
    sky.setColorAt(1.0, QColor(30, 66, 128));
    p.fillRect(QRect(0, 0, w, h), sky);

    // Stars in the upper part only: the title sits just below the middle.
    StarField random;
    p.setPen(Qt::NoPen);
    const int starCount = std::max(30, w * h / 4000);
    for (int i = 0; i < starCount; ++i) {
        const qreal x = random.next() * w;
        const qreal y = random.next() * random.next() * h * 0.46;
        const qreal radius = 0.5 + random.next() * 1.1;
        const int alpha = 110 + int(random.next() * 145);
        p.setBrush(QColor(255, 255, 240, alpha));
        p.drawEllipse(QPointF(x, y), radius, radius);
    }

    // The moon, a crescent at the upper left.
    const qreal unit = std::min(w, h) / 100.0;
    const QPointF moon(w * 0.16, h * 0.17);
    const qreal moonRadius = 7 * unit;
    QRadialGradient halo(moon, moonRadius * 3);
    halo.setColorAt(0.0, QColor(255, 250, 220, 70));
    halo.setColorAt(1.0, QColor(255, 250, 220, 0));
    p.setBrush(halo);
    p.drawEllipse(moon, moonRadius * 3, moonRadius * 3);
    QPainterPath disc;
    disc.addEllipse(moon, moonRadius, moonRadius);
    QPainterPath shadow;
    shadow.addEllipse(moon + QPointF(moonRadius * 0.45, -moonRadius * 0.2), moonRadius * 0.9,
                      moonRadius * 0.9);
    p.setBrush(QColor(250, 244, 210));
    p.drawPath(disc.subtracted(shadow));

    // Hills along the bottom edge.
    const auto hill = [&](qreal baseline, qreal amplitude, qreal phase, const QColor &colour) {
        QPainterPath path;
        path.moveTo(0, h);
        for (int x = 0; x <= w; x += std::max(1, w / 64)) {
            const qreal t = qreal(x) / w;
            path.lineTo(x,
                        h * baseline
                            - amplitude * h * (0.5 + 0.5 * std::sin(t * 5.1 + phase))
                                * (0.6 + 0.4 * std::sin(t * 2.3 + phase * 2)));
        }
        path.lineTo(w, h);
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(path);
    };
    hill(0.93, 0.06, 0.8, QColor(14, 30, 62));

    // The tower on a hill to the right, its beam sending out waves.
    const QPointF towerBase(w * 0.85, h * 0.90);
    const qreal towerHeight = h * 0.56;
    const qreal towerWidth = w * 0.07;
    drawLatticeTower(p, towerBase, towerHeight, towerWidth, QColor(150, 170, 205));
    const QPointF source(towerBase.x(), towerBase.y() - towerHeight * 1.10);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        const qreal radius = unit * (4 + 4.6 * i);
        QPen wave(QColor(120, 210, 255, 230 - 45 * i), std::max<qreal>(1.2, unit * 0.8));
        wave.setCapStyle(Qt::RoundCap);
        p.setPen(wave);
        const QRectF ring(source.x() - radius, source.y() - radius, radius * 2, radius * 2);
        p.drawArc(ring, 150 * 16, 60 * 16);  // to the left
        p.drawArc(ring, -30 * 16, 60 * 16);  // to the right
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 80, 70));
    p.drawEllipse(source, unit * 1.0, unit * 1.0);

    hill(0.97, 0.05, 2.6, QColor(8, 18, 40));
    return picture;
}

QIcon programIcon()
{
    const auto draw = [](QPainter &p) {
        // Designed on a 32 x 32 grid.
        QLinearGradient back(0, 0, 0, 32);
        back.setColorAt(0, QColor(20, 46, 110));
        back.setColorAt(1, QColor(44, 96, 178));
        p.setPen(QPen(QColor(12, 30, 76), 1.0));
        p.setBrush(back);
        p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);
        // Mast.
        QPen mast(QColor(235, 240, 250), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(mast);
        p.drawLine(QPointF(16, 12), QPointF(10.5, 27));
        p.drawLine(QPointF(16, 12), QPointF(21.5, 27));
        p.setPen(QPen(QColor(235, 240, 250), 1.2));
        p.drawLine(QPointF(12.3, 22), QPointF(19.7, 22));
        p.drawLine(QPointF(13.8, 18), QPointF(18.2, 18));
        // Waves.
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 2; ++i) {
            const qreal r = 5 + 4.5 * i;
            QPen wave(QColor(130, 214, 255), 1.8, Qt::SolidLine, Qt::RoundCap);
            p.setPen(wave);
            const QRectF ring(16 - r, 10 - r, 2 * r, 2 * r);
            p.drawArc(ring, 140 * 16, 70 * 16);
            p.drawArc(ring, -30 * 16, 70 * 16);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 90, 80));
        p.drawEllipse(QPointF(16, 10), 2.2, 2.2);
    };
    return iconFrom(draw, {16, 24, 32, 48, 64, 128}, 32.0);
}

}  // namespace vaziduvu
