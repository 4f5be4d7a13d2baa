// The command line's text forms: UTF-8 with the chosen line end, JSON strings
// and ISO dates.
#pragma once

#include <string>
#include <string_view>

#include "kalenteri.h"

namespace kelvio {

// Appends a report for a terminal: UTF-8 with every CR LF written as rv. A
// control character (C0 but tab, DEL, C1), which only the input can bring,
// and a lone surrogate become U+FFFD, so that no input sends escapes.
void lisaaRaportti(std::string& kohde, std::u16string_view teksti, std::string_view rv);
// Appends a text from a file, a code or a file name to a report on one line:
// every C0 control character (tab, CR and LF too) and DEL in caret notation
// ("^M^J", "^?"), C1 and lone surrogates as U+FFFD, so that no file can
// start a line of the report that looks like a record of its own.
void lisaaYhdelleRiville(std::string& kohde, std::u16string_view teksti);
// Appends the body of a JSON string: quote, backslash and control characters escaped.
void lisaaJson(std::string& kohde, std::u16string_view teksti);
// Appends a file name's bytes as the body of a JSON string, exactly: UTF-8 as
// text, each byte that is no part of UTF-8 as the escape \udc80-\udcff (the
// "surrogateescape" of Python's os.fsdecode), so that no two names are alike.
void lisaaJsonPolku(std::string& kohde, std::string_view tavut);
// Appends the date as ISO 8601 (yyyy-MM-dd).
void lisaaIsoPaivays(std::string& ulos, const Paivays& pvm);

}  // namespace kelvio
