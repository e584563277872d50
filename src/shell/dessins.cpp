#include "shell/dessins.h"
#include <QPainter>
#include <QPainterPath>

namespace shell {

namespace {
QPixmap toile(int cote) {
    QPixmap p(cote, cote);
    p.fill(Qt::transparent);
    return p;
}
}  // namespace

QPixmap dessin_cle() {
    QPixmap p = toile(40);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(150, 110, 20), 3));
    g.setBrush(QColor(230, 190, 60));
    g.drawEllipse(QRectF(4, 12, 16, 16));
    g.drawLine(QPointF(20, 20), QPointF(37, 20));
    g.drawLine(QPointF(31, 20), QPointF(31, 27));
    g.drawLine(QPointF(36, 20), QPointF(36, 26));
    return p;
}

QPixmap dessin_ecole() {
    QPixmap p = toile(64);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(90, 40, 30), 2));
    g.setBrush(QColor(200, 60, 50));
    QPainterPath toit;
    toit.moveTo(4, 28);
    toit.lineTo(32, 6);
    toit.lineTo(60, 28);
    toit.closeSubpath();
    g.drawPath(toit);
    g.setBrush(QColor(245, 230, 200));
    g.drawRect(QRectF(10, 28, 44, 30));
    g.setBrush(QColor(110, 70, 40));
    g.drawRect(QRectF(27, 40, 10, 18));
    g.setBrush(QColor(150, 200, 240));
    g.drawRect(QRectF(14, 34, 8, 8));
    g.drawRect(QRectF(42, 34, 8, 8));
    return p;
}

QPixmap dessin_cahier() {
    QPixmap p = toile(64);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(30, 60, 120), 2));
    g.setBrush(QColor(70, 130, 210));
    g.drawRoundedRect(QRectF(12, 6, 40, 52), 3, 3);
    g.setBrush(Qt::white);
    g.drawRect(QRectF(20, 16, 24, 10));
    g.setPen(QPen(QColor(200, 40, 40), 2));
    g.drawLine(QPointF(16, 6), QPointF(16, 58));
    return p;
}

}  // namespace shell
