#pragma once

#include <filesystem>

#include "board/BoardFormat.h"

namespace pcbprep {

// A KiCad board (.kicad_pcb, KiCad 6 syntax, which KiCad 6, 7 and 8 open): every net, a
// footprint per part at its coordinates (from the libraries, else a stub with a pad per
// netlist pin), the groups, the board edge on Edge.Cuts, the mounting holes as
// footprints H1, H2, ... and the rest of the outline drawing on silk and user layers.
// The auxiliary origin is pcbprep's origin, so KiCad's position export gives back the
// part table's X and Y.
BoardOutput WriteKicadBoard(const BoardInput& input, const std::filesystem::path& output);

}  // namespace pcbprep
