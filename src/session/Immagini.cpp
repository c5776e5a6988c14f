// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Immagini.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

void disegnaPonte(QPainter& p, double size) {
    const double u = size / 300.0;
    // Sky and river.
    p.fillRect(QRectF(0, 0, size, size), QColor(192, 232, 255));
    p.fillRect(QRectF(0, 200 * u, size, 100 * u), QColor(64, 128, 200));
    p.setPen(QPen(QColor(220, 240, 255), 3 * u));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF((30 + 70 * i) * u, (240 + 12 * (i % 2)) * u),
                   QPointF((70 + 70 * i) * u, (240 + 12 * (i % 2)) * u));
    // Banks.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 160, 64));
    p.drawRect(QRectF(0, 170 * u, 50 * u, 130 * u));
    p.drawRect(QRectF(250 * u, 170 * u, 50 * u, 130 * u));
    // The arch of the bridge.
    QPainterPath arco;
    arco.moveTo(30 * u, 175 * u);
    arco.lineTo(270 * u, 175 * u);
    arco.lineTo(270 * u, 215 * u);
    arco.cubicTo(230 * u, 120 * u, 70 * u, 120 * u, 30 * u, 215 * u);
    arco.closeSubpath();
    p.setBrush(QColor(192, 96, 48));
    p.setPen(QPen(QColor(96, 48, 16), 3 * u));
    p.drawPath(arco);
    // Railing.
    p.setPen(QPen(QColor(96, 48, 16), 4 * u));
    p.drawLine(QPointF(30 * u, 150 * u), QPointF(270 * u, 150 * u));
    for (int i = 0; i <= 8; ++i)
        p.drawLine(QPointF((30 + 30 * i) * u, 150 * u), QPointF((30 + 30 * i) * u, 175 * u));
    // Plus and minus, one on each side of the river.
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(90 * u));
    p.setFont(font);
    p.setPen(QColor(0, 0, 192));
    p.drawText(QRectF(10 * u, 20 * u, 130 * u, 110 * u), Qt::AlignCenter, QStringLiteral("+"));
    p.setPen(QColor(192, 0, 0));
    p.drawText(QRectF(160 * u, 20 * u, 130 * u, 110 * u), Qt::AlignCenter, QStringLiteral("−"));
}

} // namespace

QPixmap immagineInizio() {
    QPixmap pixmap(300, 300);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    disegnaPonte(p, 300);
    return pixmap;
}

QIcon iconaProgramma() {
    QPixmap pixmap(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    disegnaPonte(p, 32);
    return QIcon(pixmap);
}

QImage immaginePonte(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    disegnaPonte(p, size);
    return image;
}
