#include "outline/HoleMarkPlaneSteps.h"

#include <optional>

namespace pcbprep {

namespace {

// Short name for the number rule; the records below read like the drawing format.
Text N(double value) { return dblNumber(value); }

// One mounting-hole set: the pad stacks and the fixed record tails the CAD library
// expects for that diameter. a, b and c place the six ring vias around the centre, d
// moves the size label to the left of it.
struct HoleSet {
  const char16_t* mainVia;
  const char16_t* ringVia;
  double a, b, c, d;
  const char16_t* holeCircleTail;   // layer 24
  const char16_t* outerCircleTail;  // layer 12
  const char16_t* discTail;
  const char16_t* islandTail;
  const char16_t* label;
};

// Indexed by the position of the hole diameter list; the first and last positions
// have no set. The 4.0 mm hole circle keeps the 3.5 mm radius on purpose.
const std::optional<HoleSet> kHoleSets[kHoleDiameterCount] = {
    std::nullopt,
    HoleSet{u"VIA: AS=  84, NA=, X=", u"VIA: AS=  73, NA=, X=", 1.6, 1.4, 0.7, 1,
            u", RA=   1.1, ST=   0, DT= 360/", u", RA=   2.2, ST=   0, DT= 360/",
            u", RA= 2.2, ST= 0, DT= 360/", u", RA= 1, ST= 0, DT= 360/", u"CHAR: NU= 3, 2.2/"},
    HoleSet{u"VIA: AS=  87, NA=, X=", u"VIA: AS=  75, NA=, X=", 2, 1.7, 1, 1,
            u", RA=   1.25, ST=   0, DT= 360/", u", RA=   2.50, ST=   0, DT= 360/",
            u", RA= 2.5, ST= 0, DT= 360/", u", RA= 1.1, ST= 0, DT= 360/", u"CHAR: NU= 3, 2.5/"},
    HoleSet{u"VIA: AS=  90, NA=, X=", u"VIA: AS=  77, NA=, X=", 2.8, 2.2, 1.5, 1,
            u", RA=   1.5, ST=   0, DT= 360/", u", RA=   3.5, ST=   0, DT= 360/",
            u", RA= 3.5, ST= 0, DT= 360/", u", RA= 1.3, ST= 0, DT= 360/", u"CHAR: NU= 3, 3.0/"},
    HoleSet{u"VIA: AS=  91, NA=, X=", u"VIA: AS=  77, NA=, X=", 3, 2.5, 1.5, 1.2,
            u", RA=   1.6, ST=   0, DT= 360/", u", RA=   4.00, ST=   0, DT= 360/",
            u", RA= 4, ST= 0, DT= 360/", u", RA= 1.5, ST= 0, DT= 360/", u"CHAR: NU= 3, 3.2/"},
    HoleSet{u"VIA: AS=  92, NA=, X=", u"VIA: AS=  77, NA=, X=", 3, 2.5, 1.5, 1.2,
            u", RA=   1.75, ST=   0, DT= 360/", u", RA=   4.00, ST=   0, DT= 360/",
            u", RA= 4, ST= 0, DT= 360/", u", RA= 1.5, ST= 0, DT= 360/", u"CHAR: NU= 3, 3.5/"},
    HoleSet{u"VIA: AS=  94, NA=, X=", u"VIA: AS=  77, NA=, X=", 3, 2.5, 1.5, 1.2,
            u", RA=   1.75, ST=   0, DT= 360/", u", RA=   4.00, ST=   0, DT= 360/",
            u", RA= 4, ST= 0, DT= 360/", u", RA= 1.5, ST= 0, DT= 360/", u"CHAR: NU= 3, 4.0/"},
    std::nullopt,
};

void AppendHole(DblDocument& doc, const HoleSet& set, double hx, double hy) {
  const Text main = set.mainVia;
  const Text ring = set.ringVia;
  doc.append(main + N(hx) + u", Y=" + N(hy) + u"/");
  doc.append(ring + N(hx) + u", Y=" + N(hy + set.a) + u"/");
  doc.append(ring + N(hx) + u", Y=" + N(hy - set.a) + u"/");
  doc.append(ring + N(hx + set.b) + u", Y=" + N(hy + set.c) + u"/");
  doc.append(ring + N(hx + set.b) + u", Y=" + N(hy - set.c) + u"/");
  doc.append(ring + N(hx - set.b) + u", Y=" + N(hy + set.c) + u"/");
  doc.append(ring + N(hx - set.b) + u", Y=" + N(hy - set.c) + u"/");
  const Text centre = N(hx) + u", Y=" + N(hy);
  doc.append(u"ARC: LE= 24,AP= 1, NA=, X=" + centre + set.holeCircleTail);
  doc.append(u"ARC: LE= 12,AP= 1, NA=, X=" + centre + set.outerCircleTail);

  auto opener = [](int layer) {
    return u"GPLANE: LE=" + N(layer) + u",AP=  20, NA=2, TH= 0, XH=  0, XI= 0,XA= 0/";
  };
  auto arc = [&centre](int layer, const char16_t* tail) {
    return u"ARC: LE=" + N(layer) + u",AP=  20, NA=, X=" + centre + tail;
  };
  // Inner copper planes keep the hole itself free.
  for (int layer : {1, 7}) {
    doc.append(opener(layer));
    doc.append(arc(layer, set.discTail));
    doc.append(u"ISLAND:/");
    doc.append(arc(layer, set.islandTail));
    doc.append(u"EOGPLANE:/");
  }
  for (int layer : {13, 14, 15, 16}) {
    doc.append(opener(layer));
    doc.append(arc(layer, set.discTail));
    doc.append(u"EOGPLANE:/");
  }

  doc.append(u"TEXT: LE= 26, AP= 1, NA=, X=" + N(hx - set.d) + u", Y=" + N(hy - 0.5) +
             u", HG=1.2, RO= 0. MX=0, MY=0, JU=1/");
  doc.append(set.label);
}

// The corner-mark pen by line width; a width the photoplotter table lacks leaves the
// aperture blank rather than guessing one.
Text CornerMarkAperture(double t) {
  if (t == 0.2) return u"4";
  if (t == 0.3) return u"6";
  if (t == 0.4) return u"8";
  if (t == 0.5) return u"10";
  return u"";
}

// Rounded-corner marks: two arms of 10 from the arc ends at each corner and an arc
// o outside the outline arc. Shared by the corner marks (o = T/2) and the metal-mask
// marks (o = 1).
void AppendRoundedMarks(DblDocument& doc, const OutlineSettings& s, const Text& h, const Text& a,
                        double o) {
  const double W = s.width, H = s.height, R = s.cornerSize;
  doc.append(h + u" X=" + N(R) + u", Y= " + N(-o) + u", X= " + N(R + 10) + u", Y=" + N(-o) + u"/");
  doc.append(h + u" X=" + N(W - (R + 10)) + u", Y= " + N(-o) + u", X= " + N(W - R) + u", Y=" +
             N(-o) + u"/");
  doc.append(a + u" X=" + N(R) + u",Y=" + N(R) + u",RA=" + N(R + o) + u",ST= 180: DT=90/");
  doc.append(h + u" X= " + N(W + o) + u", Y=" + N(R) + u", X= " + N(W + o) + u", Y= " + N(R + 10) +
             u"/");
  doc.append(h + u" X= " + N(W + o) + u", Y=" + N(H - (R + 10)) + u", X= " + N(W + o) + u", Y= " +
             N(H - R) + u"/");
  doc.append(a + u" X=" + N(W - R) + u",Y=" + N(R) + u",RA=" + N(R + o) + u",ST= 270: DT=90/");
  doc.append(h + u" X=" + N(-o) + u", Y=" + N(R) + u", X=" + N(-o) + u", Y=" + N(R + 10) + u"/");
  doc.append(h + u" X=" + N(-o) + u", Y=" + N(H - R) + u", X=" + N(-o) + u", Y=" + N(H - (R + 10)) +
             u"/");
  doc.append(a + u" X=" + N(W - R) + u",Y=" + N(H - R) + u",RA=" + N(R + o) + u",ST= 0: DT=90/");
  doc.append(h + u" X=" + N(R) + u", Y=" + N(H + o) + u", X= " + N(R + 10) + u", Y= " + N(H + o) +
             u"/");
  doc.append(h + u" X=" + N(W - R) + u", Y=" + N(H + o) + u", X= " + N(W - (R + 10)) + u", Y= " +
             N(H + o) + u"/");
  doc.append(a + u" X=" + N(R) + u",Y=" + N(H - R) + u",RA=" + N(R + o) + u",ST= 90: DT=90/");
}

// Chamfered-corner marks: arms that start c short of the chamfer and a cut joining
// them, o outside the outline.
void AppendChamferedMarks(DblDocument& doc, const OutlineSettings& s, const Text& h, double o,
                          double c) {
  const double W = s.width, H = s.height, R = s.cornerSize;
  doc.append(h + u" X=" + N(R - c) + u", Y=" + N(-o) + u", X= " + N(R + 10) + u", Y=" + N(-o) +
             u"/");
  doc.append(h + u" X=" + N(W - (R + 10)) + u", Y= " + N(-o) + u", X= " + N(W - R + c) + u", Y=" +
             N(-o) + u"/");
  doc.append(h + u" X=" + N(R - c) + u", Y=" + N(-o) + u",X=" + N(-o) + u",Y=" + N(R - c) + u"/");
  doc.append(h + u" X= " + N(W + o) + u", Y=" + N(R - c) + u", X= " + N(W + o) + u",Y= " +
             N(R + 10) + u"/");
  doc.append(h + u" X= " + N(W + o) + u", Y=" + N(H - (R + 10)) + u", X= " + N(W + o) + u", Y= " +
             N(H - R + c) + u"/");
  doc.append(h + u" X=" + N(W - R + c) + u",Y=" + N(-o) + u",X=" + N(W + o) + u",Y=" + N(R - c) +
             u"/");
  doc.append(h + u" X=" + N(-o) + u", Y=" + N(R - c) + u", X=" + N(-o) + u", Y=" + N(R + 10) +
             u"/");
  doc.append(h + u" X=" + N(-o) + u", Y=" + N(H - R + c) + u", X=" + N(-o) + u", Y=" +
             N(H - (R + 10)) + u"/");
  doc.append(h + u" X=" + N(W + o) + u",Y=" + N(H - R + c) + u",X=" + N(W - R + c) + u",Y=" +
             N(H + o) + u"/");
  doc.append(h + u" X=" + N(R - c) + u", Y=" + N(H + o) + u", X= " + N(R + 10) + u", Y= " +
             N(H + o) + u"/");
  doc.append(h + u" X=" + N(W - R + c) + u", Y=" + N(H + o) + u", X= " + N(W - (R + 10)) +
             u", Y= " + N(H + o) + u"/");
  doc.append(h + u" X=" + N(-o) + u",Y=" + N(H - R + c) + u",X=" + N(R - c) + u",Y=" + N(H + o) +
             u"/");
}

// A filled plane inset from the outline. The ground plane (layer 9, 0.5 mm) and the
// outer-layer planes (0.3 mm) differ only in the inset and in one blank of the
// rounded right side.
struct InsetPlane {
  int layer;
  double inset;
  const char16_t* insetText;      // the inset as a fixed piece, with its leading zero
  const char16_t* roundedRightX;  // " X= " on the ground plane, " X=" on the outer planes
};

void AppendInsetPlane(DblDocument& doc, const OutlineSettings& s, const InsetPlane& p) {
  const double W = s.width, H = s.height, R = s.cornerSize, i = p.inset;
  const Text k = p.insetText;
  const Text h = u"LINE: LE=" + N(p.layer) + u",AP= 6, NA=,";
  const Text a = u"ARC: LE=" + N(p.layer) + u",AP= 6, NA=,";
  doc.append(u"GPLANE: LE=" + N(p.layer) + u",AP= 6,NA=,TH= 0,XH= 0,XI= 0,XA= 0/");
  switch (s.corner) {
    case CornerTreatment::kSquare:
      doc.append(h + u" X= " + k + u", Y= " + k + u", X= " + N(W - i) + u", Y= " + k + u"/");
      doc.append(h + u" X= " + N(W - i) + u", Y= " + k + u", X= " + N(W - i) + u", Y= " + N(H - i) +
                 u"/");
      doc.append(h + u" X=" + N(W - i) + u", Y=" + N(H - i) + u", X= " + k + u", Y=" + N(H - i) +
                 u"/");
      doc.append(h + u" X= " + k + u", Y=" + N(H - i) + u", X= " + k + u", Y= " + k + u"/");
      break;
    case CornerTreatment::kRounded:
      doc.append(h + u" X=" + N(R) + u", Y= " + k + u", X= " + N(W - R) + u", Y= " + k + u"/");
      doc.append(a + u" X=" + N(R) + u",Y=" + N(R) + u",RA=" + N(R - i) + u",ST= 180: DT=90/");
      doc.append(h + p.roundedRightX + N(W - i) + u", Y=" + N(R) + u", X= " + N(W - i) + u", Y= " +
                 N(H - R) + u"/");
      doc.append(a + u" X=" + N(W - R) + u",Y=" + N(R) + u",RA=" + N(R - i) + u",ST= 270: DT= 90/");
      doc.append(h + u" X= " + k + u", Y=" + N(R) + u", X= " + k + u", Y=" + N(H - R) + u"/");
      doc.append(a + u" X=" + N(W - R) + u",Y=" + N(H - R) + u",RA=" + N(R - i) +
                 u",ST= 0: DT= 90/");
      doc.append(h + u" X=" + N(R) + u", Y=" + N(H - i) + u", X= " + N(W - R) + u", Y= " +
                 N(H - i) + u"/");
      doc.append(a + u" X=" + N(R) + u",Y=" + N(H - R) + u",RA=" + N(R - i) + u",ST= 90: DT=90/");
      break;
    case CornerTreatment::kChamfered:
      doc.append(h + u" X=" + N(R + 0.2) + u", Y= " + k + u", X= " + N(W - R - 0.2) + u", Y= " + k +
                 u"/");
      doc.append(h + u" X= " + k + u", Y=" + N(R + 0.2) + u", X=" + N(R + 0.2) + u", Y= " + k +
                 u"/");
      doc.append(h + u" X=" + N(W - i) + u", Y=" + N(R + 0.2) + u", X= " + N(W - i) + u", Y= " +
                 N(H - R - 0.2) + u"/");
      doc.append(h + u" X=" + N(W - R - 0.2) + u", Y= " + k + u", X=" + N(W - i) + u", Y=" +
                 N(R + 0.2) + u"/");
      doc.append(h + u" X= " + k + u", Y=" + N(R + 0.2) + u", X= " + k + u", Y=" + N(H - R - 0.2) +
                 u"/");
      doc.append(h + u" X= " + k + u", Y=" + N(H - R - 0.2) + u",X=" + N(R + 0.2) + u", Y=" +
                 N(H - i) + u"/");
      doc.append(h + u" X=" + N(R + 0.2) + u", Y=" + N(H - i) + u", X= " + N(W - R - 0.2) +
                 u", Y= " + N(H - i) + u"/");
      doc.append(h + u" X=" + N(W - R - 0.2) + u", Y= " + N(H - i) + u",X=" + N(W - i) + u", Y= " +
                 N(H - R - 0.2) + u"/");
      break;
    case CornerTreatment::kNone:
      break;
  }
  doc.append(u"EOGPLANE:/");
}

}  // namespace

void AppendMountingHoles(DblDocument& doc, const OutlineSettings& s) {
  if (s.holeDiameter < 0 || s.holeDiameter >= kHoleDiameterCount) return;
  const std::optional<HoleSet>& set = kHoleSets[s.holeDiameter];
  if (!set) return;
  const double P = s.holeOffset;
  for (double hx : {P, s.width - P}) {
    for (double hy : {P, s.height - P}) AppendHole(doc, *set, hx, hy);
  }
}

void AppendResistFrame(DblDocument& doc, const OutlineSettings& s) {
  const double W = s.width, H = s.height, R = s.cornerSize;
  for (int layer : {15, 16}) {
    const Text h = u"LINE: LE=" + N(layer) + u",AP= 20, NA=,";
    const Text a = u"ARC: LE=" + N(layer) + u",AP= 20, NA=,";
    switch (s.corner) {
      case CornerTreatment::kSquare: {
        const Text p1 = u"X= -0.5, Y= -0.5";
        const Text p2 = u"X=" + N(W + 0.5) + u", Y= -0.5";
        const Text p3 = u"X=" + N(W + 0.5) + u", Y=" + N(H + 0.5);
        const Text p4 = u"X= -0.5, Y=" + N(H + 0.5);
        doc.append(h + p1 + u"," + p2 + u"/");
        doc.append(h + p2 + u"," + p3 + u"/");
        doc.append(h + p3 + u"," + p4 + u"/");
        doc.append(h + p4 + u"," + p1 + u"/");
        break;
      }
      case CornerTreatment::kRounded:
        doc.append(h + u" X=" + N(R) + u", Y= -0.5, X= " + N(W - R) + u", Y= -0.5/");
        doc.append(a + u" X=" + N(R) + u",Y=" + N(R) + u",RA=" + N(R + 0.5) + u",ST= 180: DT=90/");
        doc.append(h + u" X= " + N(W + 0.5) + u", Y=" + N(R) + u", X= " + N(W + 0.5) + u", Y= " +
                   N(H - R) + u"/");
        doc.append(a + u" X=" + N(W - R) + u",Y=" + N(R) + u",RA=" + N(R + 0.5) +
                   u",ST= 270: DT= 90/");
        doc.append(h + u" X= -0.5, Y=" + N(R) + u", X= -0.5, Y=" + N(H - R) + u"/");
        doc.append(a + u" X=" + N(W - R) + u",Y=" + N(H - R) + u",RA=" + N(R + 0.5) +
                   u",ST= 0: DT= 90/");
        doc.append(h + u" X=" + N(R) + u", Y=" + N(H + 0.5) + u", X= " + N(W - R) + u", Y= " +
                   N(H + 0.5) + u"/");
        doc.append(a + u" X=" + N(R) + u",Y=" + N(H - R) + u",RA=" + N(R + 0.5) +
                   u",ST= 90: DT=90/");
        break;
      case CornerTreatment::kChamfered:
        doc.append(h + u" X=" + N(R - 0.2) + u", Y= -0.5, X= " + N(W - R + 0.2) + u", Y= -0.5/");
        doc.append(h + u" X= -0.5, Y=" + N(R - 0.2) + u", X=" + N(R - 0.2) + u", Y= -0.5/");
        doc.append(h + u" X=" + N(W + 0.5) + u", Y=" + N(R - 0.2) + u", X= " + N(W + 0.5) +
                   u", Y= " + N(H - R + 0.2) + u"/");
        doc.append(h + u" X=" + N(W - R + 0.2) + u", Y= -0.5, X=" + N(W + 0.5) + u", Y=" +
                   N(R - 0.2) + u"/");
        doc.append(h + u" X= -0.5, Y=" + N(R - 0.2) + u", X= -0.5, Y=" + N(H - R + 0.2) + u"/");
        doc.append(h + u" X= -0.5, Y=" + N(H - R + 0.2) + u",X=" + N(R - 0.2) + u", Y=" +
                   N(H + 0.5) + u"/");
        doc.append(h + u" X=" + N(R - 0.2) + u", Y=" + N(H + 0.5) + u", X= " + N(W - R + 0.2) +
                   u", Y= " + N(H + 0.5) + u"/");
        doc.append(h + u" X=" + N(W - R + 0.2) + u", Y= " + N(H + 0.5) + u",X=" + N(W + 0.5) +
                   u", Y= " + N(H - R + 0.2) + u"/");
        break;
      case CornerTreatment::kNone:
        return;
    }
  }
}

void AppendCornerMarks(DblDocument& doc, const OutlineSettings& s) {
  const double W = s.width, H = s.height, T = s.cornerMarkWidth;
  const double o = T / 2;
  const Text ap = CornerMarkAperture(T);
  switch (s.corner) {
    case CornerTreatment::kSquare: {
      const Text h = u"LINE: LE= 2,AP=" + ap + u" , NA=,";
      auto arm = [&](double x1, double y1, double x2, double y2) {
        doc.append(h + u" X= " + N(x1) + u", Y= " + N(y1) + u", X= " + N(x2) + u", Y= " + N(y2) +
                   u" / ");
      };
      arm(-o, -o, 10 - o, -o);
      arm(-o, -o, -o, 10 - o);
      arm(-o, H + o, -o + 10, H + o);
      arm(-o, H + o, -o, H + o - 10);
      arm(W + o, -o, W + o, -o + 10);
      arm(W + o, -o, W + o - 10, -o);
      // This arm runs T longer than the others (to H - T/2 - 10). Existing drawings
      // were made with it, so it stays as it is.
      arm(W + o, H + o, W + o, H - o - 10);
      arm(W + o, H + o, W + o - 10, H + o);
      break;
    }
    case CornerTreatment::kRounded:
      AppendRoundedMarks(doc, s, u"LINE: LE= 2,AP=" + ap + u", NA=,",
                         u"ARC: LE= 2,AP=" + ap + u", NA=,", o);
      break;
    case CornerTreatment::kChamfered:
      AppendChamferedMarks(doc, s, u"LINE: LE= 2,AP=" + ap + u", NA=,", o, T / 5);
      break;
    case CornerTreatment::kNone:
      break;
  }
}

void AppendMetalMaskCornerMarks(DblDocument& doc, const OutlineSettings& s) {
  const double W = s.width, H = s.height;
  const Text h = u"LINE: LE= 19,AP= 40, NA=,";
  switch (s.corner) {
    case CornerTreatment::kSquare: {
      auto arm = [&](double x1, double y1, double x2, double y2) {
        doc.append(h + u" X= " + N(x1) + u", Y= " + N(y1) + u", X= " + N(x2) + u", Y= " + N(y2) +
                   u" / ");
      };
      arm(-1, -1, -1, 10 - 1);
      arm(-1, -1, -1 + 10, -1);
      arm(-1, H + 1, -1 + 10, H + 1);
      arm(-1, H + 1, -1, H + 1 - 10);
      arm(W + 1, -1, W + 1, -1 + 10);
      arm(W + 1, -1, W + 1 - 10, -1);
      arm(W + 1, H + 1, W + 1, H + 1 - 10);
      arm(W + 1, H + 1, W + 1 - 10, H + 1);
      break;
    }
    case CornerTreatment::kRounded:
      AppendRoundedMarks(doc, s, h, u"ARC: LE= 19,AP= 40, NA=,", 1);
      break;
    case CornerTreatment::kChamfered:
      AppendChamferedMarks(doc, s, h, 1, 0.4);
      break;
    case CornerTreatment::kNone:
      break;
  }
}

void AppendGroundPlane(DblDocument& doc, const OutlineSettings& s) {
  if (s.corner == CornerTreatment::kNone) return;
  AppendInsetPlane(doc, s, {9, 0.5, u"0.5", u" X= "});
}

void AppendOuterLayerPlanes(DblDocument& doc, const OutlineSettings& s) {
  if (s.corner == CornerTreatment::kNone) return;
  for (int layer : {27, 28}) AppendInsetPlane(doc, s, {layer, 0.3, u"0.3", u" X="});
}

}  // namespace pcbprep
