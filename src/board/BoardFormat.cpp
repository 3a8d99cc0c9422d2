#include "board/BoardFormat.h"

#include <algorithm>
#include <cctype>

namespace pcbprep {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

// One row per format, kept in an array here once the first writer exists; a new format is
// one more row and one writer file beside this one.
std::span<const BoardFormat> BoardFormats() { return {}; }

const BoardFormat* FindBoardFormat(const std::filesystem::path& output) {
  const std::string extension = Lower(output.extension().string());
  for (const BoardFormat& format : BoardFormats()) {
    if (extension == format.extension) return &format;
  }
  return nullptr;
}

}  // namespace pcbprep
