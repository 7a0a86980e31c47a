// The C library's decimal point on Windows (see domain/Decimaalpunt.h): the C library's locale made
// per thread while the guard lives, its numbers set to "C".
#include "domain/Decimaalpunt.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace korvalinde {

std::errc LeesLangDecimaal(std::string_view tekst, long double& waarde) {
    const std::string kopie(tekst);
    const TDecimaalpunt punt;
    char* eind = nullptr;
    errno = 0;
    waarde = __mingw_strtold(kopie.c_str(), &eind);
    if (eind != kopie.c_str() + kopie.size()) return std::errc::invalid_argument;
    if (errno == ERANGE) return std::errc::result_out_of_range;
    return std::errc();
}

void HoudDecimaalpunt() {
    std::setlocale(LC_NUMERIC, "C");
}

TDecimaalpunt::TDecimaalpunt() {
    stand_ = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char* huidig = std::setlocale(LC_NUMERIC, nullptr);
    vorigeNaam_ = huidig ? huidig : "C";
    std::setlocale(LC_NUMERIC, "C");
}

TDecimaalpunt::~TDecimaalpunt() {
    std::setlocale(LC_NUMERIC, vorigeNaam_.c_str());
    if (stand_ != -1) _configthreadlocale(stand_);
}

} // namespace korvalinde
