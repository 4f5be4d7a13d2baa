#!/usr/bin/env python3
"""Mutation testing of the core and the reader's rules: plants one fault at a
time in a scratch copy of the committed sources (scripts/raapekopio.py),
rebuilds the tests and runs them. A fault the tests let pass is a
survivor; the score is the share killed, not counting the faults listed in
scripts/mutants-ekvivalentit.txt (equivalent to the original, each with its
reason).

  python3 scripts/mutants.py                 every fault (takes long)
  python3 scripts/mutants.py --otos 40       a sample, chosen by --siemen (default 2026)
  python3 scripts/mutants.py --raja 90       fail below 90 % killed
  python3 scripts/mutants.py --osa 1/2       every second fault (for two clones at once)
  python3 scripts/mutants.py --vain finvoice only the files whose path holds the word
"""
import argparse
import os
import random
import re
import resource
import subprocess
import sys

from raapekopio import JUURI as TYOPUU, raapekopio

JUURI, RAKENNUS = "", ""  # the scratch copy and its build, set in main()
LAHTEET = []  # the sources of this run, set in main()
YDIN = [
    "src/formatting/SEPA.cpp",
    "src/formatting/RsKTL.cpp",
    "src/formatting/fe_NollatPois.cpp",
    "src/formatting/euro.cpp",
    "src/formatting/kuviot.cpp",
    "src/perus/kalenteri.cpp",
    "src/perus/numerot.cpp",
    "src/barcode/tulkinta.cpp",
    "src/barcode/tarkisteet.cpp",
    "src/errors/fe_apppath.cpp",
    "src/errors/fe_urlkoodaa.cpp",
    "src/errors/fe_virheraportti.cpp",
    "src/errors/se_Pulma.cpp",
    "src/platform/aluesetukset.cpp",
]
# The reader's rules, sampled apart: their rows are younger than the core's.
LUKIJA = [
    "src/barcode/virtuaaliviivakoodi.cpp",
    "src/barcode/epc.cpp",
    "src/barcode/qr_teksti.cpp",
    "src/tiedostot/sivusaannot.cpp",
    "src/tiedostot/finvoice.cpp",
    "src/barcode/maksu.cpp",
    "src/barcode/tulosteet.cpp",
]
TESTIT = ["tests/kelvio_tests", "tests/kelvio_virhe_tests", "tests/kelvio_tiedostot_tests"]
EKVIVALENTIT = os.path.join(TYOPUU, "scripts", "mutants-ekvivalentit.txt")

# Each operator: a pattern and what replaces the match.
OPERAATTORIT = [
    ("== -> !=", re.compile(r" == "), " != "),
    ("!= -> ==", re.compile(r" != "), " == "),
    ("< -> <=", re.compile(r" < "), " <= "),
    ("<= -> <", re.compile(r" <= "), " < "),
    ("> -> >=", re.compile(r" > "), " >= "),
    (">= -> >", re.compile(r" >= "), " > "),
    ("&& -> ||", re.compile(r" && "), " || "),
    ("|| -> &&", re.compile(r" \|\| "), " && "),
    ("+ -> -", re.compile(r" \+ "), " - "),
    ("- -> +", re.compile(r" - "), " + "),
    ("N -> N+1", re.compile(r"(?<![\w.'\"])(\d+)(?![\w.'\"])"), None),
]
EHTO = re.compile(r"^(\s*)(if|while) \((.*)\) \{$")
LAUSE = re.compile(r"^\s*[A-Za-z_][\w.\[\]>-]*\s*(\+=|-=|=|\+\+|--)[^=].*;$|^\s*\+\+\w+;$|^\s*--\w+;$")


def mutantit(vain="", lahteet=None):
    """Every fault, in a fixed order: (file, line number, description, new line)."""
    for tiedosto in LAHTEET if lahteet is None else lahteet:
        if vain not in tiedosto:
            continue
        with open(os.path.join(JUURI, tiedosto), encoding="utf-8") as f:
            rivit = f.read().split("\n")
        for n, rivi in enumerate(rivit, 1):
            runko = rivi.strip()
            if not runko or runko.startswith(("//", "#", "*")) or "static_assert" in runko:
                continue
            koodi = rivi.split("//")[0]
            for nimi, kuvio, korvaus in OPERAATTORIT:
                for osuma in kuvio.finditer(koodi):
                    if korvaus is None:
                        uusi = str(int(osuma.group(1)) + 1)
                    else:
                        uusi = korvaus
                    muutettu = rivi[: osuma.start()] + uusi + rivi[osuma.end() :]
                    yield tiedosto, n, f"{nimi} at column {osuma.start() + 1}", muutettu
            ehto = EHTO.match(rivi)
            if ehto:
                yield tiedosto, n, "condition negated", f"{ehto.group(1)}{ehto.group(2)} (!({ehto.group(3)})) {{"
            if LAUSE.match(rivi):
                yield tiedosto, n, "statement removed", ""


def lue_ekvivalentit():
    tulos = set()
    if os.path.exists(EKVIVALENTIT):
        with open(EKVIVALENTIT, encoding="utf-8") as f:
            for rivi in f:
                rivi = rivi.strip()
                if rivi and not rivi.startswith("#"):
                    tulos.add(rivi.split("  #")[0].strip())
    return tulos


def rajaa_muisti():
    # A fault that makes a loop grow without end fails within 4 GiB, not the machine.
    resource.setrlimit(resource.RLIMIT_AS, (4 << 30, 4 << 30))


def aja(komento, aikaraja=None, rajattu=False):
    return subprocess.run(komento, cwd=RAKENNUS, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=aikaraja,
                          preexec_fn=rajaa_muisti if rajattu else None).returncode


def main():
    valinnat = argparse.ArgumentParser()
    valinnat.add_argument("--otos", type=int, default=0, help="test this many faults (0: all)")
    valinnat.add_argument("--siemen", type=int, default=2026)
    valinnat.add_argument("--raja", type=float, default=0, help="fail below this percent killed")
    valinnat.add_argument("--osa", default="1/1", help="K/N: the K-th of N shares of the faults")
    valinnat.add_argument("--vain", default="", help="only the files whose path holds this")
    valinnat.add_argument("--osio", choices=["ydin", "lukija", "kaikki"], default="kaikki",
                          help="the core's sources, the reader's, or both")
    a = valinnat.parse_args()
    global JUURI, RAKENNUS, LAHTEET
    JUURI, RAKENNUS = raapekopio("mutants")
    LAHTEET = {"ydin": YDIN, "lukija": LUKIJA, "kaikki": YDIN + LUKIJA}[a.osio]

    subprocess.run(["cmake", "-S", JUURI, "-B", RAKENNUS, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DKELVIO_TESTS=ON", "-DKELVIO_WERROR=OFF",
                    # The library's own checks turn a read one past a string's end into a failure.
                    "-DCMAKE_CXX_FLAGS=-O1 -w -D_GLIBCXX_ASSERTIONS"],
                   check=True, stdout=subprocess.DEVNULL)
    kohteet = ["cmake", "--build", RAKENNUS, "--target"] + [os.path.basename(t) for t in TESTIT]
    subprocess.run(kohteet, check=True, stdout=subprocess.DEVNULL)
    for t in TESTIT:
        if aja([os.path.join(RAKENNUS, t)]) != 0:
            sys.exit("the tests fail without any fault planted")

    kaikki = list(mutantit(a.vain))
    ekvivalentit = lue_ekvivalentit()
    # A listed fault that no longer exists was moved by an edit: its line must be written anew.
    for tunnus in sorted(ekvivalentit - {f"{t}:{n}: {k}" for t, n, k, _ in mutantit("", YDIN + LUKIJA)}):
        print(f"  listed as equivalent, but no such fault: {tunnus}")
    osa, osia = (int(x) for x in a.osa.split("/"))
    valitut = [m for i, m in enumerate(kaikki) if i % osia == osa - 1]
    if a.otos and a.otos < len(valitut):
        valitut = sorted(random.Random(a.siemen).sample(valitut, a.otos),
                         key=lambda m: (m[0], m[1]))
    tapettu, eloonjaaneet, kaantumattomat, ekvivalentteja = 0, [], 0, 0
    for tiedosto, n, kuvaus, uusi in valitut:
        polku = os.path.join(JUURI, tiedosto)
        with open(polku, encoding="utf-8") as f:
            alkuperainen = f.read()
        rivit = alkuperainen.split("\n")
        rivit[n - 1] = uusi
        try:
            with open(polku, "w", encoding="utf-8") as f:
                f.write("\n".join(rivit))
            if aja(kohteet) != 0:
                kaantumattomat += 1
                continue
            kuollut = False
            for t in TESTIT:
                try:
                    if aja([os.path.join(RAKENNUS, t)], aikaraja=60, rajattu=True) != 0:
                        kuollut = True
                        break
                except subprocess.TimeoutExpired:
                    kuollut = True
                    break
            tunnus = f"{tiedosto}:{n}: {kuvaus}"
            if kuollut:
                tapettu += 1
            elif tunnus in ekvivalentit:
                ekvivalentteja += 1
            else:
                eloonjaaneet.append((tunnus, uusi.strip()))
        finally:
            with open(polku, "w", encoding="utf-8") as f:
                f.write(alkuperainen)
    arvioitu = tapettu + len(eloonjaaneet)
    pisteet = 100.0 * tapettu / arvioitu if arvioitu else 100.0
    print(f"faults: {len(valitut)} of {len(kaikki)}; killed {tapettu}, survived {len(eloonjaaneet)}, "
          f"equivalent {ekvivalentteja}, not compiling {kaantumattomat}")
    for tunnus, uusi in eloonjaaneet:
        print(f"  survivor {tunnus}: {uusi}")
    print(f"mutation score: {pisteet:.1f} % killed")
    if pisteet < a.raja:
        sys.exit(f"below {a.raja} %")


if __name__ == "__main__":
    main()
