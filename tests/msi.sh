#!/bin/sh
# The Windows Installer package's round trip under Wine: what the package
# declares (launch condition, secure DATAFOLDER, file versions), a silent
# per-machine install, the programs run, a trapped error's entry lands in the
# user's own folders (not under Program Files), again with DATAFOLDER naming a
# folder, a rebuild of the same version and a newer version each replace the
# installed one and keep DATAFOLDER without being given it, and a silent
# removal removes the programs and the shortcut but no user's log.
# Usage: msi.sh Kelvio-VERSION-win64.msi MSI-STAGING-FOLDER
set -eu
paketti=$1
lavastus=$2
export WINEDEBUG=-all
. "$(dirname "$0")/asennetut-ohjelmat.sh"
epaonnistui() { printf 'msi: %s\n' "$*" >&2; exit 1; }
ymparisto() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }

ohjelmat=$(winepath -u "$(ymparisto ProgramW6432)\\Kelvio" 2>/dev/null) || true
valikko=$(winepath -u "$(ymparisto ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null) || true
profiili=$(winepath -u "$(ymparisto USERPROFILE)" 2>/dev/null) || true
ylivuoto=479123456000001239E99999900000000000000001234561251231

# Where a user's log goes with "*": the first documents folder of the rules that exists, else the profile.
kayttajan_kansio() {
  for k in "Omat tiedostot" "My documents" "Mina dokument"; do
    [ -d "$profiili/$k" ] && { echo "$profiili/$k"; return; }
  done
  echo "$profiili"
}

asenna() {
  paketti_w=$(winepath -w "$1")
  shift
  wine msiexec /i "$paketti_w" /qn "$@" >/dev/null 2>&1 || epaonnistui "msiexec /i $paketti_w $*"
}

# An error that kelvio.exe traps must land, once, in the folder given.
odota_merkinta() {
  rm -f "$1/virhelog.txt"
  wine "$ohjelmat/kelvio.exe" "$ylivuoto" >/dev/null 2>&1 || true
  [ "$(grep -c 'Rutiinista     fe_yleisval' "$1/virhelog.txt" 2>/dev/null)" = 1 ] ||
    epaonnistui "no entry in $1/virhelog.txt"
  [ ! -e "$ohjelmat/virhelog.txt" ] || epaonnistui "an entry under Program Files"
}

echo "msi: $(basename "$paketti") in a prefix at $WINEPREFIX"
taulu() { msiinfo export "$paketti" "$1" | tr -d '\r'; }
taulu LaunchCondition | grep -q "WINDOWSBUILD >= 14393" || epaonnistui "no launch condition for Windows 10 1607"
taulu Property | grep "^SecureCustomProperties" | grep -q DATAFOLDER || epaonnistui "DATAFOLDER is not secure"
taulu Property | grep -q "^ARPNOMODIFY	1" || epaonnistui "ARPNOMODIFY is not 1"
for ohjelma in Kelviomaro.exe kelvio.exe; do
  taulu File | grep "^$ohjelma	" | cut -f 5 | grep -q '^[0-9]' || epaonnistui "$ohjelma has no file version"
done
versio=$(taulu Property | sed -n 's/^ProductVersion	//p')
paivityskoodi=$(taulu Property | sed -n 's/^UpgradeCode	{\(.*\)}/\1/p')
tuotteita() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
    tr -d '\r' | grep -c 'DisplayName    REG_SZ    Kelvio$' || true
}
# A package of the same staging folder, as a rebuild makes it.
rakenna() { (cd "$lavastus" && sh tee-msi.sh "$1" Kelvio "$2" "$2.0" testi testi "$paivityskoodi" >/dev/null 2>&1) ||
  epaonnistui "tee-msi.sh $2"; }

# The launch condition refuses Windows 7 (build 7601), and lets Windows 10 (1903) install.
# winecfg sets the version Wine reports, the registry's build number among it.
kokoonpano() {
  wine reg query 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion' /v CurrentBuildNumber 2>/dev/null |
    tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}
aseta_windows() {
  for _ in 1 2 3; do
    wine winecfg -v "$1" >/dev/null 2>&1 || true
    [ "$(kokoonpano)" "$2" "$3" ] 2>/dev/null && return 0
    sleep 1
  done
  epaonnistui "winecfg -v $1 left build $(kokoonpano), not $2 $3"
}
aseta_windows win7 -eq 7601
if wine msiexec /i "$(winepath -w "$paketti")" /qn >/dev/null 2>&1; then
  epaonnistui "the package installed on Windows 7"
fi
[ ! -e "$ohjelmat/kelvio.exe" ] || epaonnistui "the refused install left kelvio.exe"
aseta_windows win10 -ge 14393
echo "refused on Windows 7"

asenna "$paketti"
for tiedosto in Kelviomaro.exe kelvio.exe README.md LUEMINUT.txt LICENSE THIRD-PARTY-LICENSES.txt ainehake.oma; do
  [ -f "$ohjelmat/$tiedosto" ] || epaonnistui "$tiedosto missing from $ohjelmat"
done
[ "$(head -c 1 "$ohjelmat/ainehake.oma")" = "*" ] || epaonnistui "ainehake.oma is not *"
# For all users: the shortcut is in ProgramMenuFolder of a package with ALLUSERS=1
# (Windows puts it in the common Start menu; Wine puts it in the user's own).
msiinfo export "$paketti" Property | grep -q "^ALLUSERS	1" || epaonnistui "ALLUSERS is not 1"
msiinfo export "$paketti" Shortcut | grep -q "ProgramMenuFolder" || epaonnistui "no Start menu shortcut"
kayttajan_valikko=$(winepath -u "$(ymparisto APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
[ -f "$valikko/Kelviomaro.lnk" ] || [ -f "$kayttajan_valikko/Kelviomaro.lnk" ] ||
  epaonnistui "no Start menu shortcut"
tarkista_ohjelmat "$ohjelmat"
kayttaja=$(kayttajan_kansio)
odota_merkinta "$kayttaja"
echo "installed; the user's log in $kayttaja"

# DATAFOLDER names another folder, one whose name ends in a digit.
wine msiexec /x "$(winepath -w "$paketti")" /qn >/dev/null 2>&1 || epaonnistui "msiexec /x"
[ ! -e "$ohjelmat/kelvio.exe" ] || epaonnistui "the removal left kelvio.exe"
jaettu="$profiili/kelvio-loki2"
mkdir -p "$jaettu"
asenna "$paketti" "DATAFOLDER=$(winepath -w "$jaettu")"
odota_merkinta "$jaettu"
echo "DATAFOLDER: the log in $jaettu"

# A rebuild of the same version (a new product code) replaces the installed one.
uudelleen=$(dirname "$paketti")/Kelvio-uudelleen-win64.msi
rakenna "$uudelleen" "$versio"
asenna "$uudelleen"
[ "$(tuotteita)" = 1 ] || epaonnistui "$(tuotteita) products named Kelvio after a same-version rebuild"
[ "$(head -n 1 "$ohjelmat/ainehake.oma" | tr -d '\r')" = "$(winepath -w "$jaettu")" ] ||
  epaonnistui "the rebuild lost DATAFOLDER"
echo "rebuild of $versio: one product, DATAFOLDER kept"

# A newer version replaces the older: one product, the new files, DATAFOLDER kept.
uusi=$(dirname "$paketti")/Kelvio-uusi-win64.msi
rakenna "$uusi" 9.9.9
asenna "$uusi"
[ "$(tuotteita)" = 1 ] || epaonnistui "$(tuotteita) products named Kelvio after the upgrade"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
  tr -d '\r' | grep -q 'DisplayVersion    REG_SZ    9.9.9' || epaonnistui "the newer version is not registered"
[ -f "$ohjelmat/kelvio.exe" ] || epaonnistui "the upgrade lost kelvio.exe"
[ "$(head -n 1 "$ohjelmat/ainehake.oma" | tr -d '\r')" = "$(winepath -w "$jaettu")" ] ||
  epaonnistui "the upgrade lost DATAFOLDER"
odota_merkinta "$jaettu"
echo "upgrade: one product, version 9.9.9, DATAFOLDER kept"

wine msiexec /x "$(winepath -w "$uusi")" /qn >/dev/null 2>&1 || epaonnistui "msiexec /x"
[ ! -e "$ohjelmat/kelvio.exe" ] || epaonnistui "the removal left kelvio.exe"
[ ! -e "$ohjelmat/Kelviomaro.exe" ] || epaonnistui "the removal left Kelviomaro.exe"
[ ! -e "$valikko/Kelviomaro.lnk" ] && [ ! -e "$kayttajan_valikko/Kelviomaro.lnk" ] ||
  epaonnistui "the removal left the shortcut"
[ -f "$jaettu/virhelog.txt" ] || epaonnistui "the removal took a user's log"
rm -f "$uusi" "$uudelleen"
echo "msi: install, data folder, upgrade and removal: ok"
