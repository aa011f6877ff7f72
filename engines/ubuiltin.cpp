// The built-in engine catalogue, dated 2005-07-14: the engines' query URLs and result-page
// markup as they were on that date.
#include <array>

#include "engines/ucatalog.h"
#include "engines/uengine.h"

namespace marvessa {

namespace {

struct BuiltinEngine {
  const char* name;
  const char* scope;
  // Body lines 1..22: key, area, item, URL, title and summary markers, the four query pieces,
  // the next-page markers, step, order, first page, next mode and next prefix.
  std::array<const char*, 22> body;
};

// Google's result pages, the same markup in every language; lang and pieces fill the query.
constexpr BuiltinEngine Google(const char* name, const char* scope, const char* tld, const char* pageParam) {
  return {name,
          scope,
          {"google", "</head>", "</body>", "<p class=g>", "<font color=#008000>", "href=", " ", ">", "</a>", "</a>",
           "<font color=#008000>", "http://www.", tld, pageParam, "&sa=N", "href=/search?", "/nav_page.gif", "10", "0",
           "0", "0", ""}};
}

// AllTheWeb's result pages; the engine key stands in the query as its fixed source tag.
constexpr BuiltinEngine AllTheWeb(const char* name, const char* scope, const char* pageParam, const char* nextMode) {
  return {name,
          scope,
          {"yisou", "<div id=\"results\">", "<div id=\"footer\">", "<li class=\"res\">", "</li>", "<a class=\"res\" href=\"",
           "\"", "\">", "</a>", "<span class=\"resTeaser\">", "</span>", "http://www.alltheweb.com/search?cat=web&src=",
           "&q=", pageParam, "", "<a href=\"/search?", ">Next &raquo;</a>", "10", "0", "0", nextMode, ""}};
}

const BuiltinEngine kEngines[] = {
    {"中文雅虎", "0",
     {"yisou", "<body", "</body>", "<li>", "</li>", "<a href=\"", "\"", "\">", "</a>", "<br>", "</li>", "http://www.",
      ".com/search?p=", "&lang=zh-cn&f=&d=&u=&source=&b=", "", "<a href=\"/search?", ">下一页</a>", "10", "0", "0", "0",
      ""}},
    {"新浪", "0",
     {"sina", "<!-- 搜索结果 -->", "<!-- /搜索结果 -->", "<li>", "</li>", "href=", ">", ">", "</a>", "<br>", "</li>",
      "http://search.", ".com.cn/cgi-bin/search/search.cgi?ss=sina&_searchkey=", "&_andor=and&s=", "",
      "<a href=search.cgi?", ">下一页</a>", "30", "0", "1", "1", "http://search.sina.com.cn/cgi-bin/search/search.cgi?"}},
    {"网易", "0",
     {"163", "<div class=\"result\">", "<div class=\"page\">", "<h3>", "</h3>", "href=\"", "\"", "\">", "</a>", "<p>", "</p>",
      "http://search.", ".com/search.php?q=", "&page=", "", "<a href=", ">下一页</a>", "1", "0", "1", "0", ""}},
    {"中华网", "0",
     {"163", "<div class=\"result\">", "<div class=\"page\">", "<h3>", "</h3>", "href=\"", "\"", "\">", "</a>", "<p>", "</p>",
      "http://search.china.com/", "/search.php?q=", "&page=", "", "<a href=", ">下一页</a>", "1", "0", "1", "0", ""}},
    {"搜狐", "0",
     {"sohu", "<div id=\"content\">", "<div id=\"pagebar\">", "<div class=\"rb\">", "</div>", "href=\"", "\"", "\">",
      "</a>", "<div class=\"ft\">", "</div>", "http://www.", ".com/web?query=", "&page=", "", "<a href=\"",
      ">下一页</a>", "1", "0", "1", "0", ""}},
    {"3721", "0",
     {"3721", "<div id=\"result\">", "<div id=\"page\">", "<dt>", "</dt>", "href=\"", "\"", "\">", "</a>", "<dd>", "</dd>",
      "http://search.", ".com/so.asp?name=", "&page=", "", "<a href=\"so.asp?", ">下一页</a>", "1", "0", "1", "0", ""}},
    {"智多星", "0",
     {"tom", "<div class=\"rl\">", "<div class=\"pg\">", "<li>", "</li>", "href=\"", "\"", "\">", "</a>", "<br>", "</li>",
      "http://search.", ".com/search.php?w=", "&start=", "", "<a href=\"search.php?", ">下一页</a>", "10", "0", "0", "0",
      ""}},
    Google("中文 Google", "0", ".com/search?q=", "&hl=zh-CN&lr=lang_zh-CN&ie=GB2312&oe=GB2312&c2coff=1&start="),
    {"百度", "0",
     {"baidu", "<div id=\"wrapper\">", "<div class=\"p\">", "<td class=f>", "</td>", "href=\"", "\"", "target=\"_blank\">",
      "</a>", "<font size=-1>", "<br>", "http://www.", ".com/s?wd=", "&cl=3&pn=", "", "<a href=s?wd=", ">下一页</a>", "10",
      "0", "0", "0", ""}},
    {"中搜", "0",
     {"zhongsou", "<div class=\"resultList\">", "<div class=\"page\">", "<div class=\"ti\">", "</div>", "href=\"", "\"",
      "\">", "</a>", "<div class=\"ab\">", "</div>", "http://p.", ".com/p?w=", "&b=", "", "<a href=\"p?w=", ">下一页</a>",
      "10", "0", "1", "0", ""}},
    {"首都在线", "0",
     {"3721", "<div id=\"result\">", "<div id=\"page\">", "<dt>", "</dt>", "href=\"", "\"", "\">", "</a>", "<dd>", "</dd>",
      "http://263.search.", ".com/so.asp?name=", "&page=", "", "<a href=\"so.asp?", ">下一页</a>", "1", "0", "1", "0", ""}},
    {"一搜", "0",
     {"yahoo", "<div id=\"yschweb\">", "<div id=\"yschpg\">", "<li>", "</li>", "href=\"", "\"", "\">", "</a>",
      "<div class=yschabstr>", "</div>", "http://cn.search.", ".com/search?p=", "&ei=gbk&b=", "", "<a href=\"/search?",
      ">下一页</a>", "10", "0", "1", "0", ""}},
    {"蓝帆", "0",
     {"sina", "<table class=\"result\">", "</table>", "<tr><td>", "</td></tr>", "href=\"", "\"", "\">", "</a>", "<br>",
      "</td>", "http://search.linefan.com/", "/search.asp?q=", "&start=", "", "<a href=\"search.asp?", ">下一页</a>", "10",
      "0", "0", "0", ""}},
    {"搜狗", "0",
     {"sogou", "<div class=\"results\">", "<div id=\"pagebar\">", "<h3 class=\"pt\">", "</h3>", "href=\"", "\"", "\">",
      "</a>", "<div class=\"ft\">", "</div>", "http://www.", ".com/web?query=", "&page=", "", "<a href=\"?query=",
      ">下一页</a>", "1", "0", "1", "0", ""}},
    {"英文 Yahoo", "1",
     {"yahoo", "<div id=\"yschweb\">", "<div id=\"yschpg\">", "<li>", "</li>", "href=\"", "\"", "\">", "</a>",
      "<div class=yschabstr>", "</div>", "http://search.", ".com/search?p=", "&ei=UTF-8&b=", "", "<a href=\"/search?",
      ">Next</a>", "10", "0", "1", "0", ""}},
    AllTheWeb("英文 AllTheWeb", "1", "&l=en&o=", "0"),
    Google("英文 Google", "1", ".com/search?q=", "&hl=en&lr=lang_en&start="),
    {"HotBot", "1",
     {"hotbot", "<div class=\"results\">", "<div class=\"pagination\">", "<div class=\"result\">", "</div>", "href=\"",
      "\"", "\">", "</a>", "<div class=\"description\">", "</div>", "http://www.", ".com/default.asp?query=", "&first=",
      "", "<a href=\"/default.asp?", ">Next</a>", "10", "0", "1", "0", ""}},
    {"Lycos", "1",
     {"lycos", "<ol class=\"results\">", "</ol>", "<li>", "</li>", "href=\"", "\"", "\">", "</a>", "<br>", "</li>",
      "http://search.", ".com/default.asp?query=", "&first=", "", "<a href=\"/default.asp?", ">Next</a>", "10", "0", "1",
      "0", ""}},
    {"Kazazz", "1",
     {"alltheweb", "<div class=\"results\">", "<div class=\"nav\">", "<div class=\"hit\">", "</div>", "<a href=\"", "\"",
      "<b>", "</b>", "<span>", "</span>", "http://www.kazazz.com/search?src=", "&q=", "&o=", "", "<a href=\"/search?",
      ">Next</a>", "10", "2", "0", "0", ""}},
    Google("Google", "2", ".com/search?q=", "&hl=zh-TW&lr=lang_zh-TW&ie=Big5&oe=Big5&start="),
    AllTheWeb("AllTheWeb", "2", "&l=zh&o=", "0"),
    {"繁体雅虎", "2",
     {"yahoo", "<div id=\"yschweb\">", "<div id=\"yschpg\">", "<li>", "</li>", "href=\"", "\"", "\">", "</a>",
      "<div class=yschabstr>", "</div>", "http://tw.search.", ".com/search?p=", "&ei=Big5&b=", "", "<a href=\"/search?",
      ">下一頁</a>", "10", "0", "1", "0", ""}},
    Google("香港 Google", "2", ".com.hk/search?q=", "&hl=zh-TW&ie=Big5&oe=Big5&start="),
    Google("法文 Google", "3", ".fr/search?q=", "&hl=fr&lr=lang_fr&start="),
    AllTheWeb("法文 AllTheWeb", "3", "&l=fr&o=", "0"),
    Google("俄文 Google", "4", ".ru/search?q=", "&hl=ru&lr=lang_ru&start="),
    AllTheWeb("俄文 AllTheWeb", "4", "&l=ru&o=", "0"),
    Google("德文 Google", "5", ".de/search?q=", "&hl=de&lr=lang_de&start="),
    AllTheWeb("德文 AllTheWeb", "5", "&l=de&o=", ""),
    Google("日文 Google", "6", ".co.jp/search?q=", "&hl=ja&lr=lang_ja&start="),
    AllTheWeb("日文 AllTheWeb", "6", "&l=ja&o=", "0"),
    Google("意大利文 Google", "7", ".it/search?q=", "&hl=it&lr=lang_it&start="),
    AllTheWeb("意大利文 AllTheWeb", "7", "&l=it&o=", "0"),
};

Lines MakeBuiltinCatalog() {
  Lines lines{"[qemosearchengine]", "请勿修改!", "2005-07-14", "[head]"};
  for (const auto& engine : kEngines) lines.insert(lines.end(), {engine.name, engine.scope, "", "", ""});
  lines.insert(lines.end(), {"[/head]", "[body]"});
  for (const auto& engine : kEngines) {
    lines.insert(lines.end(), engine.body.begin(), engine.body.end());
    lines.insert(lines.end(), kEngineBlockLines - engine.body.size(), std::string());
  }
  lines.emplace_back("[/body]");
  return lines;
}

}  // namespace

const EngineCatalog& BuiltinCatalog() {
  static const EngineCatalog catalog = MakeBuiltinCatalog();
  return catalog;
}

}  // namespace marvessa
