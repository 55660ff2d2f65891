#!/usr/bin/python3
"""Writes the test workbooks of the workbook reader and the headless calculator.

Good workbooks come from xlwt; the one with formulas goes through Gnumeric's ssconvert, which
recalculates and stores every formula's result the way a spreadsheet program saves it.
Workbooks that no spreadsheet program would write (no sheet, a chart sheet, an encrypted one)
are put together record by record with the small BIFF8 writer below.

Run with Debian's python3 (it has python3-xlwt):  /usr/bin/python3 make_test_workbooks.py
"""

import io
import os
import struct
import subprocess
import sys
import tempfile
import zipfile

import xlwt
from xlwt import CompoundDoc

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "resources"))
import make_sample_workbook as sample  # noqa: E402

SECTION = (100, 500, 200, 40, 50, 210000, 1.5, 60)
SUPPORT = (9000, 45, 800, 60, 600, 50, -0.35, -0.2, 0.12,
           9000, 40, 800, 55, 600, 48, 0, 0, 0.1)


def out(name):
    return os.path.join(HERE, name)


def write_sheet(book, name, count, rows, support):
    """A sheet in the shaft-line layout; count goes to A1 as given (number or text)."""
    sheet = book.add_sheet(name)
    sheet.write(0, 0, count)
    for r, row in enumerate(rows, start=1):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(r, c, value)
    support_row = len(rows) + 2
    for c, value in enumerate(support):
        if value is not None:
            sheet.write(support_row, c, value)
    return sheet


def three_sheets():
    book = xlwt.Workbook(encoding="utf-8")
    first = write_sheet(book, "Ротор 1", 2,
                        [SECTION, (250.75, "текст", 180, 0, 0, 2.1e4, 0, None)], SUPPORT)
    # Cells outside the layout must not reach the result.
    first.write(3, 0, "разделитель")
    first.write(3, 1, 999)
    first.write(1, 8, 12345)
    first.write(4, 18, 777)
    first.write(5, 0, 888)
    first.write(0, 1, "участков")
    write_sheet(book, "Ротор 2", 1, [(700, 0, 400, 0, 0, 2.1e4, 0, 0)], SUPPORT)
    write_sheet(book, "Ротор 3", "3", [(300 * i, 0, 300, 0, 0, 2.1e4, 0, 0) for i in (1, 2, 3)],
                SUPPORT[:9] + (None,) * 9)
    book.save(out("three_sheets.xls"))


# A1 value -> section count the reader must give.
SECTION_COUNTS = [(2.5, 2), (3.5, 4), (1.4999, 1), (49.5, 50), (50.5, 50), (1, 1), ("7", 7),
                  (50, 50)]


def section_counts():
    book = xlwt.Workbook(encoding="utf-8")
    for k, (a1, expected) in enumerate(SECTION_COUNTS, start=1):
        rows = [(float(i), 0, 100, 0, 0, 2.1e4, 0, 0) for i in range(1, expected + 1)]
        write_sheet(book, "A1 %d" % k, a1, rows, ("опора %d" % expected,) + SUPPORT[1:])
    book.save(out("section_counts.xls"))


def formulas():
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Формулы")
    sheet.write(0, 0, xlwt.Formula("1+1"))
    cells = ["120.5*2", '"ab"&"вг"', 'REPT("ж",5000)', "1>0", "1/0", '""', "0.1+0.2", "B2+B3"]
    for c, formula in enumerate(cells):
        sheet.write(1, c, xlwt.Formula(formula))
        sheet.write(2, c, float(c + 1))
    for c in range(18):
        sheet.write(4, c, xlwt.Formula("%d/4" % (c + 1)))
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "raw.xls")
        book.save(raw)
        subprocess.run(["ssconvert", "--recalc", "-T", "Gnumeric_Excel:excel_biff8", raw,
                        out("formulas.xls")], check=True, capture_output=True)
        subprocess.run(["ssconvert", "-T", "Gnumeric_Excel:excel_biff7", out("three_sheets.xls"),
                        out("excel95.xls")], check=True, capture_output=True)


def long_string_texts():
    """Texts for the second sheet of the long-strings workbooks: 8-bit and 16-bit ones mixed,
    so that the shared-string table changes width across its CONTINUE records."""
    return ["latin %d " % c + "x" * (37 * c) if c % 2 else "кириллица %d " % c + "ю" * (41 * c)
            for c in range(8)]


def long_strings():
    """A shared-string table far longer than one record, written by xlwt and by Gnumeric."""
    book = xlwt.Workbook(encoding="utf-8")
    filler = book.add_sheet("Наполнитель")
    filler.write(0, 0, 1)
    for r in range(60):
        # Column T lies outside the layout; the strings only lengthen the table.
        filler.write(r, 19, "%03d " % r + ("щ" if r % 3 else "q") * (250 + r))
    sheet = book.add_sheet("Тексты")
    sheet.write(0, 0, 1)
    for c, text in enumerate(long_string_texts()):
        sheet.write(1, c, text)
    book.save(out("long_strings_xlwt.xls"))
    subprocess.run(["ssconvert", "-T", "Gnumeric_Excel:excel_biff8", out("long_strings_xlwt.xls"),
                    out("long_strings_gnumeric.xls")], check=True, capture_output=True)


def full_line(path, rotors, sections):
    """A valid shaft line of `rotors` rotors with `sections` sections each."""
    book = xlwt.Workbook(encoding="utf-8")
    for k in range(1, rotors + 1):
        rows = []
        for i in range(1, sections + 1):
            diameter = 300 + 200 * (i % 5) if k % 2 else 350
            has_disc = k % 2 and i % 3 == 0
            rows.append((round(i * (120 + 7 * k), 3), 900 + 10 * i if has_disc else 0, diameter,
                         60 + i if has_disc else 0, 0 if k % 2 else 80, 2.1e4,
                         1.2 if has_disc else 0, 80 if has_disc else 0))
        write_sheet(book, "Ротор %d" % k, sections, rows, SUPPORT)
    book.save(path)


def calculator_cases():
    """Workbooks for the headless calculator: numbers with more digits than a grid cell keeps,
    a support cell that is no number, and a section the validation refuses."""
    book = xlwt.Workbook(encoding="utf-8")
    for k in (1, 2, 3):
        rows = [(1000.0 / 3 * i, 0, 200 + 100.0 / 7, 0, 0, 2.1e4 / 9, 0, 0) for i in (1, 2, 3)]
        write_sheet(book, "Ротор %d" % k, 3, rows, tuple(v / 3 for v in SUPPORT))
    book.save(out("long_digits.xls"))

    book = xlwt.Workbook(encoding="utf-8")
    write_sheet(book, "Ротор 1", 1, [SECTION], SUPPORT)
    write_sheet(book, "Ротор 2", 1, [SECTION], SUPPORT[:12] + ("горячо",) + SUPPORT[13:])
    book.save(out("bad_support.xls"))

    book = xlwt.Workbook(encoding="utf-8")
    write_sheet(book, "Ротор 1", 2, [SECTION, (300, 0, 0, 0, 0, 2.1e4, 0, 0)], SUPPORT)
    book.save(out("zero_diameter.xls"))


def hostile_numbers():
    """Numbers the calculation cannot carry: support terms and heights that overflow the rises,
    a diameter whose fourth power overflows, coordinates that are denormal numbers."""
    huge_terms = SUPPORT[:6] + (1e308, 1e308, 1e308) + SUPPORT[9:]
    huge_heights = SUPPORT[:9] + (1e300, 1e300, 1e300, 1e300, 1e300, 1e300) + SUPPORT[15:]
    far_apart = SUPPORT[:6] + (1e308, 0, 0) + SUPPORT[9:15] + (-1e308, 0, 0)
    for name, first, second in (("huge_support_terms", huge_terms, SUPPORT),
                                ("huge_support_heights", SUPPORT, huge_heights),
                                ("rises_far_apart", SUPPORT, far_apart)):
        book = xlwt.Workbook(encoding="utf-8")
        write_sheet(book, "Ротор 1", 1, [SECTION], first)
        write_sheet(book, "Ротор 2", 1, [SECTION], second)
        book.save(out(name + ".xls"))

    book = xlwt.Workbook(encoding="utf-8")
    write_sheet(book, "Ротор 1", 2, [SECTION, (300, 0, 1e77, 0, 0, 2.1e4, 0, 0)], SUPPORT)
    book.save(out("huge_diameter.xls"))

    book = xlwt.Workbook(encoding="utf-8")
    write_sheet(book, "Ротор 1", 2, [(5e-324, 0, 200, 0, 0, 2.1e4, 0, 0),
                                     (1e-323, 0, 200, 0, 0, 2.1e4, 0, 0)], SUPPORT)
    book.save(out("denormal_coords.xls"))


def refusals():
    """One workbook per refusal; the faulty sheet is the second, after a good one."""
    good = ([SECTION], SUPPORT)
    cases = {"a1_zero": 0, "a1_51": 51, "a1_text": "два", "a1_fraction_text": "2.5",
             "a1_empty": None, "a1_rounds_to_zero": 0.5}
    for name, a1 in cases.items():
        book = xlwt.Workbook(encoding="utf-8")
        write_sheet(book, "Хороший", 1, *good)
        sheet = book.add_sheet("Плохой")
        if a1 is not None:
            sheet.write(0, 0, a1)
        sheet.write(1, 0, 100)
        book.save(out(name + ".xls"))

    book = xlwt.Workbook(encoding="utf-8")
    for k in range(20):
        write_sheet(book, "Ротор %d" % (k + 1), 1, *good)
    book.save(out("twenty_sheets.xls"))

    with open(out("not_a_workbook.xls"), "wb") as f:
        f.write("Координаты;Диаметр\n100;200\n".encode("utf-8"))
    open(out("empty_file.xls"), "wb").close()
    with open(out("three_sheets.xls"), "rb") as f:
        head = f.read(1536)
    with open(out("truncated.xls"), "wb") as f:
        f.write(head)
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as z:
        # A fixed time stamp keeps the file the same from run to run.
        z.writestr(zipfile.ZipInfo("[Content_Types].xml", date_time=(2020, 1, 1, 0, 0, 0)),
                   "<Types/>")
    with open(out("xlsx_renamed.xls"), "wb") as f:
        f.write(buffer.getvalue())


# --- A minimal BIFF8 writer for workbooks that spreadsheet programs do not write. ---

def record(kind, payload=b""):
    return struct.pack("<HH", kind, len(payload)) + payload


def bof(kind):
    return record(0x0809, struct.pack("<HHHHII", 0x0600, kind, 0x0DBB, 0x07CC, 0, 0x0006))


EOF_RECORD = record(0x000A)


def boundsheet(offset, name, sheet_type=0):
    text = name.encode("utf-16-le")
    return record(0x0085, struct.pack("<IBBBB", offset, 0, sheet_type, len(name), 1) + text)


def number(row, col, value):
    return record(0x0203, struct.pack("<HHHd", row, col, 15, value))


def stream(sheets, globals_extra=b""):
    """sheets: list of (name, sheet type, body records). Offsets are filled in afterwards."""
    directory_size = sum(len(boundsheet(0, name)) for name, _, _ in sheets)
    offset = len(bof(5)) + len(globals_extra) + directory_size + len(EOF_RECORD)
    directory = b""
    bodies = b""
    for name, sheet_type, body in sheets:
        directory += boundsheet(offset + len(bodies), name, sheet_type)
        bodies += bof(0x0020 if sheet_type == 2 else 0x0010) + body + EOF_RECORD
    return bof(5) + globals_extra + directory + EOF_RECORD + bodies


def save_stream(name, data):
    CompoundDoc.XlsDoc().save(out(name), data)


def crafted():
    one_section = number(0, 0, 1) + number(1, 0, 100)
    save_stream("no_sheets.xls", stream([]))
    save_stream("chart_sheet.xls", stream([("Ротор 1", 0, one_section), ("Диаграмма", 2, b"")]))
    save_stream("encrypted.xls",
                stream([("Ротор 1", 0, one_section)], record(0x002F, b"\x00\x00" + bytes(52))))


def main():
    three_sheets()
    section_counts()
    formulas()
    long_strings()
    calculator_cases()
    hostile_numbers()
    refusals()
    crafted()
    full_line(out("full_line_19x50.xls"), 19, 50)


if __name__ == "__main__":
    main()
