#include "board/BoardFormat.h"

#include <algorithm>
#include <cctype>

#include "board/IdfBoard.h"
#include "board/KicadBoard.h"
#include "board/PlacementFile.h"

namespace pcbprep {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// One row per format; a new format is one more row and one writer file beside this one.
constexpr BoardFormat kBoardFormats[] = {
    {".kicad_pcb", u"KiCad 基板", WriteKicadBoard},
    {".emn", u"IDF 3.0 基板と部品外形 .emp 付き — メカ CAD 用", WriteIdfBoard},
    {".csv", u"部品配置 CSV — 実装用", WritePlacementCsv},
    {".pos", u"KiCad 部品位置 — 実装・他のレイアウトツール用", WritePlacementPos},
};

}  // namespace

std::span<const BoardFormat> BoardFormats() { return kBoardFormats; }

const BoardFormat* FindBoardFormat(const std::filesystem::path& output) {
  const std::string extension = Lower(output.extension().string());
  for (const BoardFormat& format : BoardFormats()) {
    if (extension == format.extension) return &format;
  }
  return nullptr;
}

}  // namespace pcbprep
