#include "tools/demodata/pictures.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace vandrel::demodata {

namespace {

// Shapes are drawn in a 100 x 75 unit box; the style decides between a shaded colour
// illustration and a black-on-white line drawing.
struct Style {
    bool line = false;
};

const QColor brass(205, 165, 70), chrome(190, 196, 204), copper(190, 110, 55), ceramic(246, 246, 242),
    steel(160, 165, 170), white(238, 238, 236), pvc(140, 144, 150), red(200, 40, 40), blue(40, 80, 190),
    dark(60, 62, 66);

class Pen {
public:
    Pen(QPainter& p, Style s) : p_(p), s_(s) {}

    void fill(const QColor& c, const QRectF& area)
    {
        if (s_.line) {
            p_.setBrush(Qt::white);
            p_.setPen(QPen(Qt::black, 0.6));
            return;
        }
        QLinearGradient g(area.topLeft(), area.bottomLeft());
        g.setColorAt(0, c.lighter(150));
        g.setColorAt(0.45, c);
        g.setColorAt(1, c.darker(160));
        p_.setBrush(g);
        p_.setPen(QPen(c.darker(250), 0.6));
    }
    void rect(const QColor& c, const QRectF& r, qreal radius = 1.5)
    {
        fill(c, r);
        p_.drawRoundedRect(r, radius, radius);
    }
    void ellipse(const QColor& c, const QRectF& r)
    {
        fill(c, r);
        p_.drawEllipse(r);
    }
    void path(const QColor& c, const QPainterPath& path)
    {
        fill(c, path.boundingRect());
        p_.drawPath(path);
    }
    // A pipe as a thick stroke with an outline.
    void tube(const QColor& c, const QPainterPath& centre, qreal width)
    {
        QPainterPathStroker st;
        st.setWidth(width);
        st.setCapStyle(Qt::FlatCap);
        st.setJoinStyle(Qt::RoundJoin);
        path(c, st.createStroke(centre).simplified());
    }
    void tube(const QColor& c, QPointF a, QPointF b, qreal width)
    {
        QPainterPath pp(a);
        pp.lineTo(b);
        tube(c, pp, width);
    }
    // A hexagon nut seen from the side.
    void nut(const QColor& c, QPointF centre, qreal w, qreal h, bool vertical = false)
    {
        QRectF r = vertical ? QRectF(centre.x() - h / 2, centre.y() - w / 2, h, w) : QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h);
        rect(c, r, 0.5);
        p_.setPen(QPen(s_.line ? Qt::black : c.darker(250), 0.4));
        if (vertical) {
            p_.drawLine(QPointF(r.left(), r.top() + r.height() / 3), QPointF(r.right(), r.top() + r.height() / 3));
            p_.drawLine(QPointF(r.left(), r.top() + 2 * r.height() / 3), QPointF(r.right(), r.top() + 2 * r.height() / 3));
        } else {
            p_.drawLine(QPointF(r.left() + r.width() / 3, r.top()), QPointF(r.left() + r.width() / 3, r.bottom()));
            p_.drawLine(QPointF(r.left() + 2 * r.width() / 3, r.top()), QPointF(r.left() + 2 * r.width() / 3, r.bottom()));
        }
    }
    void lines(const QColor& c, const QList<QLineF>& ls, qreal width = 0.6)
    {
        p_.setPen(QPen(s_.line ? QColor(Qt::black) : c, width));
        p_.drawLines(ls);
    }
    QPainter& painter() { return p_; }
    bool line() const { return s_.line; }

private:
    QPainter& p_;
    Style s_;
};

QPainterPath pathOf(std::initializer_list<QPointF> pts)
{
    QPainterPath pp;
    bool first = true;
    for (const auto& pt : pts) {
        if (first)
            pp.moveTo(pt);
        else
            pp.lineTo(pt);
        first = false;
    }
    return pp;
}

void drawShape(Pen& d, Shape shape, const QColor& accent)
{
    QPainter& p = d.painter();
    switch (shape) {
    case Shape::Placeholder: {
        d.rect(steel, QRectF(25, 22, 50, 34), 4);
        d.rect(steel, QRectF(40, 16, 20, 8), 2);
        d.ellipse(dark, QRectF(40, 28, 20, 20));
        d.ellipse(chrome, QRectF(45, 33, 10, 10));
        d.lines(red, {QLineF(20, 62, 80, 14)}, 2.5);
        break;
    }
    case Shape::BasinTap:
    case Shape::KitchenTap: {
        const bool kitchen = shape == Shape::KitchenTap;
        d.rect(accent, QRectF(38, 64, 24, 6));
        d.rect(accent, QRectF(44, kitchen ? 24 : 36, 12, kitchen ? 40 : 28), 3);
        QPainterPath spout;
        if (kitchen) {
            spout.moveTo(50, 26);
            spout.cubicTo(50, 4, 20, 4, 20, 30);
        } else {
            spout.moveTo(46, 42);
            spout.cubicTo(30, 42, 24, 44, 22, 52);
        }
        d.tube(accent, spout, 4.5);
        d.rect(accent, QRectF(50, kitchen ? 26 : 37, 26, 4), 2);
        d.lines(blue, {QLineF(kitchen ? 20 : 22, kitchen ? 33 : 56, kitchen ? 20 : 22, kitchen ? 44 : 66)}, 0.8);
        break;
    }
    case Shape::ShowerValve:
    case Shape::BathTap: {
        d.rect(accent, QRectF(18, 36, 64, 14), 6);
        d.ellipse(accent, QRectF(10, 33, 18, 20));
        d.ellipse(accent, QRectF(72, 33, 18, 20));
        d.tube(accent, QPointF(50, 50), QPointF(50, shape == Shape::BathTap ? 58 : 66), 5);
        d.nut(steel, QPointF(30, 56), 5, 8, true);
        d.nut(steel, QPointF(70, 56), 5, 8, true);
        if (shape == Shape::BathTap) {
            QPainterPath hose(QPointF(50, 58));
            hose.cubicTo(50, 72, 86, 74, 88, 60);
            d.tube(steel, hose, 2);
        }
        p.setPen(QPen(d.line() ? Qt::black : Qt::darkRed, 0.6));
        p.drawText(QRectF(70, 36, 22, 14), Qt::AlignCenter, QStringLiteral("38"));
        break;
    }
    case Shape::Basin: {
        d.rect(ceramic, QRectF(12, 28, 76, 26), 8);
        d.ellipse(white, QRectF(24, 32, 52, 18));
        d.ellipse(chrome, QRectF(47, 39, 6, 4));
        d.ellipse(chrome, QRectF(48, 29, 4, 3));
        d.rect(ceramic, QRectF(44, 54, 12, 16), 2);
        break;
    }
    case Shape::Toilet: {
        d.rect(white, QRectF(76, 8, 10, 60), 1);
        QPainterPath bowl;
        bowl.moveTo(20, 34);
        bowl.lineTo(76, 34);
        bowl.lineTo(76, 52);
        bowl.cubicTo(66, 64, 46, 66, 36, 60);
        bowl.cubicTo(24, 54, 18, 44, 20, 34);
        bowl.closeSubpath();
        d.path(ceramic, bowl);
        d.rect(accent, QRectF(18, 30, 58, 4), 1.5);
        d.rect(steel, QRectF(60, 12, 12, 8), 1);
        break;
    }
    case Shape::Seat: {
        d.ellipse(accent, QRectF(26, 10, 48, 60));
        d.ellipse(white, QRectF(36, 22, 28, 40));
        d.rect(steel, QRectF(38, 5, 24, 5), 1);
        break;
    }
    case Shape::ShowerHead: {
        d.tube(accent, QPointF(88, 10), QPointF(60, 30), 3);
        d.ellipse(accent, QRectF(20, 30, 60, 14));
        QList<QLineF> drops;
        for (int i = 0; i < 9; ++i)
            drops.append(QLineF(26 + i * 6, 46, 24 + i * 6.2, 66));
        d.lines(blue, drops, 0.5);
        break;
    }
    case Shape::Trap: {
        QPainterPath u(QPointF(30, 8));
        u.lineTo(30, 46);
        u.cubicTo(30, 66, 60, 66, 60, 46);
        u.lineTo(60, 36);
        u.lineTo(92, 36);
        d.tube(accent, u, 7);
        d.nut(steel, QPointF(30, 20), 10, 5, false);
        d.nut(steel, QPointF(76, 36), 5, 10, false);
        break;
    }
    case Shape::Plug: {
        d.ellipse(accent, QRectF(28, 10, 44, 44));
        d.ellipse(steel, QRectF(36, 18, 28, 28));
        d.rect(accent, QRectF(42, 54, 16, 16), 1);
        d.lines(dark, {QLineF(40, 32, 60, 32), QLineF(50, 22, 50, 42)}, 0.8);
        break;
    }
    case Shape::Radiator: {
        d.rect(accent, QRectF(8, 14, 84, 46), 1);
        QList<QLineF> ribs;
        for (qreal x = 11; x < 90; x += 3)
            ribs.append(QLineF(x, 17, x, 57));
        d.lines(accent.darker(130), ribs, 0.4);
        d.tube(chrome, QPointF(14, 60), QPointF(14, 70), 3);
        d.tube(chrome, QPointF(86, 60), QPointF(86, 70), 3);
        d.ellipse(white, QRectF(80, 6, 10, 8));
        break;
    }
    case Shape::DesignRadiator: {
        d.rect(accent, QRectF(30, 4, 5, 68), 2);
        d.rect(accent, QRectF(65, 4, 5, 68), 2);
        for (qreal y = 8; y < 68; y += 6)
            d.rect(accent, QRectF(35, y, 30, 3), 1);
        break;
    }
    case Shape::RadiatorValve: {
        d.tube(accent, QPointF(10, 52), QPointF(56, 52), 8);
        d.nut(steel, QPointF(18, 52), 6, 11);
        d.tube(accent, QPointF(50, 52), QPointF(50, 70), 8);
        d.rect(white, QRectF(38, 10, 24, 38), 5);
        QList<QLineF> ribs;
        for (qreal x = 41; x < 60; x += 3)
            ribs.append(QLineF(x, 14, x, 36));
        d.lines(QColor(190, 190, 190), ribs, 0.5);
        p.setPen(QPen(Qt::black, 0.4));
        p.drawText(QRectF(38, 36, 24, 10), Qt::AlignCenter, QStringLiteral("1 2 3 4 5"));
        break;
    }
    case Shape::Bracket: {
        QPainterPath pp = pathOf({{30, 8}, {42, 8}, {42, 60}, {70, 60}, {70, 50}, {78, 50}, {78, 70}, {30, 70}});
        pp.closeSubpath();
        d.path(accent, pp);
        d.ellipse(dark, QRectF(33, 14, 6, 6));
        d.ellipse(dark, QRectF(33, 40, 6, 6));
        break;
    }
    case Shape::Boiler: {
        d.rect(white, QRectF(28, 4, 44, 58), 4);
        d.rect(dark, QRectF(38, 14, 24, 10), 1);
        p.setPen(QPen(QColor(90, 220, 120), 0.5));
        p.drawText(QRectF(38, 14, 24, 10), Qt::AlignCenter, QStringLiteral("60°"));
        d.ellipse(steel, QRectF(46, 30, 8, 8));
        for (int i = 0; i < 5; ++i)
            d.tube(i == 2 ? brass : copper, QPointF(34 + i * 8, 62), QPointF(34 + i * 8, 72), 3);
        break;
    }
    case Shape::Vessel: {
        d.ellipse(red, QRectF(28, 8, 44, 50));
        d.tube(brass, QPointF(50, 58), QPointF(50, 70), 5);
        d.nut(steel, QPointF(50, 66), 6, 4);
        d.ellipse(steel, QRectF(47, 4, 6, 6));
        break;
    }
    case Shape::Pump: {
        d.tube(steel, QPointF(6, 50), QPointF(94, 50), 8);
        d.nut(brass, QPointF(14, 50), 6, 12);
        d.nut(brass, QPointF(86, 50), 6, 12);
        d.ellipse(steel, QRectF(34, 36, 32, 28));
        d.rect(red, QRectF(38, 8, 24, 30), 4);
        d.rect(dark, QRectF(44, 14, 12, 8), 1);
        break;
    }
    case Shape::Manifold: {
        d.tube(brass, QPointF(8, 22), QPointF(92, 22), 6);
        d.tube(brass, QPointF(8, 44), QPointF(92, 44), 6);
        for (int i = 0; i < 6; ++i) {
            d.tube(brass, QPointF(22 + i * 12, 44), QPointF(22 + i * 12, 66), 3);
            d.rect(blue, QRectF(19 + i * 12, 10, 6, 8), 1);
        }
        break;
    }
    case Shape::FloorPipe:
    case Shape::Cable: {
        const QColor c = shape == Shape::Cable ? QColor(110, 110, 115) : QColor(250, 130, 40);
        for (int i = 0; i < 6; ++i)
            d.ellipse(c, QRectF(20 + i * 2.5, 10 + i * 2.5, 60 - i * 5, 50 - i * 5));
        d.ellipse(white, QRectF(36, 26, 28, 18));
        d.tube(c, QPointF(78, 35), QPointF(96, 62), shape == Shape::Cable ? 2 : 3.5);
        break;
    }
    case Shape::Pipe:
    case Shape::PvcPipe: {
        const QColor c = shape == Shape::Pipe ? copper : pvc;
        d.rect(c, QRectF(8, 28, 84, 18), 0);
        d.ellipse(c.darker(120), QRectF(86, 28, 10, 18));
        d.ellipse(Qt::white, QRectF(88, 31, 6, 12));
        if (shape == Shape::PvcPipe)
            d.rect(c, QRectF(4, 25, 14, 24), 1);
        break;
    }
    case Shape::Coupling:
    case Shape::Elbow:
    case Shape::Tee: {
        d.tube(brass, QPointF(14, 40), QPointF(shape == Shape::Elbow ? 50 : 86, 40), 9);
        if (shape != Shape::Coupling)
            d.tube(brass, QPointF(50, 40), QPointF(50, 72), 9);
        d.nut(brass, QPointF(22, 40), 10, 16);
        if (shape != Shape::Elbow)
            d.nut(brass, QPointF(78, 40), 10, 16);
        if (shape != Shape::Coupling)
            d.nut(brass, QPointF(50, 64), 10, 16, true);
        d.tube(copper, QPointF(2, 40), QPointF(16, 40), 5);
        break;
    }
    case Shape::SolderBend:
    case Shape::PvcBend: {
        const QColor c = shape == Shape::SolderBend ? copper : pvc;
        QPainterPath bend(QPointF(10, 20));
        bend.lineTo(30, 20);
        bend.cubicTo(56, 20, 64, 30, 64, 56);
        bend.lineTo(64, 72);
        d.tube(c, bend, shape == Shape::SolderBend ? 10 : 14);
        if (shape == Shape::PvcBend) {
            d.rect(c, QRectF(6, 10, 12, 20), 1);
            d.rect(c, QRectF(54, 62, 20, 10), 1);
        }
        break;
    }
    case Shape::BallValve:
    case Shape::CheckValve:
    case Shape::StopValve: {
        d.tube(brass, QPointF(8, 46), QPointF(92, 46), 12);
        d.rect(brass, QRectF(34, 34, 32, 24), 5);
        d.nut(brass, QPointF(16, 46), 10, 18);
        d.nut(brass, QPointF(84, 46), 10, 18);
        if (shape == Shape::BallValve) {
            d.tube(steel, QPointF(50, 34), QPointF(50, 26), 4);
            d.rect(accent, QRectF(46, 18, 44, 8), 3);
        } else if (shape == Shape::StopValve) {
            d.tube(steel, QPointF(50, 34), QPointF(50, 20), 4);
            d.ellipse(red, QRectF(38, 10, 24, 10));
        } else {
            d.lines(dark, {QLineF(38, 46, 60, 46), QLineF(60, 46, 54, 42), QLineF(60, 46, 54, 50)}, 1.2);
        }
        break;
    }
    case Shape::Wrench: {
        d.tube(red, QPointF(12, 66), QPointF(62, 24), 8);
        d.rect(steel, QRectF(56, 8, 12, 26), 1);
        d.rect(steel, QRectF(68, 6, 16, 8), 1);
        d.rect(steel, QRectF(68, 22, 14, 6), 1);
        d.ellipse(brass, QRectF(56, 30, 12, 8));
        break;
    }
    case Shape::Cutter: {
        QPainterPath c;
        c.addEllipse(QRectF(24, 12, 44, 44));
        QPainterPath hole;
        hole.addEllipse(QRectF(32, 20, 28, 28));
        d.path(steel, c.subtracted(hole));
        d.tube(copper, QPointF(4, 34), QPointF(96, 34), 8);
        d.tube(steel, QPointF(46, 56), QPointF(46, 70), 4);
        d.rect(red, QRectF(38, 66, 16, 8), 2);
        break;
    }
    case Shape::Clamp: {
        QPainterPath ring;
        ring.addEllipse(QRectF(28, 10, 44, 44));
        QPainterPath hole;
        hole.addEllipse(QRectF(33, 15, 34, 34));
        d.path(steel, ring.subtracted(hole));
        d.rect(steel, QRectF(44, 52, 12, 8), 1);
        d.tube(steel, QPointF(50, 60), QPointF(50, 72), 4);
        break;
    }
    case Shape::Fan:
    case Shape::Grille:
    case Shape::Switch: {
        d.rect(accent, QRectF(24, 6, 52, 62), 4);
        if (shape == Shape::Switch) {
            d.rect(accent.lighter(110), QRectF(38, 22, 24, 30), 2);
        } else if (shape == Shape::Fan) {
            d.ellipse(accent.darker(115), QRectF(32, 15, 36, 36));
            QList<QLineF> blades;
            for (int i = 0; i < 6; ++i) {
                const double a = i * M_PI / 3;
                blades.append(QLineF(50, 33, 50 + 16 * std::cos(a), 33 + 16 * std::sin(a)));
            }
            d.lines(dark, blades, 2.5);
        } else {
            QList<QLineF> slats;
            for (qreal y = 14; y < 64; y += 5)
                slats.append(QLineF(30, y, 70, y));
            d.lines(dark, slats, 1.2);
        }
        break;
    }
    case Shape::HeatRecovery: {
        d.rect(white, QRectF(14, 24, 72, 44), 2);
        for (int i = 0; i < 4; ++i)
            d.rect(steel, QRectF(20 + i * 17, 8, 10, 16), 0);
        d.rect(dark, QRectF(60, 52, 20, 10), 1);
        d.lines(blue, {QLineF(22, 60, 50, 32)}, 1.5);
        d.lines(red, {QLineF(22, 32, 50, 60)}, 1.5);
        break;
    }
    case Shape::ExplodedSet:
        break; // drawn from its hotspots
    }
}

QColor accentOf(Shape shape)
{
    switch (shape) {
    case Shape::Seat:
    case Shape::Radiator:
    case Shape::DesignRadiator:
    case Shape::Fan:
    case Shape::Grille:
    case Shape::Switch:
        return white;
    case Shape::BallValve:
        return red;
    default:
        return chrome;
    }
}

void drawScaled(QPainter& p, Shape shape, const QRectF& area, Style style)
{
    p.save();
    const qreal s = std::min(area.width() / 100.0, area.height() / 75.0);
    p.translate(area.center().x() - 50 * s, area.center().y() - 37.5 * s);
    p.scale(s, s);
    QFont f = p.font();
    f.setPointSizeF(3.2);
    p.setFont(f);
    Pen pen(p, style);
    drawShape(pen, shape, accentOf(shape));
    p.restore();
}

QFont font(int pixels, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void drawExploded(QPainter& p, const Picture& pic, Style style)
{
    // The assembly line through all parts, then every part in its hotspot with its callout.
    p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
    for (int k = 1; k < pic.hotspots.size(); ++k)
        p.drawLine(pic.hotspots[k - 1].rect.center(), pic.hotspots[k].rect.center());
    for (int k = 0; k < pic.hotspots.size(); ++k) {
        const Hotspot& h = pic.hotspots[k];
        p.setPen(QPen(QColor(200, 200, 205), 1));
        p.setBrush(QColor(250, 250, 252));
        p.drawRect(h.rect);
        drawScaled(p, h.shape, QRectF(h.rect).adjusted(4, 4, -4, -20), style);
        p.setFont(font(11, false));
        p.setPen(Qt::black);
        p.drawText(QRectF(h.rect.left(), h.rect.bottom() - 18, h.rect.width(), 16), Qt::AlignCenter,
                   p.fontMetrics().elidedText(h.label, Qt::ElideRight, h.rect.width() - 4));
        p.setBrush(QColor(200, 30, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(h.rect.left() + 10, h.rect.top() + 10), 8, 8);
        p.setPen(Qt::white);
        p.setFont(font(11, true));
        p.drawText(QRectF(h.rect.left() + 2, h.rect.top() + 2, 16, 16), Qt::AlignCenter, QString::number(k + 1));
    }
}

} // namespace

QSize illustrationSize(const Picture& picture)
{
    return picture.shape == Shape::ExplodedSet ? QSize(640, 480) : QSize(480, 360);
}

QSize lineDrawingSize() { return QSize(640, 480); }

QImage renderIllustration(const Picture& pic)
{
    const QSize size = illustrationSize(pic);
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, size.height());
    bg.setColorAt(0, QColor(252, 252, 255));
    bg.setColorAt(1, QColor(222, 228, 238));
    p.fillRect(img.rect(), bg);
    // Header with the number, footer with the title.
    p.fillRect(QRect(0, 0, size.width(), 26), QColor(20, 60, 130));
    p.setPen(Qt::white);
    p.setFont(font(14, true));
    p.drawText(QRect(10, 0, size.width() - 20, 26), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Tekening %1").arg(pic.number));
    p.setFont(font(11, false));
    p.drawText(QRect(10, 0, size.width() - 20, 26), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("Vandrel"));
    const QRect area(16, 34, size.width() - 32, size.height() - 34 - 40);
    if (pic.shape == Shape::ExplodedSet)
        drawExploded(p, pic, Style{false});
    else
        drawScaled(p, pic.shape, area, Style{false});
    p.setPen(QColor(30, 30, 40));
    p.setFont(font(15, true));
    p.drawText(QRect(10, size.height() - 38, size.width() - 20, 34), Qt::AlignCenter,
               p.fontMetrics().elidedText(pic.title, Qt::ElideRight, size.width() - 20));
    return img;
}

QImage renderLineDrawing(const Picture& pic)
{
    const QSize size = lineDrawingSize();
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(QRect(8, 8, size.width() - 16, size.height() - 16));
    const QRectF area(60, 40, size.width() - 120, size.height() - 170);
    if (pic.shape == Shape::ExplodedSet)
        drawExploded(p, pic, Style{true});
    else
        drawScaled(p, pic.shape, area, Style{true});
    // Dimension lines under and beside the part.
    p.setPen(QPen(Qt::black, 1));
    const qreal y = area.bottom() + 14, x = area.left() - 24;
    p.drawLine(QPointF(area.left() + 40, y), QPointF(area.right() - 40, y));
    p.drawLine(QPointF(x, area.top() + 30), QPointF(x, area.bottom() - 30));
    p.setBrush(Qt::black);
    auto arrow = [&](QPointF tip, qreal dx, qreal dy) {
        p.drawPolygon(QPolygonF({tip, tip + QPointF(dx * 8 - dy * 3, dy * 8 - dx * 3), tip + QPointF(dx * 8 + dy * 3, dy * 8 + dx * 3)}));
    };
    arrow(QPointF(area.left() + 40, y), 1, 0);
    arrow(QPointF(area.right() - 40, y), -1, 0);
    arrow(QPointF(x, area.top() + 30), 0, 1);
    arrow(QPointF(x, area.bottom() - 30), 0, -1);
    p.setFont(font(13, false));
    p.drawText(QRectF(area.center().x() - 20, y + 2, 40, 18), Qt::AlignCenter, QStringLiteral("A"));
    p.drawText(QRectF(x - 22, area.center().y() - 9, 18, 18), Qt::AlignCenter, QStringLiteral("B"));
    // Title block.
    const QRect block(size.width() - 338, size.height() - 94, 322, 78);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawRect(block);
    p.drawLine(block.left(), block.top() + 26, block.right(), block.top() + 26);
    p.setFont(font(13, true));
    p.drawText(block.adjusted(8, 0, -8, 0).topLeft() + QPoint(0, 18), QStringLiteral("Maattekening %1").arg(pic.number));
    p.setFont(font(12, false));
    p.drawText(QRect(block.left() + 8, block.top() + 30, block.width() - 16, 44), Qt::AlignLeft | Qt::TextWordWrap, pic.title);
    p.drawText(QRect(16, size.height() - 40, 200, 20), Qt::AlignLeft, QStringLiteral("Maten in mm"));
    return img;
}

QByteArray encodeIllustration(const QImage& image)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, "JPG", 85);
    return bytes;
}

QByteArray encodeLineDrawing(const QImage& image)
{
    QImage grey(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(i, i, i);
    grey.setColorTable(table);
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < src.width(); ++x)
            out[x] = uchar(qGray(in[x]));
    }
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    grey.save(&buf, "BMP");
    return bytes;
}

} // namespace vandrel::demodata
