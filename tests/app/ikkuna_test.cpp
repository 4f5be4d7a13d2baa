// The real windows, driven in-process with SendInput under Wine or Windows.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "fe_apppath.h"
#include "frmKelviomaro.h"
#include "frmMaakoodi.h"
#include "frmPulma.h"
#include "ikkuna_alusta.h"
#include "ikkuna_apu.h"
#include "ikkunat.h"
#include "tuote.h"
#include "utf8.h"

namespace kelvio {
namespace {

using namespace testi;  // NOLINT(google-build-using-namespace): the shared steps

const std::string V4 = "479123456000001230015000000000000000000001234561251231";

class Ikkuna : public ::testing::Test {
 protected:
  IkkunaAlusta alusta;
  HWND omistaja = nullptr;
  HWND hwnd = nullptr;
  Kelviomaro* f = nullptr;
  void SetUp() override {
    asetaAlusta(&alusta);
    omistaja = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    hwnd = luoKelviomaro(omistaja);
    ASSERT_NE(hwnd, nullptr);
    alusta.paaikkuna = hwnd;
    f = kelviomaro(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(f->txtViivakoodi);
    pumppaa();
  }
  void TearDown() override {
    DestroyWindow(hwnd);
    DestroyWindow(omistaja);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != 0) {
    }
    asetaAlusta(nullptr);
  }
};

TEST_F(Ikkuna, SkannausJaEnter) {
  kirjoita(V4);
  paina(VK_RETURN);
  const std::string r = teksti(f->txtTulkinta);
  EXPECT_EQ(r.substr(0, 22), "Viivakoodin versio 4: ");
  EXPECT_NE(r.find("Summa =   1 500,00 €"), std::string::npos) << r;
  EXPECT_NE(r.find("Eräpäivä = 31.12.2025"), std::string::npos) << r;
  DWORD alku = 0, loppu = 0;
  SendMessageW(f->txtViivakoodi, EM_GETSEL, reinterpret_cast<WPARAM>(&alku),
               reinterpret_cast<LPARAM>(&loppu));
  EXPECT_EQ(alku, 0U);
  EXPECT_EQ(loppu, 54U);
  EXPECT_EQ(GetFocus(), f->txtViivakoodi);
  // The next scan replaces the selected input.
  kirjoita("105" + V4);
  paina(VK_RETURN);
  EXPECT_EQ(teksti(f->txtViivakoodi), "105" + V4);
  EXPECT_EQ(teksti(f->txtTulkinta), r);
}

TEST_F(Ikkuna, TulosteruudunEnterJaCtrlEnter) {
  kirjoita(V4);
  paina(VK_RETURN);
  SetFocus(f->txtTulkinta);
  SetWindowTextW(f->txtTulkinta, L"x");
  paina(VK_RETURN);
  EXPECT_EQ(teksti(f->txtTulkinta).substr(0, 22), "Viivakoodin versio 4: ");
  SetWindowTextW(f->txtTulkinta, L"");
  paina(VK_RETURN, VK_CONTROL);
  EXPECT_EQ(teksti(f->txtTulkinta), "\r\n");
}

TEST_F(Ikkuna, TyhjennaEnterillaJaValilyonnilla) {
  for (const WORD vk : {WORD{VK_RETURN}, WORD{VK_SPACE}}) {
    kirjoita(V4);
    paina(VK_RETURN);
    SetFocus(f->cmdTyhjenna);
    paina(vk);
    EXPECT_EQ(teksti(f->txtViivakoodi), "") << vk;
    EXPECT_EQ(teksti(f->txtTulkinta), "") << vk;
    EXPECT_EQ(GetFocus(), f->txtViivakoodi) << vk;
  }
}

TEST_F(Ikkuna, SarkainkiertoJaEsc) {
  const HWND jarjestys[] = {f->cmdTulkitse, f->txtTulkinta, f->cmdTyhjenna, f->txtViivakoodi};
  for (HWND odotettu : jarjestys) {
    paina(VK_TAB);
    EXPECT_EQ(GetFocus(), odotettu);
  }
  paina(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), f->cmdTyhjenna);
  paina(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), f->txtTulkinta);
  SetFocus(f->txtViivakoodi);
  kirjoita("12");
  paina(VK_ESCAPE);
  EXPECT_EQ(teksti(f->txtViivakoodi), "12");
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

// Back from another program, the focus is in the input box with the input
// selected, as in a dialog box: the next scan replaces it.
TEST_F(Ikkuna, PalaaToisestaOhjelmasta) {
  kirjoita(V4);
  paina(VK_RETURN);
  const ToinenIkkuna toinen;
  SetForegroundWindow(toinen.hwnd);
  pumppaa();
  ASSERT_EQ(GetForegroundWindow(), toinen.hwnd);
  SetForegroundWindow(hwnd);
  pumppaa();
  EXPECT_EQ(GetFocus(), f->txtViivakoodi);
  EXPECT_EQ(valinta(f->txtViivakoodi), std::make_pair(DWORD{0}, DWORD{54}));
  const std::string v5 = "579123456000001230000100012000000000000000012345000000";
  kirjoita(v5);
  paina(VK_RETURN);
  EXPECT_EQ(teksti(f->txtViivakoodi), v5);
  EXPECT_EQ(teksti(f->txtTulkinta).substr(0, 22), "Viivakoodin versio 5: ");
}

// Esc does nothing in any control: nothing closes, no text changes.
TEST_F(Ikkuna, EscEiTeeMitaan) {
  for (HWND ohjain : {f->txtViivakoodi, f->cmdTulkitse, f->txtTulkinta, f->cmdTyhjenna}) {
    SetWindowTextW(f->txtViivakoodi, L"12");
    SetWindowTextW(f->txtTulkinta, L"raportti");
    SetFocus(ohjain);
    paina(VK_ESCAPE);
    ASSERT_TRUE(IsWindow(hwnd)) << GetDlgCtrlID(ohjain);
    EXPECT_TRUE(IsWindowVisible(hwnd)) << GetDlgCtrlID(ohjain);
    EXPECT_EQ(teksti(f->txtViivakoodi), "12") << GetDlgCtrlID(ohjain);
    EXPECT_EQ(teksti(f->txtTulkinta), "raportti") << GetDlgCtrlID(ohjain);
    EXPECT_EQ(GetFocus(), ohjain) << GetDlgCtrlID(ohjain);
  }
}

TEST_F(Ikkuna, PituusJa105) {
  kirjoita("105" + std::string(54, '1'));
  paina(VK_RETURN);
  EXPECT_EQ(teksti(f->txtTulkinta),
            "Tuntematon viivakoodin esittämistapa\r\n" + std::string(54, '1'));
}

// The layout at 96 DPI: left, top, width, height in pixels.
struct Mitat {
  HWND Kelviomaro::*ohjain;
  int vasen, yla, leveys, korkeus;
};
constexpr Mitat MITAT[] = {
    {&Kelviomaro::Label1, 22, 19, 431, 19},      {&Kelviomaro::txtViivakoodi, 23, 46, 496, 24},
    {&Kelviomaro::cmdTulkitse, 527, 44, 80, 27}, {&Kelviomaro::txtTulkinta, 26, 91, 579, 245},
    {&Kelviomaro::cmdTyhjenna, 27, 351, 85, 29},
};

void odotaMitat(const Kelviomaro& f, UINT dpi) {
  RECT r;
  GetClientRect(f.hwnd, &r);
  EXPECT_EQ(r.right, MulDiv(635, static_cast<int>(dpi), 96)) << dpi;
  EXPECT_EQ(r.bottom, MulDiv(400, static_cast<int>(dpi), 96)) << dpi;
  for (const Mitat& m : MITAT) {
    RECT o;
    GetWindowRect(f.*m.ohjain, &o);
    MapWindowPoints(nullptr, f.hwnd, reinterpret_cast<POINT*>(&o), 2);
    const auto s = [dpi](int px) { return MulDiv(px, static_cast<int>(dpi), 96); };
    EXPECT_EQ(o.left, s(m.vasen)) << dpi << " " << m.vasen;
    EXPECT_EQ(o.top, s(m.yla)) << dpi << " " << m.vasen;
    EXPECT_EQ(o.right - o.left, s(m.leveys)) << dpi << " " << m.vasen;
    EXPECT_EQ(o.bottom - o.top, s(m.korkeus)) << dpi << " " << m.vasen;
  }
}

// The DPI that the run was set up with (the registry's LogPixels), 96 unless said.
UINT odotettuDpi() {
  wchar_t arvo[16] = {};
  if (GetEnvironmentVariableW(L"KELVIO_DPI", arvo, 16) == 0) {
    return 96;
  }
  return static_cast<UINT>(_wtoi(arvo));
}

TEST_F(Ikkuna, MitatJaTyylit) {
  ASSERT_EQ(GetDpiForWindow(hwnd), odotettuDpi());
  odotaMitat(*f, GetDpiForWindow(hwnd));
  const auto tyyli = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  EXPECT_EQ(tyyli & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0U);
  EXPECT_NE(tyyli & WS_SYSMENU, 0U);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), omistaja);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
}

TEST_F(Ikkuna, DpinMuutos) {
  // The last change comes without a suggested rectangle, as no system sends
  // it but a message may: the layout follows all the same.
  const std::pair<UINT, bool> muutokset[] = {{144, true}, {120, true}, {96, true}, {144, false}};
  for (const auto& [dpi, ehdotettu] : muutokset) {
    RECT ehdotus{10, 10, 500, 500};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 ehdotettu ? reinterpret_cast<LPARAM>(&ehdotus) : 0);
    odotaMitat(*f, dpi);
  }
}

// The report follows the user's regional settings: Finnish or US English here.
TEST_F(Ikkuna, RaporttiAluekohtaisillaAsetuksilla) {
  wchar_t nimi[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(nimi, LOCALE_NAME_MAX_LENGTH);
  const std::wstring kieli = nimi;
  wchar_t odotettu[LOCALE_NAME_MAX_LENGTH] = {};
  if (GetEnvironmentVariableW(L"KELVIO_ALUE", odotettu, LOCALE_NAME_MAX_LENGTH) != 0) {
    ASSERT_EQ(kieli, std::wstring(odotettu));  // the run was set up for these settings
  }
  if (kieli != L"fi-FI" && kieli != L"en-US") {
    GTEST_SKIP() << "regional settings of this run are neither fi-FI nor en-US";
  }
  const bool suomi = kieli == L"fi-FI";
  kirjoita(V4);
  paina(VK_RETURN);
  const std::string r = teksti(f->txtTulkinta);
  EXPECT_NE(r.find(suomi ? "Eräpäivä = 31.12.2025" : "Eräpäivä = 12/31/2025"), std::string::npos)
      << r;
  EXPECT_NE(r.find(suomi ? "Summa =   1 500,00 €" : "Summa =   1 500.00 €"), std::string::npos)
      << r;
}

std::wstring versiotieto(const std::vector<char>& lohko, const wchar_t* nimi) {
  wchar_t* arvo = nullptr;
  UINT pituus = 0;
  const std::wstring polku = std::wstring(L"\\StringFileInfo\\040904B0\\") + nimi;
  if (VerQueryValueW(lohko.data(), polku.c_str(), reinterpret_cast<void**>(&arvo), &pituus) == 0) {
    return L"?";
  }
  return {arvo};
}

// A log whose lock byte another program holds (a shared lock, as any reader
// may take): kelvio.exe waits a bounded time, skips the entry and ends, and
// the log is as it was.
// Files dropped on the window as Explorer drops them: DROPFILES and the
// wide names, each ended by a zero, the list by another.
HDROP pudotus(const std::vector<std::wstring>& nimet) {
  std::size_t merkkeja = 1;
  for (const std::wstring& n : nimet) {
    merkkeja += n.size() + 1;
  }
  HGLOBAL h = GlobalAlloc(GHND, sizeof(DROPFILES) + merkkeja * sizeof(wchar_t));
  auto* d = static_cast<DROPFILES*>(GlobalLock(h));
  d->pFiles = sizeof(DROPFILES);
  d->fWide = TRUE;
  auto* p = reinterpret_cast<wchar_t*>(d + 1);
  for (const std::wstring& n : nimet) {
    std::copy(n.begin(), n.end(), p);
    p += n.size() + 1;
  }
  GlobalUnlock(h);
  return static_cast<HDROP>(h);
}

// A PDF of one A4 page whose text layer prints the line in Helvetica.
std::string pdfRivilla(const std::string& rivi) {
  const std::string sisalto = "BT /F1 10 Tf 40 700 Td (" + rivi + ") Tj ET";
  const std::vector<std::string> oliot = {
      "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R "
      ">> >> /Contents 5 0 R >>",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
      "<< /Length " + std::to_string(sisalto.size()) + " >>\nstream\n" + sisalto + "\nendstream"};
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> kohdat;
  for (std::size_t i = 0; i < oliot.size(); ++i) {
    kohdat.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + oliot[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(oliot.size() + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t k : kohdat) {
    const std::string luku = std::to_string(k);
    pdf += std::string(10 - luku.size(), '0') + luku + " 00000 n \n";
  }
  pdf += "trailer\n<< /Size " + std::to_string(oliot.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

bool kirjoitaUusi(const std::wstring& polku, const std::string& sisalto) {
  HANDLE h = CreateFileW(polku.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD n = 0;
  const bool ok =
      WriteFile(h, sisalto.data(), static_cast<DWORD>(sisalto.size()), &n, nullptr) != 0;
  CloseHandle(h);
  return ok && n == sisalto.size();
}

TEST_F(Ikkuna, LaskuPudotettuna) {
  const TilapainenKansio kansio(L"kelvio-pudotus-");
  const std::wstring lasku = kansio.polku + L"\\L\u00e4hde Oy \u2013 lasku 12.pdf";
  if (!kirjoitaUusi(lasku, pdfRivilla(V4))) {
    GTEST_SKIP() << "the file system here cannot hold the name";
  }
  const std::wstring verkkolasku = kansio.polku + L"\\verkkolasku.xml";
  ASSERT_TRUE(kirjoitaUusi(verkkolasku, "<?xml version=\"1.0\"?>\n<Finvoice><VirtualBankBarcode>" +
                                            V4 + "</VirtualBankBarcode></Finvoice>\n"));
  f->lukija = L"" KELVIO_EXE_POLKU;
  kirjoita("123");
  PostMessageW(
      hwnd, WM_DROPFILES,
      reinterpret_cast<WPARAM>(pudotus({lasku, verkkolasku, kansio.polku + L"\\puuttuu.pdf"})), 0);
  pumppaa();
  // Read in the background: the window answers, its pointer says so.
  const bool kesken = f->laskut.kaynnissa();
  const LRESULT osoitin = SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const ULONGLONG raja = GetTickCount64() + 60000;
  while (f->laskut.kaynnissa() && GetTickCount64() < raja) {
    pumppaa();
  }
  ASSERT_FALSE(f->laskut.kaynnissa()) << "the files were not read in a minute";
  if (kesken) {
    EXPECT_EQ(osoitin, TRUE);
  }
  const std::string r = teksti(f->txtTulkinta);
  EXPECT_NE(r.find("L\u00e4hde Oy \u2013 lasku 12.pdf, sivu 1"), std::string::npos) << r;
  EXPECT_NE(r.find("verkkolasku.xml"), std::string::npos) << r;
  EXPECT_NE(r.find("Viivakoodin versio 4: "), std::string::npos) << r;
  EXPECT_NE(r.find("Summa =   1 500,00 \u20ac"), std::string::npos) << r;
  EXPECT_NE(r.find("puuttuu.pdf"), std::string::npos) << r;
  EXPECT_NE(r.find("Tiedostoa ei voi lukea"), std::string::npos) << r;
  EXPECT_LT(r.find("lasku 12.pdf"), r.find("verkkolasku.xml")) << r;
  EXPECT_LT(r.find("verkkolasku.xml"), r.find("puuttuu.pdf")) << r;
  // The input box is as it was; the pointer is the usual one again.
  EXPECT_EQ(teksti(f->txtViivakoodi), "123");
  EXPECT_EQ(SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            FALSE);
}

TEST_F(Ikkuna, LukijaPuuttuu) {
  f->lukija = L"C:\\ei-ole\\kelvio.exe";
  PostMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(pudotus({L"C:\\lasku.pdf"})), 0);
  const ULONGLONG raja = GetTickCount64() + 20000;
  do {
    pumppaa();
  } while (f->laskut.kaynnissa() && GetTickCount64() < raja);
  EXPECT_NE(teksti(f->txtTulkinta).find("Laskua ei voi lukea: C:\\ei-ole\\kelvio.exe ei k"),
            std::string::npos)
      << teksti(f->txtTulkinta);
}

// Ctrl+O in the input box opens the system's file dialog, "Avaa lasku";
// cancelled, it leaves both boxes as they were.
TEST_F(Ikkuna, CtrlOAvaaTiedostoikkunan) {
  kirjoita("123");
  std::wstring otsikko;
  askeleet = {[&] {
    HWND d = GetForegroundWindow();
    wchar_t t[64] = L"";
    GetWindowTextW(d, t, 64);
    otsikko = t;
    if (d != hwnd) {
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    }
  }};
  askel = 0;
  modaalinen = nullptr;
  const UINT_PTR ajastin = SetTimer(nullptr, 0, 500, seuraavaAskel);
  paina('O', VK_CONTROL);
  pumppaa();
  KillTimer(nullptr, ajastin);
  EXPECT_EQ(otsikko, L"Avaa lasku");
  EXPECT_EQ(teksti(f->txtViivakoodi), "123");
  EXPECT_FALSE(f->laskut.kaynnissa());
}

// Each argument comes back as it was, by the rules CommandLineToArgvW and
// the C runtime split a command line with.
TEST(Laskunluku, KomentorivinArgumentit) {
  for (const std::wstring& a :
       {std::wstring(L"C:\\Laskut\\lasku 12.pdf"), std::wstring(L"C:\\Laskut\\"),
        std::wstring(L"\\\\palvelin\\jako\\x.pdf"), std::wstring(L"a\"b"), std::wstring(L"a\\\"b"),
        std::wstring(L"a\\\\b"), std::wstring(L"loppu\\\\"), std::wstring(L""),
        std::wstring(L"L\u00e4hde Oy \u2013 lasku.pdf")}) {
    int n = 0;
    LPWSTR* osat = CommandLineToArgvW((L"ohjelma.exe " + komentorivilla(a)).c_str(), &n);
    ASSERT_NE(osat, nullptr);
    ASSERT_EQ(n, 2) << utf8ksi(std::u16string(a.begin(), a.end()));
    EXPECT_EQ(std::wstring(osat[1]), a);
    LocalFree(osat);
  }
}

TEST(Loki, LukittuLokiEiPysaytaOhjelmaa) {
  const TilapainenKansio kansio(L"kelvio-lukko-");
  const std::wstring ohjelma = kansio.polku + L"\\kelvio.exe";
  ASSERT_NE(CopyFileW(L"" KELVIO_EXE_POLKU, ohjelma.c_str(), FALSE), 0);
  const std::wstring loki = kansio.polku + L"\\virhelog.txt";
  HANDLE f = CreateFileW(loki.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  WriteFile(f, "vanha", 5, &n, nullptr);
  OVERLAPPED lukko{};
  lukko.Offset = 0xFFFFFFFE;
  lukko.OffsetHigh = 0x7FFFFFFF;
  ASSERT_NE(LockFileEx(f, LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &lukko), 0);
  const std::wstring komento =
      L"\"" + ohjelma + L"\" 479123456000001239E99999900000000000000001234561251231";
  const auto koko = [&] {
    LARGE_INTEGER k{};
    GetFileSizeEx(f, &k);
    return k.QuadPart;
  };
  EXPECT_EQ(ajaOhjelma(komento, kansio.polku), 1U);  // the trapped error, reported
  EXPECT_EQ(koko(), 5);                              // no entry under another's lock
  UnlockFileEx(f, 0, 1, 0, &lukko);
  EXPECT_EQ(ajaOhjelma(komento, kansio.polku), 1U);
  EXPECT_GT(koko(), 5);  // the same log takes the entry once the lock is gone
  CloseHandle(f);
}

// File names from the command line are opened by their UTF-16 names: a
// character outside the ANSI code page stays what it is.
TEST(Kelvio, SvgTiedostonNimiUnicodena) {
  const TilapainenKansio kansio(L"kelvio-svg-");
  const std::wstring nimi = L"lasku-\u00e4-\u03a9.svg";
  const std::wstring komento = L"\"" KELVIO_EXE_POLKU
                               L"\" make --iban FI2112345600000785 --reference 1234561 "
                               L"--amount 10 --svg " +
                               nimi;
  const std::wstring polku = kansio.polku + L"\\" + nimi;
  // Wine keeps names in the Unix locale's encoding: one without UTF-8 cannot
  // hold the name at all (ctest runs this test once more under C.UTF-8).
  HANDLE koe = CreateFileW(polku.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (koe == INVALID_HANDLE_VALUE) {
    GTEST_SKIP() << "the file system here cannot hold the name";
  }
  CloseHandle(koe);
  DeleteFileW(polku.c_str());
  EXPECT_EQ(ajaOhjelma(komento, kansio.polku), 0U);
  EXPECT_NE(GetFileAttributesW(polku.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Versio, Versiolohko) {
  const std::wstring polku = L"" KELVIOMARO_EXE_POLKU;
  DWORD kahva = 0;
  const DWORD koko = GetFileVersionInfoSizeW(polku.c_str(), &kahva);
  ASSERT_GT(koko, 0U);
  std::vector<char> lohko(koko);
  ASSERT_NE(GetFileVersionInfoW(polku.c_str(), 0, koko, lohko.data()), 0);
  VS_FIXEDFILEINFO* kiintea = nullptr;
  UINT pituus = 0;
  ASSERT_NE(VerQueryValueW(lohko.data(), L"\\", reinterpret_cast<void**>(&kiintea), &pituus), 0);
  // The numbers from the one version source; the strings as the program's
  // own form writes them.
  constexpr unsigned osat[] = {KELVIO_VERSIO_OSAT};
  EXPECT_EQ(kiintea->dwFileVersionMS, osat[0] << 16 | osat[1]);
  EXPECT_EQ(kiintea->dwFileVersionLS, osat[2] << 16 | osat[3]);
  EXPECT_EQ(kiintea->dwProductVersionMS, osat[0] << 16 | osat[1]);
  EXPECT_EQ(kiintea->dwProductVersionLS, osat[2] << 16 | osat[3]);
  EXPECT_EQ(versiotieto(lohko, L"FileVersion"), L"1.00");
  EXPECT_EQ(versiotieto(lohko, L"ProductVersion"), L"1.00");
  EXPECT_EQ(versiotieto(lohko, L"ProductName"), L"Kelvio");
  EXPECT_EQ(versiotieto(lohko, L"InternalName"), L"Kelviomaro");
  EXPECT_EQ(versiotieto(lohko, L"OriginalFilename"), L"Kelviomaro.exe");
}

// Closes the error window from inside its modal loop, keeping its text.
std::u16string pulmanTeksti;
void CALLBACK suljePulma(HWND /*hwnd*/, UINT /*viesti*/, UINT_PTR ajastin, DWORD /*aika*/) {
  if (HWND p = FindWindowW(PULMA_LUOKKA, nullptr)) {
    pulmanTeksti = lueTeksti(GetDlgItem(p, ID_LBLPULMA));
    PostMessageW(p, WM_CLOSE, 0, 0);
    KillTimer(nullptr, ajastin);
  }
}

// The error window scales with the DPI as the other windows do: its client
// area at 144 DPI, read from inside its modal loop.
RECT pulmanAlue{};
void CALLBACK skaalaaPulma(HWND /*hwnd*/, UINT /*viesti*/, UINT_PTR ajastin, DWORD /*aika*/) {
  if (HWND p = FindWindowW(PULMA_LUOKKA, nullptr)) {
    RECT ehdotus{10, 10, 900, 600};
    SendMessageW(p, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&ehdotus));
    GetClientRect(p, &pulmanAlue);
    PostMessageW(p, WM_CLOSE, 0, 0);
    KillTimer(nullptr, ajastin);
  }
}

TEST(Pulma, DpinMuutos) {
  pulmanAlue = {};
  SetTimer(nullptr, 0, 100, skaalaaPulma);
  ASSERT_TRUE(naytaPulma(nullptr, u"virhe", u"kysely"));
  EXPECT_EQ(pulmanAlue.right, MulDiv(480, 144, 96));
  EXPECT_EQ(pulmanAlue.bottom, MulDiv(250, 144, 96));
}

std::wstring leveaksi(const std::u16string& s) {
  return {s.begin(), s.end()};
}

std::string lueTiedosto(const std::wstring& polku) {
  HANDLE h =
      CreateFileW(polku.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return "(ei tiedostoa)";
  }
  std::string sisalto;
  char puskuri[4096];
  DWORD n = 0;
  while (ReadFile(h, puskuri, sizeof puskuri, &n, nullptr) != 0 && n > 0) {
    sisalto.append(puskuri, n);
  }
  CloseHandle(h);
  return sisalto;
}

void kirjoitaTiedosto(const std::wstring& polku, const std::string& sisalto) {
  HANDLE h = CreateFileW(polku.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(h, sisalto.data(), static_cast<DWORD>(sisalto.size()), &n, nullptr);
  CloseHandle(h);
}

// The sum field overflows fe_yleisval: the real error window shows, and one
// entry goes to the log of the data folder.
class Virheloki : public Ikkuna {
 protected:
  std::wstring ohjelmakansio;
  std::wstring tyohakemisto;
  void SetUp() override {
    Ikkuna::SetUp();
    unohdaAppPath();
    ohjelmakansio = leveaksi(alusta.ohjelmakansio());
    wchar_t nyt[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, nyt);
    tyohakemisto = nyt;
  }
  void TearDown() override {
    DeleteFileW((ohjelmakansio + L"\\ainehake.oma").c_str());
    DeleteFileW((ohjelmakansio + L"\\virhelog.txt").c_str());
    SetCurrentDirectoryW(tyohakemisto.c_str());
    unohdaAppPath();
    Ikkuna::TearDown();
  }
  void aiheutaYlivuoto() {
    pulmanTeksti.clear();
    std::string s = V4;
    s.replace(17, 8, "9E999999");
    kirjoita(s);
    SetTimer(nullptr, 0, 200, suljePulma);
    paina(VK_RETURN);
    pumppaa();
  }
  void odotaYksiMerkinta(const std::wstring& kansio) {
    const std::string t = utf8ksi(pulmanTeksti);
    EXPECT_NE(t.find("Kutsurivi      2000"), std::string::npos) << t;
    EXPECT_NE(t.find("Moduulista   euro"), std::string::npos) << t;
    EXPECT_NE(t.find("Rutiinista     fe_yleisval"), std::string::npos) << t;
    EXPECT_NE(teksti(f->txtTulkinta).find("Summa =    0,00 €"), std::string::npos);
    const std::string sisalto = lueTiedosto(kansio + L"\\virhelog.txt");
    EXPECT_EQ(sisalto.find("Kelvio - virheraportti"), 0U) << sisalto;
    EXPECT_EQ(sisalto.find("Kelvio - virheraportti", 1), std::string::npos) << sisalto;
    EXPECT_NE(sisalto.find("Rutiinista     fe_yleisval\r\n" + std::string(70, '-') + "\r\n"),
              std::string::npos);
  }
};

// With another program's window behind, closing the error window leaves the
// main window active, the focus in the input box and the input selected.
TEST_F(Virheloki, PaaikkunaJaaAktiiviseksi) {
  const ToinenIkkuna toinen;
  SetForegroundWindow(hwnd);
  pumppaa();
  aiheutaYlivuoto();
  EXPECT_EQ(GetForegroundWindow(), hwnd);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_EQ(GetFocus(), f->txtViivakoodi);
  EXPECT_EQ(valinta(f->txtViivakoodi), std::make_pair(DWORD{0}, DWORD{54}));
  kirjoita(V4);
  paina(VK_RETURN);
  EXPECT_NE(teksti(f->txtTulkinta).find("Summa =   1 500,00 €"), std::string::npos);
}

// The error window is modal to the main window also when another program is
// active: the main window is disabled and owns it. Tab goes round all of it.
TEST_F(Virheloki, ModaalinenVaikkaToinenOnAktiivinen) {
  const ToinenIkkuna toinen;
  SetForegroundWindow(toinen.hwnd);
  pumppaa();
  std::string s = V4;
  s.replace(17, 8, "9E999999");
  SetWindowTextW(f->txtViivakoodi, std::wstring(s.begin(), s.end()).c_str());
  bool kaytossa = true;
  HWND omistajaOli = nullptr;
  std::vector<int> fokukset;
  auto kirjaa = [&] { fokukset.push_back(GetDlgCtrlID(GetFocus())); };
  askeleet = painallukset(kirjaa, {{VK_TAB}, {VK_TAB}, {VK_TAB}, {VK_TAB, VK_SHIFT}});
  askeleet.insert(askeleet.begin(), [&] {
    HWND p = FindWindowW(PULMA_LUOKKA, nullptr);
    modaalinen = p;
    kaytossa = IsWindowEnabled(hwnd) != 0;
    omistajaOli = GetWindow(p, GW_OWNER);
    SetForegroundWindow(p);
  });
  askeleet.emplace_back(kirjaa);
  askel = 0;
  modaalinen = nullptr;
  const UINT_PTR ajastin = SetTimer(nullptr, 0, 150, seuraavaAskel);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(ID_TULKITSE, BN_CLICKED),
               reinterpret_cast<LPARAM>(f->cmdTulkitse));
  KillTimer(nullptr, ajastin);
  EXPECT_FALSE(kaytossa);
  EXPECT_EQ(omistajaOli, hwnd);
  EXPECT_EQ(fokukset, (std::vector<int>{IDOK, ID_KOPIOI, ID_LBLURL, IDOK, ID_LBLURL}));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

// Closing the main window while the error window is open ends the window
// cleanly once the error is handled, with one log entry.
TEST_F(Virheloki, SuljetaanVirheikkunanAikana) {
  DeleteFileW((ohjelmakansio + L"\\virhelog.txt").c_str());
  std::string s = V4;
  s.replace(17, 8, "9E999999");
  kirjoita(s);
  askeleet = {[&] { PostMessageW(hwnd, WM_CLOSE, 0, 0); }};
  askel = 0;
  modaalinen = nullptr;
  const UINT_PTR ajastin = SetTimer(nullptr, 0, 200, seuraavaAskel);
  paina(VK_RETURN);
  pumppaa();
  KillTimer(nullptr, ajastin);
  EXPECT_FALSE(IsWindow(hwnd));
  const std::string sisalto = lueTiedosto(ohjelmakansio + L"\\virhelog.txt");
  EXPECT_EQ(sisalto.find("Kelvio - virheraportti"), 0U) << sisalto;
  EXPECT_EQ(sisalto.find("Kelvio - virheraportti", 1), std::string::npos) << sisalto;
}

TEST_F(Virheloki, OhjelmanKansioon) {
  DeleteFileW((ohjelmakansio + L"\\virhelog.txt").c_str());
  aiheutaYlivuoto();
  odotaYksiMerkinta(ohjelmakansio);
}

// "ainehake.oma" names another existing folder: with its drive, and without it
// (the drive of the current directory), which the folder setting also takes.
TEST_F(Virheloki, AsetustiedostonKansioon) {
  wchar_t nyt[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, nyt);
  const std::wstring asema(nyt, 2);  // "Z:"
  const std::wstring rivit[] = {L"kelvio-loki-asema", L"kelvio-loki-ilman"};
  for (const std::wstring& nimi : rivit) {
    // Under the working directory, so on the current drive.
    const std::wstring kansio = tyohakemisto + L"\\" + nimi;
    ASSERT_NE(CreateDirectoryW(kansio.c_str(), nullptr), 0) << nimi.size();
    ASSERT_EQ(kansio.compare(0, 2, asema), 0);
    const bool ilmanAsemaa = nimi == L"kelvio-loki-ilman";
    const std::wstring rivi = ilmanAsemaa ? kansio.substr(2) : kansio;
    kirjoitaTiedosto(ohjelmakansio + L"\\ainehake.oma",
                     std::string(rivi.begin(), rivi.end()) + "\r\nmuuta\r\n");
    unohdaAppPath();
    SetCurrentDirectoryW(tyohakemisto.c_str());
    aiheutaYlivuoto();
    odotaYksiMerkinta(kansio);
    EXPECT_NE(lueTiedosto(kansio + L"\\virhelog.txt")
                  .find("fe_apppath(): " + std::string(kansio.begin(), kansio.end()) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(lueTiedosto(ohjelmakansio + L"\\virhelog.txt"), "(ei tiedostoa)");
    DeleteFileW((kansio + L"\\virhelog.txt").c_str());
    SetCurrentDirectoryW(tyohakemisto.c_str());
    RemoveDirectoryW(kansio.c_str());
  }
}

TEST(MaakoodiTest, NapitJaLippu) {
  MaakoodiPeruttu.clear();
  HWND d = luoMaakoodi(nullptr);
  ASSERT_NE(d, nullptr);
  Maakoodi* m = maakoodi(d);
  SendMessageW(m->lstMaakoodi, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"FI"));
  SendMessageW(m->lstMaakoodi, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"SE"));
  EXPECT_EQ(SendMessageW(m->lstMaakoodi, LB_GETCOUNT, 0, 0), 2);
  ShowWindow(d, SW_SHOW);
  cmdPeruuta_Click(*m);
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "True");
  EXPECT_TRUE(tekstiTotuudeksi(MaakoodiPeruttu));
  EXPECT_FALSE(IsWindowVisible(d));
  ShowWindow(d, SW_SHOW);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(ID_VIE, BN_CLICKED), reinterpret_cast<LPARAM>(m->cmdVie));
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "False");
  EXPECT_FALSE(tekstiTotuudeksi(MaakoodiPeruttu));
  EXPECT_EQ(SendMessageW(m->lstMaakoodi, LB_GETCOUNT, 0, 0), 2);
  ShowWindow(d, SW_SHOW);
  SendMessageW(d, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(d));
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "False");
}

class MaakoodiDialogi : public ::testing::Test {
 protected:
  HWND d = nullptr;
  Maakoodi* m = nullptr;
  void SetUp() override {
    MaakoodiPeruttu.clear();
    d = luoMaakoodi(nullptr);
    ASSERT_NE(d, nullptr);
    m = maakoodi(d);
    for (const wchar_t* koodi : {L"FI", L"SE", L"EE"}) {
      SendMessageW(m->lstMaakoodi, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(koodi));
    }
  }
  void TearDown() override {
    if (IsWindow(d) != 0) {
      DestroyWindow(d);
    }
  }
  void nayta(std::vector<std::function<void()>> vaiheet) {
    askeleet = std::move(vaiheet);
    askel = 0;
    modaalinen = d;
    const UINT_PTR ajastin = SetTimer(nullptr, 0, 150, seuraavaAskel);
    naytaMaakoodi(d, nullptr);
    KillTimer(nullptr, ajastin);
  }
};

// Enter presses the button that Tab or Shift+Tab reached; Esc in any control
// does nothing.
TEST_F(MaakoodiDialogi, EnterSarkaimenJalkeenJaEsc) {
  struct Rivi {
    std::vector<WORD> muuntimet;  // one Tab each, with this modifier (0: none)
    const char* odotettu;
  };
  const Rivi rivit[] = {
      {{0}, "True"},
      {{0, 0, 0}, "False"},
      {{VK_SHIFT, VK_SHIFT}, "True"},
      {{VK_SHIFT, VK_SHIFT, VK_SHIFT}, "False"},
  };
  for (const auto& r : rivit) {
    MaakoodiPeruttu.clear();
    std::vector<std::function<void()>> vaiheet;
    for (const WORD m : r.muuntimet) {
      vaiheet.emplace_back([m] { laheta(VK_TAB, m); });
    }
    vaiheet.emplace_back([] { laheta(VK_RETURN); });
    nayta(vaiheet);
    EXPECT_EQ(utf8ksi(MaakoodiPeruttu), r.odotettu) << r.muuntimet.size();
  }
  std::vector<bool> nakyvat;
  MaakoodiPeruttu.clear();
  nayta({[&] { laheta(VK_ESCAPE); },
         [&] {
           nakyvat.push_back(IsWindowVisible(d) != 0);
           SetFocus(m->cmdPeruuta);
           laheta(VK_ESCAPE);
         },
         [&] {
           nakyvat.push_back(IsWindowVisible(d) != 0);
           SetFocus(m->lstMaakoodi);
           laheta(VK_ESCAPE);
         },
         [&] { nakyvat.push_back(IsWindowVisible(d) != 0); }});
  EXPECT_EQ(nakyvat, std::vector<bool>(3, true));
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "");
}

// Without an owner the dialog takes the program's hidden one: no taskbar button.
TEST_F(MaakoodiDialogi, EiTehtavapalkinPainiketta) {
  EXPECT_EQ(GetWindow(d, GW_OWNER), ohjelmanOmistaja());
  EXPECT_EQ(GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
}

// The dialog scales with the DPI as the main window does.
TEST_F(MaakoodiDialogi, DpinMuutos) {
  const auto odota = [&](UINT dpi) {
    const auto s = [dpi](int px) { return MulDiv(px, static_cast<int>(dpi), 96); };
    RECT r;
    GetClientRect(d, &r);
    EXPECT_EQ(r.right, s(373)) << dpi;
    EXPECT_EQ(r.bottom, s(391)) << dpi;
    RECT o;
    GetWindowRect(m->cmdPeruuta, &o);
    MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&o), 2);
    EXPECT_EQ(o.left, s(305)) << dpi;
    EXPECT_EQ(o.top, s(57)) << dpi;
    EXPECT_EQ(o.right - o.left, s(56)) << dpi;
  };
  odota(odotettuDpi());
  for (const UINT dpi : {144U, 120U, 96U}) {
    RECT ehdotus{10, 10, 500, 500};
    SendMessageW(d, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&ehdotus));
    odota(dpi);
  }
}

TEST_F(MaakoodiDialogi, EnterHetiPainaaVie) {
  nayta({[] { laheta(VK_RETURN); }});
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "False");
  EXPECT_TRUE(IsWindow(d));
  EXPECT_FALSE(IsWindowVisible(d));
  EXPECT_EQ(SendMessageW(m->lstMaakoodi, LB_GETCOUNT, 0, 0), 3);
}

TEST_F(MaakoodiDialogi, PikanappaimetJaNakyminenUudelleen) {
  nayta({[] { laheta('P', VK_MENU); }});
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "True");
  EXPECT_FALSE(IsWindowVisible(d));
  SendMessageW(m->lstMaakoodi, LB_SETCURSEL, 1, 0);
  nayta({[] { laheta('V', VK_MENU); }});
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "False");
  EXPECT_EQ(SendMessageW(m->lstMaakoodi, LB_GETCURSEL, 0, 0), 1);  // the choice stays
}

TEST_F(MaakoodiDialogi, SarkainjarjestysEnterListassaJaEsc) {
  std::vector<HWND> fokukset;
  std::vector<bool> nakyvat;
  auto kirjaa = [&] {
    fokukset.push_back(GetFocus());
    nakyvat.push_back(IsWindowVisible(d) != 0);
  };
  nayta(painallukset(kirjaa, {{VK_TAB},
                              {VK_TAB},
                              {VK_RETURN},
                              {VK_ESCAPE},
                              {VK_TAB},
                              {VK_TAB, VK_SHIFT},
                              {VK_TAB, VK_SHIFT},
                              {VK_SPACE}}));
  const std::vector<HWND> odotetut = {m->cmdVie,      m->cmdPeruuta, m->lstMaakoodi, m->lstMaakoodi,
                                      m->lstMaakoodi, m->cmdVie,     m->lstMaakoodi, m->cmdPeruuta};
  EXPECT_EQ(fokukset, odotetut);
  EXPECT_EQ(nakyvat, std::vector<bool>(8, true));  // Enter in the list and Esc did nothing
  EXPECT_EQ(utf8ksi(MaakoodiPeruttu), "True");     // Space on "&Peruuta"
}

}  // namespace
}  // namespace kelvio
