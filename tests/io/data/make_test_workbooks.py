#!/usr/bin/python3
"""Writes the test workbooks of the workbook reader and the headless calculator.

Good workbooks come from xlwt; the one with formulas goes through Gnumeric's ssconvert, which
recalculates and stores every formula's result the way a spreadsheet program saves it.
Workbooks that no spreadsheet program would write (no sheet, a chart sheet, an encrypted one)
are put together record by record with the small BIFF8 writer below.

The .xlsx and .ods books are the .xls ones converted by ssconvert, as a spreadsheet program
saves them; the zip books no program writes are put together with zipfile.

Hostile books, some of them tens of megabytes, are not committed: the tests have them written
into the build tree with --hostile DIR.

Run with Debian's python3 (it has python3-xlwt):  /usr/bin/python3 make_test_workbooks.py
                                                  /usr/bin/python3 make_test_workbooks.py --hostile DIR
"""

import array
import io
import os
import re
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


def rotor_types():
    """K1 holds the rotor type of an odd rotor in a saved book, labelled in J1."""
    book = xlwt.Workbook(encoding="utf-8")
    for k, rotor_type in enumerate(["Цельнокованный", None, "С насадными дисками", 7], start=1):
        sheet = write_sheet(book, "Ротор %d" % k, 1, [SECTION], SUPPORT)
        if rotor_type is not None:
            sheet.write(0, 9, "Тип ротора")
            sheet.write(0, 10, rotor_type)
    book.save(out("rotor_types.xls"))


# The .xls books whose .xlsx and .ods, as Gnumeric saves them, must give the same book.
CONVERTED = ["three_sheets", "section_counts", "formulas", "long_strings_xlwt", "rotor_types",
             "full_line_19x50", "twenty_sheets", "a1_text", "a1_empty"]


def converted():
    for name in CONVERTED:
        for kind, exporter in (("xlsx", "Gnumeric_Excel:xlsx2"), ("ods", "Gnumeric_OpenCalc:odf")):
            subprocess.run(["ssconvert", "-T", exporter, out(name + ".xls"),
                            out("%s.%s" % (name, kind))], check=True, capture_output=True)


def rezip(source, target, change=lambda name, data: (name, data)):
    """Writes the members of zip `source` to `target`, each through change(name, data),
    which may rename it, replace its data or drop it (name None)."""
    with zipfile.ZipFile(out(source)) as z:
        members = [(i.filename, z.read(i.filename)) for i in z.infolist()]
    with zipfile.ZipFile(out(target), "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in members:
            name, data = change(name, data)
            if name is not None:
                z.writestr(zipfile.ZipInfo(name, date_time=(2020, 1, 1, 0, 0, 0)), data,
                           zipfile.ZIP_DEFLATED)


def patch_declared_size(name, member, size):
    """Declares `member` smaller than it unpacks, in the directory and its local header."""
    with open(out(name), "rb") as f:
        data = bytearray(f.read())
    encoded = member.encode()
    central = data.find(b"PK\x01\x02")
    while central >= 0:
        length = struct.unpack_from("<H", data, central + 28)[0]
        if data[central + 46:central + 46 + length] == encoded:
            struct.pack_into("<I", data, central + 24, size)
            local = struct.unpack_from("<I", data, central + 42)[0]
            struct.pack_into("<I", data, local + 22, size)
        central = data.find(b"PK\x01\x02", central + 4)
    with open(out(name), "wb") as f:
        f.write(data)


def zip_books():
    """Zip books that no spreadsheet program writes."""
    sheet1 = "xl/worksheets/sheet1.xml"
    rezip("three_sheets.xlsx", "zip_bomb.xlsx",
          lambda n, d: (n, b" " * (80 << 20) + d if n == sheet1 else d))
    rezip("three_sheets.xlsx", "zip_lying_size.xlsx")
    patch_declared_size("zip_lying_size.xlsx", sheet1, 1000)
    with open(out("three_sheets.xlsx"), "rb") as f:
        whole = f.read()
    with open(out("zip_truncated.xlsx"), "wb") as f:
        f.write(whole[:len(whole) // 2])
    rezip("three_sheets.xlsx", "zip_sheet_missing.xlsx",
          lambda n, d: ("xl/worksheets/other.xml" if n == "xl/worksheets/sheet2.xml" else n, d))
    empty_sheets = re.compile(rb"<sheets>.*</sheets>", re.S)
    rezip("three_sheets.xlsx", "zip_no_sheets.xlsx",
          lambda n, d: (n, empty_sheets.sub(b"<sheets/>", d) if n == "xl/workbook.xml" else d))
    rezip("three_sheets.ods", "zip_text_document.ods",
          lambda n, d: (n, b"application/vnd.oasis.opendocument.text" if n == "mimetype" else d))
    rezip("three_sheets.xlsx", "zip_no_book.xlsx",
          lambda n, d: (n, d) if n == "xl/worksheets/sheet1.xml" else (None, d))


def write_zip(name, members):
    """members: (name, text) in order; a first "mimetype" member is stored, not packed."""
    with zipfile.ZipFile(out(name), "w", zipfile.ZIP_DEFLATED) as z:
        for member, text in members:
            method = zipfile.ZIP_STORED if member == "mimetype" else zipfile.ZIP_DEFLATED
            z.writestr(zipfile.ZipInfo(member, date_time=(2020, 1, 1, 0, 0, 0)),
                       text.encode("utf-8"), method)


RELS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PACKAGE_RELS = "http://schemas.openxmlformats.org/package/2006/relationships"
MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"


def write_zip_to(path, part, text):
    """The three-sheet .xlsx or .ods of the test data with one part replaced by `text`."""
    source = out("three_sheets" + os.path.splitext(path)[1])
    with zipfile.ZipFile(source) as z:
        members = [(i.filename, z.read(i.filename)) for i in z.infolist()]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in members:
            z.writestr(zipfile.ZipInfo(name, date_time=(2020, 1, 1, 0, 0, 0)),
                       text.encode("utf-8") if name == part else data, zipfile.ZIP_DEFLATED)


def shared_sheets_xlsx(path, count, strings, sheet):
    """An .xlsx of `count` sheets that all are the one part `sheet`, with shared `strings`."""
    sheets = range(1, count + 1)
    write_zip(path, [
        ("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
                                'content-types"/>'),
        ("_rels/.rels", '<Relationships xmlns="%s"><Relationship Id="r1" Type="%s/officeDocument"'
                        ' Target="xl/workbook.xml"/></Relationships>' % (PACKAGE_RELS, RELS)),
        ("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="%s"><sheets>%s</sheets></workbook>'
         % (MAIN, RELS, "".join('<sheet name="Ротор %d" sheetId="%d" r:id="rId%d"/>' % (k, k, k)
                                for k in sheets))),
        ("xl/_rels/workbook.xml.rels", '<Relationships xmlns="%s">%s<Relationship Id="rIdS" '
         'Type="%s/sharedStrings" Target="sharedStrings.xml"/></Relationships>'
         % (PACKAGE_RELS, "".join('<Relationship Id="rId%d" Type="%s/worksheet" '
                                  'Target="worksheets/sheet.xml"/>' % (k, RELS) for k in sheets),
            RELS)),
        ("xl/sharedStrings.xml", '<sst xmlns="%s">%s</sst>'
         % (MAIN, "".join("<si><t>%s</t></si>" % text for text in strings))),
        ("xl/worksheets/sheet.xml", sheet),
    ])


def xlsx_features():
    """Cell forms of .xlsx that Gnumeric does not write: rows and cells without their
    reference, inline and rich texts, a date cell, an absolute relationship target."""
    support = "".join('<c r="%s5"><v>%d</v></c>' % (chr(ord("A") + c), c + 1) for c in range(18))
    write_zip("xlsx_features.xlsx", [
        ("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
                                'content-types"/>'),
        ("_rels/.rels", '<Relationships xmlns="%s"><Relationship Id="r1" Type="%s/officeDocument"'
                        ' Target="/xl/workbook.xml"/></Relationships>' % (PACKAGE_RELS, RELS)),
        ("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="Особенности"'
                            ' sheetId="1" r:id="rId1"/></sheets></workbook>' % (MAIN, RELS)),
        ("xl/_rels/workbook.xml.rels",
         '<Relationships xmlns="%s"><Relationship Id="rId1" Type="%s/worksheet" '
         'Target="worksheets/../worksheets/s1.xml"/><Relationship Id="rId2" '
         'Type="%s/sharedStrings" Target="sharedStrings.xml"/></Relationships>'
         % (PACKAGE_RELS, RELS, RELS)),
        ("xl/sharedStrings.xml",
         '<sst xmlns="%s"><si><r><t>Цельно</t></r><r><rPr/><t>кованный</t></r><rPh><t>ふり</t>'
         '</rPh></si><si><t xml:space="preserve">  пробелы  </t></si></sst>' % MAIN),
        ("xl/worksheets/s1.xml",
         '<worksheet xmlns="%s"><sheetData>'
         '<row r="1"><c r="A1"><v>2</v></c><c r="J1" t="inlineStr"><is><t>Тип ротора</t></is>'
         '</c><c r="K1" t="s"><v>0</v></c></row>'
         '<row><c><v>1.5E2</v></c><c t="inlineStr"><is><t>строка</t></is></c><c t="b"><v>1</v>'
         '</c><c t="e"><v>#N/A</v></c><c t="d"><v>2024-03-01T12:00:00</v></c><c t="s"><v>1</v>'
         '</c><c r="G2" s="1"/><c r="H2" t="str"><f>"ит"&amp;"ог"</f><v>итог</v></c></row>'
         '<row r="3"><c r="A3"><v>300</v></c></row>'
         '<row r="5">%s</row></sheetData></worksheet>' % (MAIN, support)),
    ])


ODS_NAMESPACES = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
                  'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
                  'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
                  'xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:'
                  'calcext:1.0"')


def ods_features():
    """Cell forms of .ods that Gnumeric does not write: repeated rows and valued cells,
    spaces, tabs and paragraphs in a text, a comment, dates, times, an error result."""
    row = ('<table:table-row table:number-rows-repeated="2">'
           '<table:table-cell office:value-type="float" office:value="100" '
           'table:number-columns-repeated="2"/>'
           '<table:table-cell office:value-type="string"><text:p>а<text:s text:c="3"/>б<text:tab/>'
           'в</text:p><office:annotation><text:p>заметка</text:p></office:annotation>'
           '</table:table-cell>'
           '<table:table-cell office:value-type="boolean" office:boolean-value="false"/>'
           '<table:table-cell office:value-type="percentage" office:value="0.25"/>'
           '<table:table-cell office:value-type="date" office:date-value="1900-01-01"/>'
           '<table:table-cell office:value-type="time" office:time-value="PT06H00M00S"/>'
           '<table:table-cell table:formula="of:=1/0" office:value-type="float" office:value="0" '
           'calcext:value-type="error"><text:p>#DIV/0!</text:p></table:table-cell>'
           '</table:table-row>')
    content = (
        '<office:document-content %s><office:body><office:spreadsheet>'
        '<table:table table:name="Особенности"><table:table-column '
        'table:number-columns-repeated="20"/>'
        '<table:table-row><table:table-cell office:value-type="float" office:value="2">'
        '<text:p>2</text:p></table:table-cell><table:table-cell table:number-columns-repeated="8"/>'
        '<table:table-cell office:value-type="string"><text:p>Тип ротора</text:p>'
        '</table:table-cell>'
        '<table:table-cell office:value-type="string"><text:p>С насадными</text:p>'
        '<text:p>дисками</text:p></table:table-cell></table:table-row>%s'
        '<table:table-row><table:table-cell table:number-columns-repeated="1024"/>'
        '</table:table-row><table:table-row><table:table-cell office:value-type="float" '
        'office:value="7" table:number-columns-repeated="18"/></table:table-row>'
        '<table:table-row table:number-rows-repeated="1048570"><table:table-cell/>'
        '</table:table-row></table:table></office:spreadsheet></office:body>'
        '</office:document-content>' % (ODS_NAMESPACES, row))
    write_zip("ods_features.ods", [("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
                                   ("content.xml", content)])


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


def label(row, col, text):
    return record(0x0204, struct.pack("<HHH", row, col, 15) + wide_string(text))


def crafted():
    one_section = number(0, 0, 1) + number(1, 0, 100)
    # Terminal control sequences in a sheet name and in A1, which must not reach a terminal;
    # A1 also longer than a message quotes.
    save_stream("control_characters.xls",
                stream([("Ротор 1", 0, one_section),
                        ("Лист\x1b]0;взлом\x07\x1b[2J", 0,
                         label(0, 0, "\x1b[31mдва" + "ы" * 80))]))
    save_stream("no_sheets.xls", stream([]))
    save_stream("chart_sheet.xls", stream([("Ротор 1", 0, one_section), ("Диаграмма", 2, b"")]))
    save_stream("encrypted.xls",
                stream([("Ротор 1", 0, one_section)], record(0x002F, b"\x00\x00" + bytes(52))))

def label_sst(row, col, index):
    return record(0x00FD, struct.pack("<HHHI", row, col, 15, index))


def sst(strings, max_record=8224):
    """SST record with its CONTINUE records; each string given as its encoded bytes
    (count, option byte, characters) and never cut across a record."""
    head = struct.pack("<II", len(strings), len(strings))
    records = []
    body = bytearray(head)
    for encoded in strings:
        if len(body) + len(encoded) > max_record:
            records.append(bytes(body))
            body = bytearray()
        body += encoded
    records.append(bytes(body))
    return record(0x00FC, records[0]) + b"".join(record(0x003C, r) for r in records[1:])


def wide_string(text):
    return struct.pack("<HB", len(text), 1) + text.encode("utf-16-le")


# --- A compound-document writer for containers no program writes (512-byte sectors). ---

END_OF_CHAIN, FREE, FAT_SECTOR, DIFAT_SECTOR, NO_ENTRY = (0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD,
                                                          0xFFFFFFFC, 0xFFFFFFFF)


def dir_entry(name, kind, left=NO_ENTRY, right=NO_ENTRY, child=NO_ENTRY, start=END_OF_CHAIN,
              size=0):
    encoded = (name + "\0").encode("utf-16-le")
    return (encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), kind, 1) +
            struct.pack("<III", left, right, child) + bytes(16) + struct.pack("<I", 0) +
            bytes(16) + struct.pack("<IQ", start, size))


def compound_file(path, stream, extra_entries=()):
    """Root entry, the Workbook stream, then extra_entries (directory entries as bytes, the
    first of them number 2); the Workbook entry's right sibling leads to entry 2 if any."""
    stream = stream.ljust(4096, b"\0")  # above the mini-stream cutoff
    data_sectors = (len(stream) + 511) // 512
    entries = [dir_entry("Root Entry", 5, child=1),
               dir_entry("Workbook", 2, right=2 if extra_entries else NO_ENTRY, start=0,
                         size=len(stream))] + list(extra_entries)
    dir_sectors = (len(entries) + 3) // 4
    fat_sectors = difat_sectors = 0
    while True:
        total = data_sectors + dir_sectors + fat_sectors + difat_sectors
        need_fat = (total + 127) // 128
        need_difat = max(0, (need_fat - 109 + 126) // 127)
        if (need_fat, need_difat) == (fat_sectors, difat_sectors):
            break
        fat_sectors, difat_sectors = need_fat, need_difat
    dir_start = data_sectors
    fat_start = dir_start + dir_sectors
    difat_start = fat_start + fat_sectors
    fat = array.array("I", [FREE] * (fat_sectors * 128))
    for first, count in ((0, data_sectors), (dir_start, dir_sectors)):
        for s in range(first, first + count):
            fat[s] = s + 1 if s + 1 < first + count else END_OF_CHAIN
    for s in range(fat_start, fat_start + fat_sectors):
        fat[s] = FAT_SECTOR
    for s in range(difat_start, difat_start + difat_sectors):
        fat[s] = DIFAT_SECTOR
    fat_list = list(range(fat_start, fat_start + fat_sectors))
    header_difat = (fat_list[:109] + [FREE] * 109)[:109]
    difat = array.array("I")
    rest = fat_list[109:]
    for k in range(difat_sectors):
        chunk = (rest[k * 127:(k + 1) * 127] + [FREE] * 127)[:127]
        difat.extend(chunk + [difat_start + k + 1 if k + 1 < difat_sectors else END_OF_CHAIN])
    header = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(16) +
              struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) + bytes(6) +
              struct.pack("<IIIIIIIII", 0, fat_sectors, dir_start, 0, 4096, END_OF_CHAIN, 0,
                          difat_start if difat_sectors else END_OF_CHAIN, difat_sectors) +
              array.array("I", header_difat).tobytes())
    directory = b"".join(entries).ljust(dir_sectors * 512, b"\0")
    with open(path, "wb") as f:
        f.write(header)
        f.write(stream.ljust(data_sectors * 512, b"\0"))
        f.write(directory)
        f.write(fat.tobytes())
        f.write(difat.tobytes())


def shaft_line_sheet_records(a1_records=b""):
    """One section and the support row; a1_records replaces A1 = 1 when given."""
    return (a1_records or number(0, 0, 1)) + number(1, 0, 100) + b"".join(
        number(3, c, v) for c, v in enumerate(SUPPORT))


def hostile(folder):
    """Books that once crashed the reader, hung it or made it run away with memory."""
    os.makedirs(folder, exist_ok=True)
    path = lambda name: os.path.join(os.path.abspath(folder), name)  # noqa: E731
    good = stream([("Ротор 1", 0, shaft_line_sheet_records())])

    # 40 000 directory entries, each the child of the one before (libgsf recursed to death).
    chain = 40000
    compound_file(path("directory_child_chain.xls"), good,
                  [dir_entry("S%d" % i, 1, child=i + 1 if i + 1 < chain + 2 else NO_ENTRY)
                   for i in range(2, chain + 2)])
    # 30 000 entries chained as siblings (libgsf walked them in seconds).
    chain = 30000
    compound_file(path("directory_sibling_chain.xls"), good,
                  [dir_entry("S%d" % i, 2, right=i + 1 if i + 1 < chain + 2 else NO_ENTRY)
                   for i in range(2, chain + 2)])

    # Cell A2 written 100 000 times as one long shared string (each write was a copy).
    long_text = "ж" * 30000
    a2_writes = b"".join(label_sst(1, 0, 0) for _ in range(100000))
    save = lambda name, data: compound_file(path(name), data)  # noqa: E731
    save("shared_string_rewritten.xls",
         stream([("Ротор 1", 0, number(0, 0, 1) + a2_writes + number(3, 0, 1))],
                sst([wide_string(long_text)])))
    # Every layout cell of 19 full sheets refers to that string: far more text than a line.
    cells = b"".join(label_sst(r, c, 0) for r in range(1, 51) for c in range(8))
    cells += b"".join(label_sst(52, c, 0) for c in range(18))
    save("layout_text_amplified.xls",
         stream([("Ротор %d" % k, 0, number(0, 0, 50) + cells) for k in range(1, 20)],
                sst([wide_string(long_text)])))
    one_rotor = [("Ротор 1", 0, shaft_line_sheet_records())]
    # 19 million empty shared strings, and 70 000 in far fewer records.
    save("empty_shared_strings.xls", stream(one_rotor, sst([b"\0\0\0"] * 19000000)))
    save("many_shared_strings.xls", stream(one_rotor, sst([b"\0\0\0"] * 70000)))
    # 17 MB of shared-string text.
    latin = struct.pack("<HB", 8000, 0) + b"x" * 8000
    save("long_shared_strings.xls", stream(one_rotor, sst([latin] * 2200)))
    # A shared-string table followed by 15 million empty CONTINUE records.
    save("empty_continue_records.xls",
         stream(one_rotor, sst([wide_string("a")]) + record(0x003C) * 15000000))
    # Over a million records, and over 262 144 cells, all outside the layout.
    save("many_records.xls",
         stream([("Ротор 1", 0, shaft_line_sheet_records() + record(0x0000) * 1100000)]))
    # Zip books whose parts unpack to tens of megabytes: cells past the limit, one text of
    # 20 MB in a layout cell, a sheet that is one comment of 31 MB.
    cells = "<c r=\"Z9\"><v>1</v></c>" * 1300000
    write_zip_to(path("huge_sheet_part.xlsx"), "xl/worksheets/sheet1.xml",
                 '<worksheet xmlns="%s"><sheetData><row r="9">%s</row></sheetData></worksheet>'
                 % (MAIN, cells))
    write_zip_to(path("huge_cell_text.ods"), "content.xml",
                 '<office:document-content %s><office:body><office:spreadsheet><table:table '
                 'table:name="1"><table:table-row><table:table-cell office:value-type="string">'
                 '<text:p>%s</text:p></table:table-cell></table:table-row></table:table>'
                 '</office:spreadsheet></office:body></office:document-content>'
                 % (ODS_NAMESPACES, "ж" * (10 << 20)))
    write_zip_to(path("huge_sheet_comment.xlsx"), "xl/worksheets/sheet1.xml",
                 "<worksheet><!--%s--></worksheet>" % (" " * (31 << 20)))
    # K1 of 19 sheets referring to one shared string of 3 MB: 57 MB of rotor types.
    k1_shared = ('<worksheet xmlns="%s"><sheetData><row r="1"><c r="A1"><v>1</v></c>'
                 '<c r="J1" t="inlineStr"><is><t>Тип ротора</t></is></c>'
                 '<c r="K1" t="s"><v>%%d</v></c></row></sheetData></worksheet>' % MAIN)
    shared_sheets_xlsx(path("rotor_type_amplified.xlsx"), 19, ["x" * (3 << 20)], k1_shared % 0)
    # K1 referring past the shared-string table.
    shared_sheets_xlsx(path("shared_string_missing.xlsx"), 1, ["тип"], k1_shared % 1)
    save("many_cells.xls",
         stream([("Ротор 1", 0, shaft_line_sheet_records() +
                  b"".join(number(100 + i // 200, i % 200, 1) for i in range(270000)))]))


def main():
    three_sheets()
    section_counts()
    formulas()
    long_strings()
    calculator_cases()
    hostile_numbers()
    refusals()
    crafted()
    rotor_types()
    full_line(out("full_line_19x50.xls"), 19, 50)
    converted()
    zip_books()
    xlsx_features()
    ods_features()


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--hostile":
        hostile(sys.argv[2])
    else:
        main()
