#!/usr/bin/env python3
"""Reads an .xlsx file with nothing but the standard library and prints what
the report tests compare, as JSON:

{"sheets": [names], "frozen": {"rows": n, "columns": n},
 "cells": [[{"type": "s"|"n", "value": text or number, "format": code,
             "bold": bool} or null, ...], ...]}

"cells" holds the first sheet, row by row, every row as long as the widest;
a cell the sheet does not hold is null.
"""
import json
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {
    "m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "rel": "http://schemas.openxmlformats.org/package/2006/relationships",
}
BUILTIN_FORMATS = {0: "General", 1: "0", 2: "0.00", 3: "#,##0", 4: "#,##0.00", 49: "@"}


def text_of(element):
    """Plain or rich text: every <t> below the element, in order."""
    return "".join(t.text or "" for t in element.iter("{%s}t" % NS["m"]))


def column_index(reference):
    letters = re.match(r"[A-Z]+", reference).group(0)
    index = 0
    for letter in letters:
        index = index * 26 + ord(letter) - ord("A") + 1
    return index - 1


def main(path):
    with zipfile.ZipFile(path) as archive:
        workbook = ET.fromstring(archive.read("xl/workbook.xml"))
        relations = ET.fromstring(archive.read("xl/_rels/workbook.xml.rels"))
        targets = {rel.get("Id"): rel.get("Target") for rel in relations.findall("rel:Relationship", NS)}
        sheets = workbook.findall("m:sheets/m:sheet", NS)
        names = [sheet.get("name") for sheet in sheets]
        first = targets[sheets[0].get("{%s}id" % NS["r"])].lstrip("/")
        if not first.startswith("xl/"):
            first = "xl/" + first

        shared = []
        if "xl/sharedStrings.xml" in archive.namelist():
            strings = ET.fromstring(archive.read("xl/sharedStrings.xml"))
            shared = [text_of(si) for si in strings.findall("m:si", NS)]

        styles = ET.fromstring(archive.read("xl/styles.xml"))
        formats = dict(BUILTIN_FORMATS)
        for fmt in styles.findall("m:numFmts/m:numFmt", NS):
            formats[int(fmt.get("numFmtId"))] = fmt.get("formatCode")
        fonts = [font.find("m:b", NS) is not None for font in styles.findall("m:fonts/m:font", NS)]
        xfs = [(int(xf.get("numFmtId", "0")), int(xf.get("fontId", "0")))
               for xf in styles.findall("m:cellXfs/m:xf", NS)]

        sheet = ET.fromstring(archive.read(first))
        frozen = {"rows": 0, "columns": 0}
        pane = sheet.find("m:sheetViews/m:sheetView/m:pane", NS)
        if pane is not None and pane.get("state") == "frozen":
            frozen = {"rows": int(float(pane.get("ySplit", "0"))), "columns": int(float(pane.get("xSplit", "0")))}

        rows = {}
        width = 0
        for row in sheet.findall("m:sheetData/m:row", NS):
            number = int(row.get("r")) - 1
            for cell in row.findall("m:c", NS):
                column = column_index(cell.get("r"))
                kind = cell.get("t", "n")
                value_element = cell.find("m:v", NS)
                if kind == "inlineStr":
                    entry = {"type": "s", "value": text_of(cell.find("m:is", NS))}
                elif value_element is None:
                    continue
                elif kind == "s":
                    entry = {"type": "s", "value": shared[int(value_element.text)]}
                elif kind == "str":
                    entry = {"type": "s", "value": value_element.text or ""}
                else:
                    entry = {"type": "n", "value": float(value_element.text)}
                num_fmt, font = xfs[int(cell.get("s", "0"))] if xfs else (0, 0)
                entry["format"] = formats.get(num_fmt, "")
                entry["bold"] = font < len(fonts) and fonts[font]
                rows.setdefault(number, {})[column] = entry
                width = max(width, column + 1)

    height = max(rows) + 1 if rows else 0
    cells = [[rows.get(r, {}).get(c) for c in range(width)] for r in range(height)]
    json.dump({"sheets": names, "frozen": frozen, "cells": cells}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
