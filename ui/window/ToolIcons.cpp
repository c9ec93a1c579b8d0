#include "ui/window/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace quorvel {

namespace {

// Every glyph is drawn on a 32 by 32 grid and scaled to the pixmap's size.
constexpr int kGrid = 32;
const QColor kOutline(60, 60, 60);

void Page(QPainter& p, bool lines)
{
    const QPolygonF sheet({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}});
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.setBrush(QColor(220, 220, 220));
    p.drawPolygon(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
    if (lines) {
        p.setPen(QPen(QColor(40, 90, 170), 1.6));
        for (int y = 13; y <= 25; y += 4)
            p.drawLine(QPointF(10, y), QPointF(23, y));
    }
}

void Plus(QPainter& p, QPointF centre)
{
    p.setPen(QPen(QColor(20, 100, 20), 1));
    p.setBrush(QColor(40, 170, 40));
    p.drawEllipse(centre, 7, 7);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre + QPointF(-4, 0), centre + QPointF(4, 0));
    p.drawLine(centre + QPointF(0, -4), centre + QPointF(0, 4));
}

void Floppy(QPainter& p)
{
    p.setPen(QPen(QColor(20, 50, 110), 1.2));
    p.setBrush(QColor(45, 105, 190));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 5, 16, 10));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(10, 20, 12, 8));
    p.setBrush(QColor(45, 105, 190));
    p.drawRect(QRectF(18, 21, 2.5, 5));
}

void Draw(QPainter& p, ToolGlyph glyph)
{
    switch (glyph) {
    case ToolGlyph::NewList: {
        Page(p, false);
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double angle = i * 3.14159265 / 5;
            const double radius = i % 2 ? 3.0 : 7.0;
            const QPointF at(10 + radius * std::sin(angle), 9 - radius * std::cos(angle));
            if (i == 0)
                star.moveTo(at);
            else
                star.lineTo(at);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(170, 110, 0), 1));
        p.setBrush(QColor(255, 200, 30));
        p.drawPath(star);
        break;
    }
    case ToolGlyph::OpenList:
        p.setPen(QPen(QColor(130, 85, 10), 1.2));
        p.setBrush(QColor(230, 170, 50));
        p.drawPolygon(QPolygonF({{3, 8}, {12, 8}, {14, 11}, {27, 11}, {27, 27}, {3, 27}}));
        p.setBrush(QColor(250, 205, 90));
        p.drawPolygon(QPolygonF({{6, 15}, {30, 15}, {27, 27}, {3, 27}}));
        break;
    case ToolGlyph::Save:
        Floppy(p);
        break;
    case ToolGlyph::SaveAs:
        Floppy(p);
        p.setPen(QPen(QColor(120, 60, 0), 1));
        p.setBrush(QColor(240, 140, 30));
        p.drawPolygon(QPolygonF({{18, 29}, {19, 24}, {28, 15}, {32, 19}, {23, 28}}));
        break;
    case ToolGlyph::AddItem:
        Page(p, false);
        Plus(p, {23, 23});
        break;
    case ToolGlyph::AddFromList:
        Page(p, true);
        Plus(p, {23, 23});
        break;
    case ToolGlyph::Remove:
        p.setPen(QPen(QColor(200, 30, 30), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    }
}

}  // namespace

QIcon ToolIcon(ToolGlyph glyph)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(double(size) / kGrid, double(size) / kGrid);
        Draw(painter, glyph);
        painter.end();
        icon.addPixmap(pixmap, QIcon::Normal);
    }
    return icon;
}

}  // namespace quorvel
