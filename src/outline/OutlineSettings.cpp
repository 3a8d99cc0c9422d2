#include "outline/OutlineSettings.h"

namespace pcbprep {

FilmTitles BoardTypePreset(BoardType type) {
  // Inner layers follow the layer count; the rest is the same for every type.
  const bool four = type == BoardType::kFourLayer || type == BoardType::kSixLayer;
  const bool six = type == BoardType::kSixLayer;
  if (type == BoardType::kNone) return FilmTitles{};
  FilmTitles t{};
  t[kTitleComponentSide] = true;
  t[kTitleL2] = four;
  t[kTitleL3] = four;
  t[kTitleL4] = six;
  t[kTitleL5] = six;
  t[kTitleSolderSide] = true;
  t[kTitleR1] = true;
  t[kTitleR2] = true;
  t[kTitleS1] = true;
  t[kTitleS2] = false;
  t[kTitleM1] = true;
  t[kTitleM2] = false;
  t[kTitleAssembly1] = true;
  t[kTitleAssembly2] = false;
  return t;
}

}  // namespace pcbprep
