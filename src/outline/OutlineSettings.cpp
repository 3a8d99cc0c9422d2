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

void ChooseBoardType(OutlineSettings& settings, BoardType type) {
  settings.boardType = type;
  settings.filmTitles = BoardTypePreset(type);
}

std::vector<Text> HoleDiameterItems() {
  return {u"穴径　２.０ｍｍ------", u"穴径　２.２ｍｍ",      u"穴径　２.５ｍｍ",
          u"穴径　３.０ｍｍ",       u"穴径　３.２ｍｍ",      u"穴径　３.５ｍｍ",
          u"穴径　４.０ｍｍ",       u"穴径　４.５ｍｍ------"};
}

std::vector<Text> HoleArrangementItems() {
  return {u"コーナー４穴", u"６　穴---------------", u"８　穴---------------",
          u"９　穴---------------"};
}

}  // namespace pcbprep
