#!/usr/bin/env python3
"""Draws the bitmaps used by WIEDO (icons, grade digits, help pictures).

Needs ImageMagick ("magick" or "convert") and the DejaVu Sans fonts.
Run from anywhere:  python3 resources/make_images.py
The output is deterministic: no time stamps or other metadata are written,
so running the script again gives byte-identical files.  The script also
rewrites resources/wiedo.qrc with every picture under the /img prefix.
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

# Colours of the mock-up windows in the help pictures.
TITLE_BG = "#2b5fb4"
WINDOW_BG = "#f2f3f5"
FRAME = "#51607a"
SELECT_BG = "#3c7fd6"


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

    def checkbox(self, x, y, checked=False, size=8):
        self.rect(x, y, x + size, y + size, "white", "#4a4a4a", 1)
        if checked:
            s = size
            self.draw(f"stroke-linecap round stroke-linejoin round "
                      f"polyline {x + s * 0.2:.1f},{y + s * 0.5:.1f} "
                      f"{x + s * 0.42:.1f},{y + s * 0.75:.1f} "
                      f"{x + s * 0.85:.1f},{y + s * 0.2:.1f}",
                      "none", "#1a7f2a", 1.8)
        return self

    def pointer(self, x, y):
        pts = [(0, 0), (0, 14), (3.5, 10.5), (6, 16), (8.5, 15), (6, 9.5),
               (10.5, 9.5)]
        mvg = "polygon " + " ".join(f"{x + px},{y + py}" for px, py in pts)
        return self.draw(mvg, "white", "black", 1)

    def button(self, x0, y0, x1, y1, label, size=9, default=False,
               font=SANS):
        self.rect(x0, y0, x1, y1, "#e4e7ec",
                  SELECT_BG if default else "#7d8590", 1.5 if default else 1,
                  radius=2)
        self.line(x0 + 2, y0 + 1, x1 - 2, y0 + 1, "#ffffff", 1)
        cx = (x0 + x1) // 2 - self.w // 2
        cy = (y0 + y1) // 2 - self.h // 2
        self.text(cx, cy, label, size, "#1b1b1b", font, gravity="Center")
        return self

    def window(self, title):
        """A small window frame filling the whole picture."""
        w, h = self.w - 1, self.h - 1
        self.rect(0, 0, w, h, WINDOW_BG, FRAME, 1)
        self.rect(1, 1, w - 1, 14, TITLE_BG)
        self.line(1, 14, w - 1, 14, "#1d4690", 1)
        self.text(5, 1, title, 9, "white", BOLD)
        # minimise / maximise / close
        bx = w - 12
        self.rect(bx, 3, bx + 9, 11, "#d9534f", "#ffffff", 0.8, radius=1)
        self.line(bx + 2.5, 5, bx + 6.5, 9, "white", 1.2)
        self.line(bx + 6.5, 5, bx + 2.5, 9, "white", 1.2)
        bx -= 12
        self.rect(bx, 3, bx + 9, 11, "#4a78c8", "#ffffff", 0.8, radius=1)
        self.rect(bx + 2, 5, bx + 7, 9, "none", "white", 1)
        bx -= 12
        self.rect(bx, 3, bx + 9, 11, "#4a78c8", "#ffffff", 0.8, radius=1)
        self.line(bx + 2, 9, bx + 7, 9, "white", 1.2)
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


def make_app():
    run_im([
        "-size", "64x64",
        "-define", "gradient:direction=SouthEast",
        "gradient:#1f4fd1-#d42a2a",
        "(", "-size", "64x64", "xc:black", "-fill", "white",
        "-draw", "roundrectangle 1,1 62,62 13,13", ")",
        "-alpha", "off", "-compose", "CopyOpacity", "-composite",
        "-compose", "Over",
        "-fill", "none", "-stroke", "#ffffff80", "-strokewidth", "1.5",
        "-draw", "roundrectangle 2,2 61,61 12,12",
        "-stroke", "none", "-font", BOLD, "-pointsize", "44",
        "-gravity", "Center",
        "-fill", "#00000070", "-annotate", "+2+3", "W",
        "-fill", "white", "-annotate", "+0+1", "W",
    ], "app.png")


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


# ------------------------------------------------------ help pictures ---

def make_inform():
    c = Canvas(178, 89)
    w, h = 177, 88
    c.rect(0, 0, w, h, WINDOW_BG, FRAME, 1)
    c.rect(1, 1, w - 1, 10, TITLE_BG)
    c.text(4, 0, "WIEDO", 8, "white", BOLD)
    c.rect(w - 9, 3, w - 3, 8, "#d9534f")
    c.rect(1, 11, w - 1, 19, "#e4e7ec")
    c.text(4, 10, "Wiedo", 7, "#222222")
    c.text(30, 10, "Pomoc", 7, "#222222")
    # question
    c.rect(4, 22, 122, 36, "white", "#9aa4b4", 1)
    c.text(7, 23, "1. Stolica Polski to:", 8, "#12307a", BOLD)
    # answers
    answers = ["Kraków", "Warszawa", "Gniezno", "Poznań", "Płock"]
    for i, (letter, ans) in enumerate(zip("ABCDE", answers)):
        y = 40 + i * 9
        c.checkbox(6, y, checked=(i == 1), size=7)
        c.text(17, y - 1, f"{letter}. {ans}", 7, "#222222")
    # buttons on the right
    c.button(127, 22, 174, 34, "Start", 8, default=True)
    c.button(127, 38, 174, 50, "Dalej", 8)
    c.button(127, 54, 174, 66, "Podpowiedź", 7)
    c.rect(127, 70, 174, 84, GRADE_BG, radius=2)
    c.text(132, 71, "Ocena", 7, "#4fa3ff", BOLD)
    c.text(162, 70, "5", 10, "#ffe81a", BOLD)
    c.save("inform.png")


def make_dod1():
    c = Canvas(200, 120).window("WIEDO")
    c.rect(1, 15, 198, 27, "#e4e7ec")
    c.rect(3, 16, 38, 26, "#cde0f7", "#7fa7d9", 1)
    c.text(7, 15, "Wiedo", 9, "#111111")
    c.text(46, 15, "Pomoc", 9, "#111111")
    # window contents behind the menu
    for i, y in enumerate((36, 48, 60, 72, 84, 96)):
        c.rect(120, y, 190, y + 6, "#d8dde5")
    # dropdown
    c.rect(5, 29, 125, 92, "#00000028")
    c.rect(3, 27, 122, 89, "white", "#8a8a8a", 1)
    c.rect(5, 30, 120, 44, SELECT_BG)
    c.text(10, 30, "Otwórz plik testu", 9, "white")
    c.text(10, 47, "Ustawienia", 9, "#111111")
    c.text(10, 60, "Wyniki", 9, "#111111")
    c.line(7, 75, 118, 75, "#c8c8c8", 1)
    c.text(10, 75, "Zakończ", 9, "#111111")
    c.pointer(100, 38)
    c.save("dod1.png")


def make_dod2():
    c = Canvas(200, 120).window("Otwórz plik")
    c.text(6, 18, "Szukaj w:", 8, "#333333")
    c.rect(52, 18, 193, 29, "white", "#9aa4b4", 1)
    c.text(56, 18, "Testy", 8, "#111111")
    c.rect(6, 33, 193, 76, "white", "#9aa4b4", 1)
    files = ["geografia.kwz", "historia.kwz", "przyroda.kwz"]
    for i, f in enumerate(files):
        y = 36 + i * 13
        if i == 1:
            c.rect(8, y - 1, 110, y + 11, SELECT_BG)
        c.rect(11, y + 1, 18, y + 9, "#fff7d6", "#b08a20", 1)
        c.line(12.5, y + 4, 16.5, y + 4, "#b08a20", 0.8)
        c.line(12.5, y + 6, 16.5, y + 6, "#b08a20", 0.8)
        c.text(22, y - 1, f, 8, "white" if i == 1 else "#111111")
    c.text(6, 81, "Nazwa pliku:", 8, "#333333")
    c.rect(64, 80, 193, 91, "white", "#9aa4b4", 1)
    c.text(68, 80, "historia.kwz", 8, "#111111")
    c.button(86, 98, 136, 113, "Otwórz", 9, default=True)
    c.button(143, 98, 193, 113, "Anuluj", 9)
    c.pointer(129, 106)
    c.save("dod2.png")


def make_dod3():
    c = Canvas(200, 120).window("Logowanie")
    c.text(8, 19, "Podaj swoje dane:", 9, "#12307a", BOLD)
    fields = [("Imię:", "Zosia"), ("Nazwisko:", "Testowa"), ("Klasa:", "6a")]
    for i, (label, value) in enumerate(fields):
        y = 36 + i * 19
        c.text(8, y, label, 9, "#222222")
        c.rect(66, y, 190, y + 13, "white", "#9aa4b4", 1)
        c.text(70, y, value, 9, "#111111")
    # caret after the last value
    c.line(84, 76, 84, 86, "#111111", 1)
    c.button(66, 98, 120, 113, "OK", 9, default=True)
    c.button(128, 98, 190, 113, "Anuluj", 9)
    c.save("dod3.png")


def make_dod4():
    c = Canvas(200, 120).window("WIEDO")
    c.rect(6, 20, 70, 42, "#3aa655", "#1f6b31", 1.5, radius=4)
    c.line(9, 22, 67, 22, "#8fe0a2", 1)
    c.text(38 - 100, 31 - 60, "Start", 12, "white", BOLD, gravity="Center")
    c.rect(78, 20, 193, 42, "white", "#9aa4b4", 1)
    c.rect(82, 25, 170, 29, "#d8dde5")
    c.rect(82, 33, 140, 37, "#d8dde5")
    for i, letter in enumerate("ABCDE"):
        x = 10 + i * 38
        c.checkbox(x, 60, checked=(i in (0, 3)), size=11)
        c.text(x + 15, 58, letter, 11, "#222222", BOLD)
    for i in range(5):
        c.rect(10 + i * 38, 78, 38 + i * 38, 81, "#d8dde5")
    c.text(6, 96, "Zaznacz poprawne odpowiedzi.", 8, "#555555")
    c.pointer(60, 34)
    c.save("dod4.png")


def write_qrc():
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/img">']
    for name in sorted(made):
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
    make_inform()
    make_dod1()
    make_dod2()
    make_dod3()
    make_dod4()
    make_save_cancel()
    make_app()
    make_author()
    write_qrc()
    print(f"{len(made)} pictures written to {OUT_DIR}")


if __name__ == "__main__":
    main()
