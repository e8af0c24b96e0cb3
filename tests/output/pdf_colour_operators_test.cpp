#include "output/pdf_colour_operators.h"

#include <gtest/gtest.h>

// Every colour of three components chooses its own space, a grey the grey one; nothing else in
// the drawing changes, not even bytes inside strings that look like colours.
TEST(PdfColourOperators, GreysBecomeGreyAndOtherColoursKeepTheirSpace) {
    struct Row {
        const char* name;
        QByteArray content;
        QByteArray expected; // empty: left unread
    };
    const Row rows[] = {
        {"grey stroke", "q 0.5 0.5 0.5 SCN 0 0 m 1 1 l S Q", "q 0.5 G 0 0 m 1 1 l S Q"},
        {"grey fill after its space", "/CSp cs 1 1 1 scn\n0 0 1 1 re f",
         "/CSp cs 1 g\n0 0 1 1 re f"},
        {"colour", "0.2 0.4 0.6 scn 1 0 0 SCN", "0.2 0.4 0.6 rg 1 0 0 RG"},
        {"four components", "0 0 0 1 scn", "0 0 0 1 scn"},
        {"pattern", "/PCSp cs 1 1 1 /Pat1 scn", "/PCSp cs 1 1 1 /Pat1 scn"},
        {"operands of another operator", "1 1 1 1 1 1 cm", "1 1 1 1 1 1 cm"},
        {"string", "BT (0 0 0 scn \\) 1 1 1 SCN) Tj ET", "BT (0 0 0 scn \\) 1 1 1 SCN) Tj ET"},
        {"hex string and dictionary", "<0001> Tj /P <</MCID 0>> BDC 0 0 0 scn",
         "<0001> Tj /P <</MCID 0>> BDC 0 g"},
        {"inline image", "BI /W 1 /H 1 ID \x01 EI 0 0 0 scn", {}},
    };
    for (const Row& row : rows) {
        const std::optional<QByteArray> result = withGreysAsGrey(row.content);
        if (row.expected.isEmpty())
            EXPECT_FALSE(result) << row.name;
        else
            EXPECT_EQ(result.value_or("none").toStdString(), row.expected.toStdString())
                << row.name;
    }
}
