"""Reads DXF drawings with an independent DXF library (ezdxf) and compares them with
what the DBL drawing they were made from holds.

Usage: dxf_check.py DIR. Every DIR/NAME.expect.json names NAME.dxf and gives its
entity counts per layer and kind, the extent of the outline layer, one hole and the
texts. Exits 1 with the differences listed when any drawing differs."""

import json
import math
import pathlib
import sys
from collections import Counter

import ezdxf
from ezdxf import bbox


def check(dxf_path, expect):
    problems = []
    doc = ezdxf.readfile(dxf_path)
    auditor = doc.audit()
    problems += [f"audit error: {e.message}" for e in auditor.errors]
    problems += [f"audit fix: {f.message}" for f in auditor.fixes]
    if doc.dxfversion != "AC1015":
        problems.append(f"version {doc.dxfversion}")
    # The texts are in the drawing's code page, which the ordinary reader follows.
    if doc.encoding != "cp932":
        problems.append(f"encoding {doc.encoding}")
    if doc.header.get("$INSUNITS") != 4:
        problems.append(f"$INSUNITS {doc.header.get('$INSUNITS')}")

    msp = doc.modelspace()
    counts = Counter(f"{e.dxf.layer} {e.dxftype()}" for e in msp)
    if counts != Counter(expect["counts"]):
        problems.append(f"entities {dict(sorted(counts.items()))} != {expect['counts']}")
    for name in {e.dxf.layer for e in msp}:
        if name not in doc.layers:
            problems.append(f"layer {name} not in the layer table")

    if "outline" in expect:
        ext = bbox.extents(msp.query('*[layer=="L23_OUTLINE"]'))
        got = [ext.extmin.x, ext.extmin.y, ext.extmax.x, ext.extmax.y]
        if not all(math.isclose(a, b, abs_tol=1e-6) for a, b in zip(got, expect["outline"])):
            problems.append(f"outline extent {got} != {expect['outline']}")

    if "hole" in expect:
        h = expect["hole"]
        found = [c for c in msp.query('CIRCLE[layer=="VIA"]')
                 if math.isclose(c.dxf.center.x, h["x"], abs_tol=1e-6)
                 and math.isclose(c.dxf.center.y, h["y"], abs_tol=1e-6)
                 and math.isclose(c.dxf.radius, h["r"], abs_tol=1e-6)]
        if not found:
            problems.append(f"no hole {h}")

    # As read, without undoing \U+XXXX escapes: these texts all have code page 932 forms.
    texts = sorted(f"{t.dxf.layer} {t.plain_text()}" for t in msp.query("TEXT"))
    if texts != sorted(expect["texts"]):
        problems.append(f"texts {texts} != {sorted(expect['texts'])}")
    return problems


def main():
    failed = False
    cases = sorted(pathlib.Path(sys.argv[1]).glob("*.expect.json"))
    if not cases:
        print("no drawings to check")
        return 1
    for expect_path in cases:
        name = expect_path.name[: -len(".expect.json")]
        problems = check(str(expect_path.with_name(name + ".dxf")),
                         json.loads(expect_path.read_text(encoding="utf-8")))
        for p in problems:
            print(f"{name}: {p}")
        failed = failed or bool(problems)
    print(f"{len(cases)} drawings read{', with differences' if failed else ', all agree'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
