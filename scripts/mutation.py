#!/usr/bin/env python3
"""Mutation testing of the core: plants one plausible fault at a time in the
sources, rebuilds the core tests and checks that some test fails.

The faults are listed in tests/mutants.txt, one per block:

    fichier: src/measure/Grille.cpp
    avant:   if (m.Etape < m.NbSegments)
    apres:   if (m.Etape <= m.NbSegments)
    pourquoi: the line would end one value late

`avant` must occur exactly once in the file (the script says so otherwise, so
that a refactor never silently turns a mutant into a no-op). Blank lines
separate blocks; lines starting with '#' are comments.

Usage: python3 scripts/mutation.py [--fenetre] [--build DIR] [--mutants FILE] [--only N,M]
Prints one line per mutant and the score; exit 0 when the score is at least
--seuil (90 % by default). The sources are always restored, even on Ctrl-C.

tests/mutants.txt holds the core's faults (core and acquisition tests, no window);
with --fenetre, tests/mutants-fenetre.txt holds the commands' and the
window's: the build includes the window and every window test runs too.
"""
import argparse
import os
import subprocess
import sys
import time

RACINE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def lit_mutants(chemin):
    mutants, bloc = [], {}
    with open(chemin, encoding="utf-8") as f:
        for ligne in f:
            ligne = ligne.rstrip("\n")
            if ligne.startswith("#"):
                continue
            if not ligne.strip():
                if bloc:
                    mutants.append(bloc)
                    bloc = {}
                continue
            cle, _, valeur = ligne.partition(":")
            bloc[cle.strip()] = valeur.strip()
    if bloc:
        mutants.append(bloc)
    for i, m in enumerate(mutants, 1):
        for cle in ("fichier", "avant", "apres", "pourquoi"):
            if cle not in m:
                sys.exit(f"mutant {i}: '{cle}' missing")
    return mutants


def lance(commande, dossier, delai=None):
    # A failing test may print the Windows-1252 bytes of a file: never a reason to stop.
    return subprocess.run(commande, cwd=dossier, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, errors="replace", timeout=delai)


FENETRE = ["FenetreTest", "CalibrageGuiTest", "ZoneImageTest", "ChargeurGuiTest",
           "AcquisitionGuiTest"]


# The window's library is built in either case: orvelle-cli reads pictures'
# pixels through Qt's decoders, and a core test runs it on one.
def configure(build):
    if not os.path.exists(os.path.join(build, "build.ninja")):
        r = lance(["cmake", "-S", RACINE, "-B", build, "-G", "Ninja",
                   "-DCMAKE_BUILD_TYPE=Debug"], RACINE)
        if r.returncode != 0:
            sys.exit(r.stdout)


def construit_et_teste(build, fenetre):
    cibles = ["orvelle_core_tests", "orvelle_acquisition_tests", "orvelle-cli"] + (
        FENETRE if fenetre else [])
    r = lance(["cmake", "--build", build, "--target"] + cibles, RACINE)
    if r.returncode != 0:
        return "compile"
    tests = os.path.join(build, "tests")
    commandes = [[os.path.join(tests, "orvelle_core_tests"), "--gtest_brief=1"],
                 [os.path.join(tests, "orvelle_acquisition_tests"), "--gtest_brief=1"]]
    commandes += [[os.path.join(tests, b)] for b in (FENETRE if fenetre else [])]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               SANE_CONFIG_DIR=os.path.join(tests, "sane-vide"))
    for c in commandes:  # the first failure is enough
        try:
            r = subprocess.run(c, cwd=build if c is commandes[0] else tests, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
        except subprocess.TimeoutExpired:
            return "timeout"
        if r.returncode != 0:
            return "fail"
    return "pass"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(RACINE, "build", "mutation"))
    ap.add_argument("--mutants", default=os.path.join(RACINE, "tests", "mutants.txt"))
    ap.add_argument("--only", default="")
    ap.add_argument("--fenetre", action="store_true",
                    help="the commands' and the window's faults, window tests included")
    ap.add_argument("--seuil", type=float, default=90.0)
    args = ap.parse_args()
    fenetre = args.fenetre
    if fenetre:
        if args.build == ap.get_default("build"):
            args.build += "-fenetre"
        if args.mutants == ap.get_default("mutants"):
            args.mutants = os.path.join(RACINE, "tests", "mutants-fenetre.txt")
    args.build = os.path.abspath(args.build)  # the tests run from inside it

    mutants = lit_mutants(args.mutants)
    choisis = {int(x) for x in args.only.split(",") if x} or set(range(1, len(mutants) + 1))
    configure(args.build)
    if construit_et_teste(args.build, fenetre) != "pass":
        sys.exit("the suite does not pass without mutants: fix it first")

    tues = total = 0
    for i, m in enumerate(mutants, 1):
        if i not in choisis:
            continue
        chemin = os.path.join(RACINE, m["fichier"])
        with open(chemin, encoding="utf-8") as f:
            original = f.read()
        n = original.count(m["avant"])
        if n != 1:
            print(f"{i:3d} INVALID  {m['fichier']}: 'avant' found {n} times")
            continue
        debut = time.time()
        try:
            with open(chemin, "w", encoding="utf-8") as f:
                f.write(original.replace(m["avant"], m["apres"]))
            issue = construit_et_teste(args.build, fenetre)
        finally:
            with open(chemin, "w", encoding="utf-8") as f:
                f.write(original)
        if issue == "compile":
            print(f"{i:3d} INVALID  {m['fichier']}: the mutant does not compile")
            continue
        total += 1
        tue = issue in ("fail", "timeout")
        tues += tue
        etat = "killed  " if tue else "SURVIVED"
        print(f"{i:3d} {etat} {m['fichier']}: {m['pourquoi']} ({time.time() - debut:.0f} s)",
              flush=True)
    # Restore the build of the unmutated sources for the next run.
    construit_et_teste(args.build, fenetre)
    score = 100.0 * tues / total if total else 0.0
    print(f"score: {tues}/{total} killed ({score:.0f} %)")
    return 0 if score >= args.seuil else 1


if __name__ == "__main__":
    sys.exit(main())
