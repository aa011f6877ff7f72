// The address rules, one table per group; each case is a piece of a page and what a careful
// person would copy from it.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/utext.h"
#include "engines/uUpthd.h"
#include "net/ucharset.h"
#include "search/uaddressfinder.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

struct Case {
  std::string text;
  std::string found;  // the addresses reported, in order, separated by blanks
};

struct BytesCase {
  std::string text;
  PageBytes bytes;
  std::string found;
};

struct FaultCase {
  std::string text;
  AddressFault fault;  // the verdict on the one candidate of the text
};

std::string Found(std::string_view text, PageBytes bytes = PageBytes::kUtf8,
                  const AddressRules& rules = *BuiltinAddressRules()) {
  std::string found;
  FindAddresses(text, bytes, rules, [&found](std::string_view address, AddressFault fault) {
    if (fault == AddressFault::kNone) found += (found.empty() ? "" : " ") + std::string(address);
    return true;
  });
  return found;
}

std::string Verdicts(std::string_view text) {
  std::string verdicts;
  FindAddresses(text, PageBytes::kUtf8, *BuiltinAddressRules(), [&](std::string_view address, AddressFault fault) {
    verdicts += std::string(address) + "=" + std::string(AddressFaultName(fault)) + " ";
    return true;
  });
  return verdicts;
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(AddressRules, Decoding) {
  const Case cases[] = {
      {"a&#64;shop.de", "a@shop.de"},
      {"a&#x40;shop.de and b&#X40;shop.de", "a@shop.de b@shop.de"},
      {"a&commat;shop&period;de", "a@shop.de"},
      {"&#105;&#110;&#102;&#111;&#64;&#115;hop.de", "info@shop.de"},
      {"&lt;a@shop.de&gt; &amp;b@shop.de", "a@shop.de b@shop.de"},
      {"a&#8203;@shop.de", "a@shop.de"},
      {"sales&nbsp;@&nbsp;shop.de", "sales@shop.de"},
      {"R&D;a@shop.de", "a@shop.de"},
      {"\"mail\":\"a\\u0040shop.de\"", "a@shop.de"},
      {"\\u003ca@shop.de\\u003e", "a@shop.de"},
      {"\\\\u003ea@shop.de", "a@shop.de"},
      {"\"Kia ora!\\nEmail: a\\x40shop.de\\nPhone\"", "a@shop.de"},
      {"a\\u{40}shop.de, https:\\/\\/cdn.host\\/lib\\u0040x.com", "a@shop.de"},
      {Utf8(u8"a＠shop．de"), "a@shop.de"},
      {Utf8(u8"ｉｎｆｏ＠ｓｈｏｐ．ｄｅ"), "info@shop.de"},
      {"<a href=\"mailto:%20a@shop.de\">", "a@shop.de"},
      {"<a href=\"/share?to=a%40shop.de\">", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.text), c.found) << c.text;
}

TEST(AddressRules, DoubleByteCharacters) {
  const BytesCase cases[] = {
      {"\xD3\xCA\xCF\xE4\xA3\xBA" "a\xA3\xC0shop\xA3\xAE" "de", PageBytes::kGbk, "a@shop.de"},  // 邮箱：a＠shop．de
      {"\x81\x61@shop.de \x81\x40shop.de", PageBytes::kGbk, ""},        // a trail "a" or "@" is no letter or "@"
      {"\xBD\x63sales@shop.de", PageBytes::kBig5, "sales@shop.de"},     // 箱 ends in "c"
      {"a\xA2\x49shop\xA1\x44" "de", PageBytes::kBig5, "a@shop.de"},    // ＠ and ．
      {"\x81\x40info@shop.de a\x81\x97shop.de", PageBytes::kShiftJis, "info@shop.de a@shop.de"},
      {"\xB1\xC7\xF3info@shop.de", PageBytes::kSingleByte, "info@shop.de"},
      {"\xE9\x82\xAE\xE7\xAE\xB1info@shop.de", PageBytes::kUtf8, "info@shop.de"},
  };
  for (const BytesCase& c : cases) EXPECT_EQ(Found(c.text, c.bytes), c.found) << c.text;
}

TEST(AddressRules, PageBytesOfTheCharset) {
  const std::pair<std::string, PageBytes> cases[] = {
      {"<meta charset=gb2312>", PageBytes::kGbk},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Big5\">", PageBytes::kBig5},
      {"<meta charset='Shift_JIS'>", PageBytes::kShiftJis},
      {"<meta charset=windows-1251>", PageBytes::kSingleByte},
      {"<meta charset=euc-jp>", PageBytes::kSingleByte},
      {"<meta charset=utf-8>\xB0\xA1", PageBytes::kUtf8},
      {"no charset, \xB0\xA1", PageBytes::kGbk},
  };
  for (const auto& [page, bytes] : cases) EXPECT_EQ(PageBytesOf(PageCharset("", page)), bytes) << page;
}

TEST(AddressRules, Obfuscation) {
  const Case cases[] = {
      {"a [at] shop [dot] de", "a@shop.de"},
      {"a(at)shop(dot)de", "a@shop.de"},
      {"a{at}shop{dot}de", "a@shop.de"},
      {"a [ AT ] shop.de, b ( At ) shop . de", "a@shop.de"},
      {"anna (dot) berg [at] shop.de", "anna.berg@shop.de"},
      {"a[@]shop.de", "a@shop.de"},
      {Utf8(u8"a（at）shop.de"), "a@shop.de"},
      {"write to us at shop.example-trade.com", ""},
      {"a at shop dot de", ""},
      {"see (attention) shop.de", ""},
      {"<span data-cfemail=\"422302312a2d326c2627\">[email&#160;protected]</span>", "a@shop.de"},
      {"<a href=\"/cdn-cgi/l/email-protection#177557647f7867397372\">", "b@shop.de"},
      {"data-cfemail=\"42\" data-cfemail=\"4223023\"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.text), c.found) << c.text;
}

TEST(AddressRules, MailtoFirst) {
  const Case cases[] = {
      {"a@shop.de <a href=\"mailto:b@shop.de\">", "b@shop.de a@shop.de"},
      {"<a href=\"mailto:b@shop.de?cc=c@shop.de,d@shop.de&amp;bcc=e%40shop.de&subject=Hi\">", "b@shop.de c@shop.de d@shop.de e@shop.de"},
      {"<a href='MAILTO:Team%20%3CTeam@Shop.de%3E'>", "Team@Shop.de"},
      {"<a href=\"mailto:a@shop.de,b@shop.de;c@shop.de\">", "a@shop.de b@shop.de c@shop.de"},
      {"<a href=\"mailto:a@shop.de?subject=mailto:b@shop.de\">", "a@shop.de b@shop.de"},
      {"\"email\":\"mailto:a@shop.de\"", "a@shop.de"},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.text), c.found) << c.text;
}

TEST(AddressRules, LengthsAndBoundaries) {
  const std::string local64(64, 'l'), label63(63, 'd');
  const std::string domain252 = label63 + "." + label63 + "." + label63 + "." + std::string(57, 'd') + ".de";
  const Case cases[] = {
      {local64 + "@shop.de", local64 + "@shop.de"},
      {"x" + local64 + "@shop.de", ""},
      {"a@" + label63 + ".de", "a@" + label63 + ".de"},
      {"a@d" + label63 + ".de", ""},
      {"a@" + domain252, "a@" + domain252},  // 254 characters in all
      {"ab@" + domain252, ""},
      {"Sales@Shop.DE. Jobs: jobs @ shop.de", "Sales@Shop.DE jobs@shop.de"},
      {"a+tag@shop.de a_b-c.d@shop.de", "a+tag@shop.de a_b-c.d@shop.de"},
      {"...a@shop.de a.@shop.de a..b@shop.de", "a@shop.de"},
      {"a@-shop.de a@shop-.de a@shop..de a@.shop.de", ""},
      {"@shop.de and mail me at u@", ""},
      {"//cdn.host/npm/lib@2.1.0/x.js /calendar/Team@host.com/", ""},
      {"https://user:pw@host.com/ ftp://anon@files.host.com/", ""},
      {"mastodon: @team@social.host.com", ""},
      {"%20a@shop.de ?mail=mailto%3Ab@shop.de", "a@shop.de b@shop.de"},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.text), c.found) << c.text;
}

TEST(AddressRules, RealDomains) {
  const Case cases[] = {
      {"a@shop.online b@x.agency c@museum.museum", "a@shop.online b@x.agency c@museum.museum"},
      {"a@xn--80ak6aa92e.xn--p1ai b@shop.com.cn c@163.com", "a@xn--80ak6aa92e.xn--p1ai b@shop.com.cn c@163.com"},
      {"a@shop.zz a@shop.c0m a@1.2.3.4 a@[1.2.3.4] a@shop.123", ""},
      {"a@co.uk a@com.cn", ""},
      {"a@example.com a@mail.example.org a@example a@localhost a@shop.invalid", ""},
      {"a@shop.test a@printer.local a@site.onion a@1.in-addr.arpa", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.text), c.found) << c.text;
}

TEST(AddressRules, Junk) {
  const FaultCase cases[] = {
      {"logo@2x.png", AddressFault::kAsset},
      {"icon-cart@1.5x.webp", AddressFault::kAsset},
      {"walkthrough@2x.de", AddressFault::kAsset},
      {"intro@clips.mov", AddressFault::kAsset},
      {"lodash@4.17.21", AddressFault::kDomain},
      {"@scope/pkg@4.1.0", AddressFault::kInUrl},
      {"0123456789abcdef0123456789abcdef@o12345.ingest.sentry.io", AddressFault::kTracking},
      {"deadbeef@sentry-next.wixpress.com", AddressFault::kTracking},
      {"3f9a2c7e-1b5d-4f8a-9c0e@users.shop.de", AddressFault::kTracking},
      {"your@email.com", AddressFault::kPlaceholder},
      {"Name@Domain.com", AddressFault::kPlaceholder},
      {"max.mustermann@web.de", AddressFault::kPlaceholder},
      {"jo@sub.yourcompany.com", AddressFault::kPlaceholder},
      {"<input type=email placeholder=\"jo@shop.de\">", AddressFault::kPlaceholder},
      {"<input placeholder=jo@shop.de>", AddressFault::kPlaceholder},
      {"{\"emailPlaceholder\": \"jo@shop.de\"}", AddressFault::kPlaceholder},
      {"git clone git@github.com:owner/repo.git", AddressFault::kSourceControl},
      {"deploy@host.de:apps/site", AddressFault::kSourceControl},
      {"ssh -T git@gitlab.com", AddressFault::kSourceControl},
  };
  for (const FaultCase& c : cases)
    EXPECT_EQ(Verdicts(c.text).substr(Verdicts(c.text).find('=') + 1), std::string(AddressFaultName(c.fault)) + " ")
        << c.text;
  EXPECT_EQ(Found("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa@gmail.com 12345678901234567@qq.com"),
            "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa@gmail.com 12345678901234567@qq.com");
  EXPECT_EQ(Found("<p>jo@shop.de</p><input placeholder=\"jo@shop.de\">"), "jo@shop.de");
}

TEST(AddressRules, RulesFile) {
  EXPECT_FALSE(AddressRules::Parse("[placeholder domains]\nshop.de\n[/body]\n"));
  EXPECT_FALSE(AddressRules::Parse("[Address Rules]\r\n[placeholder domains]\r\nshop.de\r\n"));
  const auto rules = AddressRules::Parse("[Address Rules]\r\nfree text\r\n[Placeholder Domains]\r\n Shop.DE \r\n[/body]\r\n");
  ASSERT_TRUE(rules);
  EXPECT_EQ(rules->Judge("a@x.shop.de"), AddressFault::kPlaceholder);
  EXPECT_EQ(rules->Judge("your@email.com"), AddressFault::kNone);
  EXPECT_EQ(Found("a@shop.de b@b.de", PageBytes::kUtf8, *rules), "b@b.de");

  test::Sandbox sandbox;
  const Folders& folders = sandbox.folders();
  EXPECT_EQ(LoadAddressRules(folders), BuiltinAddressRules());
  sandbox.Write(kAddressRulesFileName, "[address rules]\n[tracking domains]\nshop.de\n");
  EXPECT_EQ(LoadAddressRules(folders), BuiltinAddressRules());  // incomplete
  sandbox.Write(kAddressRulesFileName, "[address rules]\n[tracking domains]\nshop.de\n[/body]\n");
  EXPECT_EQ(LoadAddressRules(folders)->Judge("a@shop.de"), AddressFault::kTracking);
}

TEST(AddressRules, FoundOncePerPageAndVerdict) {
  EXPECT_EQ(Verdicts("a@shop.de a@shop.de logo@2x.png logo@2x.png /a@shop.de"),
            "a@shop.de=address logo@2x.png=asset name a@shop.de=inside a URL ");
  // Past the first few hundred candidates of a page too.
  std::string page;
  for (int i = 0; i < 600; ++i) page += "u" + std::to_string(i) + "@shop.de ";
  const std::string verdicts = Verdicts(page + page);
  EXPECT_EQ(std::count(verdicts.begin(), verdicts.end(), ' '), 600);
}

}  // namespace
}  // namespace marvessa
