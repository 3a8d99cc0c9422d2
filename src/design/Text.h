#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pcbprep {

// Every cell and box text is UTF-16; size() is the character count used by the
// list layouts and the record lengths.
using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 <-> UTF-16 for the command line and for tests. Invalid UTF-8 becomes U+FFFD.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);
// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF), and whether they are all ASCII.
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

// Decimal text of an integer, as the tables store counts and coordinates.
Text IntText(long long value);

// At most kQuoteLimit characters of a text and "…" when it was longer, never between
// the halves of a surrogate pair: what a message quotes of a file's line or cell.
inline constexpr std::size_t kQuoteLimit = 60;
Text QuotedPart(TextView text);

// Left- and right-aligned fields: padded with spaces to the width, never cut.
Text PadRight(TextView value, std::size_t width);
Text PadLeft(TextView value, std::size_t width);

// Blanks skipped at the start of an item and of a number: spaces and tabs.
inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// True when text begins with prefix (a shorter text never matches).
inline bool StartsWith(TextView text, TextView prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

}  // namespace pcbprep
