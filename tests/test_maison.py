#!/usr/bin/python3
"""scripts/check-house on small trees: each row is one line of code put in one
folder, and whether the check must refuse it."""
import importlib.machinery
import importlib.util
import pathlib
import sys
import tempfile
import unittest

SOURCE = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
_chargeur = importlib.machinery.SourceFileLoader("check_house", str(SOURCE / "scripts" / "check-house"))
_spec = importlib.util.spec_from_loader("check_house", _chargeur)
check_house = importlib.util.module_from_spec(_spec)
_chargeur.exec_module(check_house)

# (folder, line, refused)
LIGNES = [
    ("acquisition", "Acq.nb_points = 0;", False),
    ("files", "Acq.nb_points = 0;", True),
    ("files", "Acq . en_cours=1;", True),
    ("graph", "Donnee[v].coul = color[v];", True),
    ("lang", "copie_texte(Donnee[k].titre, Donnee[k].libelle);", False),
    ("lang", "copie_texte(Donnee[k].libelle, Donnee[k].titre);", True),
    ("export", "point[1][i] += 1.0;", True),
    ("app", "++Acq.nb_points;", True),
    ("app", "Acq.nb_points--;", True),
    ("lang", 'copie_texte(Donnee[1].libelle, "V(V)");', True),
    ("files", "std::memset(point, 0, sizeof point);", True),
    ("files", "if (Acq.en_cours == 1) return;", False),
    ("files", "const int n = Acq.nb_points;", False),
    ("files", "x = Info[w].y_min <= Acq.nb_points;", False),
    ("files", "// Acq.nb_points = 0 is done by the model", False),
    ("files", 'f("Acq.nb_points = 0");', False),
    ("acquisition", "Info[w].zoom = 1.0;", True),
    ("graph", "Info[w].zoom = 1.0;", False),
    ("acquisition", "grafic = w;", True),
    ("acquisition", "nb_panel++;", True),
    ("files", "tk::declencher(ITEM_STOP);", True),
    ("socle", "declencher(item);", True),
    ("app", "tk::declencher(ITEM_STOP);", False),
    ("files", "commander(Commande::arreter);", False),
    ("acquisition", '#include "graph/courbes.h"', True),
    ("acquisition", "#include <qcustomplot.h>", True),
    ("files", '#include "graph/courbes.h"', False),
    ("acquisition/ecran", '#include "graph/courbes.h"', True),
    ("acquisition/ecran", "Acq.nb_points = 0;", True),
    ("socle/ecran", "declencher(item);", True),
    ("files", '#include "socle/ecran/toolkit.h"', True),
    ("acquisition", '#include "acquisition/ecran/panneaux.h"', True),
    ("files/ecran", '#include "socle/ecran/toolkit.h"', False),
    ("log", "Acq.en_cours = 1;", True),
    ("log", "comport = o.com;", False),
    ("log", '#include "socle/ecran/toolkit.h"', True),
    ("lang", "langue = item - ITEM_FRANCAIS;", True),
    ("app", "langue = item - ITEM_FRANCAIS;", False),
    ("graph", "else lien = !lien;", True),
    ("export", 'copie_texte(Excel . repertoire, "/tmp/");', True),
    ("export", "++Excel.numero;", False),
    ("files", "const QString nom = QFileInfo(chemin).fileName();", False),
]


def arbre(dossier, ligne):
    racine = pathlib.Path(tempfile.mkdtemp(prefix="maison-"))
    for d in check_house.PRODUIT:
        (racine / d).mkdir(parents=True, exist_ok=True)
    (racine / dossier / "essai.cpp").write_text("void f()\n{\n    " + ligne + "\n}\n")
    return racine


class Maison(unittest.TestCase):
    def test_lignes(self):
        for dossier, ligne, refusee in LIGNES:
            with self.subTest(dossier=dossier, ligne=ligne):
                breches = check_house.verifier(arbre(dossier, ligne))
                self.assertEqual(bool(breches), refusee, breches)
                if refusee:
                    self.assertIn(f"{dossier}/essai.cpp:3:", breches[0])


if __name__ == "__main__":
    unittest.main()
