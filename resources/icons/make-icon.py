#!/usr/bin/env python3
"""Draws the program icon, organ pipes above two manuals, with ImageMagick.

Writes tastarello.png (256 px, for the desktop entry) and tastarello.ico
(16 to 256 px, the window icon). The outputs are committed, so the build does
not need ImageMagick; run this only to change the drawing.
"""
import subprocess

WOOD, DARK, IVORY, EBONY = "#5a3418", "#2b1a0d", "#f4efe2", "#1c1c1c"
PIPE, PIPE_EDGE, MOUTH = "#cfd5dc", "#6b7580", "#3a3f45"


def manual(top):
    naturals = " ".join(f"rectangle {36 + 26 * i},{top} {60 + 26 * i},{top + 40}" for i in range(7))
    # Sharps between C-D, D-E, F-G, G-A, A-B.
    sharps = " ".join(f"rectangle {53 + 26 * i},{top} {67 + 26 * i},{top + 24}" for i in (0, 1, 3, 4, 5))
    return ["-fill", IVORY, "-stroke", DARK, "-strokewidth", "2", "-draw", naturals,
            "-fill", EBONY, "-draw", sharps]


heights = [58, 74, 90, 106, 90, 74, 58]
pipes = " ".join(f"roundrectangle {44 + 25 * i},{132 - h} {62 + 25 * i},132 4,4" for i, h in enumerate(heights))
mouths = " ".join(f"rectangle {49 + 25 * i},112 {57 + 25 * i},118" for i in range(len(heights)))

subprocess.run(["convert", "-size", "256x256", "xc:none",
                "-fill", WOOD, "-stroke", DARK, "-strokewidth", "4", "-draw", "roundrectangle 6,6 250,250 40,40",
                "-fill", PIPE, "-stroke", PIPE_EDGE, "-strokewidth", "2", "-draw", pipes,
                "-fill", MOUTH, "-stroke", "none", "-draw", mouths,
                "-fill", DARK, "-draw", "rectangle 28,138 228,242",
                *manual(144), *manual(194),
                "tastarello.png"], check=True)
subprocess.run(["convert", "tastarello.png", "-define", "icon:auto-resize=256,64,48,32,16", "tastarello.ico"],
               check=True)
