#include "outline/OutlineGenerator.h"

#include "outline/HoleMarkPlaneSteps.h"
#include "outline/TitleTextSteps.h"

namespace pcbprep {

DblDocument GenerateDbl(const OutlineSettings& s) {
  DblDocument doc;
  const bool fourCornerHoles = s.holeArrangement == kFourCornerHoles;
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

void AppendBoardOutline(DblDocument&, const OutlineSettings&) {}
void AppendWiringArea(DblDocument&, const OutlineSettings&) {}
void AppendOutlineDimensions(DblDocument&, const OutlineSettings&) {}
void AppendHoleDimensions(DblDocument&, const OutlineSettings&) {}
void AppendPlacementGuides(DblDocument&, const OutlineSettings&) {}

}  // namespace pcbprep
