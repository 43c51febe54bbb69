#include "platform/ui/ToolIcons.h"

#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace kw::ui {
namespace {

constexpr int kSize = 64; // drawn large, scaled down by the button
const QColor kInk(40, 60, 90);

using Draw = std::function<void(QPainter &)>;

void duplicates(QPainter &p)
{
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(8, 6, 32, 40), 3, 3);
    p.setBrush(QColor(255, 214, 120));
    p.drawRoundedRect(QRectF(22, 18, 32, 40), 3, 3);
    for (int y = 28; y <= 46; y += 6)
        p.drawLine(28, y, 48, y);
}

void search(QPainter &p)
{
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(8, 8, 32, 32));
    QPen pen(kInk, 7, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(36, 36, 54, 54);
}

void attachments(QPainter &p)
{
    p.setBrush(QColor(255, 220, 140));
    QPainterPath folder;
    folder.moveTo(6, 18);
    folder.lineTo(24, 18);
    folder.lineTo(28, 24);
    folder.lineTo(58, 24);
    folder.lineTo(58, 54);
    folder.lineTo(6, 54);
    folder.closeSubpath();
    p.drawPath(folder);
    QPen clip(QColor(90, 90, 110), 4, Qt::SolidLine, Qt::RoundCap);
    p.setPen(clip);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(26, 6, 12, 34), 6, 6);
}

void holidays(QPainter &p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 12, 48, 44));
    p.setBrush(QColor(220, 70, 60));
    p.drawRect(QRectF(8, 12, 48, 11));
    p.setBrush(QColor(255, 200, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(22, 30, 20, 20));
}

void form(QPainter &p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12, 6, 40, 52));
    p.setBrush(QColor(120, 170, 230));
    p.drawRect(QRectF(18, 12, 28, 8));
    for (int y = 28; y <= 50; y += 7)
        p.drawLine(18, y, 46, y);
}

void names(QPainter &p)
{
    p.setBrush(QColor(120, 170, 230));
    p.drawEllipse(QRectF(22, 6, 20, 20));
    p.drawChord(QRectF(10, 28, 44, 48), 0, 180 * 16);
}

void telephone(QPainter &p)
{
    p.setBrush(QColor(70, 160, 110));
    p.drawRoundedRect(QRectF(16, 4, 32, 56), 6, 6);
    p.setBrush(QColor(220, 245, 230));
    p.drawRect(QRectF(21, 10, 22, 14));
    p.setBrush(Qt::white);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(21 + col * 8, 30 + row * 8, 5, 5));
    }
}

void options(QPainter &p)
{
    p.setBrush(QColor(150, 160, 175));
    p.translate(32, 32);
    for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-5, -28, 10, 12));
        p.rotate(45);
    }
    p.drawEllipse(QRectF(-19, -19, 38, 38));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(-7, -7, 14, 14));
}

void help(QPainter &p)
{
    p.setBrush(QColor(60, 120, 200));
    p.drawEllipse(QRectF(6, 6, 52, 52));
    QFont font = p.font();
    font.setPixelSize(38);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(6, 6, 52, 52), Qt::AlignCenter, QStringLiteral("?"));
}

const QHash<QString, Draw> &painters()
{
    static const QHash<QString, Draw> table = {
        {QStringLiteral("duplicates"), duplicates}, {QStringLiteral("search"), search},
        {QStringLiteral("attachments"), attachments}, {QStringLiteral("holidays"), holidays},
        {QStringLiteral("form"), form}, {QStringLiteral("names"), names},
        {QStringLiteral("telephone"), telephone}, {QStringLiteral("options"), options},
        {QStringLiteral("help"), help},
    };
    return table;
}

// The program's own picture: a filing card on a blue tile, with a tick for
// "cleaned". Shapes only, no text, so it can be drawn without an application
// object (the build draws the desktop icon with it).
void program(QPainter &p)
{
    QLinearGradient tile(0, 4, 0, 60);
    tile.setColorAt(0, QColor(70, 130, 200));
    tile.setColorAt(1, QColor(35, 75, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 12, 12);
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(13, 12, 30, 38), 3, 3);
    p.setPen(QPen(QColor(150, 165, 185), 3, Qt::SolidLine, Qt::RoundCap));
    for (int y = 21; y <= 39; y += 6)
        p.drawLine(19, y, 37, y);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(60, 170, 90));
    p.drawEllipse(QRectF(33, 33, 24, 24));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(39, 45), QPointF(43.5, 49.5), QPointF(51, 40)}));
}

} // namespace

QImage programImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / double(kSize), size / double(kSize));
    program(p);
    p.end();
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(programImage(size)));
    return icon;
}

QIcon toolIcon(const QString &name)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2));
    const Draw draw = painters().value(name);
    if (draw)
        draw(p);
    else
        p.drawRect(QRectF(8, 8, 48, 48));
    p.end();
    return QIcon(pixmap);
}

} // namespace kw::ui
