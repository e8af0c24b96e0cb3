#pragma once

#include "render/surface.h"

#include <QImage>
#include <QString>

#include <functional>

// Draws with `draw` on a plain surface and on image surfaces over the whole page and over
// bands of 7 rows, each band drawn alone on `paper`, and expects each to equal its rectangle of
// `expected`: whatever path the image surface takes for a band, the rule's pixels come out.
void expectDrawnAsExpected(const QImage& expected, QRgb paper, const QString& name,
                           const std::function<void(Surface&)>& draw);
