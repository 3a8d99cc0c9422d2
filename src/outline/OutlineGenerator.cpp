#include "outline/OutlineGenerator.h"

#include "outline/HoleMarkPlaneSteps.h"
#include "outline/TitleTextSteps.h"

namespace pcbprep {

DblDocument GenerateDbl(const OutlineSettings& s) {
  DblDocument doc;
  const bool fourCornerHoles = HoleArrangementMakesHoles(s.holeArrangement);
  if (s.outline) AppendBoardOutline(doc, s);
  if (s.wiringArea) AppendWiringArea(doc, s);
  if (s.outlineDimensions) AppendOutlineDimensions(doc, s);
  if (s.holeDimensions && fourCornerHoles) AppendHoleDimensions(doc, s);
  if (s.placementGuides) AppendPlacementGuides(doc, s);
  if (s.holeData && fourCornerHoles) AppendMountingHoles(doc, s);
  if (s.resistFrame) AppendResistFrame(doc, s);
  if (s.cornerMarks) AppendCornerMarks(doc, s);
  if (s.metalMaskCornerMarks) AppendMetalMaskCornerMarks(doc, s);
  if (s.groundPlane) AppendGroundPlane(doc, s);
  if (s.outerLayerPlanes) AppendOuterLayerPlanes(doc, s);
  AppendSilkTexts(doc, s);
  AppendFilmTitles(doc, s);
  doc.finish();
  return doc;
}

namespace {

// A computed value in a record.
Text N(double value) { return dblNumber(value); }

// The length of a value written plainly, with a leading zero and no leading blank:
// 2 counts 1, 2.5 and 0.5 count 3.
std::size_t PlainLength(double value) {
  Text text = dblNumber(value);
  if (!text.empty() && text.front() == u' ') text.erase(0, 1);
  const std::size_t point = text.find(u'.');
  const bool bareFraction = point == 0 || (point == 1 && text.front() == u'-');
  return text.size() + (bareFraction ? 1 : 0);
}

void AppendSquareOutline(DblDocument& doc, double w, double h) {
  const Text l = u"LINE: LE= 23,AP= 1, NA=,";
  doc.append(l + u" X= 0, Y= 0, X= " + N(w) + u", Y= 0/");
  doc.append(l + u" X= " + N(w) + u", Y= 0, X= " + N(w) + u", Y= " + N(h) + u"/");
  doc.append(l + u" X= 0, Y= 0, X= 0, Y=" + N(h) + u"/");
  doc.append(l + u" X= 0, Y= " + N(h) + u", X= " + N(w) + u", Y= " + N(h) + u"/");
}

void AppendRoundedOutline(DblDocument& doc, double w, double h, double r) {
  const Text l = u"LINE: LE= 23,AP= 1, NA=,";
  const Text a = u"ARC: LE= 23,AP= 1, NA=,";
  doc.append(l + u" X=" + N(r) + u", Y= 0, X= " + N(w - r) + u", Y= 0/");
  doc.append(a + u" X=" + N(r) + u",Y=" + N(r) + u",RA=" + N(r) + u",ST= 180: DT=90/");
  doc.append(l + u" X= " + N(w) + u", Y=" + N(r) + u", X= " + N(w) + u", Y= " + N(h - r) + u"/");
  doc.append(a + u" X=" + N(w - r) + u",Y=" + N(r) + u",RA=" + N(r) + u",ST= 270: DT= 90/");
  doc.append(l + u" X= 0, Y=" + N(r) + u", X= 0, Y=" + N(h - r) + u"/");
  doc.append(a + u" X=" + N(w - r) + u",Y=" + N(h - r) + u",RA=" + N(r) + u",ST= 0: DT= 90/");
  doc.append(l + u" X=" + N(r) + u", Y=" + N(h) + u", X= " + N(w - r) + u", Y= " + N(h) + u"/");
  doc.append(a + u" X=" + N(r) + u",Y=" + N(h - r) + u",RA=" + N(r) + u",ST= 90: DT=90/");
}

void AppendChamferedOutline(DblDocument& doc, double w, double h, double r) {
  const Text l = u"LINE: LE= 23,AP= 1, NA=,";
  doc.append(l + u" X=" + N(r) + u", Y= 0, X= " + N(w - r) + u", Y= 0/");
  doc.append(l + u" X= 0, Y=" + N(r) + u", X=" + N(r) + u", Y= 0/");
  doc.append(l + u" X=" + N(w) + u", Y=" + N(r) + u", X= " + N(w) + u", Y= " + N(h - r) + u"/");
  doc.append(l + u" X=" + N(w - r) + u", Y= 0, X=" + N(w) + u", Y=" + N(r) + u"/");
  doc.append(l + u" X= 0, Y=" + N(r) + u", X= 0, Y=" + N(h - r) + u"/");
  doc.append(l + u" X= 0, Y=" + N(h - r) + u",X=" + N(r) + u", Y=" + N(h) + u"/");
  doc.append(l + u" X=" + N(r) + u", Y=" + N(h) + u", X= " + N(w - r) + u", Y= " + N(h) + u"/");
  doc.append(l + u" X=" + N(w - r) + u", Y= " + N(h) + u",X=" + N(w) + u", Y= " + N(h - r) + u"/");
}

// The area 4 mm inside the outline that keeps 5 mm free around each corner hole.
void AppendWiringAreaAroundHoles(DblDocument& doc, double w, double h, double p) {
  const Text l = u"LINE: LE= 11,AP= 1, NA=,";
  const Text a = u"ARC: LE= 11,AP= 1, NA=,";
  doc.append(l + u" X=" + N(p + 5) + u", Y= 4, X= " + N(w - p - 5) + u", Y= 4/");
  doc.append(l + u" X= " + N(w - 4) + u", Y=" + N(p + 5) + u", X= " + N(w - 4) + u", Y= " +
             N(h - p - 5) + u"/");
  doc.append(l + u" X= 4, Y=" + N(p + 5) + u", X= 4, Y=" + N(h - p - 5) + u"/");
  doc.append(l + u" X=" + N(p + 5) + u", Y= " + N(h - 4) + u", X= " + N(w - p - 5) + u", Y= " +
             N(h - 4) + u"/");
  if (p >= 4) {
    doc.append(a + u" X=" + N(p) + u", Y=" + N(p) + u", RA=   5, ST=   0, DT= 90/");
    doc.append(a + u" X=" + N(w - p) + u", Y=" + N(p) + u", RA=   5, ST= 90, DT= 90/");
    doc.append(a + u" X=" + N(w - p) + u", Y=" + N(h - p) + u", RA=   5, ST=   180, DT= 90/");
    doc.append(a + u" X=" + N(p) + u", Y=" + N(h - p) + u", RA=   5, ST= 270, DT= 90/");
  }
  if (p > 4) {
    // The arcs end short of the sides: join them.
    doc.append(l + u" X=" + N(p + 5) + u", Y= 4, X= " + N(p + 5) + u", Y=" + N(p) + u"/");
    doc.append(l + u" X= 4, Y=" + N(p + 5) + u", X= " + N(p) + u", Y=" + N(p + 5) + u"/");
    doc.append(l + u" X=" + N(w - p - 5) + u", Y= 4, X= " + N(w - p - 5) + u", Y=" + N(p) + u"/");
    doc.append(l + u" X=" + N(w - 4) + u", Y=" + N(p + 5) + u", X= " + N(w - p) + u", Y=" +
               N(p + 5) + u"/");
    doc.append(l + u" X= 4, Y=" + N(h - p - 5) + u", X= " + N(p) + u", Y=" + N(h - p - 5) + u"/");
    doc.append(l + u" X=" + N(p + 5) + u", Y=" + N(h - 4) + u", X= " + N(p + 5) + u", Y=" +
               N(h - p) + u"/");
    doc.append(l + u" X=" + N(w - p - 5) + u", Y=" + N(h - 4) + u", X= " + N(w - p - 5) + u", Y=" +
               N(h - p) + u"/");
    doc.append(l + u" X=" + N(w - 4) + u", Y=" + N(h - p - 5) + u", X= " + N(w - p) + u", Y=" +
               N(h - p - 5) + u"/");
  } else if (p < 4) {
    // Holes this close to the edge leave no room for arcs: cut the corners instead.
    doc.append(l + u" X=" + N(p + 5) + u", Y= 4, X= 4, Y=" + N(p + 5) + u"/");
    doc.append(l + u" X=" + N(w - p - 5) + u", Y= 4, X=" + N(w - 4) + u", Y=" + N(p + 5) + u"/");
    doc.append(l + u" X= 4, Y=" + N(h - p - 5) + u",X=" + N(p + 5) + u", Y= " + N(h - 4) + u"/");
    doc.append(l + u" X=" + N(w - p - 5) + u", Y= " + N(h - 4) + u",X= " + N(w - 4) + u", Y= " +
               N(h - p - 5) + u"/");
  }
}

// A plain rectangle inset by a margin that depends on the hole diameter. The margin
// goes into the records as its own text, without the leading blank of a number.
void AppendInsetWiringArea(DblDocument& doc, double w, double h, int holeDiameter) {
  const bool small = holeDiameter == kHole20 || holeDiameter == kHole22;
  const Text m = small ? u"2.5" : holeDiameter == kHole30 ? u"3" : u"4";
  const double mv = small ? 2.5 : holeDiameter == kHole30 ? 3 : 4;
  const Text l = u"LINE: LE= 11,AP= 1, NA=,";
  doc.append(l + u" X= " + m + u", Y=" + m + u", X= " + N(w - mv) + u", Y=" + m + u"/");
  doc.append(l + u" X= " + N(w - mv) + u", Y=" + m + u", X= " + N(w - mv) + u", Y= " + N(h - mv) +
             u"/");
  doc.append(l + u" X=" + m + u", Y=" + m + u", X=" + m + u", Y=" + N(h - mv) + u"/");
  doc.append(l + u" X=" + m + u", Y= " + N(h - mv) + u", X= " + N(w - mv) + u", Y= " + N(h - mv) +
             u"/");
}

void AppendCornerSizeNote(DblDocument& doc, double w, double h, double r, char16_t letter) {
  const Text l = u"LINE: LE= 25, AP= 1, NA=,";
  doc.append(l + u" X=" + N(w) + u", Y=" + N(h) + u", X=" + N(w + 5) + u", Y=" + N(h + 5) + u"/");
  doc.append(l + u" X=" + N(w) + u", Y=" + N(h) + u", X=" + N(w + 2) + u", Y=" + N(h + 1.5) + u"/");
  doc.append(l + u" X=" + N(w) + u", Y=" + N(h) + u", X=" + N(w + 1.5) + u", Y=" + N(h + 2) + u"/");
  doc.append(l + u" X=" + N(w + 5) + u", Y=" + N(h + 5) + u", X=" + N(w + 20) + u", Y=" + N(h + 5) +
             u"/");
  doc.append(u"TEXT: LE=25, AP=1, NA=, X=" + N(w + 6) + u", Y=" + N(h + 5.5) +
             u", HG=1.5, RO=0. MX=0, MY=0, JU=1/");
  doc.append(u"CHAR: NU=" + N(static_cast<double>(PlainLength(r))) + u", " + letter + dblFixed2(r) +
             u" X4/");
}

}  // namespace

void AppendBoardOutline(DblDocument& doc, const OutlineSettings& s) {
  switch (s.corner) {
    case CornerTreatment::kSquare:
      AppendSquareOutline(doc, s.width, s.height);
      break;
    case CornerTreatment::kRounded:
      AppendRoundedOutline(doc, s.width, s.height, s.cornerSize);
      break;
    case CornerTreatment::kChamfered:
      AppendChamferedOutline(doc, s.width, s.height, s.cornerSize);
      break;
    case CornerTreatment::kNone:
      break;
  }
}

void AppendWiringArea(DblDocument& doc, const OutlineSettings& s) {
  // Only the 3.2 and 3.5 mm corner holes get an area shaped around them.
  const bool aroundHoles = (s.holeDiameter == kHole32 || s.holeDiameter == kHole35) &&
                           HoleArrangementMakesHoles(s.holeArrangement);
  if (aroundHoles) {
    AppendWiringAreaAroundHoles(doc, s.width, s.height, s.holeOffset);
  } else {
    AppendInsetWiringArea(doc, s.width, s.height, s.holeDiameter);
  }
}

void AppendOutlineDimensions(DblDocument& doc, const OutlineSettings& s) {
  const double w = s.width;
  const double h = s.height;
  const Text l = u"LINE: LE= 25, AP= 1, NA=,";
  const Text nw = N(static_cast<double>(N(w).size()));
  const Text nh = N(static_cast<double>(N(h).size()));

  doc.append(l + u" X= 0, Y= -1, X=  0, Y= -11/");
  doc.append(l + u" X=" + N(w) + u", Y= -1, X=" + N(w) + u", Y= -11/");
  doc.append(l + u" X= 0, Y= -9, X=" + N(w) + u", Y= -9/");
  doc.append(l + u" X= 0, Y= -9, X=  2, Y= -8.5/");
  doc.append(l + u" X= 0, Y= -9, X=  2, Y= -9.5/");
  doc.append(l + u" X=" + N(w) + u", Y= -9, X=" + N(w - 2) + u", Y= -8.5/");
  doc.append(l + u" X=" + N(w) + u", Y= -9, X=" + N(w - 2) + u", Y= -9.5/");
  doc.append(u"TEXT: LE= 25, AP= 1, NA=, X=" + N(w / 2 - 5) +
             u", Y=-8.5, HG=1.5, RO=0. MX=0, MY=0, JU=1/");
  doc.append(u"CHAR: NU=" + nw + u", " + dblFixed2(w) + u"/");

  doc.append(l + u" X= -1, Y= 0, X= -10, Y= 0/");
  doc.append(l + u" X= -1, Y=" + N(h) + u", X= -10, Y=" + N(h) + u"/");
  doc.append(l + u" X= -8, Y= 0, X= -8, Y=" + N(h) + u"/");
  doc.append(l + u" X= -8, Y= 0, X=  -7.5, Y= 2/");
  doc.append(l + u" X= -8, Y= 0, X=  -8.5, Y= 2/");
  doc.append(l + u" X= -8, Y=" + N(h) + u", X= -7.5, Y=" + N(h - 2) + u"/");
  doc.append(l + u" X= -8, Y=" + N(h) + u", X= -8.5, Y=" + N(h - 2) + u"/");
  doc.append(u"TEXT: LE= 25, AP= 1, NA=, X= -8.5, Y=" + N(h / 2 - 5) +
             u", HG=1.5, RO=90. MX=0, MY=0, JU=1/");
  doc.append(u"CHAR: NU=" + nh + u", " + dblFixed2(h) + u"/");

  if (s.corner == CornerTreatment::kRounded) AppendCornerSizeNote(doc, w, h, s.cornerSize, u'R');
  if (s.corner == CornerTreatment::kChamfered) {
    AppendCornerSizeNote(doc, w, h, s.cornerSize, u'C');
  }
}

void AppendHoleDimensions(DblDocument& doc, const OutlineSettings& s) {
  const double w = s.width;
  const double h = s.height;
  const double p = s.holeOffset;
  // Short spans get their arrows from outside, long ones tick marks.
  const bool ticks = p > 4.5;

  // Width direction, below the board.
  Text l = u"LINE: LE= 26, AP= 1, NA=,";
  const Text nw = N(static_cast<double>(N(w).size()));
  doc.append(l + u" X= 0, Y= -1, X=  0, Y= -7/");
  doc.append(l + u" X=" + N(p) + u", Y= -1, X=" + N(p) + u", Y= -7/");
  doc.append(l + u" X=" + N(w - p) + u", Y= -1, X=" + N(w - p) + u", Y= -7/");
  doc.append(l + u" X=" + N(w) + u", Y= -1, X=" + N(w) + u", Y= -7/");
  if (ticks) {
    doc.append(l + u" X= 0, Y= -6, X=" + N(w) + u", Y= -6/");
    doc.append(l + u" X= 0, Y= -6, X=  2, Y= -5.5/");
    doc.append(l + u" X= 0, Y= -6, X=  2, Y= -6.5/");
    doc.append(l + u" X=" + N(p - 2) + u", Y= -5.5, X=" + N(p + 2) + u", Y= -6.5/");
    doc.append(l + u" X=" + N(p - 2) + u", Y= -6.5, X=" + N(p + 2) + u", Y= -5.5/");
    doc.append(l + u" X=" + N(w - p - 2) + u", Y= -5.5, X=" + N(w - p + 2) + u", Y= -6.5/");
    doc.append(l + u" X=" + N(w - p - 2) + u", Y= -6.5, X=" + N(w - p + 2) + u", Y= -5.5/");
    doc.append(l + u" X=" + N(w) + u", Y= -6, X=" + N(w - 2) + u", Y= -5.5/");
    doc.append(l + u" X=" + N(w) + u", Y= -6, X=" + N(w - 2) + u", Y= -6.5/");
  } else {
    doc.append(l + u" X= -3, Y= -6, X=" + N(w + 5) + u", Y= -6/");
    doc.append(l + u" X= -2, Y= -5.5, X=  0, Y= -6/");
    doc.append(l + u" X= -2, Y= -6.5, X=  0, Y= -6/");
    doc.append(l + u" X=" + N(p) + u", Y= -6, X=" + N(p + 2) + u", Y= -6.5/");
    doc.append(l + u" X=" + N(p) + u", Y= -6, X=" + N(p + 2) + u", Y= -5.5/");
    doc.append(l + u" X=" + N(w - p - 2) + u", Y= -5.5, X=" + N(w - p) + u", Y= -6/");
    doc.append(l + u" X=" + N(w - p - 2) + u", Y= -6.5, X=" + N(w - p) + u", Y= -6/");
    doc.append(l + u" X=" + N(w) + u", Y= -6, X=" + N(w + 2) + u", Y= -5.5/");
    doc.append(l + u" X=" + N(w) + u", Y= -6, X=" + N(w + 2) + u", Y= -6.5/");
  }
  const Text below = u", Y=-5.5, HG=1.5, RO=0. MX=0, MY=0, JU=1/";
  doc.append(u"TEXT: LE= 26, AP= 1, NA=, X=" + N(w / 2 - 5) + below);
  doc.append(u"CHAR: NU=" + nw + u", " + dblFixed2(w - p * 2) + u"/");
  doc.append(u"TEXT: LE= 26, AP= 1, NA=, X=" + N(p + 3) + below);
  doc.append(u"CHAR: NU=" + nw + u", " + dblFixed2(p) + u"/");
  doc.append(u"TEXT: LE= 26, AP= 1, NA=, X=" + N(w - p - 8) + below);
  doc.append(u"CHAR: NU=" + nw + u", " + dblFixed2(p) + u"/");

  // Height direction, left of the board; this prefix ends in a blank.
  l = u"LINE: LE= 26, AP= 1, NA=, ";
  const Text nh = N(static_cast<double>(N(h).size()));
  doc.append(l + u"X= -1, Y= 0, X= -6, Y= 0/");
  doc.append(l + u"X= -1, Y=" + N(p) + u", X= -6, Y=" + N(p) + u"/");
  doc.append(l + u"X= -1, Y=" + N(h - p) + u", X= -6, Y=" + N(h - p) + u"/");
  doc.append(l + u"X= -1, Y=" + N(h) + u", X= -6, Y=" + N(h) + u"/");
  if (ticks) {
    doc.append(l + u"X= -5, Y= 0, X= -5, Y=" + N(h) + u"/");
    doc.append(l + u"X= -5, Y= 0, X=  -4.5, Y= 2/");
    doc.append(l + u"X= -5, Y= 0, X=  -5.5, Y= 2/");
    doc.append(l + u"X= -5.5, Y=" + N(p - 2) + u", X= -4.5, Y=" + N(p + 2) + u"/");
    doc.append(l + u"X= -4.5, Y=" + N(p - 2) + u", X= -5.5, Y=" + N(p + 2) + u"/");
    doc.append(l + u"X= -5.5, Y=" + N(h - p - 2) + u", X= -4.5, Y=" + N(h - p + 2) + u"/");
    doc.append(l + u"X= -4.5, Y=" + N(h - p - 2) + u", X= -5.5, Y=" + N(h - p + 2) + u"/");
    doc.append(l + u"X= -5, Y=" + N(h) + u", X= -4.5, Y=" + N(h - 2) + u"/");
    doc.append(l + u"X= -5, Y=" + N(h) + u", X= -5.5, Y=" + N(h - 2) + u"/");
  } else {
    doc.append(l + u"X= -5, Y= -3, X= -5, Y=" + N(h + 5) + u"/");
    doc.append(l + u"X= -5, Y= 0, X=  -4.5, Y= -2/");
    doc.append(l + u"X= -5, Y= 0, X=  -5.5, Y= -2/");
    doc.append(l + u"X= -5, Y=" + N(p) + u", X= -4.5, Y=" + N(p + 2) + u"/");
    doc.append(l + u"X= -5, Y=" + N(p) + u", X= -5.5, Y=" + N(p + 2) + u"/");
    doc.append(l + u"X= -5.5, Y=" + N(h - p - 2) + u", X= -5, Y=" + N(h - p) + u"/");
    doc.append(l + u"X= -4.5, Y=" + N(h - p - 2) + u", X= -5, Y=" + N(h - p) + u"/");
    doc.append(l + u"X= -5, Y=" + N(h) + u", X= -4.5, Y=" + N(h + 2) + u"/");
    doc.append(l + u"X= -5, Y=" + N(h) + u", X= -5.5, Y=" + N(h + 2) + u"/");
  }
  const Text left = u", HG=1.5, RO=90. MX=0, MY=0, JU=1/";
  doc.append(u"TEXT: LE= 26, AP= 1, NA=, X= -5.5, Y=" + N(h / 2 - 5) + left);
  doc.append(u"CHAR: NU=" + nh + u", " + dblFixed2(h - p * 2) + u"/");
  doc.append(u"TEXT: LE= 26, AP= 1, NA=, X= -5.5, Y=" + N(p + 3) + left);
  doc.append(u"CHAR: NU=" + nh + u", " + dblFixed2(p) + u"/");
  doc.append(u"TEXT: LE= 26, AP= 1, NA=, X= -5.5, Y=" + N(h - p - 8) + left);
  doc.append(u"CHAR: NU=" + nh + u", " + dblFixed2(p) + u"/");
}

void AppendPlacementGuides(DblDocument& doc, const OutlineSettings& s) {
  const double w = s.width;
  const double h = s.height;
  const Text l = u"LINE: LE= 49, AP= 1, NA=, X=" + N(w / 2) + u", Y=" + N(h / 2);
  doc.append(l + u", X= 0, Y=" + N(h / 2) + u"/");
  doc.append(l + u", X=" + N(w / 2) + u", Y= 0/");
  doc.append(l + u", X=" + N(w / 2) + u", Y=" + N(h) + u"/");
  doc.append(l + u", X=" + N(w) + u", Y=" + N(h / 2) + u"/");
}

}  // namespace pcbprep
