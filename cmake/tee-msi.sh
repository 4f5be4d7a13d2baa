#!/bin/sh
# Builds the Windows Installer package from Kelvio.wxs in the current folder
# (the staging folder), then sets in it what wixl cannot say:
# - SecureCustomProperties with DATAFOLDER, since managed installs pass only secure properties;
# - the upgrade rule with its upper version inclusive, so that a rebuild of the
#   same version (after signing, say) replaces the installed product;
# - the file versions of the two programs, so that Windows Installer treats
#   them as versioned files.
# Usage: tee-msi.sh OUT.msi NAME VERSION(a.b.c) FILEVERSION(a.b.c.d) MAKER DESCRIPTION UPGRADECODE
#        [WINDOW-PROGRAM]
set -eu
ulos=$1 nimi=$2 versio=$3 tiedostoversio=$4 valmistaja=$5 kuvaus=$6 paivityskoodi=$7
ikkunaohjelma=${8:-Kelviomaro}
rm -f "$ulos"
wixl -a x64 -o "$ulos" -D Nimi="$nimi" -D Versio="$versio" -D Valmistaja="$valmistaja" \
  -D Kuvaus="$kuvaus" -D Paivityskoodi="$paivityskoodi" -D Ikkunaohjelma="$ikkunaohjelma" Kelvio.wxs
msibuild "$ulos" \
  -q "UPDATE \`Property\` SET \`Value\`='DATAFOLDER;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED' WHERE \`Property\`='SecureCustomProperties'" \
  -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\`='WIX_UPGRADE_DETECTED'" \
  -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('{$paivityskoodi}', '$versio', 513, 'WIX_UPGRADE_DETECTED')" \
  -q "UPDATE \`File\` SET \`Version\`='$tiedostoversio' WHERE \`File\`='Kelviomaro.exe'" \
  -q "UPDATE \`File\` SET \`Version\`='$tiedostoversio' WHERE \`File\`='kelvio.exe'"
