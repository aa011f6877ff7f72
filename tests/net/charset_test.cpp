#include <gtest/gtest.h>

#include "base/utext.h"
#include "net/ucharset.h"

namespace marvessa {
namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(PageCharset, HeaderDecidesElseAMetaTagElseTheBytes) {
  struct Case {
    const char* contentType;
    std::string page;
    const char* charset;
  };
  for (const Case& c : {
           Case{"text/html; charset=UTF-8", "", "UTF-8"},
           Case{"text/html;charset=\"gb2312\"", "<meta charset=utf-8>", "GB18030"},
           Case{"text/html", "<head><META charset='Shift_JIS'>", "CP932"},
           Case{"", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\" />", "BIG5-HKSCS"},
           Case{"text/html; charset=windows-1251", "", "CP1251"},
           Case{"text/html; charset=iso-8859-2", "", "ISO-8859-2"},
           Case{"text/html; charset=latin1", "", "CP1252"},
           Case{"text/html; charset=koi8-r", "", "KOI8-R"},
           Case{"text/html; charset=euc-kr", "", "CP949"},
           Case{"text/html; charset=no-such", "<meta charset=euc-jp>", "EUC-JP"},
           Case{"", "<meta name=\"description\" content=\"utf-8\">", "UTF-8"},  // undeclared, valid UTF-8
           Case{"", std::string(1024, ' ') + "<meta charset=big5>\xB7\xFE", "GB18030"},  // too late; not UTF-8
       })
    EXPECT_EQ(PageCharset(c.contentType, c.page), c.charset) << c.contentType << " " << c.page;
}

// Titles of every charset of today's web reach the list as core text, nothing lost: GBK where it
// holds the character, GB18030 where it does not.
TEST(CoreText, TitlesOfEveryCharsetArriveWhole) {
  struct Case {
    const char* charset;
    std::string bytes;
    std::string core;
  };
  for (const Case& c : {
           Case{"GB18030", "\xB7\xFE\xD7\xB0", "服装"},
           Case{"UTF-8", "\xE6\x9C\x8D\xE8\xA3\x85", "服装"},
           Case{"BIG5-HKSCS", "\xAA\x41\xB8\xCB", "服裝"},
           Case{"CP932", "\x82\xA8\x96\xE2\x82\xA2\x8D\x87\x82\xED\x82\xB9", "お問い合わせ"},
           Case{"EUC-JP", "\xA4\xAA\xCC\xE4\xA4\xA4\xB9\xE7\xA4\xEF\xA4\xBB", "お問い合わせ"},
           Case{"CP949", "\xC8\xB8\xBB\xE7", Utf8ToGbk(Utf8(u8"회사"))},  // GB18030 beyond GBK
           Case{"CP1251", "\xCA\xEE\xED\xF2\xE0\xEA\xF2\xFB", "Контакты"},
           Case{"KOI8-R", "\xEB\xCF\xCE\xD4\xC1\xCB\xD4\xD9", "Контакты"},
           Case{"ISO-8859-2", "Kontakt \xB3\xF3" "d\xBC", Utf8ToGbk(Utf8(u8"Kontakt łódź"))},
           Case{"CP1252", "Caf\xE9", "Caf\xA8\xA6"},
       }) {
    EXPECT_EQ(ToCoreText(c.bytes, c.charset), c.core) << c.charset;
    EXPECT_EQ(FromCoreText(c.core, c.charset), c.bytes) << c.charset;
  }
}

TEST(PercentCoding, EncodesAllButUnreservedAndDecodesWhatIsWellFormed) {
  EXPECT_EQ(PercentEncode("a b+c&d#e|f~g"), "a%20b%2Bc%26d%23e%7Cf~g");
  EXPECT_EQ(PercentEncode("a b", "+"), "a+b");
  EXPECT_EQ(PercentDecode("%E8%81%94%e7%b3%bb%zz%4"), "\xE8\x81\x94\xE7\xB3\xBB%zz%4");
}

}  // namespace
}  // namespace marvessa
