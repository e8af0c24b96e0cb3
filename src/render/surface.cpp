#include "render/surface.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

void Surface::moveTo(int x, int y) {
    m_x = x;
    m_y = y;
}

void Surface::lineTo(int x, int y) {
    const int w = effectivePenWidth();
    const int x1 = m_x;
    const int y1 = m_y;
    m_x = x;
    m_y = y;
    if (y1 == y && x1 != x) {
        const int left = x > x1 ? x1 : x + 1;
        const int right = x > x1 ? x : x1 + 1;
        fillArea(QRect(left, y - w / 2, right - left, w), m_penColor, m_penMode);
    } else if (x1 == x && y1 != y) {
        const int top = y > y1 ? y1 : y + 1;
        const int bottom = y > y1 ? y : y1 + 1;
        fillArea(QRect(x - w / 2, top, w, bottom - top), m_penColor, m_penMode);
    } else if (x1 != x) {
        diagonalLine(x1, y1, x, y);
    }
}

// A slanted line: the pen's square is stamped at every point that Bresenham's walk visits
// before the end point. The squares of neighbouring points overlap, so each row gets one span
// from the leftmost to the rightmost square on it, keeping every pixel changed once.
void Surface::diagonalLine(int x1, int y1, int x2, int y2) {
    const int w = effectivePenWidth();
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    const int topRow = std::min(y1, y2) - w / 2;
    std::vector<std::pair<int, int>> spans(dy + w, {INT_MAX, INT_MIN});

    int x = x1;
    int y = y1;
    int error = dx - dy;
    while (x != x2 || y != y2) {
        for (int row = y - w / 2; row < y - w / 2 + w; ++row) {
            auto& span = spans[row - topRow];
            span.first = std::min(span.first, x - w / 2);
            span.second = std::max(span.second, x - w / 2 + w);
        }
        const int twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x += sx;
        }
        if (twice < dx) {
            error += dx;
            y += sy;
        }
    }
    for (int i = 0; i < int(spans.size()); ++i) {
        if (spans[i].first < spans[i].second)
            fillArea(QRect(spans[i].first, topRow + i, spans[i].second - spans[i].first, 1),
                     m_penColor, m_penMode);
    }
}

void Surface::rectangle(int x1, int y1, int x2, int y2) {
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (x1 == x2 || y1 == y2)
        return;
    if (m_penColor == m_brushColor || m_penMode == PenMode::Not) {
        // Outline and interior change every pixel alike: one area is the same and much faster.
        fillArea(QRect(x1, y1, x2 - x1, y2 - y1), m_brushColor, m_penMode);
        return;
    }
    const int w = effectivePenWidth();
    // The outline as four bands that do not overlap, then the interior.
    const int bandTop = std::min(w, y2 - y1);
    const int bandBottom = std::min(w, y2 - y1 - bandTop);
    fillArea(QRect(x1, y1, x2 - x1, bandTop), m_penColor, m_penMode);
    if (bandBottom > 0)
        fillArea(QRect(x1, y2 - bandBottom, x2 - x1, bandBottom), m_penColor, m_penMode);
    const int innerTop = y1 + bandTop;
    const int innerHeight = y2 - bandBottom - innerTop;
    if (innerHeight <= 0)
        return;
    const int bandLeft = std::min(w, x2 - x1);
    const int bandRight = std::min(w, x2 - x1 - bandLeft);
    fillArea(QRect(x1, innerTop, bandLeft, innerHeight), m_penColor, m_penMode);
    if (bandRight > 0)
        fillArea(QRect(x2 - bandRight, innerTop, bandRight, innerHeight), m_penColor, m_penMode);
    const int innerLeft = x1 + bandLeft;
    const int innerWidth = x2 - bandRight - innerLeft;
    if (innerWidth > 0)
        fillArea(QRect(innerLeft, innerTop, innerWidth, innerHeight), m_brushColor, m_penMode);
}
