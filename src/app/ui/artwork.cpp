#include "app/ui/artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {

const QColor kInk(40, 40, 90);
const QColor kPaper(255, 253, 245);
const QColor kRuling(150, 170, 210);
const QColor kMargin(200, 60, 60);
const QColor kMaroon(128, 0, 0);

QPixmap blankPixmap(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A sheet of writing paper in `r`, ruled or checkered, with a margin line.
void drawSheet(QPainter& p, const QRectF& r, bool checkered, bool marginLine) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
    const qreal step = std::max<qreal>(3, r.height() / 12);
    p.setPen(QPen(kRuling, 1));
    for (qreal y = r.top() + step * 1.5; y < r.bottom() - 1; y += step)
        p.drawLine(QPointF(r.left() + 1, y), QPointF(r.right() - 1, y));
    if (checkered) {
        for (qreal x = r.left() + step; x < r.right() - 1; x += step)
            p.drawLine(QPointF(x, r.top() + 1), QPointF(x, r.bottom() - 1));
    }
    if (marginLine) {
        p.setPen(QPen(kMargin, 1));
        const qreal x = r.left() + r.width() * 0.18;
        p.drawLine(QPointF(x, r.top() + 1), QPointF(x, r.bottom() - 1));
    }
}

void drawPrinter(QPainter& p, const QRectF& r) {
    const qreal w = r.width(), h = r.height();
    p.setPen(QPen(kInk, std::max<qreal>(1, w / 24)));
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + w * 0.25, r.top() + h * 0.05, w * 0.5, h * 0.4));
    p.setBrush(QColor(170, 175, 190));
    p.drawRoundedRect(QRectF(r.left() + w * 0.05, r.top() + h * 0.35, w * 0.9, h * 0.4), w / 12,
                      w / 12);
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + w * 0.25, r.top() + h * 0.62, w * 0.5, h * 0.33));
    p.setPen(QPen(kRuling, std::max<qreal>(1, w / 32)));
    for (int i = 1; i <= 2; ++i) {
        const qreal y = r.top() + h * (0.62 + 0.1 * i);
        p.drawLine(QPointF(r.left() + w * 0.3, y), QPointF(r.left() + w * 0.7, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 60));
    p.drawEllipse(QPointF(r.left() + w * 0.8, r.top() + h * 0.45), w / 20, w / 20);
}

void drawGear(QPainter& p, const QPointF& centre, qreal radius) {
    QPainterPath gear;
    constexpr int kTeeth = 8;
    for (int i = 0; i < kTeeth * 2; ++i) {
        const qreal angle = M_PI * i / kTeeth;
        const qreal rr = (i % 2 == 0) ? radius : radius * 0.75;
        const QPointF point(centre.x() + rr * std::cos(angle), centre.y() + rr * std::sin(angle));
        i == 0 ? gear.moveTo(point) : gear.lineTo(point);
    }
    gear.closeSubpath();
    gear.addEllipse(centre, radius * 0.3, radius * 0.3);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(230, 180, 60));
    p.drawPath(gear);
}

// A small landscape: the "logo" of the picture page.
void drawLandscape(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(170, 210, 240));
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QPointF(r.left() + r.width() * 0.72, r.top() + r.height() * 0.3),
                  r.width() * 0.12, r.width() * 0.12);
    QPainterPath hills;
    hills.moveTo(r.bottomLeft());
    hills.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.45);
    hills.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.75);
    hills.lineTo(r.left() + r.width() * 0.8, r.top() + r.height() * 0.55);
    hills.lineTo(r.bottomRight());
    hills.closeSubpath();
    p.setBrush(QColor(70, 140, 70));
    p.drawPath(hills);
}

void drawTexture(QPainter& p, const QRectF& r) {
    p.setPen(Qt::NoPen);
    const qreal cell = std::max<qreal>(2, r.width() / 8);
    for (qreal y = r.top(); y < r.bottom(); y += cell) {
        for (qreal x = r.left(); x < r.right(); x += cell) {
            const bool dark = int((x - r.left()) / cell + (y - r.top()) / cell) % 2 == 0;
            p.setBrush(dark ? QColor(215, 190, 150) : QColor(240, 225, 195));
            p.drawRect(QRectF(x, y, cell, cell).intersected(r));
        }
    }
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void drawLetters(QPainter& p, const QRectF& r, const QString& letters) {
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(std::max(6, int(r.height() * 0.8)));
    font.setItalic(true);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kMaroon);
    p.drawText(r, Qt::AlignCenter, letters);
}

QPixmap iconPixmap(int size, const std::function<void(QPainter&, QRectF)>& draw) {
    QPixmap pixmap = blankPixmap({size, size});
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, QRectF(0.5, 0.5, size - 1, size - 1));
    return pixmap;
}

QIcon iconFrom(const std::function<void(QPainter&, QRectF)>& draw) {
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(iconPixmap(size, draw));
    return icon;
}

// What each page's pictures show.
void drawPageMotif(QPainter& p, PageId page, const QRectF& r) {
    switch (page) {
    case PageId::Basic:
        drawSheet(p, r, false, false);
        break;
    case PageId::Edges:
        drawSheet(p, r, false, true);
        break;
    case PageId::Picture:
        drawLandscape(p, r);
        break;
    case PageId::Texture:
        drawTexture(p, r);
        break;
    case PageId::FreeText:
        drawLetters(p, r, QStringLiteral("Aa"));
        break;
    case PageId::Print:
        drawPrinter(p, r);
        break;
    }
}

} // namespace

QIcon pageTabIcon(PageId page) {
    return iconFrom([page](QPainter& p, const QRectF& r) {
        drawPageMotif(p, page, r.adjusted(r.width() * 0.1, 0, -r.width() * 0.1, 0));
    });
}

QIcon newDocumentIcon() {
    return iconFrom([](QPainter& p, const QRectF& r) {
        const qreal fold = r.width() * 0.3;
        QPainterPath sheet;
        sheet.moveTo(r.left() + r.width() * 0.15, r.top());
        sheet.lineTo(r.right() - fold, r.top());
        sheet.lineTo(r.right() - r.width() * 0.1, r.top() + fold);
        sheet.lineTo(r.right() - r.width() * 0.1, r.bottom());
        sheet.lineTo(r.left() + r.width() * 0.15, r.bottom());
        sheet.closeSubpath();
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawPath(sheet);
        p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
        p.drawLine(QPointF(r.right() - fold, r.top() + fold),
                   QPointF(r.right() - r.width() * 0.1, r.top() + fold));
    });
}

QIcon openDocumentIcon() {
    return iconFrom([](QPainter& p, const QRectF& r) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(230, 190, 90));
        QPainterPath back;
        back.moveTo(r.left(), r.bottom());
        back.lineTo(r.left(), r.top() + r.height() * 0.2);
        back.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.2);
        back.lineTo(r.left() + r.width() * 0.45, r.top() + r.height() * 0.3);
        back.lineTo(r.right() - r.width() * 0.1, r.top() + r.height() * 0.3);
        back.lineTo(r.right() - r.width() * 0.1, r.bottom());
        back.closeSubpath();
        p.drawPath(back);
        p.setBrush(QColor(250, 215, 120));
        QPolygonF front;
        front << QPointF(r.left(), r.bottom())
              << QPointF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.5)
              << QPointF(r.right(), r.top() + r.height() * 0.5)
              << QPointF(r.right() - r.width() * 0.1, r.bottom());
        p.drawPolygon(front);
    });
}

QIcon saveDocumentIcon() {
    return iconFrom([](QPainter& p, const QRectF& r) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(70, 100, 170));
        p.drawRoundedRect(r, r.width() / 10, r.width() / 10);
        p.setBrush(kPaper);
        p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top(), r.width() * 0.6, r.height() * 0.4));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top() + r.height() * 0.6, r.width() * 0.5,
                          r.height() * 0.4));
    });
}

QIcon webIcon() {
    return iconFrom([](QPainter& p, const QRectF& r) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(120, 180, 230));
        p.drawEllipse(r);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.adjusted(r.width() * 0.3, 0, -r.width() * 0.3, 0));
        p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
        p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    });
}

QPixmap aboutButtonPicture() {
    return iconPixmap(32, [](QPainter& p, const QRectF& r) {
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(60, 110, 190));
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        QFont font(QStringLiteral("Serif"));
        font.setPixelSize(int(r.height() * 0.7));
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("i"));
    });
}

QPixmap endButtonPicture() {
    return iconPixmap(32, [](QPainter& p, const QRectF& r) {
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(150, 100, 60));
        const QRectF door(r.left() + r.width() * 0.15, r.top() + 2, r.width() * 0.45,
                          r.height() - 4);
        p.drawRect(door);
        p.setPen(QPen(kMargin, 3, Qt::SolidLine, Qt::RoundCap));
        const qreal y = r.center().y();
        p.drawLine(QPointF(door.center().x(), y), QPointF(r.right() - 2, y));
        p.drawLine(QPointF(r.right() - 2, y), QPointF(r.right() - 8, y - 6));
        p.drawLine(QPointF(r.right() - 2, y), QPointF(r.right() - 8, y + 6));
    });
}

QPixmap printButtonPicture() {
    return iconPixmap(48, [](QPainter& p, const QRectF& r) { drawPrinter(p, r); });
}

QPixmap setupButtonPicture() {
    return iconPixmap(48, [](QPainter& p, const QRectF& r) {
        drawPrinter(p, r.adjusted(0, 0, -r.width() * 0.2, -r.height() * 0.2));
        drawGear(p, QPointF(r.right() - r.width() * 0.22, r.bottom() - r.height() * 0.22),
                 r.width() * 0.2);
    });
}

QPixmap pageColumnPicture(PageId page, QSize size) {
    QPixmap pixmap = blankPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A fanned stack of sheets, the page's own motif on the top one.
    const qreal sheetWidth = size.width() * 0.62;
    const QRectF sheet(0, 0, sheetWidth, sheetWidth * 1.41);
    const QPointF centre(size.width() / 2.0, size.height() * 0.62);
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(-12 + 9 * i);
        p.translate(-sheet.width() / 2, -sheet.height() / 2);
        if (i < 2) {
            drawSheet(p, sheet, i == 0, i == 1);
        } else {
            drawSheet(p, sheet, page == PageId::Basic, page == PageId::Edges);
            const QRectF motif(sheet.width() * 0.2, sheet.height() * 0.25, sheet.width() * 0.6,
                               sheet.width() * 0.6);
            if (page != PageId::Basic && page != PageId::Edges)
                drawPageMotif(p, page, motif);
        }
        p.restore();
    }
    return pixmap;
}

QPixmap aboutPicture(QSize size) {
    QPixmap pixmap = pageColumnPicture(PageId::FreeText, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A pen across the stack.
    p.translate(size.width() * 0.7, size.height() * 0.35);
    p.rotate(35);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(30, 60, 120));
    p.drawRoundedRect(QRectF(-6, 0, 12, size.height() * 0.4), 4, 4);
    p.setBrush(QColor(220, 190, 80));
    QPolygonF nib;
    nib << QPointF(-6, size.height() * 0.4) << QPointF(6, size.height() * 0.4)
        << QPointF(0, size.height() * 0.48);
    p.drawPolygon(nib);
    return pixmap;
}
