"""Reads a workbook with openpyxl, a reader independent of the program's
writer, and prints what a spreadsheet user would see as JSON: each sheet with
its kind, frozen cell, column widths and cells (type, value, number format,
bold), and each chart's series."""
import json
import sys

import openpyxl


def serie(s):
    nom = s.tx.v if s.tx is not None and s.tx.v is not None else None
    if nom is None and s.tx is not None and s.tx.strRef is not None:
        nom = s.tx.strRef.f
    cat = s.cat.numRef.f if s.cat is not None and s.cat.numRef is not None else None
    val = s.val.numRef.f if s.val is not None and s.val.numRef is not None else None
    return {"nom": nom, "x": cat, "y": val}


def main(chemin):
    wb = openpyxl.load_workbook(chemin)
    feuilles = []
    for ws in wb.worksheets + wb.chartsheets:
        f = {"nom": ws.title, "genre": type(ws).__name__}
        if f["genre"] == "Worksheet":
            f["fige"] = ws.freeze_panes
            f["largeurs"] = {k: d.width for k, d in ws.column_dimensions.items() if d.width}
            f["cellules"] = [
                [c.coordinate, type(c.value).__name__, c.value, c.number_format, bool(c.font.b)]
                for ligne in ws.iter_rows() for c in ligne if c.value is not None
            ]
        f["graphiques"] = [
            {"genre": type(g).__name__, "series": [serie(s) for s in g.series]} for g in ws._charts
        ]
        feuilles.append(f)
    json.dump({"feuilles": feuilles, "active": wb.active.title}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
