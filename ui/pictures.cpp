#include "ui/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vox {
namespace {

QPixmap blank(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

}  // namespace

QPixmap ledPixmap(bool red, int size) {
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = red ? QColor(220, 0, 0) : QColor(0, 190, 0);
    const QRectF r(1, 1, size - 2, size - 2);
    QRadialGradient g(r.center() - QPointF(size / 6.0, size / 6.0), size / 2.0);
    g.setColorAt(0, base.lighter(170));
    g.setColorAt(1, base);
    p.setBrush(g);
    p.setPen(QPen(base.darker(160), 1));
    p.drawEllipse(r);
    return pm;
}

QPixmap speakerPixmap(int size) {
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 16.0;
    QPainterPath body;
    body.moveTo(2 * s, 6 * s);
    body.lineTo(5 * s, 6 * s);
    body.lineTo(9 * s, 2 * s);
    body.lineTo(9 * s, 14 * s);
    body.lineTo(5 * s, 10 * s);
    body.lineTo(2 * s, 10 * s);
    body.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(70, 70, 70));
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 160), 1.2 * s));
    p.drawArc(QRectF(8 * s, 5 * s, 4 * s, 6 * s), -60 * 16, 120 * 16);
    p.drawArc(QRectF(8 * s, 3 * s, 7 * s, 10 * s), -60 * 16, 120 * 16);
    return pm;
}

QPixmap microphonePixmap(int size) {
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 16.0;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(70, 70, 70));
    p.drawRoundedRect(QRectF(6 * s, 1 * s, 4 * s, 8 * s), 2 * s, 2 * s);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 160), 1.2 * s));
    p.drawArc(QRectF(4 * s, 3 * s, 8 * s, 8 * s), 180 * 16, 180 * 16);
    p.drawLine(QPointF(8 * s, 11 * s), QPointF(8 * s, 14 * s));
    p.drawLine(QPointF(5 * s, 14.5 * s), QPointF(11 * s, 14.5 * s));
    return pm;
}

void paintAppIcon(QPainter& p, int size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    // A clock face with radio waves from it: the program speaks the time on the air. The face
    // sits low and left so the waves fit in the corner; every stroke, with half its pen, stays
    // at least a pixel inside the square.
    const QPointF centre(13 * s, 19 * s);
    const QColor ink(20, 40, 110);
    p.setPen(QPen(ink, 2 * s));
    p.setBrush(QColor(235, 240, 255));
    p.drawEllipse(centre, 11 * s, 11 * s);
    p.setPen(QPen(ink, 2.5 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -7 * s));
    p.drawLine(centre, centre + QPointF(5 * s, 2.5 * s));
    p.setPen(QPen(QColor(200, 0, 0), 2 * s, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const double r : {14.5 * s, 18 * s})
        p.drawArc(QRectF(centre - QPointF(r, r), QSizeF(2 * r, 2 * r)), 25 * 16, 40 * 16);
    p.restore();
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pm = blank(size);
        QPainter p(&pm);
        paintAppIcon(p, size);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace vox
