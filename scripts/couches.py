#!/usr/bin/env python3
"""Checks the layers without building: every #include of a src/ folder names
a folder its library may use, as src/CMakeLists.txt links them, and the graph
of docs/ARCHITECTURE.md is that of the CMake files.

The libraries are the orvelle_sous_systeme(<folder> PUBLIC ... PRIVATE ...)
calls; a folder sees its own headers, those of the libraries it links and,
through them, those they link PUBLIC.
"""
import pathlib
import re
import sys

RACINE = pathlib.Path(__file__).resolve().parent.parent
SRC = RACINE / "src"


def graphe():
    texte = (SRC / "CMakeLists.txt").read_text()
    liens = {}
    for m in re.finditer(r"^\s*orvelle_sous_systeme\(([^)]*)\)", texte, re.M):
        mots = m.group(1).split()
        nom, genre = mots[0], "PUBLIC"
        liens[nom] = {"PUBLIC": [], "PRIVATE": []}
        for mot in mots[1:]:
            if mot in ("PUBLIC", "PRIVATE"):
                genre = mot
            elif mot.startswith("orvelle_"):
                liens[nom][genre].append(mot[len("orvelle_"):])
    return liens


def visibles(liens, nom):
    vus = {nom}
    pile = liens[nom]["PUBLIC"] + liens[nom]["PRIVATE"]
    while pile:
        d = pile.pop()
        if d in vus or d not in liens:
            continue
        vus.add(d)
        pile.extend(liens[d]["PUBLIC"])
    return vus


def main():
    liens = graphe()
    fautes = []
    for nom in liens:
        permis = visibles(liens, nom)
        for f in sorted((SRC / nom).glob("*")):
            if f.suffix not in (".h", ".cpp"):
                continue
            for i, ligne in enumerate(f.read_text(errors="replace").splitlines(), 1):
                m = re.match(r'\s*#\s*include\s+"([a-z]+)/', ligne)
                if m and m.group(1) not in permis:
                    fautes.append(f"{f.relative_to(RACINE)}:{i}: {nom} may not include "
                                  f"{m.group(1)}/ (src/CMakeLists.txt does not link it)")
    # The top layer: the window and the command line never include each other.
    for nom, interdit in (("cli", "gui"), ("gui", "cli")):
        for f in sorted((SRC / nom).glob("*")):
            for i, ligne in enumerate(f.read_text(errors="replace").splitlines(), 1):
                if re.match(rf'\s*#\s*include\s+"{interdit}/', ligne):
                    fautes.append(f"{f.relative_to(RACINE)}:{i}: {nom} may not include {interdit}/")
    # The architecture page's graph: one line per library, "name -> direct links".
    page = (RACINE / "docs" / "ARCHITECTURE.md").read_text()
    bloc = re.search(r"<!-- graphe -->\n```\n(.*?)```", page, re.S)
    attendu = "".join(
        f"{nom} -> {' '.join(sorted(set(l['PUBLIC'] + l['PRIVATE']))) or '(nothing)'}\n"
        for nom, l in liens.items())
    if not bloc:
        fautes.append("docs/ARCHITECTURE.md: no graph block after <!-- graphe -->")
    elif bloc.group(1) != attendu:
        fautes.append("docs/ARCHITECTURE.md: the graph differs from src/CMakeLists.txt; "
                      "it should read:\n" + attendu)
    for f in fautes:
        print(f, file=sys.stderr)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
