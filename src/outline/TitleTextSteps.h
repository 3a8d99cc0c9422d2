#pragma once

#include "outline/DblDocument.h"
#include "outline/OutlineSettings.h"

namespace pcbprep {

// The texts of the drawing file. GenerateDbl always calls both, last; each text
// decides from its own box and value whether it is written.

// Board name, subtitle and comment above the board (silk layer 17).
void AppendSilkTexts(DblDocument& doc, const OutlineSettings& s);
// One title per checked film, the assembly-drawing titles and the metal-mask text.
void AppendFilmTitles(DblDocument& doc, const OutlineSettings& s);

}  // namespace pcbprep
