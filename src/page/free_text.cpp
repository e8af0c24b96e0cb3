#include "page/free_text.h"

#include "render/page_scale.h"
#include "render/surface.h"
#include "settings/page_design.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

namespace {

constexpr int kDefaultSizePoints = 9;

// The writing system a stored character set stands for; the Latin ones differ only in their
// accents, which every Latin face here has.
QFontDatabase::WritingSystem writingSystemOf(int charset) {
    switch (charset) {
    case 2:
        return QFontDatabase::Symbol;
    case 128:
        return QFontDatabase::Japanese;
    case 129:
    case 130:
        return QFontDatabase::Korean;
    case 134:
        return QFontDatabase::SimplifiedChinese;
    case 136:
        return QFontDatabase::TraditionalChinese;
    case 161:
        return QFontDatabase::Greek;
    case 163:
        return QFontDatabase::Vietnamese;
    case 177:
        return QFontDatabase::Hebrew;
    case 178:
        return QFontDatabase::Arabic;
    case 204:
        return QFontDatabase::Cyrillic;
    case 222:
        return QFontDatabase::Thai;
    default:
        return QFontDatabase::Latin;
    }
}

} // namespace

QFont freeTextQFont(const FreeTextFont& font, int pixelSize) {
    QFont qfont(font.name);
    const QFontDatabase::WritingSystem system = writingSystemOf(font.charset);
    // A face without the character set's letters is replaced by one that has them, as the
    // platform the designs come from picks a face by name and character set together.
    const QString family = QFontInfo(qfont).family();
    if (!QFontDatabase::writingSystems(family).contains(system)) {
        const QStringList candidates = QFontDatabase::families(system);
        if (!candidates.isEmpty())
            qfont.setFamily(candidates.first());
    }
    qfont.setPixelSize(pixelSize);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    qfont.setFixedPitch(font.pitch == FreeTextFont::FixedPitch);
    if (font.pitch == FreeTextFont::FixedPitch)
        qfont.setStyleHint(QFont::TypeWriter);
    return qfont;
}

int freeTextPixelSize(const PageScale& scale, const FreeTextFont& font) {
    const int points = font.sizePoints > 0 ? font.sizePoints : kDefaultSizePoints;
    return std::max(1, scale.PointsToPixels(points));
}

void writeInFreeTextFont(Surface& surface, const PageScale& scale, const FreeTextFont& font,
                         const QString& text, const std::function<QPoint(QSize cell)>& place) {
    const QFont qfont = freeTextQFont(font, freeTextPixelSize(scale, font));
    const QSize cell(surface.textWidth(qfont, text), surface.textHeight(qfont));
    surface.textOut(place(cell), qfont, colorValueToRgb(font.color), text);
}

void drawFreeText(Surface& surface, const PageScale& scale, const PageDesign& design,
                  int leftEdgeX) {
    if (design.freeText.isEmpty())
        return;
    writeInFreeTextFont(surface, scale, design.font, design.freeText, [&](QSize cell) {
        return QPoint(leftEdgeX, scale.SurfaceHeight - cell.height());
    });
}
