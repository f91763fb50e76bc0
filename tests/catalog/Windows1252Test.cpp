#include "catalog/Windows1252.h"

#include <gtest/gtest.h>

using catalog::utf8ToWindows1252;
using catalog::windows1252ToUtf8;

TEST(Windows1252, EveryDefinedByteRoundTrips) {
    for (int b = 0x20; b <= 0xFF; ++b) {
        // Undefined bytes, and the no-break space and soft hyphen, which names do without.
        if (b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D ||
            b == 0xA0 || b == 0xAD)
            continue;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(one)), one) << b;
    }
    EXPECT_EQ(windows1252ToUtf8("\x80\x81"), "\u20ac?");
    EXPECT_EQ(windows1252ToUtf8("Bo\xF6tes"), "Bo\u00f6tes");
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8("\xA0\xAD")), " ");
}

TEST(Windows1252, CharactersTheCodePageLacksBecomePlainLetters) {
    EXPECT_EQ(utf8ToWindows1252("Bibh\u0101"), "Bibha");
    EXPECT_EQ(utf8ToWindows1252("\u0141\u00f3d\u017a"), "L\xF3" "dz");
    EXPECT_EQ(utf8ToWindows1252("\u0152uvre \u2013 \u03b1"), "\x8Cuvre \x96 ?");
    EXPECT_EQ(utf8ToWindows1252("a\u00a0b\u200bc"), "a bc");
    EXPECT_EQ(utf8ToWindows1252("bad \xC3( end"), "bad ?( end");
    EXPECT_EQ(utf8ToWindows1252("Andromeda", 4), "Andr");
}
