// Our own UTF-8 ⇄ UTF-16 conversion, through which every text crosses the Windows API.
#include "utf16.h"

#include <gtest/gtest.h>

namespace {

using forms::detail::utf16FromUtf8;
using forms::detail::utf8FromUtf16;

TEST(Utf16, WellFormedTextRoundTrips) {
    // One row per encoded length: ASCII, Cyrillic (2 bytes), the minus sign (3), an emoji (4,
    // a surrogate pair), and the ends of the ranges.
    for (const std::string text : {"", "12abc", "Сумма", "−5", "a😀b", "\x7F", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF"}) {
        EXPECT_EQ(utf8FromUtf16(utf16FromUtf8(text)), text) << text;
    }
    EXPECT_EQ(utf16FromUtf8("Сумма"), u"Сумма");
    EXPECT_EQ(utf16FromUtf8("😀"), u"\xD83D\xDE00");
}

TEST(Utf16, MalformedInputBecomesReplacementCharacters) {
    struct Row {
        const char* name;
        std::string utf8;
        std::u16string utf16;
    };
    const Row rows[] = {
        {"lone continuation byte", "a\x80z", u"a\uFFFDz"},
        {"truncated sequence at the end", "a\xD0", u"a\uFFFD"},
        {"sequence cut by an ASCII byte", "\xE2\x88z", u"\uFFFD\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead byte", "\xFF", u"\uFFFD"},
    };
    for (const Row& row : rows) EXPECT_EQ(utf16FromUtf8(row.utf8), row.utf16) << row.name;

    EXPECT_EQ(utf8FromUtf16(u"a\xD800z"), "a\uFFFDz") << "lone high surrogate";
    EXPECT_EQ(utf8FromUtf16(u"\xDC00"), "\uFFFD") << "lone low surrogate";
    EXPECT_EQ(utf8FromUtf16(u"\xD800"), "\uFFFD") << "high surrogate at the end";
}

}  // namespace
