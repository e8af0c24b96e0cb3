#include "document/windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, EveryByteSurvivesDecodingAndEncoding) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(encodeWindows1252(text), all);
}

TEST(Windows1252, MapsTheWesternSpecialCharacters) {
    EXPECT_EQ(decodeWindows1252("\x80\x8a\x9f\xe4\xdf"), QString::fromUtf8("€ŠŸäß"));
    EXPECT_EQ(encodeWindows1252(QString::fromUtf8("Grüße, 5 €")), QByteArray("Gr\xfc\xdf"
                                                                             "e, 5 \x80"));
    // The five codes the code page leaves undefined stand for the C1 controls of that number.
    EXPECT_EQ(decodeWindows1252("\x81\x8d\x8f\x90\x9d"),
              QStringView(u"\u0081\u008d\u008f\u0090\u009d").toString());
}

TEST(Windows1252, RefusesWhatItCannotHold) {
    for (const char* text : {"Łódź", "日本", "\xf0\x9f\x98\x80" /* an emoji */, "ā"})
        EXPECT_FALSE(encodeWindows1252(QString::fromUtf8(text))) << text;
    // A C1 control that has a character in its place is not one of the undefined five.
    EXPECT_FALSE(encodeWindows1252(QString(QChar(0x80))));
}

} // namespace
