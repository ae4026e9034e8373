#!/usr/bin/env python3
"""Draws the bitmaps used by WIEDO (icons, grade digits, decorations).

The help pictures of the instructions windows (inform.png, dod1.png .. dod4.png)
are pictures of the program's own windows, taken by scripts/screenshots.sh.

Needs ImageMagick ("magick" or "convert") and the DejaVu Sans fonts.
Run from anywhere:  python3 resources/make_images.py
The output is deterministic: no time stamps or other metadata are written,
so running the script again gives byte-identical files.  The script also
rewrites resources/wiedo.qrc with every picture under the /img prefix, those
taken by scripts/screenshots.sh included.
"""

import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "images")
QRC = os.path.join(HERE, "wiedo.qrc")

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
SANS = os.path.join(FONT_DIR, "DejaVuSans.ttf")
BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")

# Background of the grade picture ("Ocena :" followed by the digit).
GRADE_BG = "#0b1d5e"

# Pictures of the program's windows, taken by scripts/screenshots.sh.
SCREENSHOTS = ["inform.png", "dod1.png", "dod2.png", "dod3.png", "dod4.png"]


def _tool():
    for name in ("magick", "convert"):
        path = shutil.which(name)
        if path:
            return [path]
    sys.exit("ImageMagick (magick/convert) not found")


TOOL = _tool()

# Keep the files free of time stamps and comments so that they stay identical
# between runs.
SAVE_OPTS = [
    "-strip",
    "-define", "png:exclude-chunks=date,time",
    "-define", "png:compression-level=9",
]

made = []


class Canvas:
    """Collects ImageMagick drawing options for one picture."""

    def __init__(self, width, height, background="none"):
        self.w = width
        self.h = height
        self.args = ["-size", f"{width}x{height}", f"xc:{background}"]

    def raw(self, *args):
        self.args.extend(args)
        return self

    def draw(self, mvg, fill="none", stroke="none", width=1.0):
        self.args += ["-fill", fill, "-stroke", stroke,
                      "-strokewidth", str(width), "-draw", mvg]
        return self

    def rect(self, x0, y0, x1, y1, fill, stroke="none", width=1.0, radius=0):
        if radius:
            mvg = f"roundrectangle {x0},{y0} {x1},{y1} {radius},{radius}"
        else:
            mvg = f"rectangle {x0},{y0} {x1},{y1}"
        return self.draw(mvg, fill, stroke, width)

    def line(self, x0, y0, x1, y1, stroke, width=1.0):
        return self.draw(f"line {x0},{y0} {x1},{y1}", "none", stroke, width)

    def text(self, x, y, s, size, color, font=SANS, gravity="NorthWest"):
        self.args += ["-stroke", "none", "-font", font, "-pointsize", str(size),
                      "-fill", color, "-gravity", gravity,
                      "-annotate", f"{x:+d}{y:+d}", s,
                      "-gravity", "NorthWest"]
        return self

    def save(self, name):
        path = os.path.join(OUT_DIR, name)
        subprocess.run(TOOL + self.args + SAVE_OPTS + ["PNG32:" + path],
                       check=True)
        made.append(name)


def run_im(args, name):
    path = os.path.join(OUT_DIR, name)
    subprocess.run(TOOL + args + SAVE_OPTS + ["PNG32:" + path], check=True)
    made.append(name)


# ---------------------------------------------------------------- icons ---

def make_question():
    c = Canvas(32, 32)
    c.draw("circle 16,16 16,1.5", "#e8f0ff", "#1d3f8f", 2)
    c.text(0, 1, "?", 24, "#12307a", BOLD, gravity="Center")
    c.save("question.png")


def app_icon(size):
    """The program's icon, a white W on a blue-to-red rounded square, drawn at size x size."""
    k = size / 64
    far = size - 1 - k
    return [
        "-size", f"{size}x{size}",
        "-define", "gradient:direction=SouthEast",
        "gradient:#1f4fd1-#d42a2a",
        "(", "-size", f"{size}x{size}", "xc:black", "-fill", "white",
        "-draw", f"roundrectangle {k:g},{k:g} {far:g},{far:g} {13 * k:g},{13 * k:g}", ")",
        "-alpha", "off", "-compose", "CopyOpacity", "-composite",
        "-compose", "Over",
        "-fill", "none", "-stroke", "#ffffff80", "-strokewidth", f"{1.5 * k:g}",
        "-draw", f"roundrectangle {2 * k:g},{2 * k:g} {far - k:g},{far - k:g} {12 * k:g},{12 * k:g}",
        "-stroke", "none", "-font", BOLD, "-pointsize", f"{44 * k:g}",
        "-gravity", "Center",
        "-fill", "#00000070", "-annotate", f"+{2 * k:g}+{3 * k:g}", "W",
        "-fill", "white", "-annotate", f"+0+{k:g}", "W",
    ]


def make_app():
    run_im(app_icon(64), "app.png")


# The desktop's icon theme sizes, installed with the program (not compiled in).
ICON_SIZES = [16, 32, 48, 64, 128, 256]


def make_desktop_icons():
    for size in ICON_SIZES:
        folder = os.path.join(HERE, "icons", "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        # Small sizes are drawn large and scaled down, so the letter stays smooth.
        drawn = app_icon(max(size, 64)) + (["-resize", f"{size}x{size}"] if size < 64 else [])
        subprocess.run(TOOL + drawn + SAVE_OPTS + ["PNG32:" + os.path.join(folder, "wiedo.png")], check=True)


def make_logo16():
    run_im([
        "-size", "16x16",
        "-define", "gradient:direction=SouthEast",
        "gradient:#1f4fd1-#d42a2a",
        "(", "-size", "16x16", "xc:black", "-fill", "white",
        "-draw", "roundrectangle 0,0 15,15 3,3", ")",
        "-alpha", "off", "-compose", "CopyOpacity", "-composite",
        "-compose", "Over",
        "-stroke", "none", "-font", BOLD, "-pointsize", "12",
        "-gravity", "Center", "-fill", "white", "-annotate", "+0+0", "W",
    ], "logo16.png")


def make_window_digits():
    for n in range(1, 7):
        c = Canvas(32, 32)
        c.text(0, 0, str(n), 30, "black", BOLD, gravity="Center")
        c.save(f"v{n}.png")


def make_save_cancel():
    c = Canvas(32, 32)
    c.draw("circle 16,16 16,2", "#2e9e44", "#1b6a2c", 1.5)
    c.draw("stroke-linecap round stroke-linejoin round "
           "polyline 9,16.5 14,21.5 23.5,10.5", "none", "white", 3.6)
    c.save("save.png")

    c = Canvas(32, 32)
    c.draw("circle 16,16 16,2", "#d63a3a", "#8f1c1c", 1.5)
    c.draw("stroke-linecap round line 11,11 21,21", "none", "white", 3.6)
    c.draw("stroke-linecap round line 21,11 11,21", "none", "white", 3.6)
    c.save("cancel.png")


def make_smile():
    c = Canvas(32, 32)
    c.draw("circle 16,16 16,2", "#ffd84a", "#a06a00", 1.5)
    c.draw("circle 13,11 13,8", "#fff1a8")  # highlight
    c.draw("ellipse 11.5,12.5 2,3 0,360", "#3a2a00")
    c.draw("ellipse 20.5,12.5 2,3 0,360", "#3a2a00")
    c.draw("stroke-linecap round path 'M 9,19 Q 16,26.5 23,19'",
           "none", "#3a2a00", 2)
    c.draw("ellipse 8,19 2.2,1.4 0,360", "#ff9f6e80")
    c.draw("ellipse 24,19 2.2,1.4 0,360", "#ff9f6e80")
    c.save("smile.png")


# ------------------------------------------------------- grade pictures ---

def make_grade():
    c = Canvas(155, 74, GRADE_BG)
    c.raw("-stroke", "none", "-font", BOLD, "-pointsize", "33",
          "-fill", "#d61f1f", "-annotate", "+6+60", "Ocena :",
          "-fill", "#4fa3ff", "-annotate", "+3+57", "Ocena :")
    c.save("oc.png")

    rainbow = ["#ff2a2a", "#ff8c1a", "#ffe81a", "#3ddc3d", "#29c5ff",
               "#4f7dff", "#c45cff"]
    for n in range(1, 7):
        grad = []
        for a, b in zip(rainbow, rainbow[1:]):
            grad += ["-size", "63x8", f"gradient:{a}-{b}"]
        args = [
            "-size", "63x74", f"xc:{GRADE_BG}",
            # dark shadow under the digit
            "-stroke", "none", "-font", BOLD, "-pointsize", "64",
            "-fill", "#000000a0", "-annotate", "+11+60", str(n),
            # rainbow filling, masked by the glyph
            # (the 48 rows of colour cover the glyph, rows 11..58)
            "(", *grad, "-append",
            "-gravity", "North", "-background", rainbow[0],
            "-splice", "0x11",
            "-background", rainbow[-1], "-extent", "63x74",
            "+gravity", ")",
            "(", "-size", "63x74", "xc:black", "-fill", "white",
            "-font", BOLD, "-pointsize", "64",
            "-annotate", "+9+58", str(n), ")",
            "-compose", "Over", "-composite",
        ]
        run_im(args, f"o{n}.png")


def make_ocena_button():
    colours = ["#d62828", "#f77f00", "#c9a000", "#2a9d3a", "#1f6fd1",
               "#8e3ccf", "#1b1b1b"]
    c = Canvas(200, 20)
    for i, (ch, col) in enumerate(zip("123456?", colours)):
        c.text(8 + i * 27, 0, ch, 16, col, BOLD)
    c.save("ocena_button.png")


# ------------------------------------------------ decorative pictures ---

def make_loader():
    c = Canvas(64, 64)
    wood, dark = "#9a6332", "#5e3a17"
    c.rect(14, 10, 17, 54, wood, dark, 1)
    c.rect(47, 10, 50, 54, wood, dark, 1)
    c.draw("path 'M 19,10 C 19,25 30,28 30,32 C 30,36 19,39 19,54 "
           "L 45,54 C 45,39 34,36 34,32 C 34,28 45,25 45,10 Z'",
           "#e3f3ffd0", "#6a8fb0", 1.4)
    c.draw("path 'M 21.5,17 L 42.5,17 C 41,25 34,27.5 32,31 "
           "C 30,27.5 23,25 21.5,17 Z'", "#f2c14e", "#d99a1e", 0.8)
    c.line(32, 31, 32, 50, "#e0a82e", 1.8)
    c.draw("path 'M 20.5,53.5 C 24,45 40,45 43.5,53.5 Z'",
           "#f2c14e", "#d99a1e", 0.8)
    c.draw("path 'M 22,13 C 22,20 25,24 28,26'", "none", "#ffffffb0", 1.2)
    c.rect(11, 4, 53, 10, wood, dark, 1, radius=2)
    c.rect(11, 54, 53, 60, wood, dark, 1, radius=2)
    c.save("loader.png")


def make_author():
    c = Canvas(64, 64)
    c.draw("path 'M 9,5 L 40,5 L 51,16 L 51,60 L 9,60 Z'",
           "#00000030", "none", 1)          # soft shadow
    c.draw("path 'M 7,3 L 38,3 L 49,14 L 49,58 L 7,58 Z'",
           "#ffffff", "#7a7a7a", 1)
    c.draw("path 'M 38,3 L 38,14 L 49,14 Z'", "#dcdcdc", "#7a7a7a", 1)
    for y in (22, 29, 36, 43, 50):
        c.line(12, y, 44, y, "#a9c0e0", 1)
    # handwriting
    c.draw("path 'M 13,20 q 2,-4 4,0 t 4,0 t 4,0 t 4,0 t 4,0'",
           "none", "#1d3f8f", 1.2)
    c.draw("path 'M 13,27 q 2,-4 4,0 t 4,0 t 4,0 t 4,0 t 4,0 t 4,0'",
           "none", "#1d3f8f", 1.2)
    c.draw("path 'M 13,34 q 2,-4 4,0 t 4,0 t 4,0'", "none", "#1d3f8f", 1.2)
    # pen
    c.draw("push graphic-context translate 45,34 rotate 35 "
           "fill #c0392b stroke #7b1f16 stroke-width 1 "
           "roundrectangle -3.5,-30 3.5,8 2,2 "
           "fill #e6b422 stroke #8a6a0a roundrectangle -1,-27 1,-12 1,1 "
           "fill #333333 stroke none rectangle -3.5,4 3.5,8 "
           "fill #f1d9a8 stroke #8a6a3a polygon -3.5,8 3.5,8 0,17 "
           "fill #1d3f8f stroke none polygon -1.2,14 1.2,14 0,17 "
           "pop graphic-context")
    c.save("author.png")


def write_qrc():
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/img">']
    pictures = made + [n for n in SCREENSHOTS
                       if os.path.exists(os.path.join(OUT_DIR, n))]
    for name in sorted(pictures):
        lines.append(f'    <file alias="{name}">images/{name}</file>')
    lines += ['</qresource>', '</RCC>', '']
    with open(QRC, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for font in (SANS, BOLD):
        if not os.path.exists(font):
            sys.exit(f"font missing: {font}")
    make_question()
    make_logo16()
    make_grade()
    make_window_digits()
    make_ocena_button()
    make_loader()
    make_smile()
    make_save_cancel()
    make_app()
    make_desktop_icons()
    make_author()
    write_qrc()
    print(f"{len(made)} pictures written to {OUT_DIR}")


if __name__ == "__main__":
    main()
