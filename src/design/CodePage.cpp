#include "design/CodePage.h"

#include <iconv.h>

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
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
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

Text FromUtf16Le(const std::string& bytes) {
  Text out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

}  // namespace

DecodeResult DecodeCp932(std::string_view bytes) {
  DecodeResult result;
  Converter cv("UTF-16LE", "CP932");
  std::string input(bytes);
  char* in = input.data();
  std::size_t left = input.size();
  std::string utf16;
  utf16.reserve(input.size() * 2);
  while (!cv.convert(in, left, utf16)) {
    // Replace the offending byte and go on with the next one.
    utf16.push_back(static_cast<char>(0xFD));
    utf16.push_back(static_cast<char>(0xFF));
    ++result.invalidBytes;
    ++in;
    --left;
    cv.reset();
  }
  result.text = FromUtf16Le(utf16);
  return result;
}

EncodeResult EncodeCp932(TextView text) {
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

}  // namespace pcbprep
