#!/usr/bin/env python3
"""Reads an .xlsx file back with nothing but the standard library and prints what a spreadsheet
program would show, one fact a line, fields separated by TAB:

  sheet   NAME
  freeze  ROWS                       (rows held in view at the top)
  width   COLUMN  WIDTH
  dim     RANGE                      (the sheet's own record of its used range, "A1:G376993")
  rows    COUNT                      (rows with cells, header included)
  cell    REF  TYPE  VALUE  BOLD  FILL  FONT  FORMAT

TYPE is n (number) or s (text); FILL and FONT are RRGGBB or '-'; FORMAT is the number format
code or '-'. --max-rows N reads the first N rows only and prints no row count (a long sheet is
read in moments).
Exits non-zero, with the reason on stderr, when the file is not a readable workbook."""
import sys
import xml.etree.ElementTree as ET
import zipfile

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
      "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}
M = "{%s}" % NS["m"]
BUILTIN_FORMATS = {0: "-", 1: "0", 2: "0.00", 14: "mm-dd-yy", 22: "m/d/yy h:mm", 49: "@"}


def rgb(el):
    if el is None or el.get("rgb") is None:
        return "-"
    return el.get("rgb")[-6:].upper()


def styles(z):
    if "xl/styles.xml" not in z.namelist():
        return []
    root = ET.fromstring(z.read("xl/styles.xml"))
    numfmts = dict(BUILTIN_FORMATS)
    for f in root.findall("m:numFmts/m:numFmt", NS):
        numfmts[int(f.get("numFmtId"))] = f.get("formatCode")
    fonts = []
    for f in root.findall("m:fonts/m:font", NS):
        fonts.append((f.find("m:b", NS) is not None, rgb(f.find("m:color", NS))))
    fills = []
    for f in root.findall("m:fills/m:fill", NS):
        p = f.find("m:patternFill", NS)
        solid = p is not None and p.get("patternType") == "solid"
        fills.append(rgb(p.find("m:fgColor", NS)) if solid else "-")
    xfs = []
    for x in root.findall("m:cellXfs/m:xf", NS):
        bold, font = fonts[int(x.get("fontId", 0))]
        xfs.append((bold, fills[int(x.get("fillId", 0))], font,
                    numfmts.get(int(x.get("numFmtId", 0)), "?")))
    return xfs


def main():
    args = sys.argv[1:]
    max_rows = None
    if len(args) == 3 and args[0] == "--max-rows":
        max_rows = int(args[1])
        args = args[2:]
    if len(args) != 1:
        sys.exit("usage: xlsx_read.py [--max-rows N] FILE.xlsx")
    with zipfile.ZipFile(args[0]) as z:
        bad = z.testzip()
        if bad:
            sys.exit("damaged member " + bad)
        book = ET.fromstring(z.read("xl/workbook.xml"))
        rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
        targets = {r.get("Id"): r.get("Target") for r in rels}
        shared = []
        if "xl/sharedStrings.xml" in z.namelist():
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
                shared.append("".join(t.text or "" for t in si.iter(M + "t")))
        xfs = styles(z)
        for s in book.findall("m:sheets/m:sheet", NS):
            print("sheet\t" + s.get("name"))
            target = targets[s.get("{%s}id" % NS["r"])].lstrip("/")
            path = target if target.startswith("xl/") else "xl/" + target
            count = 0
            with z.open(path) as data:
                for _, el in ET.iterparse(data):
                    if el.tag == M + "dimension":
                        print("dim\t" + el.get("ref"))
                    elif el.tag == M + "pane" and el.get("state") == "frozen":
                        print("freeze\t" + el.get("ySplit", "0"))
                    elif el.tag == M + "col":
                        for i in range(int(el.get("min")), int(el.get("max")) + 1):
                            print("width\t%d\t%s" % (i, el.get("width")))
                    elif el.tag == M + "row":
                        count += 1
                        if max_rows is not None and count > max_rows:
                            break
                        print_row(el, shared, xfs)
                        el.clear()
            if max_rows is None:
                print("rows\t%d" % count)


def print_row(row, shared, xfs):
    for c in row.findall("m:c", NS):
        t = c.get("t", "n")
        if t == "s":
            value, kind = shared[int(c.find("m:v", NS).text)], "s"
        elif t == "inlineStr":
            value = "".join(x.text or "" for x in c.iter(M + "t"))
            kind = "s"
        else:
            v = c.find("m:v", NS)
            value, kind = ("" if v is None else v.text), "n"
        bold, fill, font, fmt = xfs[int(c.get("s", 0))] if xfs else (False, "-", "-", "-")
        print("cell\t%s\t%s\t%s\t%d\t%s\t%s\t%s"
              % (c.get("r"), kind, value, bold, fill, font, fmt))


if __name__ == "__main__":
    main()
