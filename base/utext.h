// Byte-wise text helpers for the GBK strings the core works with.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marvessa {

using Lines = std::vector<std::string>;

// Bytes of value 32 or less count as blanks.
constexpr bool IsBlank(unsigned char c) { return c <= 32; }
// A GBK double-byte character starts with a byte in 0x81..0xFE.
constexpr bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string Trim(std::string_view s);
// The same text without its blanks at either end, without a copy. Inline: every link of a page
// is trimmed several times, mostly with nothing to trim.
inline std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}
std::string TrimLeft(std::string_view s);
bool IsBlankText(std::string_view s);
// A byte below 32 or DEL.
bool HasControlByte(std::string_view s);

// Lower-cases only A..Z, so the copy has the same length and positions carry over.
std::string LowerAscii(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view s, std::string_view prefix);
bool Contains(std::string_view s, std::string_view part);

// 0-based search ignoring ASCII case; npos when not found or when the needle is empty.
std::size_t FindNoCase(std::string_view hay, std::string_view needle, std::size_t from = 0);

// 1-based position of the first occurrence (exact bytes), 0 when there is none or the part is empty.
std::size_t Pos(std::string_view part, std::string_view s);

// Delete each occurrence of find and insert repl at its place until none is left.
// Nothing happens for an empty find; repl must not contain find.
void ReplaceAll(std::string_view find, std::string_view repl, std::string& text);
void RemoveChars(std::string& text, std::string_view chars);

// 0..15 for a hexadecimal digit of either case, -1 for any other character.
int HexDigitValue(char c);

// Decimal integer with an optional sign, or hexadecimal with a leading 0x or 0X.
std::optional<int> ParseInt(std::string_view s);
std::optional<int> ParseDecimal(std::string_view s);
std::string IntToText(long long v);

// Lines end at CR LF, a lone CR or a lone LF; a final line end adds no empty line.
Lines SplitLines(std::string_view text);
// The same lines as views into text, handed one by one to visit(line) until it returns false,
// so that a long text is read without a copy of its lines.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    // Taken before the visit, which may write over the line end that follows its line.
    const std::size_t next = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    if (!visit(text.substr(start, end - start))) return;
    start = next;
  }
}
// Every line, the last one included, followed by CR LF.
std::string JoinLinesCrLf(const Lines& lines);
// First line equal to marker, ignoring ASCII case; -1 when there is none.
int IndexOfLineNoCase(const Lines& lines, std::string_view marker, int from = 0);
// The same over the lines of a text, as ForEachLine takes them.
int IndexOfLineNoCase(std::string_view text, std::string_view marker, int from = 0);

// Converts between two iconv charsets; bytes the source charset cannot decode, and characters
// the target cannot hold, are passed over. Throws when iconv knows either charset not. Each
// thread keeps the converters it has opened, so converting many short texts is cheap.
std::string ConvertText(std::string_view in, const char* to, const char* from);
// Conversion between the core's GBK text and UTF-8 (GB18030, so no typed character is lost).
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace marvessa
