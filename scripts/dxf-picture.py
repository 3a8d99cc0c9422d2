#!/usr/bin/python3
"""Draws a DXF file as a PNG picture with ezdxf's drawing add-on and Matplotlib
(Debian: python3-ezdxf, python3-matplotlib), as a DXF viewer shows it. Used for the
pictures in docs/images.

Usage: scripts/dxf-picture.py IN.dxf OUT.png"""

import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

from ezdxf import recover  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.tools import fonts  # noqa: E402

# The text style names IPA Gothic by its file; tell the font lookup its family, so the
# Japanese texts are drawn with it.
fonts.font_face_cache[fonts.cache_key("ipag.ttf")] = fonts.FontFace(ttf="ipag.ttf",
                                                                   family="IPAGothic")

# The recovering reader is the one ezdxf's own viewer uses; it also turns the \U+XXXX
# escapes of the texts into their characters.
doc, _ = recover.readfile(sys.argv[1])
fig = plt.figure(figsize=(12, 9))
ax = fig.add_axes([0, 0, 1, 1])
Frontend(RenderContext(doc), MatplotlibBackend(ax)).draw_layout(doc.modelspace(), finalize=True)
fig.savefig(sys.argv[2], dpi=150, facecolor=ax.get_facecolor())
