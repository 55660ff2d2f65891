#!/usr/bin/env python3
"""Draws the pictures of the tool buttons of the data-entry window as 32 x 32 PNG files:
calculator.png (the calculation run), excel_import.png (the import from the workbook),
open_book.png (a book of the user's choice) and report_pdf.png (the PDF report).
Uses only the standard library; run it from any folder, it writes next to itself."""
import os
import struct
import zlib

SIZE = 32


def blank():
    return [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]


def rect(img, x0, y0, x1, y1, colour):
    """Fills x0..x1, y0..y1 inclusive."""
    for y in range(max(y0, 0), min(y1, SIZE - 1) + 1):
        for x in range(max(x0, 0), min(x1, SIZE - 1) + 1):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    rect(img, x0, y0, x1, y0, colour)
    rect(img, x0, y1, x1, y1, colour)
    rect(img, x0, y0, x0, y1, colour)
    rect(img, x1, y0, x1, y1, colour)


def write_png(path, img):
    raw = b"".join(b"\x00" + b"".join(struct.pack("BBBB", *px) for px in row) for row in img)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                  + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def calculator():
    img = blank()
    body, edge = (96, 104, 120, 255), (40, 44, 52, 255)
    rect(img, 5, 1, 26, 30, body)
    frame(img, 5, 1, 26, 30, edge)
    rect(img, 8, 4, 23, 10, (196, 224, 176, 255))   # display
    frame(img, 8, 4, 23, 10, edge)
    rect(img, 16, 6, 21, 8, (40, 64, 40, 255))       # digits on the display
    for row in range(4):
        for col in range(4):
            x, y = 8 + col * 4, 13 + row * 4
            key = (232, 120, 40, 255) if col == 3 else (236, 236, 240, 255)
            rect(img, x, y, x + 2, y + 2, key)
    return img


def workbook_import():
    img = blank()
    green, dark = (33, 115, 70, 255), (16, 70, 40, 255)
    rect(img, 2, 3, 21, 28, (250, 250, 250, 255))    # sheet
    frame(img, 2, 3, 21, 28, dark)
    rect(img, 3, 4, 20, 8, green)                    # header row
    for x in (8, 14):
        rect(img, x, 9, x, 27, (170, 190, 176, 255))
    for y in (13, 18, 23):
        rect(img, 3, y, 20, y, (170, 190, 176, 255))
    # arrow from the sheet into the program
    rect(img, 18, 14, 25, 17, (30, 90, 200, 255))
    for step in range(6):
        rect(img, 26 + step, 10 + step, 26 + step, 21 - step, (30, 90, 200, 255))
    return img


def open_book():
    img = blank()
    folder, dark = (232, 184, 64, 255), (140, 100, 20, 255)
    rect(img, 2, 6, 12, 9, folder)                   # tab of the folder
    frame(img, 2, 6, 12, 9, dark)
    rect(img, 2, 9, 29, 28, folder)
    frame(img, 2, 9, 29, 28, dark)
    green, line = (33, 115, 70, 255), (170, 190, 176, 255)
    rect(img, 8, 2, 25, 18, (250, 250, 250, 255))   # the sheet in the folder
    frame(img, 8, 2, 25, 18, (16, 70, 40, 255))
    rect(img, 9, 3, 24, 6, green)
    for y in (10, 14):
        rect(img, 9, y, 24, y, line)
    rect(img, 16, 7, 16, 17, line)
    rect(img, 3, 15, 28, 27, (248, 204, 96, 255))   # front flap over the sheet
    rect(img, 3, 15, 28, 15, dark)
    return img


def report_pdf():
    img = blank()
    dark, grey = (60, 60, 70, 255), (150, 150, 160, 255)
    rect(img, 5, 1, 26, 30, (252, 252, 252, 255))    # page
    frame(img, 5, 1, 26, 30, dark)
    for y in (5, 8, 11):                             # text lines
        rect(img, 8, y, 23, y, grey)
    for step in range(12):                           # an elastic line on the page
        x = 8 + step
        y = 16 + (step * (11 - step)) // 10
        rect(img, x, y, x + 1, y, (220, 30, 30, 255))
    rect(img, 3, 22, 28, 29, (200, 30, 30, 255))     # PDF band
    white = (255, 255, 255, 255)
    # "PDF" in 3 x 5 letters
    for x, y in [(5, 23), (5, 24), (5, 25), (5, 26), (5, 27), (6, 23), (7, 23), (7, 24), (6, 25),
                 (7, 25), (11, 23), (11, 24), (11, 25), (11, 26), (11, 27), (12, 23), (13, 24),
                 (13, 25), (13, 26), (12, 27), (17, 23), (17, 24), (17, 25), (17, 26), (17, 27),
                 (18, 23), (19, 23), (18, 25)]:
        img[y][x + 2] = white
    return img


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(os.path.join(here, "calculator.png"), calculator())
    write_png(os.path.join(here, "excel_import.png"), workbook_import())
    write_png(os.path.join(here, "open_book.png"), open_book())
    write_png(os.path.join(here, "report_pdf.png"), report_pdf())
