#include "outline/HoleMarkPlaneSteps.h"

namespace pcbprep {

void AppendMountingHoles(DblDocument&, const OutlineSettings&) {}
void AppendResistFrame(DblDocument&, const OutlineSettings&) {}
void AppendCornerMarks(DblDocument&, const OutlineSettings&) {}
void AppendMetalMaskCornerMarks(DblDocument&, const OutlineSettings&) {}
void AppendGroundPlane(DblDocument&, const OutlineSettings&) {}
void AppendOuterLayerPlanes(DblDocument&, const OutlineSettings&) {}

}  // namespace pcbprep
