#include "design/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace pcbprep {

namespace {

// Owns one iconv descriptor for the duration of a conversion.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv_open failed: ") + from + " -> " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as possible; returns false at an invalid or incomplete sequence,
  // leaving in/inLeft at the offending input.
  bool convert(char*& in, std::size_t& inLeft, std::string& out) {
    return convertTo(in, inLeft, [&out](const char* data, std::size_t n) { out.append(data, n); });
  }
  // The same, handing each converted piece to `append(data, size)`; iconv writes whole
  // characters only, so a piece never ends inside one.
  template <typename Append>
  bool convertTo(char*& in, std::size_t& inLeft, Append append) {
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (rc == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG) continue;
        return false;
      }
    }
    return true;
  }
  void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

 private:
  iconv_t cd_;
};

// Appends UTF-16LE bytes to a text.
void AppendUtf16Le(Text& out, const char* bytes, std::size_t size) {
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
}

}  // namespace

namespace {

// A lead byte of a double-byte character of the code page: the byte after it is its
// second half, even where that is an ASCII code.
bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

DecodeResult DecodeCp932(std::string_view bytes) {
  DecodeResult result;
  Converter cv("UTF-16LE", "CP932");
  result.text.reserve(bytes.size());  // one unit per byte at most
  const auto append = [&result](const char* data, std::size_t n) {
    AppendUtf16Le(result.text, data, n);
  };
  std::size_t at = 0;
  while (at < bytes.size()) {
    // ASCII is the same in the code page: only runs of other characters go to iconv.
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) {
      result.text.push_back(static_cast<char16_t>(bytes[at++]));
    }
    std::size_t end = at;
    while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x80) {
      end += IsLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
    }
    end = std::min(end, bytes.size());
    // iconv takes a non-const pointer but only reads the input.
    char* in = const_cast<char*>(bytes.data() + at);
    std::size_t left = end - at;
    while (!cv.convertTo(in, left, append)) {
      // Replace the offending byte and go on with the next one.
      result.text.push_back(u'\uFFFD');
      ++result.invalidBytes;
      ++in;
      --left;
      cv.reset();
    }
    at = end;
  }
  return result;
}

namespace {

// Encodes with iconv; characters without a form collected as unmappable, written "?".
EncodeResult EncodeOnce(TextView text) {
  EncodeResult result;
  Converter cv("CP932", "UTF-16LE");
  std::string input(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    input[2 * i] = static_cast<char>(text[i] & 0xFF);
    input[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  char* in = input.data();
  std::size_t left = input.size();
  while (!cv.convert(in, left, result.bytes)) {
    // One UTF-16 unit (two for a surrogate pair) has no form in the code page.
    const std::size_t index = (input.size() - left) / 2;
    std::size_t units = 1;
    if (text[index] >= 0xD800 && text[index] <= 0xDBFF && index + 1 < text.size()) units = 2;
    const TextView bad = text.substr(index, units);
    if (result.unmappable.find(bad) == Text::npos) result.unmappable.append(bad);
    result.bytes.push_back('?');
    in += 2 * units;
    left -= 2 * units;
    cv.reset();
  }
  return result;
}

}  // namespace

EncodeResult EncodeCp932(TextView text) {
  EncodeResult result = EncodeOnce(text);
  if (!result.ok() || DecodeCp932(result.bytes).text == text) return result;
  // Some character reads back as another (WAVE DASH as FULLWIDTH TILDE and the like):
  // it is not writable either. Rare, so found character by character.
  Text unmappable;
  std::string bytes;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t units =
        (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
    const TextView character = text.substr(i, units);
    i += units;
    if (units == 1 && character[0] < 0x80) {
      bytes.push_back(static_cast<char>(character[0]));
      continue;
    }
    const EncodeResult one = EncodeOnce(character);
    if (one.ok() && DecodeCp932(one.bytes).text == character) {
      bytes += one.bytes;
    } else {
      if (unmappable.find(character) == Text::npos) unmappable.append(character);
      bytes.push_back('?');
    }
  }
  result.bytes = std::move(bytes);
  result.unmappable = std::move(unmappable);
  return result;
}

}  // namespace pcbprep
