#include "photos_exemple.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace exemple {

bool dessiner_portrait(int numero, const QString& chemin) {
    static const QColor fonds[] = {QColor(0xb3, 0xd9, 0xf2), QColor(0xf9, 0xe0, 0xa8), QColor(0xc8, 0xe6, 0xc9),
                                   QColor(0xf3, 0xc6, 0xd9), QColor(0xd7, 0xcc, 0xf0), QColor(0xff, 0xd8, 0xb8)};
    static const QColor peaux[] = {QColor(0xf5, 0xd0, 0xb0), QColor(0xe0, 0xac, 0x85), QColor(0xb9, 0x7a, 0x56),
                                   QColor(0x8d, 0x5a, 0x3c), QColor(0xf1, 0xc2, 0x9c), QColor(0xc6, 0x8b, 0x62)};
    static const QColor cheveux[] = {QColor(0x3b, 0x26, 0x1a), QColor(0xd9, 0xa4, 0x41), QColor(0x1c, 0x1c, 0x1c),
                                     QColor(0x8a, 0x4b, 0x22), QColor(0xb5, 0x5a, 0x2b), QColor(0x5a, 0x3a, 0x22)};
    static const QColor habits[] = {QColor(0x2e, 0x6f, 0xb5), QColor(0xd2, 0x4b, 0x4b), QColor(0x3f, 0x9a, 0x5a),
                                    QColor(0xe0, 0x9b, 0x1f), QColor(0x7b, 0x4f, 0xa8), QColor(0x26, 0x8c, 0x8c)};
    const int n = numero < 0 ? -numero : numero;
    const int l = 240, h = 288;
    QImage image(l, h, QImage::Format_RGB32);
    image.fill(fonds[n % 6]);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        // Shoulders, neck, head.
        p.setBrush(habits[(n / 2) % 6]);
        p.drawEllipse(QRectF(20, 220, 200, 160));
        const QColor peau = peaux[(n / 3) % 6];
        p.setBrush(peau);
        p.drawRect(QRectF(100, 180, 40, 50));
        p.drawEllipse(QRectF(60, 70, 120, 140));
        // Hair: short on odd numbers, long on even ones.
        p.setBrush(cheveux[(n * 5) % 6]);
        QPainterPath coiffure;
        coiffure.moveTo(56, 140);
        coiffure.cubicTo(50, 40, 190, 40, 184, 140);
        coiffure.cubicTo(170, 95, 90, 85, 56, 140);
        p.drawPath(coiffure);
        if (n % 2 == 0) {
            p.drawRoundedRect(QRectF(46, 110, 22, 110), 10, 10);
            p.drawRoundedRect(QRectF(172, 110, 22, 110), 10, 10);
        }
        // Eyes, cheeks, smile.
        p.setBrush(QColor(0x2b, 0x2b, 0x2b));
        p.drawEllipse(QRectF(92, 130, 12, 14));
        p.drawEllipse(QRectF(136, 130, 12, 14));
        p.setBrush(QColor(0xf0, 0x8a, 0x8a, 120));
        p.drawEllipse(QRectF(78, 156, 20, 12));
        p.drawEllipse(QRectF(142, 156, 20, 12));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x8a, 0x3b, 0x2e), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(100, 150, 40, 30), 200 * 16, 140 * 16);
    }
    // Few colours: a bitmap of a few dozen kilobytes.
    if (chemin.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
        return image.convertToFormat(QImage::Format_Indexed8).save(chemin);
    return image.save(chemin);
}

}  // namespace exemple
