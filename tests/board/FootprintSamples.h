#pragma once

// One small footprint (two pads, a courtyard line, an arc, the reference and value) in
// each library syntax KiCad has written, as the test footprint libraries hold it.

namespace pcbprep::testing {

struct FootprintSample {
  const char* syntax;  // "5" .. "8", the library name is "Test<syntax>"
  const char* text;
};

inline constexpr FootprintSample kFootprintSamples[] = {
    {"5", R"((module R_Test (layer F.Cu) (tedit 5B307E4C)
  (descr "test part")
  (attr smd)
  (fp_text reference REF** (at 0 -1.5) (layer F.SilkS)
    (effects (font (size 1 1) (thickness 0.15))))
  (fp_text value R_Test (at 0 1.5) (layer F.Fab)
    (effects (font (size 1 1) (thickness 0.15))))
  (fp_line (start -1 -0.5) (end 1 -0.5) (layer F.CrtYd) (width 0.05))
  (fp_arc (start 0 0) (end 1 0) (angle 90) (layer F.Fab) (width 0.1))
  (pad 1 smd rect (at -0.5 0.25 90) (size 0.5 0.6) (layers F.Cu F.Paste F.Mask))
  (pad 2 smd rect (at 0.5 0) (size 0.5 0.6) (layers F.Cu F.Paste F.Mask))
  (model ${KISYS3DMOD}/R.wrl (at (xyz 0 0 0)) (scale (xyz 1 1 1)) (rotate (xyz 0 0 0)))
))"},
    {"6", R"((footprint "R_Test" (version 20211014) (generator pcbnew)
  (layer "F.Cu")
  (tedit 5F68FEEE)
  (descr "test part")
  (attr smd)
  (fp_text reference "REF**" (at 0 -1.5) (layer "F.SilkS")
    (effects (font (size 1 1) (thickness 0.15)))
    (tstamp 41d78466-b78f-4259-a93b-b5098dbbea74)
  )
  (fp_text value "R_Test" (at 0 1.5) (layer "F.Fab")
    (effects (font (size 1 1) (thickness 0.15)))
    (tstamp c8b0a43f-eb80-49fa-9f77-e02d4b03d7c9)
  )
  (fp_line (start -1 -0.5) (end 1 -0.5) (layer "F.CrtYd") (width 0.05) (tstamp 1121d59e-f03d-42ac-85a2-357338f6cb7d))
  (fp_arc (start 1 0) (mid 0.707107 0.707107) (end 0 1) (layer "F.Fab") (width 0.1) (tstamp 3efa2f2c-1877-4dcc-914d-5e9d06a61f10))
  (pad "1" smd rect (at -0.5 0.25 90) (size 0.5 0.6) (layers "F.Cu" "F.Paste" "F.Mask") (tstamp 71bd5113-61af-4f98-a937-b89111941731))
  (pad "2" smd rect (at 0.5 0) (size 0.5 0.6) (layers "F.Cu" "F.Paste" "F.Mask") (tstamp b2dc4744-6f7a-4267-a134-185dba0d1741))
)
)"},
    {"7", R"((footprint "R_Test" (version 20221018) (generator pcbnew)
  (layer "F.Cu")
  (descr "test part")
  (attr smd allow_soldermask_bridges)
  (fp_text reference "REF**" (at 0 -1.5) (layer "F.SilkS")
      (effects (font (size 1 1) (thickness 0.15)))
    (tstamp 41d78466-b78f-4259-a93b-b5098dbbea74)
  )
  (fp_text value "R_Test" (at 0 1.5) (layer "F.Fab")
      (effects (font (size 1 1) (thickness 0.15)))
    (tstamp c8b0a43f-eb80-49fa-9f77-e02d4b03d7c9)
  )
  (fp_line (start -1 -0.5) (end 1 -0.5)
    (stroke (width 0.05) (type solid)) (layer "F.CrtYd") (tstamp 1121d59e-f03d-42ac-85a2-357338f6cb7d))
  (fp_arc (start 1 0) (mid 0.707107 0.707107) (end 0 1)
    (stroke (width 0.1) (type default)) (layer "F.Fab") (tstamp 3efa2f2c-1877-4dcc-914d-5e9d06a61f10))
  (pad "1" smd rect (at -0.5 0.25 90) (size 0.5 0.6) (layers "F.Cu" "F.Paste" "F.Mask")
    (thermal_bridge_angle 45) (tstamp 71bd5113-61af-4f98-a937-b89111941731))
  (pad "2" smd rect (at 0.5 0) (size 0.5 0.6) (layers "F.Cu" "F.Paste" "F.Mask")
    (thermal_bridge_angle 45) (tstamp b2dc4744-6f7a-4267-a134-185dba0d1741))
)
)"},
    {"8", R"((footprint "R_Test"
  (version 20240108)
  (generator "pcbnew")
  (generator_version "8.0")
  (layer "F.Cu")
  (descr "test part")
  (property "Reference" "REF**" (at 0 -1.5 0) (layer "F.SilkS")
    (uuid "41d78466-b78f-4259-a93b-b5098dbbea74")
    (effects (font (size 1 1) (thickness 0.15))))
  (property "Value" "R_Test" (at 0 1.5 0) (layer "F.Fab")
    (uuid "c8b0a43f-eb80-49fa-9f77-e02d4b03d7c9")
    (effects (font (size 1 1) (thickness 0.15))))
  (property "Footprint" "" (at 0 0 0) (unlocked yes) (layer "F.Fab") (hide yes)
    (uuid "0a3fe3b4-2c56-4c5b-9f0e-4b8f6a3c2d11")
    (effects (font (size 1.27 1.27) (thickness 0.15))))
  (attr smd)
  (fp_line (start -1 -0.5) (end 1 -0.5)
    (stroke (width 0.05) (type solid)) (layer "F.CrtYd") (uuid "1121d59e-f03d-42ac-85a2-357338f6cb7d"))
  (fp_arc (start 1 0) (mid 0.707107 0.707107) (end 0 1)
    (stroke (width 0.1) (type default)) (layer "F.Fab") (uuid "3efa2f2c-1877-4dcc-914d-5e9d06a61f10"))
  (fp_text user "${REFERENCE}" (at 0 0 0) (unlocked yes) (layer "F.Fab")
    (uuid "3061a90f-a481-4c92-b184-11e8cdb5c40e")
    (effects (font (size 0.4 0.4) (thickness 0.06) (bold no) (italic no))))
  (pad "1" smd rect (at -0.5 0.25 90) (size 0.5 0.6) (layers "F.Cu" "F.Paste" "F.Mask")
    (uuid "71bd5113-61af-4f98-a937-b89111941731"))
  (pad "2" smd rect (at 0.5 0) (size 0.5 0.6) (layers "F.Cu" "F.Paste" "F.Mask")
    (uuid "b2dc4744-6f7a-4267-a134-185dba0d1741"))
  (embedded_fonts no)
)
)"},
};

}  // namespace pcbprep::testing
