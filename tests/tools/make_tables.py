#!/usr/bin/env python3
"""Writes one property table as .csv, .xlsx and .ods, cell for cell, and the
crafted files the readers must refuse without harm.

usage: make_tables.py FOLDER same NAME ROWS_JSON
       make_tables.py FOLDER crafted
ROWS_JSON is a list of rows (a row: a list of cells, strings or numbers;
an empty list is an empty row)."""
import json
import sys
import zipfile
from xml.sax.saxutils import escape

MIMETYPE = "application/vnd.oasis.opendocument.spreadsheet"


def col_name(k):
    name = ""
    k += 1
    while k:
        k, r = divmod(k - 1, 26)
        name = chr(65 + r) + name
    return name


def xlsx(path, sheet_xml, shared=None):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/'
                   'package/2006/content-types"/>')
        z.writestr("xl/workbook.xml",
                   '<?xml version="1.0"?><workbook xmlns="http://schemas.openxmlformats.org/'
                   'spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/'
                   'officeDocument/2006/relationships"><sheets><sheet name="Φύλλο1" sheetId="1"'
                   ' r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/'
                   'package/2006/relationships"><Relationship Id="rId1" Type="x" '
                   'Target="worksheets/sheet1.xml"/></Relationships>')
        z.writestr("xl/worksheets/sheet1.xml", sheet_xml)
        if shared is not None:
            z.writestr("xl/sharedStrings.xml", shared)


def xlsx_rows(rows):
    out = []
    for r, row in enumerate(rows):
        if not row:
            continue
        cells = []
        for k, v in enumerate(row):
            ref = col_name(k) + str(r + 1)
            if v == "" or v is None:
                continue
            if isinstance(v, (int, float)):
                cells.append('<c r="%s"><v>%r</v></c>' % (ref, v))
            elif isinstance(v, str) and v.startswith("="):
                cells.append('<c r="%s"><f>%s</f></c>' % (ref, escape(v[1:])))
            else:
                cells.append('<c r="%s" t="inlineStr"><is><t>%s</t></is></c>' % (ref, escape(v)))
        out.append('<row r="%d">%s</row>' % (r + 1, "".join(cells)))
    return ('<?xml version="1.0"?><worksheet xmlns="http://schemas.openxmlformats.org/'
            'spreadsheetml/2006/main"><sheetData>%s</sheetData></worksheet>' % "".join(out))


def ods(path, table_body):
    content = ('<?xml version="1.0"?><office:document-content '
               'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
               'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0">'
               '<office:body><office:spreadsheet><table:table table:name="Φύλλο1">'
               + table_body + '</table:table></office:spreadsheet></office:body>'
               '</office:document-content>')
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(zipfile.ZipInfo("mimetype"), MIMETYPE)
        z.writestr("content.xml", content)


def ods_rows(rows):
    """Rows as LibreOffice writes them: runs of empty rows as one repeated
    row, the sheet padded to its end."""
    out = []
    empty = 0
    for row in rows:
        if not row:
            empty += 1
            continue
        if empty:
            out.append('<table:table-row table:number-rows-repeated="%d">'
                       '<table:table-cell table:number-columns-repeated="1024"/>'
                       '</table:table-row>' % empty)
            empty = 0
        cells = []
        for v in row:
            if v == "" or v is None:
                cells.append("<table:table-cell/>")
            elif isinstance(v, str) and v.startswith("="):
                cells.append('<table:table-cell table:formula="of:%s"/>' % escape(v))
            elif isinstance(v, (int, float)):
                cells.append('<table:table-cell office:value-type="float" office:value="%r">'
                             '<text:p>%r</text:p></table:table-cell>' % (v, v))
            else:
                cells.append('<table:table-cell office:value-type="string"><text:p>%s</text:p>'
                             '</table:table-cell>' % escape(v))
        cells.append('<table:table-cell table:number-columns-repeated="1000"/>')
        out.append("<table:table-row>%s</table:table-row>" % "".join(cells))
    out.append('<table:table-row table:number-rows-repeated="1048000">'
               '<table:table-cell table:number-columns-repeated="1024"/></table:table-row>')
    return "".join(out)


def csv_text(rows):
    lines = []
    for row in rows:
        fields = []
        for v in row:
            text = "" if v is None else (repr(v) if isinstance(v, float) else str(v))
            if ";" in text or '"' in text:
                text = '"' + text.replace('"', '""') + '"'
            fields.append(text)
        lines.append(";".join(fields))
    return "\r\n".join(lines) + "\r\n"


def same(folder, name, rows):
    xlsx("%s/%s.xlsx" % (folder, name), xlsx_rows(rows))
    ods("%s/%s.ods" % (folder, name), ods_rows(rows))
    with open("%s/%s.csv" % (folder, name), "w", encoding="utf-8") as f:
        f.write(csv_text(rows))


def crafted(folder):
    # Spans nested 50,000 deep inside one cell, and row groups as deep.
    deep = "<text:span>" * 50000 + "Α1" + "</text:span>" * 50000
    ods(folder + "/deep-text.ods",
        '<table:table-row><table:table-cell office:value-type="string"><text:p>%s</text:p>'
        "</table:table-cell></table:table-row>" % deep)
    groups = "<table:table-row-group>" * 50000
    ods(folder + "/deep-groups.ods",
        groups + '<table:table-row><table:table-cell office:value-type="string"><text:p>Α1'
        "</text:p></table:table-cell></table:table-row>" + "</table:table-row-group>" * 50000)
    # One long shared string used by every cell of many rows.
    rows_xml = ""
    for r in range(1, 1000):
        rows_xml += '<row r="%d">%s</row>' % (r, "".join(
            '<c r="%s%d" t="s"><v>0</v></c>' % (col_name(k), r) for k in range(11)))
    xlsx(folder + "/shared-bomb.xlsx",
         '<?xml version="1.0"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/'
         '2006/main"><sheetData>%s</sheetData></worksheet>' % rows_xml,
         '<?xml version="1.0"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/'
         'main"><si><t>%s</t></si></sst>' % ("A" * 990))
    # A sheet of millions of tiny elements: the most nodes an XML tree can get.
    tiny = "<a/>" * 1040000
    xlsx(folder + "/node-bomb.xlsx",
         '<?xml version="1.0"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/'
         '2006/main"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>Α1</t></is></c></row>'
         '%s</sheetData></worksheet>' % tiny)
    # Far more than any member the readers take.
    xlsx(folder + "/huge.xlsx",
         '<?xml version="1.0"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/'
         '2006/main"><sheetData>%s</sheetData></worksheet>' % (" " * 10000000))
    # Wide rows repeated to the sheet's end, each with a value.
    ods(folder + "/repeated.ods",
        '<table:table-row table:number-rows-repeated="1000000"><table:table-cell '
        'office:value-type="string" table:number-columns-repeated="16000"><text:p>%s</text:p>'
        "</table:table-cell></table:table-row>" % ("Α" * 500))
    # Spaces repeated in a cell: a short file, a long text.
    ods(folder + "/spaces.ods",
        '<table:table-row><table:table-cell office:value-type="string"><text:p>%s</text:p>'
        "</table:table-cell></table:table-row>" % ('<text:s text:c="1000"/>' * 100000))
    with open(folder + "/lines.csv", "w") as f:
        f.write("Α1;1\n" + "\n" * 5000000 + "Β1;2\n")


if __name__ == "__main__":
    if sys.argv[2] == "same":
        same(sys.argv[1], sys.argv[3], json.loads(sys.argv[4]))
    else:
        crafted(sys.argv[1])
