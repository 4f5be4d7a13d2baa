# Sourced by the installer round trips: the installed programs run. The
# command line interprets a barcode; the window opens. The caller defines
# epaonnistui.
# Usage: tarkista_ohjelmat FOLDER
tarkista_ohjelmat() {
  tulos=$(wine "$1/kelvio.exe" 479123456000001230015000000000000000000001234561251231)
  echo "$tulos" | grep -q "FI79 1234 5600 0001 23" || epaonnistui "kelvio.exe: $tulos"
  wine "$1/Kelviomaro.exe" &
  ikkuna=""
  for _ in $(seq 30); do
    ikkuna=$(xdotool search --name "KELVIOMARO" 2>/dev/null | head -n 1 || true)
    [ -n "$ikkuna" ] && break
    sleep 1
  done
  [ -n "$ikkuna" ] || epaonnistui "Kelviomaro.exe ei avannut ikkunaa"
  wine taskkill /IM Kelviomaro.exe /F >/dev/null 2>&1 || true
  wait || true
}
