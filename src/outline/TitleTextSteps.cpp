#include "outline/TitleTextSteps.h"

namespace pcbprep {

namespace {

// A text record and the CHAR record carrying its characters. Counts are characters,
// not code-page bytes: a Japanese character counts as one.
void AppendText(DblDocument& doc, const Text& textRecord, double count, const Text& chars) {
  doc.append(textRecord);
  doc.append(u"CHAR: NU=" + dblNumber(count) + u", " + chars + u"/");
}

// A film title at the bottom left of the board on the film's own layer.
Text FilmTitleRecord(int layer) {
  return u"TEXT: LE=" + IntText(layer) + u", AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/";
}

const char16_t* SolderSideSuffix(BoardType type) {
  switch (type) {
    case BoardType::kDoubleSided:
      return u"  L2";
    case BoardType::kFourLayer:
      return u"  L4";
    case BoardType::kSixLayer:
      return u"  L6";
    case BoardType::kNone:
      break;
  }
  return nullptr;
}

}  // namespace

void AppendSilkTexts(DblDocument& doc, const OutlineSettings& s) {
  // Height 2 and pen 6 are fixed; the window's height and width boxes for these texts
  // do not reach the drawing.
  const struct {
    bool on;
    const Text& value;
    double dy;
  } texts[] = {
      {s.boardName, s.boardNameValue, 4},
      {s.subtitle, s.subtitleValue, 8},
      {s.comment, s.commentValue, 12},
  };
  for (const auto& t : texts) {
    if (!t.on || t.value.empty()) continue;
    AppendText(doc,
               u"TEXT: LE=17, AP=6, NA=, X=" + dblNumber(s.width / 2 - 10) + u", Y=" +
                   dblNumber(s.height + t.dy) + u", HG=2, RO=0. MX=0, MY=0, JU=1/",
               static_cast<double>(t.value.size()), t.value);
  }
}

void AppendFilmTitles(DblDocument& doc, const OutlineSettings& s) {
  const FilmTitles& on = s.filmTitles;
  const Text& name = s.boardOrderName;
  // One count for every title: the name, two blanks and a two-letter film name. The
  // assembly titles have three letters but keep this count, as drawings made so far do.
  const double n = static_cast<double>(name.size()) + 4;
  auto title = [&](const Text& textRecord, const char16_t* suffix) {
    AppendText(doc, textRecord, n, name + suffix);
  };

  const struct {
    FilmTitle box;
    int layer;
    const char16_t* suffix;
  } innerFilms[] = {
      {kTitleComponentSide, 2, u"  L1"},
      {kTitleL2, 3, u"  L2"},
      {kTitleL3, 4, u"  L3"},
      {kTitleL4, 5, u"  L4"},
      {kTitleL5, 6, u"  L5"},
  };
  for (const auto& f : innerFilms) {
    if (on[f.box]) title(FilmTitleRecord(f.layer), f.suffix);
  }
  // The solder side is always layer 8; the board type only names it.
  if (on[kTitleSolderSide]) {
    if (const char16_t* suffix = SolderSideSuffix(s.boardType)) {
      title(FilmTitleRecord(8), suffix);
    }
  }
  const struct {
    FilmTitle box;
    int layer;
    const char16_t* suffix;
  } outerFilms[] = {
      {kTitleR1, 15, u"  R1"},
      {kTitleR2, 16, u"  R2"},
      {kTitleS1, 17, u"  S1"},
      {kTitleS2, 18, u"  S2"},
  };
  for (const auto& f : outerFilms) {
    if (on[f.box]) title(FilmTitleRecord(f.layer), f.suffix);
  }
  // Metal-mask films sit lower; M2 is printed from the other side, hence mirrored and
  // placed right of the centre.
  if (on[kTitleM1]) {
    title(u"TEXT: LE=19, AP=6, NA=, X=" + dblNumber(s.width / 2 - 15) +
              u", Y=-20, HG=3, RO=0. MX=0, MY=0, JU=1/",
          u"  M1");
  }
  if (on[kTitleM2]) {
    title(u"TEXT: LE=20, AP=6, NA=, X=" + dblNumber(s.width / 2 + 15) +
              u", Y=-20, HG=3, RO=0. MX=1, MY=0, JU=1/",
          u"  M2");
  }
  // An assembly drawing without a board order name would carry a bare suffix.
  if (!name.empty()) {
    if (on[kTitleAssembly1]) {
      title(u"TEXT: LE=21, AP=1, NA=, X=" + dblNumber(s.width - 30) +
                u", Y=-5, HG=2, RO=0. MX=0, MY=0, JU=1/",
            u"  BMH");
    }
    if (on[kTitleAssembly2]) {
      title(u"TEXT: LE=22, AP=1, NA=, X=" + dblNumber(s.width - 30) +
                u", Y=-5, HG=2, RO=0. MX=0, MY=0, JU=1/",
            u"  HMH");
    }
  }
  const Text& mask = s.metalMaskTextValue;
  if (s.metalMaskText && !mask.empty()) {
    AppendText(doc,
               u"TEXT: LE=19, AP=6, NA=, X=" + dblNumber(s.width / 2 - 15) +
                   u", Y=-26, HG=2.5, RO=0. MX=0, MY=0, JU=1/",
               static_cast<double>(mask.size()), mask);
  }
}

}  // namespace pcbprep
