#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board/FootprintMap.h"
#include "design/Design.h"
#include "design/Text.h"
#include "drawing/DblReader.h"

namespace pcbprep {

// Board files for other tools (layout, mechanical CAD, assembly) made from the design as
// it stands after any step: the part table, the nets and the board outline. Each format
// is one writer behind the table of board formats, chosen by the output's extension.

// The clusters the coordinates were computed from, which a format may keep together.
enum class BoardGroups {
  kNone,
  kByMainPart,  // per anchor: the main or semi part and the parts attached to it
  kByGroup,     // per group text
};

// What every board writer reads.
struct BoardInput {
  const Design* design = nullptr;  // parts, nets and what the netlist said of each part
  // The drawing of the outline settings; without it the board is the rectangle
  // BoardSizeX × BoardSizeY of the design.
  std::optional<DblDrawing> outline;
  FootprintMap footprints = DefaultFootprintMap();   // symbol name -> LIB:NAME (and height)
  std::vector<std::filesystem::path> footprintDirs;  // library folders, searched in order
  BoardGroups groups = BoardGroups::kNone;
  double thickness = 1.6;  // mm, for the formats that carry it (IDF)
};

// One file a writer makes, bytes as they go to disk.
struct BoardFile {
  std::filesystem::path path;
  std::string bytes;
};

// What a writer gives back. Nothing is written to disk by the writer itself: the caller
// saves every file atomically once the writer has succeeded.
struct BoardOutput {
  std::vector<BoardFile> files;
  Text summary;                // one line for the status bar and standard error
  std::vector<Text> warnings;  // what the user should know, one line each
};

// A writer: the files for the output path the user chose. A user error (a bad input the
// format cannot carry) throws BoardError; nothing is written then.
using BoardWriter = BoardOutput (*)(const BoardInput& input, const std::filesystem::path& output);

struct BoardError {
  Text message;
};

struct BoardFormat {
  const char* extension;  // lower case, with the dot: ".kicad_pcb"
  const char16_t* name;   // what the help and the save dialog show
  BoardWriter write;
};

// Every board format, in the order help texts and dialogs list them.
std::span<const BoardFormat> BoardFormats();

// The format for an output path by its extension (letter case ignored), or nullptr.
const BoardFormat* FindBoardFormat(const std::filesystem::path& output);

}  // namespace pcbprep
