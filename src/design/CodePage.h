#pragma once

#include <string>
#include <vector>

#include "design/Text.h"

namespace pcbprep {

// Code page 932 (Shift_JIS with the vendor extensions) through glibc iconv "CP932".

struct DecodeResult {
  Text text;
  std::size_t invalidBytes = 0;  // byte sequences replaced by U+FFFD
};

// The UTF-8 byte-order mark editors write at the start of a file; a file that starts
// with it is read as UTF-8 rather than code page 932.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Decodes bytes; sequences that are not valid code page 932 become U+FFFD each, so
// reading never stops short.
DecodeResult DecodeCp932(std::string_view bytes);

struct EncodeResult {
  std::string bytes;
  Text unmappable;  // distinct characters the code page cannot hold, in text order
  bool ok() const { return unmappable.empty(); }
};

// Encodes text; characters without a code page 932 form, or whose form reads back as
// another character (〜 − ‖ ¥ ‾ ¬ and the like), are collected in unmappable (and
// written as "?" in bytes, which callers should not save).
EncodeResult EncodeCp932(TextView text);

}  // namespace pcbprep
