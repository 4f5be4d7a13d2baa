#!/bin/sh
# Makes the sample invoice files of kelvio read's tests in folder $2 with the
# project's own kelvio ($1) and Debian's tools: rsvg-convert, qrencode and
# ImageMagick's convert.
set -eu
K=$1
cd "$2"
IBAN="--iban FI2112345600000785"
V4=$($K make $IBAN --reference 1234561 --amount 1500 --due 2025-12-31 --svg v4.svg)
V5=$($K make $IBAN --reference RF18539007547034 --amount 10 --svg v5.svg)
# A page of A4 with the symbol at the top and, when given, a printed line.
sivu() {
  {
    echo '<svg xmlns="http://www.w3.org/2000/svg" width="210mm" height="297mm" viewBox="0 0 210 297">'
    echo '<rect width="210" height="297" fill="#fff"/>'
    [ -n "$1" ] && sed '1d;s/<svg [^>]*viewBox=/<svg x="10" y="20" width="96" height="13" viewBox=/' "$1"
    [ -n "$2" ] && echo "<text x=\"10\" y=\"60\" font-family=\"DejaVu Sans\" font-size=\"3.5\">$2</text>"
    echo '</svg>'
  } >"$3"
}
ryhmitelty() { echo "$1" | sed 's/^\(.\)\(.\{16\}\)/\1 \2 /'; }
sivu v4.svg "" s1.svg
sivu "" "Virtuaaliviivakoodi: $(ryhmitelty "$V5")" s2.svg
sivu v4.svg "Virtuaaliviivakoodi $V4" s3.svg
sivu v4.svg "Virtuaaliviivakoodi $V5" s4.svg
rsvg-convert -f pdf -o symboli.pdf s1.svg
rsvg-convert -f pdf -o kaksi.pdf s1.svg s2.svg
rsvg-convert -f pdf -o yhdessa.pdf s3.svg
rsvg-convert -f pdf -o ristiriita.pdf s4.svg
rsvg-convert -w 1200 -b white -o symboli.png v4.svg
# Noise is seeded: the same picture on every run.
convert symboli.png -bordercolor white -border 80 -rotate 3 -seed 1 -attenuate 0.5 +noise Gaussian \
  -colorspace Gray -quality 85 vino.jpg
convert symboli.png -bordercolor white -border 80 -rotate 90 kaannetty.png
convert -size 300x200 xc:white tyhja.png
printf 'BCD\n002\n1\nSCT\n\nYritys Oy\nFI2112345600000785\nEUR1500.00\n\nRF18539007547034\n\nReqdExctnDt/2025-12-31' |
  qrencode -l M -s 6 -o qr.png
# a phone's picture: large, turned a little and blurred
convert qr.png -bordercolor white -border 16 -blur 0x1.7 -resize 600% -rotate 5 -seed 2 \
  -attenuate 1.0 +noise Gaussian -colorspace Gray -quality 80 qr-kuva.jpg
convert symboli.png qr.png -compress lzw sivut.tif  # a scan of two pages
# What programs and scanners write: a transparent background whose colour
# values are black, 16 bits, a palette, CMYK as Adobe's applications store it.
convert symboli.png -transparent white -background black -alpha background alfa.png
convert symboli.png -transparent white -background black -alpha background alfa.tif
convert symboli.png -transparent white -background black -alpha background PNG64:syva.png
convert symboli.png PNG8:paletti.png
convert symboli.png -colorspace CMYK -quality 90 cmyk.jpg
# A table row: an amount in the cell before the printed virtual barcode.
{
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="210mm" height="297mm" viewBox="0 0 210 297">'
  echo '<rect width="210" height="297" fill="#fff"/>'
  echo '<text x="10" y="60" font-family="DejaVu Sans" font-size="3.5">500</text>'
  echo "<text x=\"40\" y=\"60\" font-family=\"DejaVu Sans\" font-size=\"3.5\">$(ryhmitelty "$V4")</text>"
  echo '</svg>'
} >taulukko.svg
rsvg-convert -f pdf -o taulukko.pdf taulukko.svg
printf 'BCD\n003\n1\nSCT\n\nYritys Oy\nFI2112345600000785' | qrencode -l M -s 6 -o qr-vika.png
printf 'https://example.com/lasku' | qrencode -l M -s 6 -o qr-muu.png
EPI='<EpiDetails><EpiPartyDetails><EpiBeneficiaryPartyDetails><EpiAccountID>FI2112345600000785</EpiAccountID></EpiBeneficiaryPartyDetails></EpiPartyDetails><EpiPaymentInstructionDetails><EpiRemittanceInfoIdentifier>1234561</EpiRemittanceInfoIdentifier><EpiInstructedAmount AmountCurrencyIdentifier="EUR">1500,00</EpiInstructedAmount><EpiDateOptionDate Format="CCYYMMDD">20251231</EpiDateOptionDate></EpiPaymentInstructionDetails></EpiDetails>'
printf '<?xml version="1.0"?>\n<Finvoice Version="3.0">%s</Finvoice>\n' "$EPI" >epi.xml
printf '<?xml version="1.0"?>\n<Finvoice><VirtualBankBarcode>%s</VirtualBankBarcode>%s</Finvoice>\n' \
  "$V5" "$EPI" >virtuaali.xml
# As banks deliver them: ISO-8859-15, a SOAP envelope before each message.
KUORI='<SOAP-ENV:Envelope xmlns:SOAP-ENV="http://schemas.xmlsoap.org/soap/envelope/"><SOAP-ENV:Body/></SOAP-ENV:Envelope>'
{
  for n in 1 2; do
    printf '<?xml version="1.0" encoding="ISO-8859-15"?>\n%s\n' "$KUORI"
    printf '<?xml version="1.0" encoding="ISO-8859-15"?>\n<Finvoice Version="1.3"><SellerPartyDetails>'
    printf '<SellerOrganisationName>Myyj\344 \244 Oy</SellerOrganisationName></SellerPartyDetails>'
    printf '<InvoiceDetails><InvoiceNumber>%s</InvoiceNumber></InvoiceDetails>%s</Finvoice>\n' "$n" "$EPI"
  done
} >pankista.xml
printf '<?xml version="1.0"?>\n<!DOCTYPE Finvoice [<!ENTITY a "aaaaaaaa"><!ENTITY b "&a;&a;&a;&a;">]>\n<Finvoice><VirtualBankBarcode>&b;</VirtualBankBarcode></Finvoice>\n' >pommi.xml
head -c 400 symboli.pdf >katkennut.pdf
printf 'tavallista tekstiä\n' >teksti.txt
# Files from strangers: a VirtualBankBarcode one digit short, a Finvoice root
# after a long comment, a PNG whose comment says %PDF-, a name and a QR text
# with a line break, pages of A1 (slow to decode).
printf '<?xml version="1.0"?>\n<Finvoice><VirtualBankBarcode>%s</VirtualBankBarcode></Finvoice>\n' \
  "$(echo "$V4" | cut -c1-53)" >lyhyt.xml
{
  printf '<?xml version="1.0"?>\n<!-- %s -->\n' "$(head -c 5000 /dev/zero | tr '\0' x)"
  printf '<Finvoice><VirtualBankBarcode>%s</VirtualBankBarcode></Finvoice>\n' "$V5"
} >pitka.xml
convert symboli.png -set comment '%PDF-1.4 ei PDF' pdfkommentti.png
cp qr-muu.png "$(printf 'rivi\r\nkatkos.png')"
printf 'rivi1\r\nrivi2' | qrencode -l M -s 6 -o qr-rivit.png
{
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="594mm" height="841mm" viewBox="0 0 594 841">'
  echo '<rect width="594" height="841" fill="#fff"/>'
  sed '1d;s/<svg [^>]*viewBox=/<svg x="10" y="20" width="96" height="13" viewBox=/' v4.svg
  echo '</svg>'
} >a1.svg
rsvg-convert -f pdf -o a1.pdf a1.svg a1.svg a1.svg a1.svg
mkdir -p kansio/alikansio
cp qr-muu.png kansio/b.png
printf 'ei laskua\n' >kansio/a.txt
ln -sf ../symboli.pdf kansio/c.pdf  # a link is not followed
