#include "textforms/program_text.h"

#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
#include "textforms/locale_code_pages.h"
#include "textforms/utf8.h"
#endif

namespace zorva {
namespace {

TEST(ProgramTextTest, TableCodePagesGiveTheSameLetters) {
  struct Case {
    unsigned codePage;
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {437, "caf\x82", "café"},
      {850, "A\xA4o \xA5", "Año Ñ"},
      {852, "\xA0", "á"},
      {857, "\x81", "ü"},
      {1250, "\xE1", "á"},
      {1252,
       "Espa\xF1"
       "a",
       "España"},
      {1257, "\xE4", "ä"},
      {28591, "\xE9t\xE9", "été"},
      {65001, "ni\xC3\xB1o", "niño"},
      {10000,
       "Espa\x96"
       "a",
       "España"},
      {10006, "\xE1", "α"},
      {10007, "\x8F", "П"},
      {10029, "\x88", "ą"},
      {720, "\xA8", "ذ"},
      {850, "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProgramTextFromCodePage(c.bytes, c.codePage), ProgramTextFromUtf8(c.utf8)) << c.codePage;
}

// Each code page keeps its way of converting from one text to the next,
// through a table of its bytes or through a converter that holds a letter
// back for a combining mark: nothing of one text may reach the next.
TEST(ProgramTextTest, EachTextIsConvertedAlone) {
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(ProgramTextFromCodePage("a\xC3", 1258), ProgramTextFromUtf8("aĂ"));
    EXPECT_EQ(ProgramTextFromCodePage("\xE0", 1255), ProgramTextFromUtf8("א"));
    EXPECT_EQ(ProgramTextFromCodePage("\x82\xA0", 932), ProgramTextFromUtf8("あ"));
    EXPECT_EQ(ProgramTextFromCodePage("\xF1", 1252), ProgramTextFromUtf8("ñ"));
  }
}

#ifndef _WIN32
// Bytes that iconv reads otherwise than Windows, or not at all, are read as
// Windows reads them; what neither reads becomes a question mark.
TEST(ProgramTextTest, BytesAreReadAsWindowsReadsThem) {
  struct Case {
    unsigned codePage;
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {10000, "\xBD\xC6", "\u2126\u2206"},
      {10007, "\xB6", "\u2202"},
      {1253, "a\xAA", "a\uF8F9"},
      {1255, "\xCA", "\u05BA"},
      {1252,
       "a\x81"
       "b",
       "a\xC2\x81"
       "b"},
      {932, "a\x82", "a?"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgramTextFromCodePage(c.bytes, c.codePage), c.utf8) << c.codePage;
}
#endif

TEST(ProgramTextTest, UnknownCodePageKeepsAsciiAndMarksTheRest) {
  EXPECT_EQ(ProgramTextFromCodePage("ab\xA4"
                                    "c",
                                    12345),
            "ab?c");
}

TEST(ProgramTextTest, OemTextFollowsTheSpanishLocale) {
  EXPECT_EQ(ProgramTextFromOem("Espa\xA4"
                               "a \x82"),
            ProgramTextFromUtf8("España é"));
}

TEST(ProgramTextTest, AnsiTextFollowsTheSpanishLocale) {
  EXPECT_EQ(ProgramTextFromAnsi("A\xF1o \x80"), ProgramTextFromUtf8("Año €"));
}

TEST(ProgramTextTest, DocumentTextKeepsLettersBeyondAscii) {
  EXPECT_EQ(DocumentText(""), u"");
  EXPECT_EQ(DocumentText(ProgramTextFromUtf8("Miércoles, año ñÁü")), u"Miércoles, año ñÁü");
  EXPECT_EQ(ProgramTextFromDocumentText(u"Sábado"), ProgramTextFromUtf8("Sábado"));
  EXPECT_EQ(ProgramTextFromDocumentText(u""), "");
}

TEST(ProgramTextTest, CharacterLengthTakesWholeCharacters) {
  const std::string text = ProgramTextFromUtf8("ñx");
  const std::size_t first = CharacterLength(text);
  EXPECT_EQ(text.substr(first), "x");
  EXPECT_EQ(CharacterLength("x"), 1u);
  EXPECT_EQ(CharacterLength(""), 0u);
}

#ifndef _WIN32
TEST(Utf8Test, MalformedBytesBecomeReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"a\x80"
       "b",
       u"a\uFFFDb"},                                      // stray continuation byte
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong slash
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // a surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xE2\x82", u"\uFFFD\uFFFD"},                      // cut off
      {"\xF0\x9F\x98\x80", u"\U0001F600"},                // four bytes, a surrogate pair
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16);
  EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8FromUtf16(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(OemCodePageTest, LanguageDecidesAsWindowsDoes) {
  struct Case {
    const char* locale;
    unsigned codePage;
  };
  const Case cases[] = {
      {"es_ES.UTF-8", 850},
      {"es_ES", 850},
      {"es_ES.ISO-8859-1@euro", 850},
      {"en_US.UTF-8", 437},
      {"en_GB.UTF-8", 850},
      {"C", 437},
      {"POSIX", 437},
      {"C.UTF-8", 437},
      {"ru_RU.UTF-8", 866},
      {"pl_PL", 852},
      {"zh_TW.UTF-8", 950},
      {"zh_CN.UTF-8", 936},
      {"xx_YY", 437},
      {"", 437},
  };
  for (const Case& c : cases) EXPECT_EQ(OemCodePageOfLocale(c.locale), c.codePage) << c.locale;
}

TEST(AnsiCodePageTest, LanguageDecidesAsWindowsDoes) {
  struct Case {
    const char* locale;
    unsigned codePage;
  };
  const Case cases[] = {
      {"es_ES.UTF-8", 1252}, {"C", 1252},     {"", 1252},           {"ru_RU.UTF-8", 1251}, {"pl_PL", 1250},
      {"el_GR.UTF-8", 1253}, {"tr_TR", 1254}, {"ja_JP.UTF-8", 932}, {"zh_TW", 950},        {"xx_YY", 1252},
  };
  for (const Case& c : cases) EXPECT_EQ(AnsiCodePageOfLocale(c.locale), c.codePage) << c.locale;
}
#endif

}  // namespace
}  // namespace zorva
