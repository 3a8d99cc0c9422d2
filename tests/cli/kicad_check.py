"""Loads a KiCad board with KiCad's own reader and prints what the tests compare, as JSON.

Usage: kicad_check.py BOARD [FOOTPRINT_DIR ...]
A board KiCad cannot read aborts this interpreter; the caller sees no JSON then.
"""
import json
import os
import sys

import pcbnew


def main():
    board = pcbnew.LoadBoard(sys.argv[1])
    dirs = sys.argv[2:] + ["/usr/share/kicad/footprints"]
    origin = board.GetDesignSettings().GetAuxOrigin()
    mm = 1e6
    scratch = pcbnew.BOARD()
    parts = []
    for fp in board.GetFootprints():
        pos = fp.GetPosition()
        part = {
            "ref": fp.GetReference(),
            "x": round((pos.x - origin.x) / mm, 4),
            "y": round((origin.y - pos.y) / mm, 4),
            "back": fp.GetLayer() == pcbnew.B_Cu,
            "footprint": str(fp.GetFPID().GetLibItemName()),
            "library": str(fp.GetFPID().GetLibNickname()),
            "path": fp.GetPath().AsString(),
            "group": fp.GetParentGroup().GetName() if fp.GetParentGroup() else "",
            "pads": [[p.GetNumber(), p.GetNetname()] for p in fp.Pads()],
        }
        if part["back"]:
            # The same footprint flipped by KiCad itself must give the same pads.
            for folder in dirs:
                path = os.path.join(folder, part["library"] + ".pretty")
                if os.path.exists(os.path.join(path, part["footprint"] + ".kicad_mod")):
                    ref = pcbnew.FootprintLoad(path, part["footprint"])
                    if ref is None:
                        break  # a library syntax newer than this KiCad reads
                    scratch.Add(ref)  # a footprint flips on a board only
                    ref.SetPosition(pos)
                    ref.Flip(pos, False)
                    mine = sorted((p.GetNumber(), p.GetPosition().x, p.GetPosition().y,
                                   p.IsOnLayer(pcbnew.B_Cu)) for p in fp.Pads())
                    kicad = sorted((p.GetNumber(), p.GetPosition().x, p.GetPosition().y,
                                    p.IsOnLayer(pcbnew.B_Cu)) for p in ref.Pads())
                    part["flippedAsKicad"] = all(
                        a[0] == b[0] and abs(a[1] - b[1]) < 10 and abs(a[2] - b[2]) < 10
                        and a[3] == b[3] for a, b in zip(mine, kicad)) and len(mine) == len(kicad)
                    break
        parts.append(part)
    outline = pcbnew.SHAPE_POLY_SET()
    closed = board.GetBoardPolygonOutlines(outline)
    xs, ys = [0], [0]
    if closed and outline.OutlineCount() > 0:
        chain = outline.Outline(0)
        xs = [chain.CPoint(i).x for i in range(chain.PointCount())]
        ys = [chain.CPoint(i).y for i in range(chain.PointCount())]
    print(json.dumps({
        "parts": parts,
        "nets": [board.FindNet(code).GetNetname() for code in range(1, board.GetNetCount())],
        "closed": bool(closed) and outline.OutlineCount() == 1,
        "width": round((max(xs) - min(xs)) / mm, 3),
        "height": round((max(ys) - min(ys)) / mm, 3),
        "holes": [p.GetDrillSize().x / mm for fp in board.GetFootprints()
                  for p in fp.Pads() if p.GetAttribute() == pcbnew.PAD_ATTRIB_NPTH],
    }))


main()
