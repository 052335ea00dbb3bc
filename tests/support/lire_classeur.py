"""Reads a workbook with openpyxl, a reader independent of the program's
writer, and prints what a spreadsheet user would see as JSON: each sheet with
its kind, frozen cell, column widths and cells (type, value, number format,
bold), and each chart's series; then each chart part as its XML says it:
its groups of curves with the axes they use, and its axes."""
import datetime
import json
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl

NS = {
    "c": "http://schemas.openxmlformats.org/drawingml/2006/chart",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
}


def en_json(v):
    """Date-times as ISO text, durations as seconds."""
    if isinstance(v, datetime.timedelta):
        return v.total_seconds()
    if isinstance(v, (datetime.datetime, datetime.date, datetime.time)):
        return v.isoformat()
    raise TypeError(type(v).__name__)


def nom_local(el):
    return el.tag.rsplit("}", 1)[-1]


def val(el, chemin):
    x = el.find(chemin, NS)
    return None if x is None else x.get("val")


def texte(el, chemin):
    x = el.find(chemin, NS)
    return None if x is None else "".join(t.text or "" for t in x.iter("{%s}t" % NS["a"]))


def graphique_xml(donnees):
    zone = ET.fromstring(donnees).find(".//c:plotArea", NS)
    groupes, axes = [], {}
    for el in zone:
        genre = nom_local(el)
        if genre.endswith("Chart"):
            groupes.append({
                "genre": genre,
                "axes": [a.get("val") for a in el.findall("c:axId", NS)],
                "series": [{
                    "nom": s.findtext("c:tx/c:v", None, NS),
                    "x": s.findtext("c:xVal/c:numRef/c:f", None, NS),
                    "y": s.findtext("c:yVal/c:numRef/c:f", None, NS),
                } for s in el.findall("c:ser", NS)],
            })
        elif genre.endswith("Ax"):
            fmt = el.find("c:numFmt", NS)
            axes[val(el, "c:axId")] = {
                "genre": genre,
                "position": val(el, "c:axPos"),
                "cache": val(el, "c:delete") == "1",
                "titre": texte(el, "c:title"),
                "format": None if fmt is None else fmt.get("formatCode"),
                "croise": val(el, "c:crossAx"),
                "croisement": val(el, "c:crosses"),
            }
    return {"groupes": groupes, "axes": axes}


def serie(s):
    nom = s.tx.v if s.tx is not None and s.tx.v is not None else None
    if nom is None and s.tx is not None and s.tx.strRef is not None:
        nom = s.tx.strRef.f
    cat = s.cat.numRef.f if s.cat is not None and s.cat.numRef is not None else None
    if s.xVal is not None and s.xVal.numRef is not None:
        cat = s.xVal.numRef.f
    val = s.val.numRef.f if s.val is not None and s.val.numRef is not None else None
    if s.yVal is not None and s.yVal.numRef is not None:
        val = s.yVal.numRef.f
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
    with zipfile.ZipFile(chemin) as z:
        xml = [graphique_xml(z.read(n)) for n in sorted(z.namelist())
               if n.startswith("xl/charts/chart") and n.endswith(".xml")]
    json.dump({"feuilles": feuilles, "active": wb.active.title, "xml_graphiques": xml}, sys.stdout,
              ensure_ascii=False, default=en_json)


if __name__ == "__main__":
    main(sys.argv[1])
