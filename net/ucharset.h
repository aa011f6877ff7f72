// Charsets of the web and the core's text. The core's text is GBK; a character GBK cannot hold
// is kept in its GB18030 form (GB18030 is GBK's superset, byte for byte equal on everything GBK
// holds), so that nothing is lost and GBK readers still read all the rest.
#pragma once

#include <string>
#include <string_view>

namespace marvessa {

// The iconv name of a charset label as pages and headers write it ("gb2312", "Shift_JIS",
// "latin1", …), read the way browsers read them (GB2312 and GBK as GB18030, Shift_JIS as
// Windows-31J, ISO-8859-1 as windows-1252, EUC-KR as windows-949); empty when unknown.
std::string CharsetName(std::string_view label);

// The charset of a fetched page: the Content-Type header's charset when it names one, else a
// <meta> charset within the first 1,024 bytes, else UTF-8 when the page is valid UTF-8, else
// GB18030. Always an iconv name.
std::string PageCharset(std::string_view contentType, std::string_view page);

bool IsValidUtf8(std::string_view s);
// Appends the code point (at most 0x10FFFF) as UTF-8.
void AppendUtf8(std::string& out, long cp);

// Text of a charset as core text, and back; a GBK-family charset passes through unchanged.
std::string ToCoreText(std::string_view text, const std::string& charset);
std::string FromCoreText(std::string_view text, const std::string& charset);

// Every byte outside the unreserved URL characters (A-Z a-z 0-9 - . _ ~) as %XX; a blank as
// blank (for example "%20" or "+").
std::string PercentEncode(std::string_view bytes, std::string_view blank = "%20");
// Every byte outside printable ASCII (blanks and control bytes included) as %XX.
std::string PercentEncodeUnprintable(std::string_view bytes);
// %XX sequences as their bytes; anything else as it stands.
std::string PercentDecode(std::string_view text);

}  // namespace marvessa
