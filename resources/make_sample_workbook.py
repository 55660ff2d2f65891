#!/usr/bin/python3
"""Writes the sample shaft-line workbook "Data.xls".

Layout of every sheet (one sheet per rotor, sheet k is rotor k):
  A1            section count N
  rows 2..N+1   one section per row, columns A..H: coordinate of the section's right end,
                disc diameter, shaft diameter, disc thickness, bore, Young's modulus,
                mass of one blade, blade count
  row N+2       separating row (not read; holds a caption here)
  row N+3       support data, columns A..I the left support, J..R the right support:
                foundation height and temperature, frame height and temperature, bearing
                housing height and temperature, condenser, vacuum and journal terms
Cells outside this layout are not read, so B1 and the columns right of the data carry
captions for the reader of the workbook.

Units: mm, kg, kgf/mm^2, degrees C.

The sample is the shaft line of a large condensing steam-turbine unit: high-, intermediate-
and two low-pressure rotors at the odd positions and the generator rotor at the last one,
short intermediate shafts at the even positions.

Run with Debian's python3 (it has python3-xlwt):  /usr/bin/python3 make_sample_workbook.py [OUT]
"""

import os
import sys

import xlwt

STEEL_YOUNG = 2.1e4   # kgf/mm^2 at room temperature
HOT_YOUNG = 1.85e4    # kgf/mm^2, rotor steel near 500 C

SECTION_CAPTIONS = ("Координаты", "Диаметр диска", "Диаметр", "Толщина диска",
                    "Внутренний диаметр", "Модуль Юнга", "Масса лопатки", "Число лопаток")
SUPPORT_CAPTIONS = ("Выс. фунд.", "Темп. фунд.", "Выс. рамы", "Темп. рамы", "Выс. подшип.",
                    "Темп. подшип.", "Конд.", "Вак.", "Цапфа")


def shaft(length, diameter, bore=0.0, young=STEEL_YOUNG):
    """A plain shaft piece: (length, disc diameter, diameter, disc thickness, bore, Young,
    blade mass, blade count)."""
    return (length, 0.0, diameter, 0.0, bore, young, 0.0, 0)


def disc(length, diameter, disc_diameter, thickness, blade_mass, blades, bore=0.0,
         young=STEEL_YOUNG):
    return (length, disc_diameter, diameter, thickness, bore, young, blade_mass, blades)


def support(foundation_t, frame_h, frame_t, housing_h, housing_t, condenser=0.0, vacuum=0.0,
            journal=0.12, foundation_h=9000.0):
    return (foundation_h, foundation_t, frame_h, frame_t, housing_h, housing_t,
            condenser, vacuum, journal)


def high_pressure_rotor():
    pieces = [shaft(420, 360, young=HOT_YOUNG), shaft(380, 460, young=HOT_YOUNG)]
    # Eleven impulse stages, disc rims growing along the steam path.
    for stage in range(11):
        pieces.append(disc(150, 520, 1000 + 14 * stage, 42, round(0.45 + 0.05 * stage, 3),
                           110 - stage, young=HOT_YOUNG))
    pieces += [shaft(360, 500, young=HOT_YOUNG), shaft(400, 360, young=HOT_YOUNG)]
    return "ЦВД", pieces, support(40, 850, 60, 620, 55, journal=0.11), \
        support(42, 850, 75, 620, 60, journal=0.11)


def intermediate_pressure_rotor():
    pieces = [shaft(450, 400, young=HOT_YOUNG), shaft(350, 560, young=HOT_YOUNG)]
    for stage in range(9):
        pieces.append(disc(190, 600, 1350 + 45 * stage, 48, round(0.9 + 0.2 * stage, 3),
                           96 - 2 * stage, young=HOT_YOUNG))
    pieces += [shaft(380, 560, young=HOT_YOUNG), shaft(450, 400)]
    return "ЦСД", pieces, support(42, 900, 70, 640, 60, journal=0.12), \
        support(38, 900, 55, 640, 55, journal=0.12)


def low_pressure_rotor():
    # Double-flow rotor: five stages each way with shrunk-on discs, the last ones heavy.
    stages = [(1700, 60, 2.0, 104), (1850, 70, 3.1, 96), (2050, 85, 4.8, 90),
              (2350, 110, 8.5, 84), (2700, 140, 13.5, 78)]
    pieces = [shaft(520, 480), shaft(420, 700, bore=100)]
    for rim, thickness, blade, count in reversed(stages):
        pieces.append(disc(260, 720, rim, thickness, blade, count, bore=100))
    pieces.append(shaft(300, 760, bore=100))
    for rim, thickness, blade, count in stages:
        pieces.append(disc(260, 720, rim, thickness, blade, count, bore=100))
    pieces += [shaft(420, 700, bore=100), shaft(520, 480)]
    return "ЦНД", pieces


def generator_rotor():
    pieces = [shaft(600, 450), shaft(700, 620)]
    pieces += [shaft(820, 1075, bore=120) for _ in range(8)]
    pieces += [shaft(700, 620), shaft(600, 450)]
    return "Генератор", pieces, support(36, 700, 40, 600, 50, journal=0.13), \
        support(35, 700, 38, 600, 48, journal=0.13)


def intermediate_shaft(length, diameter):
    pieces = [shaft(0.3 * length, 0.85 * diameter), shaft(0.4 * length, diameter),
              shaft(0.3 * length, 0.85 * diameter)]
    # The piece hangs between the bearings of its neighbours; its support rows repeat theirs.
    return "Промвал", pieces


def sample_shaft_line():
    """List of (caption, pieces, left support, right support); coordinates follow the pieces."""
    hp = high_pressure_rotor()
    ip = intermediate_pressure_rotor()
    lp_name, lp_pieces = low_pressure_rotor()
    lp1 = (lp_name + "-1", lp_pieces, support(30, 760, 35, 600, 45, condenser=-0.35,
                                              vacuum=-0.18, journal=0.14),
           support(30, 760, 35, 600, 45, condenser=-0.35, vacuum=-0.18, journal=0.14))
    lp2 = (lp_name + "-2", lp_pieces, support(30, 760, 35, 600, 45, condenser=-0.32,
                                              vacuum=-0.16, journal=0.14),
           support(30, 760, 35, 600, 45, condenser=-0.32, vacuum=-0.16, journal=0.14))
    gen = generator_rotor()
    line = [hp]
    for neighbour, (length, diameter) in zip([ip, lp1, lp2, gen],
                                             [(900, 360), (1000, 420), (1100, 480), (1200, 480)]):
        name, pieces = intermediate_shaft(length, diameter)
        line.append((name, pieces, line[-1][3], neighbour[2]))
        line.append(neighbour)
    return line


def coordinates(pieces):
    x = 0.0
    rows = []
    for length, *rest in pieces:
        x = round(x + length, 3)
        rows.append((x, *rest))
    return rows


def write_rotor_sheet(book, number, caption, pieces, left, right):
    sheet = book.add_sheet("%d %s" % (number, caption))
    rows = coordinates(pieces)
    sheet.write(0, 0, len(rows))
    sheet.write(0, 1, "участков; ротор %d, %s" % (number, caption))
    for r, values in enumerate(rows, start=1):
        for c, value in enumerate(values):
            sheet.write(r, c, value)
    for c, text in enumerate(SECTION_CAPTIONS):
        sheet.write(0, 9 + c, text)
    separator = len(rows) + 1
    sheet.write(separator, 0, "Данные опор: левая A..I, правая J..R")
    for c, value in enumerate(tuple(left) + tuple(right)):
        sheet.write(separator + 1, c, value)
        sheet.write(separator + 2, c, SUPPORT_CAPTIONS[c % 9] + (" лев." if c < 9 else " прав."))


def write_workbook(path, line):
    book = xlwt.Workbook(encoding="utf-8")
    for number, (caption, pieces, left, right) in enumerate(line, start=1):
        write_rotor_sheet(book, number, caption, pieces, left, right)
    book.save(path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(
        os.path.abspath(__file__)), "Data.xls")
    write_workbook(out, sample_shaft_line())


if __name__ == "__main__":
    main()
