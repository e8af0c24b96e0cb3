#include "output/pdf_page_size.h"
#include "support/succeeds.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double pixelsOf(double points, int dotsPerInch) {
    return points * dotsPerInch / kPointsPerInch;
}

bool hasSixDecimalsAtMost(double value) {
    return QByteArray::number(value, 'f', 6).toDouble() == value;
}

} // namespace

// A rasteriser that rounds the page's pixels up must find exactly the page's pixels again,
// and no longer length of six decimals may be left unused.
TEST(PdfPageSize, EachSideIsTheLongestLengthThatRastersToItsPixels) {
    struct Row {
        int pixels;
        int dotsPerInch;
    };
    const Row rows[] = {
        {4960, 600}, {7016, 600}, {2480, 300}, {793, 96}, {1, 9600},
        {333, 24},   {600, 600},  {75, 25},    {999, 97}, {1000000, 9600},
    };
    for (const Row& row : rows) {
        const PdfPageSize size = pdfPageSize(QSize(row.pixels, 1), row.dotsPerInch);
        const double length = size.exactPoints.width();
        SCOPED_TRACE(testing::Message() << row.pixels << " px at " << row.dotsPerInch << " dpi");
        EXPECT_TRUE(hasSixDecimalsAtMost(length)) << length;
        EXPECT_EQ(std::ceil(pixelsOf(length, row.dotsPerInch)), row.pixels);
        EXPECT_EQ(size.wholePoints.width(), int(std::ceil(length)));
        const bool whole = qint64(row.pixels) * kPointsPerInch % row.dotsPerInch == 0;
        if (whole) {
            EXPECT_EQ(pixelsOf(length, row.dotsPerInch), row.pixels);
        } else {
            EXPECT_LT(pixelsOf(length, row.dotsPerInch), row.pixels - 1e-7);
            EXPECT_GE(pixelsOf(length + 1e-6, row.dotsPerInch), row.pixels - 1e-7);
        }
    }
}

// The media box is rewritten in place: the offsets of everything after it stay true, and the
// page's top stays where the drawing starts.
TEST(PdfPageSize, TheMediaBoxIsCutInPlaceOrTheFailureSaid) {
    const PdfPageSize cut{QSize(596, 842), QSizeF(595.2, 841.92)};
    const QByteArray box = "/MediaBox [0 0 596.000000 842.000000]";
    struct Row {
        const char* name;
        PdfPageSize size;
        QByteArray pdf;
        QByteArray expected; // empty: a failure
    };
    const Row rows[] = {
        {"cut", cut, "<< " + box + " >> xref",
         "<< " + QByteArray("/MediaBox [0 0.080000 595.200000 842]").leftJustified(box.size()) +
             " >> xref"},
        {"whole", {QSize(612, 792), QSizeF(612, 792)}, "anything", "anything"},
        {"missing", cut, "<< /MediaBox [0 0 612.000000 792.000000] >>", {}},
        {"twice", cut, box + box, {}},
    };
    for (const Row& row : rows) {
        QByteArray pdf = row.pdf;
        const Failure error = giveExactMediaBox(pdf, row.size);
        if (row.expected.isEmpty()) {
            EXPECT_TRUE(error.failed()) << row.name;
            EXPECT_EQ(pdf, row.pdf) << row.name;
        } else {
            EXPECT_SUCCEEDS(error) << row.name;
            EXPECT_EQ(pdf, row.expected) << row.name;
        }
    }
}
