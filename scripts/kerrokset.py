#!/usr/bin/env python3
"""Checks that no folder under src/ includes a header of a folder above it.

The order is the build's: each folder may include its own headers and those
of the folders it lists (and theirs, transitively). With --itsetesti, plants
a forbidden include in a copy of the tree and expects the check to fail.
"""
import os
import re
import shutil
import sys
import tempfile

# The layers come from the build itself: each folder's library and the kelvio_
# libraries it links (KAYTTAA of kelvio_kirjasto, and target_link_libraries).
KUTSU = re.compile(r"(kelvio_kirjasto|target_link_libraries)\(([^)]*)\)", re.S)


def lue_kerrokset(src):
    kayttaa = {}
    for kansio in sorted(os.listdir(src)):
        tiedosto = os.path.join(src, kansio, "CMakeLists.txt")
        if not os.path.isfile(tiedosto):
            continue
        with open(tiedosto, encoding="utf-8") as f:
            teksti = re.sub(r"#.*", "", f.read())
        for kutsu, argumentit in KUTSU.findall(teksti):
            sanat = argumentit.split()
            if not sanat or sanat[0] != "kelvio_" + kansio:
                continue
            if kutsu == "kelvio_kirjasto":
                linkit = sanat[sanat.index("KAYTTAA") + 1 :] if "KAYTTAA" in sanat else []
            else:
                linkit = sanat[1:]
            kayttaa.setdefault(kansio, [])
            kayttaa[kansio] += [s[len("kelvio_") :] for s in linkit if s.startswith("kelvio_")]
    return kayttaa


KAYTTAA = {}
SISALLYTYS = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
GENEROIDUT = {"tuote.h": "perus"}


def sallitut(kansio):
    tulos = {kansio}
    for alempi in KAYTTAA[kansio]:
        tulos |= sallitut(alempi)
    return tulos


def tarkista(src):
    KAYTTAA.clear()
    KAYTTAA.update(lue_kerrokset(src))
    virheet = []
    otsakkeet = dict(GENEROIDUT)
    for kansio in sorted(os.listdir(src)):
        polku = os.path.join(src, kansio)
        if not os.path.isdir(polku):
            continue
        if kansio not in KAYTTAA:
            virheet.append(f"{kansio}/: a folder without a place in the layers")
            continue
        for nimi in os.listdir(polku):
            if nimi.endswith(".h"):
                if nimi in otsakkeet:
                    virheet.append(f"{kansio}/{nimi}: the same name in {otsakkeet[nimi]}/")
                otsakkeet[nimi] = kansio
    for kansio in KAYTTAA:
        polku = os.path.join(src, kansio)
        if not os.path.isdir(polku):
            continue
        salli = sallitut(kansio)
        for nimi in sorted(os.listdir(polku)):
            if not nimi.endswith((".h", ".cpp", ".rc")):
                continue
            with open(os.path.join(polku, nimi), encoding="utf-8", errors="replace") as f:
                sisalto = f.read()
            for otsake in SISALLYTYS.findall(sisalto):
                paikka = otsakkeet.get(otsake)
                if paikka is None:
                    virheet.append(f"{kansio}/{nimi}: includes \"{otsake}\", which no folder holds")
                elif paikka not in salli:
                    virheet.append(f"{kansio}/{nimi}: includes \"{otsake}\" of {paikka}/, above it")
    return virheet


def itsetesti(src):
    with tempfile.TemporaryDirectory() as tmp:
        kopio = os.path.join(tmp, "src")
        shutil.copytree(src, kopio)
        with open(os.path.join(kopio, "formatting", "SEPA.cpp"), "a", encoding="utf-8") as f:
            f.write('\n#include "tulkinta.h"\n')
        virheet = tarkista(kopio)
    if not any("tulkinta.h" in v for v in virheet):
        print("the check let an include of barcode/ from formatting/ pass", file=sys.stderr)
        return 1
    print("a planted include against the layers is found")
    return 0


def main():
    args = sys.argv[1:]
    if args and args[0] == "--itsetesti":
        return itsetesti(args[1])
    virheet = tarkista(args[0] if args else "src")
    for v in virheet:
        print(v, file=sys.stderr)
    if not virheet:
        print("includes follow the layers")
    return 1 if virheet else 0


if __name__ == "__main__":
    sys.exit(main())
