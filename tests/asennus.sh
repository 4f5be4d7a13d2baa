#!/bin/sh
# The installer round trip under Wine: a silent per-user install, the installed
# programs run, a silent uninstall removes them.
# Usage: asennus.sh Kelvio-VERSION-win64.exe
set -eu
asennin=$1
export WINEDEBUG=-all
epaonnistui() { echo "asennus: $*" >&2; exit 1; }

paikallinen=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
kansio=$(winepath -u "$paikallinen\\Programs\\Kelvio" 2>/dev/null)
valikko=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
rm -rf "$kansio"

wine "$asennin" /S
for tiedosto in Kelviomaro.exe kelvio.exe README.md LICENSE Uninstall.exe; do
  [ -f "$kansio/$tiedosto" ] || epaonnistui "$tiedosto puuttuu kansiosta $kansio"
done
[ -f "$valikko/Kelviomaro.lnk" ] || epaonnistui "Käynnistä-valikon pikakuvake puuttuu"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvio' >/dev/null 2>&1 ||
  epaonnistui "poistotiedot puuttuvat rekisteristä"

# The installed programs run: the command line interprets, the window opens.
tulos=$(wine "$kansio/kelvio.exe" 479123456000001230015000000000000000000001234561251231)
echo "$tulos" | grep -q "FI79 1234 5600 0001 23" || epaonnistui "kelvio.exe: $tulos"
wine "$kansio/Kelviomaro.exe" &
ikkuna=""
for _ in $(seq 30); do
  ikkuna=$(xdotool search --name "KELVIOMARO" 2>/dev/null | head -n 1 || true)
  [ -n "$ikkuna" ] && break
  sleep 1
done
[ -n "$ikkuna" ] || epaonnistui "Kelviomaro.exe ei avannut ikkunaa"
wine taskkill /IM Kelviomaro.exe /F >/dev/null 2>&1 || true
wait || true

# The uninstaller copies itself away and returns at once: wait for it.
wine "$kansio/Uninstall.exe" /S
for _ in $(seq 30); do
  [ -e "$kansio" ] || break
  sleep 1
done
[ ! -e "$kansio" ] || epaonnistui "poisto jätti kansion $kansio: $(ls "$kansio")"
[ ! -e "$valikko/Kelviomaro.lnk" ] || epaonnistui "poisto jätti pikakuvakkeen"
echo "asennus, käynnistys ja poisto: ok"
