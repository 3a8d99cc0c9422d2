"""Prints the footprint positions KiCad exports for a board (CSV, millimetres, from the
auxiliary origin), as its position-file export writes them."""
import sys

import pcbnew

board = pcbnew.LoadBoard(sys.argv[1])
# units mm, all footprints (not only SMD, through-hole too), both sides, CSV, aux origin
exporter = pcbnew.PLACE_FILE_EXPORTER(board, True, False, False, True, True, True, True)
sys.stdout.write(exporter.GenPositionData())
