#include "board/BoardFormat.h"

#include <algorithm>
#include <cctype>

#include "board/KicadBoard.h"

namespace pcbprep {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

namespace {

// One row per format; a new format is one more row and one writer file beside this one.
constexpr BoardFormat kFormats[] = {
    {".kicad_pcb", u"KiCad 基板", WriteKicadBoard},
};

}  // namespace

std::span<const BoardFormat> BoardFormats() { return kFormats; }

const BoardFormat* FindBoardFormat(const std::filesystem::path& output) {
  const std::string extension = Lower(output.extension().string());
  for (const BoardFormat& format : BoardFormats()) {
    if (extension == format.extension) return &format;
  }
  return nullptr;
}

}  // namespace pcbprep
