// The C library's decimal point on POSIX systems (see domain/Decimaalpunt.h): the thread gets a copy
// of its locale with the numbers of "C" through uselocale.
#include "domain/Decimaalpunt.h"

#include <charconv>
#include <clocale>

#include <locale.h>

namespace korvalinde {

std::errc LeesLangDecimaal(std::string_view tekst, long double& waarde) {
    const auto [eind, fout] = std::from_chars(tekst.data(), tekst.data() + tekst.size(), waarde);
    if (fout == std::errc() && eind != tekst.data() + tekst.size()) return std::errc::invalid_argument;
    return fout;
}

void HoudDecimaalpunt() {
    std::setlocale(LC_NUMERIC, "C");
}

TDecimaalpunt::TDecimaalpunt() {
    const locale_t basis = duplocale(uselocale(locale_t{}));
    if (basis == locale_t{}) return;
    const locale_t punt = newlocale(LC_NUMERIC_MASK, "C", basis); // takes `basis` over
    if (punt == locale_t{}) {
        freelocale(basis);
        return;
    }
    eigen_ = punt;
    vorige_ = uselocale(punt);
}

TDecimaalpunt::~TDecimaalpunt() {
    if (!eigen_) return;
    uselocale(static_cast<locale_t>(vorige_));
    freelocale(static_cast<locale_t>(eigen_));
}

} // namespace korvalinde
