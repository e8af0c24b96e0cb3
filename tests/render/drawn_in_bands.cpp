#include "drawn_in_bands.h"

#include "plain_surface.h"
#include "render/image_surface.h"
#include "support/image_compare.h"

#include <gtest/gtest.h>

#include <algorithm>

void expectDrawnAsExpected(const QImage& expected, QRgb paper, const QString& name,
                           const std::function<void(Surface&)>& draw) {
    const QSize size = expected.size();
    PlainSurface plain(size, QPoint(0, 0));
    plain.fill(QRect(QPoint(0, 0), size), paper, PenMode::Copy);
    draw(plain);
    EXPECT_TRUE(imagesEqual(expected, plain.image(), QStringLiteral("%1-plain").arg(name)));

    for (const int bandHeight : {size.height(), 7}) {
        for (int top = 0; top < size.height(); top += bandHeight) {
            const QRect band(0, top, size.width(), std::min(bandHeight, size.height() - top));
            QImage page(band.size(), QImage::Format_RGB32);
            page.fill(paper);
            ImageSurface surface(page, band.topLeft());
            draw(surface);
            ASSERT_TRUE(imagesEqual(expected.copy(band), surface.image(),
                                    QStringLiteral("%1-band-%2").arg(name).arg(top)));
        }
    }
}
