// The C library's decimal point on Windows (see domain/Decimaalpunt.h): the C library's locale made
// per thread while the guard lives, its numbers set to "C".
#include "domain/Decimaalpunt.h"

#include <clocale>
#include <locale.h>

namespace korvalinde {

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
