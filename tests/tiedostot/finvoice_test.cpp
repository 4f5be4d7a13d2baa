// Finvoice messages in the forms they arrive in: the encodings they declare,
// the SOAP envelope of banks and operators, several messages in one file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tiedosto.h"

namespace kelvio {
namespace {

const std::string V4 = "421123456000007850015000000000000000000001234561251231";
const std::string V5 = "521123456000007850000100018000000000539007547034000000";
const std::string EPI =
    "<EpiDetails><EpiPartyDetails><EpiBeneficiaryPartyDetails><EpiAccountID>FI2112345600000785"
    "</EpiAccountID></EpiBeneficiaryPartyDetails></EpiPartyDetails><EpiPaymentInstructionDetails>"
    "<EpiRemittanceInfoIdentifier>1234561</EpiRemittanceInfoIdentifier><EpiInstructedAmount "
    "AmountCurrencyIdentifier=\"EUR\">1500,00</EpiInstructedAmount><EpiDateOptionDate "
    "Format=\"CCYYMMDD\">20251231</EpiDateOptionDate></EpiPaymentInstructionDetails></EpiDetails>";

std::string julistus(const std::string& koodaus) {
  return "<?xml version=\"1.0\" encoding=\"" + koodaus + "\"?>\n";
}

// A message whose seller's name holds a byte above ASCII.
std::string sanoma(const std::string& versio, const std::string& numero, const std::string& koodi,
                   const std::string& nimi = "Myyj\xE4 Oy") {
  return "<Finvoice Version=\"" + versio + "\"><SellerPartyDetails><SellerOrganisationName>" +
         nimi + "</SellerOrganisationName></SellerPartyDetails><InvoiceDetails><InvoiceNumber>" +
         numero + "</InvoiceNumber></InvoiceDetails>" +
         (koodi.empty() ? EPI : "<VirtualBankBarcode>" + koodi + "</VirtualBankBarcode>") +
         "</Finvoice>\n";
}

const std::string KUORI =
    "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:eb=\"http://www.oasis-open.org/committees/ebxml-msg/schema/msg-header-2_0.xsd\">\n"
    "<SOAP-ENV:Header><eb:MessageHeader><eb:From><eb:PartyId>003712345678</eb:PartyId></eb:From>"
    "</eb:MessageHeader></SOAP-ENV:Header>\n<SOAP-ENV:Body><eb:Manifest><eb:Reference "
    "eb:id=\"Finvoice\"/></eb:Manifest></SOAP-ENV:Body>\n</SOAP-ENV:Envelope>\n";

std::string utf16le(const std::string& ascii) {
  std::string t = "\xFF\xFE";
  for (const char c : ascii) {
    t += c;
    t += '\0';
  }
  return t;
}

struct Odotettu {
  std::string koodi;  // "" for a message without payment details
  std::string lasku;
};

struct Rivi {
  const char* muoto;
  std::string xml;
  std::vector<Odotettu> laskut;
};

TEST(Finvoice, MuodotJoissaSaapuu) {
  const Rivi rivit[] = {
      {"UTF-8 without a declaration", sanoma("3.0", "1", V5, "Myyj\xC3\xA4 Oy"), {{V5, "1"}}},
      {"ISO-8859-15", julistus("ISO-8859-15") + sanoma("1.3", "2", V5), {{V5, "2"}}},
      {"iso-8859-15 in small letters",
       julistus("iso-8859-15") + sanoma("2.0", "3", V5),
       {{V5, "3"}}},
      {"ISO-8859-1", julistus("ISO-8859-1") + sanoma("2.01", "4", V5), {{V5, "4"}}},
      {"windows-1252 with a euro sign",
       julistus("windows-1252") + sanoma("3.0", "5", V5, "\x80 Oy"),
       {{V5, "5"}}},
      {"UTF-16 with its byte order mark",
       utf16le("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + sanoma("3.0", "6", V5, "Oy")),
       {{V5, "6"}}},
      {"payment details make the barcode",
       julistus("ISO-8859-15") + sanoma("3.0", "7", ""),
       {{V4, "7"}}},
      {"a SOAP envelope before the message",
       julistus("ISO-8859-15") + KUORI + julistus("ISO-8859-15") + sanoma("1.3", "8", V5),
       {{V5, "8"}}},
      {"three messages, each with its envelope",
       julistus("ISO-8859-15") + KUORI + julistus("ISO-8859-15") + sanoma("2.01", "A-1", V5) +
           KUORI + julistus("ISO-8859-15") + sanoma("2.01", "A-2", "") + KUORI +
           sanoma("2.01", "A-3", V5, "Viimeinen \xA4"),
       {{V5, "A-1"}, {V4, "A-2"}, {V5, "A-3"}}},
      {"the message inside a wrapper",
       "<Laskut>" + sanoma("3.0", "9", V5, "Oy") + "</Laskut>",
       {{V5, "9"}}},
      {"a message without payment details", "<Finvoice><InvoiceDetails/></Finvoice>", {{"", ""}}},
  };
  for (const Rivi& r : rivit) {
    const Tiedostotulos t = lueFinvoice(r.xml);
    ASSERT_TRUE(t.luettu) << r.muoto << ": " << t.syy;
    ASSERT_EQ(t.sivut.size(), r.laskut.size()) << r.muoto;
    for (std::size_t i = 0; i < t.sivut.size(); ++i) {
      EXPECT_EQ(t.sivut[i].lasku.numero, r.laskut[i].lasku) << r.muoto << " #" << i;
      if (r.laskut[i].koodi.empty()) {
        EXPECT_TRUE(t.sivut[i].koodit.empty()) << r.muoto;
        continue;
      }
      ASSERT_EQ(t.sivut[i].koodit.size(), 1U) << r.muoto << " #" << i;
      EXPECT_EQ(t.sivut[i].koodit[0].lahde, Lahde::Finvoice);
      EXPECT_EQ(t.sivut[i].koodit[0].teksti, r.laskut[i].koodi) << r.muoto << " #" << i;
    }
  }
}

struct Hylatty {
  const char* vika;
  std::string xml;
  std::string syy;  // the start of the reason
};

// The message's own data, and its payment details beside its barcode as a
// copy to compare with.
TEST(Finvoice, SanomanTiedot) {
  const std::string xml =
      "<Finvoice><SellerPartyDetails><SellerPartyIdentifier> 1234567-8 </SellerPartyIdentifier>"
      "<SellerOrganisationName>Myyj\xC3\xA4 Oy</SellerOrganisationName></SellerPartyDetails>"
      "<InvoiceDetails><InvoiceNumber>42</InvoiceNumber><InvoiceTotalVatIncludedAmount "
      "AmountCurrencyIdentifier=\"EUR\">1 500,00</InvoiceTotalVatIncludedAmount></InvoiceDetails>"
      "<VirtualBankBarcode>" +
      V5 + "</VirtualBankBarcode>" + EPI + "</Finvoice>";
  const Tiedostotulos t = lueFinvoice(xml);
  ASSERT_TRUE(t.luettu) << t.syy;
  ASSERT_EQ(t.sivut.size(), 1U);
  const Sivutulos& s = t.sivut[0];
  EXPECT_EQ(s.lasku.numero, "42");
  EXPECT_EQ(s.lasku.myyja, "Myyj\xC3\xA4 Oy");
  EXPECT_EQ(s.lasku.myyjanTunnus, "1234567-8");
  EXPECT_EQ(s.lasku.yhteensa, "1500,00");
  ASSERT_EQ(s.koodit.size(), 2U);
  EXPECT_EQ(s.koodit[0].lahde, Lahde::Finvoice);
  EXPECT_EQ(s.koodit[0].teksti, V5);
  EXPECT_EQ(s.koodit[1].lahde, Lahde::Maksutiedot);
  EXPECT_EQ(s.koodit[1].teksti, V4);
}

TEST(Finvoice, Hylatyt) {
  const Hylatty rivit[] = {
      {"entities", "<!DOCTYPE Finvoice [<!ENTITY a \"x\">]><Finvoice>&a;</Finvoice>",
       "Finvoice-sanoma määrittelee entiteettejä"},
      {"an encoding no system knows", julistus("x-kelvio-9") + sanoma("3.0", "1", V5),
       "Finvoice-sanoman merkistöä \"x-kelvio-9\" ei tunneta"},
      {"a multibyte encoding", julistus("Shift_JIS") + sanoma("3.0", "1", V5),
       "Finvoice-sanoman merkistöä \"Shift_JIS\" ei tunneta"},
      {"a byte the declared set lacks", julistus("windows-1252") + sanoma("3.0", "1", V5, "\x81"),
       "Finvoice-sanoma ei ole kelvollista XML:ää: rivi 2"},
      {"a broken second message", sanoma("3.0", "1", V5, "Oy") + "<Finvoice><a></Finvoice>",
       "Finvoice-sanoma ei ole kelvollista XML:ää (2. osa)"},
      {"XML of another kind", "<html><body>lasku</body></html>",
       "XML-tiedosto ei ole Finvoice-sanoma"},
      {"payment details that make no barcode",
       "<Finvoice><InvoiceDetails><InvoiceNumber>77</InvoiceNumber></InvoiceDetails>"
       "<EpiDetails><EpiAccountID>FI00</EpiAccountID></EpiDetails></Finvoice>",
       "Finvoice-sanoman (lasku 77) maksutiedot (EpiDetails): IBAN"},
  };
  for (const Hylatty& r : rivit) {
    const Tiedostotulos t = lueFinvoice(r.xml);
    EXPECT_FALSE(t.luettu) << r.vika;
    EXPECT_EQ(t.syy.substr(0, r.syy.size()), r.syy) << r.vika;
  }
}

}  // namespace
}  // namespace kelvio
