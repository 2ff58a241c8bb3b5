#!/usr/bin/env python3
"""Writes data/Zelk2_<code>.lng for every language of traductions.py.

The files are what the program's language reader expects: Windows-1252, CR LF,
header lines "KEY;text" and sections of entry lines "<marker><index>;text"
closed by "<marker>*;". The reader trims blanks at both ends of a text, so a
blank that must stay at an end (a text followed by a number or a path) is
written as a non-breaking space.

Every French text of traductions.py is checked against the program's sources,
so a French text changed there without its translations is noticed here; the
test suite checks that each file covers every entry and caption.

    python3 tools/langues/genere.py        # rewrites the four files
"""
import pathlib
import re
import sys

ICI = pathlib.Path(__file__).resolve().parent
RACINE = ICI.parent.parent
sys.path.insert(0, str(ICI))
from traductions import LANGUES, TEXTES  # noqa: E402

NOMS = {"en": "English", "de": "Deutsch", "it": "Italiano", "es": "Español"}
TABLES = ["MSG", "MNU", "MSTAT", "MNUSTAT", "TINTAVAL"]
TABLEAUX_SOURCE = {"MSG": "kMsg", "MNU": "kMnu", "MSTAT": "kMstat", "MNUSTAT": "kMnuStat",
                   "TINTAVAL": "kTintaval"}


def litteraux(bloc):
    """The C++ string literals of a block, adjacent ones joined."""
    return "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', bloc))


def francais_des_tables():
    source = (RACINE / "src/interface/TextesFrancais.cpp").read_text(encoding="utf-8")
    tables = {}
    for cle, tableau in TABLEAUX_SOURCE.items():
        corps = source.split("constexpr Entree %s[] = {" % tableau)[1].split("\n};")[0]
        entrees = {}
        for m in re.finditer(r'\{(\d+),((?:\s*"(?:[^"\\]|\\.)*")+)\}', corps):
            entrees[int(m.group(1))] = litteraux(m.group(2))
        tables[cle] = entrees
    # Entries composed at fill time from a function name and its columns.
    for m in re.finditer(r'Fixe\(Table::MSG, (\d+), Msg\((\d+)\) \+ "((?:[^"\\]|\\.)*)"\)',
                         source):
        tables["MSG"][int(m.group(1))] = tables["MSG"][int(m.group(2))] + m.group(3)
    return tables


def verifie_francais():
    tables = francais_des_tables()
    design = (RACINE / "src/interface/TableControles.cpp").read_text(encoding="utf-8")
    fautes = []
    for cle, index, fr, *_ in TEXTES:
        if cle in TABLES:
            if tables[cle].get(index, "") != fr:
                fautes.append("%s %s: %r in the sources, %r here" %
                              (cle, index, tables[cle].get(index), fr))
        elif '"%s"' % fr not in design and cle not in ("MSG", "MNU"):
            fautes.append("%s %s: %r is no design caption" % (cle, index, fr))
    vus = {(c, i) for c, i, *_ in TEXTES}
    for cle, entrees in tables.items():
        for index in entrees:
            if (cle, index) not in vus:
                fautes.append("%s %d: %r has no translation" % (cle, index, entrees[index]))
    return fautes


def bouts(texte):
    """Blanks at the ends become non-breaking spaces, which the reader keeps."""
    debut = len(texte) - len(texte.lstrip(" "))
    fin = len(texte) - len(texte.rstrip(" "))
    coeur = texte.strip(" ")
    return "\u00a0" * debut + coeur + "\u00a0" * fin


def fichier(code):
    rang = LANGUES.index(code)
    lignes = [
        "REM;Orvelle - %s (Zelk2_%s.lng)" % (NOMS[code], code),
        "REM;Windows-1252, CR LF. Written by tools/langues/genere.py from tools/langues/traductions.py.",
        "REM;A blank at either end of a text is a non-breaking space: the reader trims ordinary blanks.",
    ]
    sections = []
    for cle, index, fr, *traductions in TEXTES:
        texte = bouts(traductions[rang])
        if index is None:
            lignes.append("%s;%s" % (cle, texte))
            continue
        if cle not in sections:
            sections.append(cle)
    for section in sections:
        marqueur = section[0]
        lignes.append("")
        lignes.append("%s;" % section)
        for cle, index, fr, *traductions in TEXTES:
            if cle == section:
                lignes.append("%s%d;%s" % (marqueur, index, bouts(traductions[rang])))
        lignes.append("%s*;" % marqueur)
    return "".join(l + "\r\n" for l in lignes).encode("cp1252")


def main():
    fautes = verifie_francais()
    for f in fautes:
        print("genere.py:", f, file=sys.stderr)
    if fautes:
        return 1
    for code in LANGUES:
        chemin = RACINE / "data" / ("Zelk2_%s.lng" % code)
        chemin.write_bytes(fichier(code))
        print(chemin.relative_to(RACINE))
    return 0


if __name__ == "__main__":
    sys.exit(main())
