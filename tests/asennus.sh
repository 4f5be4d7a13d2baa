#!/bin/sh
# The installer round trip under Wine: a silent per-user install, the installed
# programs run, a silent uninstall removes them.
# Usage: asennus.sh Kelvio-VERSION-win64.exe
set -eu
asennin=$1
export WINEDEBUG=-all
. "$(dirname "$0")/asennetut-ohjelmat.sh"
epaonnistui() { echo "asennus: $*" >&2; exit 1; }

paikallinen=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
kansio=$(winepath -u "$paikallinen\\Programs\\Kelvio" 2>/dev/null)
valikko=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
rm -rf "$kansio"

wine "$asennin" /S
for tiedosto in Kelviomaro.exe kelvio.exe README.md LICENSE THIRD-PARTY-LICENSES.txt Uninstall.exe; do
  [ -f "$kansio/$tiedosto" ] || epaonnistui "$tiedosto puuttuu kansiosta $kansio"
done
[ -f "$valikko/Kelviomaro.lnk" ] || epaonnistui "Käynnistä-valikon pikakuvake puuttuu"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvio' >/dev/null 2>&1 ||
  epaonnistui "poistotiedot puuttuvat rekisteristä"

tarkista_ohjelmat "$kansio"

# The uninstaller copies itself away and returns at once: wait for it.
wine "$kansio/Uninstall.exe" /S
for _ in $(seq 30); do
  [ -e "$kansio" ] || break
  sleep 1
done
[ ! -e "$kansio" ] || epaonnistui "poisto jätti kansion $kansio: $(ls "$kansio")"
[ ! -e "$valikko/Kelviomaro.lnk" ] || epaonnistui "poisto jätti pikakuvakkeen"
echo "asennus, käynnistys ja poisto: ok"
