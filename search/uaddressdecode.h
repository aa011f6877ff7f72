// The page as its reader sees the addresses on it. Pages hide or encode addresses in many ways
// ("&#64;", "\u0040", "info [at] firm [dot] com", a full-width "＠"); the address finder reads a
// decoded copy of the page, so that the page itself, and every position in it that titles and
// links are cut at, stays as fetched.
#pragma once

#include <string>
#include <string_view>

namespace marvessa {

// How a page's bytes stand for characters, as far as finding addresses needs to know: in the
// double-byte charsets (GBK, Big5, Shift_JIS) the second byte of a character can be an ASCII
// letter or "@" and must never be read on its own.
enum class PageBytes { kUtf8, kGbk, kBig5, kShiftJis, kSingleByte };

// The layout of a page of that charset, as PageCharset names it: GB18030, BIG5-HKSCS and CP932
// are double-byte charsets; every charset other than UTF-8 and those is read byte by byte (a
// second byte of EUC is never ASCII).
PageBytes PageBytesOf(std::string_view charset);

// The decoded copy: HTML character references and JavaScript or JSON escapes decoded; full-width
// forms made ASCII; the bracketed obfuscations "[at]", "(at)", "{at}", "[dot]", "(dot)", "{dot}"
// (any letter case, blanks allowed inside, full-width brackets too) made "@" and "." with the
// blanks on both sides dropped; zero-width characters dropped; no-break and ideographic spaces
// made blanks. Every other character stays, but none outside ASCII can be read as an ASCII
// character. The copy is never longer than the page.
std::string DecodeForAddresses(std::string_view page, PageBytes bytes);

}  // namespace marvessa
