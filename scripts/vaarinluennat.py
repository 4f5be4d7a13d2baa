#!/usr/bin/env python3
"""Plants, one at a time in a scratch copy of the committed tree, the
misreadings of the rules that a careful reader could make (a character
skipped that should not be, a count stopped too early, a limit tested in the
wrong place, rounding done the wrong way, a set of first digits one too large),
rebuilds and runs the native tests, and prints which tests caught each.
scripts/mutants.py plants the operator faults; this one plants what operators
cannot. Usage: python3 scripts/vaarinluennat.py [NUMBER...]  (about 5 minutes)
"""
import os, subprocess, sys
from raapekopio import raapekopio
V=[
 ("fe_yleisval skips a carriage return", "src/formatting/euro.cpp",
  "if (c == u' ' || c == u'\\t' || c == u'\\n') {", "if (c == u' ' || c == u'\\t' || c == u'\\n' || c == u'\\r') {"),
 ("fe_yleisval drops every blank, not only U+0020", "src/formatting/euro.cpp",
  "if (c == u' ' || c == u'\\t' || c == u'\\n') {", "if (c == u' ' || c == u'\\t' || c == u'\\n' || c == 0xA0) {"),
 ("fe_yleisval stops counting separators at a letter", "src/formatting/euro.cpp",
  "    for (const char16_t c : teksti) {\n      if (c == u'.' || c == u',') {",
  "    for (const char16_t c : teksti) {\n      if (c >= u'A') break;\n      if (c == u'.' || c == u',') {"),
 ("fe_yleisval's limit counts the text without spaces", "src/formatting/euro.cpp",
  "    if (teksti.size() >= 32767) {", "    if (teksti.size() - [&] { std::size_t n = 0; for (const char16_t c : teksti) { n += c == u' ' ? 1U : 0U; } return n; }() >= 32767) {"),
 ("fe_ryhmittele removes tabs as spaces", "src/formatting/SEPA.cpp",
  "      if (c == u' ') {\n        continue;", "      if (c == u' ' || c == u'\\t') {\n        continue;"),
 ("fe_ryhmittele's limit checked after the spaces are removed", "src/formatting/SEPA.cpp",
  "    if (teksti.size() >= 32767) {", "    if (teksti.size() - static_cast<std::size_t>(std::count(teksti.begin(), teksti.end(), u' ')) >= 32767) {"),
 ("fe_NollatPois removes spaces too", "src/formatting/fe_NollatPois.cpp",
  "find_first_not_of(u'0')", "find_first_not_of(u\"0 \")"),
 ("NormTili keeps a seventh digit for 6 too", "src/formatting/RsKTL.cpp",
  "tili[0] == u'5')", "tili[0] == u'5' || tili[0] == u'6')"),
 ("no due date decided after rounding", "src/barcode/tulkinta.cpp",
  "if (vuosi == 2000.0 && kuukausi == 0.0 && paiva == 0.0) {",
  "if (kokonaisluvuksi(vuosi) == 2000 && kokonaisluvuksi(kuukausi) == 0 && kokonaisluvuksi(paiva) == 0) {"),
 ("due date halves rounded away from zero", "src/barcode/tulkinta.cpp",
  "return static_cast<std::int64_t>(std::nearbyint(x));", "return static_cast<std::int64_t>(std::round(x));"),
 ("the reference pattern drops the data's spaces", "src/formatting/kuviot.cpp",
  "      *p++ = viite[paikka - tyhjia];", "      *p++ = viite[paikka - tyhjia] == u' ' ? u'0' : viite[paikka - tyhjia];"),
 ("a full-path settings line trimmed", "src/errors/fe_apppath.cpp",
  "  return std::u16string(rivi);\n}", "  return std::u16string(ilmanValilyonteja(rivi));\n}"),
 ("a '*' recognised after leading spaces", "src/errors/fe_apppath.cpp",
  "  if (rivi.front() == u'*') {\n    std::u16string loppu(ilmanValilyonteja(rivi.substr(1)));",
  "  if (ilmanValilyonteja(rivi).front() == u'*') {\n    rivi = ilmanValilyonteja(rivi);\n    std::u16string loppu(ilmanValilyonteja(rivi.substr(1)));"),
 ("the CSV formula guard left off the account", "src/cli/tuloste_csv.cpp",
  "        kentta(ulos, k);", "        kentta(ulos, k, false);"),
 ("kelvio make reads one decimal as cents", "src/barcode/tekija.cpp",
  "arvo = arvo * 10 + (i < sentit.size() ? sentit[i] - u'0' : 0);",
  "arvo = arvo * 10 + (i < sentit.size() ? sentit[sentit.size() - 1 - i] - u'0' : 0);"),
 ("fe_yleisval: overflow judged by the exponent's size, not the value", "src/formatting/euro.cpp",
  "  if (tila == std::errc::result_out_of_range) {",
  "  if (eksponentti > 308 && arvo != 0.0) {\n    nosta(VIRHE_YLIVUOTO);\n  }\n  if (tila == std::errc::result_out_of_range) {"),
 ("fe_ryhmittele leaves a text that has spaces as it is", "src/formatting/SEPA.cpp",
  "    const auto ryhma = static_cast<std::size_t>(koko);",
  "    if (teksti.find(u' ') != std::u16string_view::npos && teksti.find_first_not_of(u' ') != std::u16string_view::npos) {\n      return std::u16string(teksti);\n    }\n    const auto ryhma = static_cast<std::size_t>(koko);"),
 ("the sum's fractions of a cent cut off, not rounded", "src/formatting/kuviot.cpp",
  "  const double suuruus = std::fabs(euroa);",
  "  const double suuruus = std::trunc(std::fabs(euroa) * 100) / 100;"),
 ("the two-digit year without its zero", "src/platform/aluesetukset.cpp",
  "lisaaLuku(kohde, pvm.vuosi % 100, 2);", "lisaaLuku(kohde, pvm.vuosi % 100);"),
 ("due date fields cut to whole numbers, not rounded", "src/barcode/tulkinta.cpp",
  "return static_cast<std::int64_t>(std::nearbyint(x));", "return static_cast<std::int64_t>(std::trunc(x));"),
 ("the clock in UTC, not local time", "src/platform/jarjestelma_posix.cpp",
  "localtime_r(&t, &tm);", "gmtime_r(&t, &tm);"),
 ("the data folder as the settings line wrote it", "src/errors/fe_apppath.cpp",
  "    kansio = alusta().nykyhakemisto();", "    kansio = valittu;"),
 ("an empty first line passed over for the next", "src/platform/jarjestelma.cpp",
  "  const std::size_t cr = lohko.find('\\r');",
  "  if (rivi.empty()) {\n    lohko.remove_prefix(std::min(lohko.find_first_not_of(\"\\r\\n\"), lohko.size()));\n  }\n  const std::size_t cr = lohko.find('\\r');"),
 ("JSON: a short escape JSON does not have", "src/cli/koodaus.cpp",
  "    case u'\\f': *p++ = 'f'; break;", "    case u'\\f': *p++ = 'f'; break;\n    case u'\\v': *p++ = 'v'; break;"),
]
valitut = [int(a) for a in sys.argv[1:]] or range(len(V))
R, B = raapekopio('vaarinluennat')
subprocess.run(['cmake', '-S', R, '-B', B, '-G', 'Ninja', '-DCMAKE_BUILD_TYPE=Release',
                '-DKELVIO_TESTS=ON'], check=True, capture_output=True)
subprocess.run(['cmake', '--build', B], check=True, capture_output=True)
kiinni = 0
for i in valitut:
    nimi, tiedosto, vanha, uusi = V[i]
    p = f'{R}/{tiedosto}'
    alku = open(p).read()
    if vanha not in alku:
        print(f'{i:2} {nimi}: PATTERN NOT FOUND'); continue
    open(p, 'w').write(alku.replace(vanha, uusi, 1))
    try:
        b = subprocess.run(['cmake', '--build', B, '-j2'], capture_output=True, text=True)
        if b.returncode != 0:
            print(f'{i:2} {nimi}: DOES NOT BUILD'); print(b.stdout[-1500:]); continue
        kaatuneet = []
        for t in ['kelvio_tests', 'kelvio_virhe_tests', 'kelvio_koodaus_tests', 'kelvio_tiedostot_tests', 'kelvio_e2e']:
            r = subprocess.run([f'{B}/tests/{t}', '--gtest_brief=1'], capture_output=True, text=True, cwd=R)
            kaatuneet += [l.split('] ')[1].split(' ')[0] for l in r.stdout.splitlines() if l.startswith('[  FAILED  ]') and '(' in l]
        kiinni += 1 if kaatuneet else 0
        print(f'{i:2} {nimi}: ' + (('caught by ' + ', '.join(kaatuneet)) if kaatuneet else 'NOT CAUGHT'), flush=True)
    finally:
        open(p, 'w').write(alku)
print(f'{kiinni} of {len(list(valitut))} misreadings caught')
sys.exit(0 if kiinni == len(list(valitut)) else 1)
