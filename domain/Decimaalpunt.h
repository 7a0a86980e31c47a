// The decimal point of the C library. Its number formatting and reading (printf, strtod) follow the
// LC_NUMERIC category of the locale, which the toolkit sets from the environment: on a Dutch desktop
// "2.3" would come out as "2,3" and "2.3" would be read as 2. The program's own code formats and
// reads numbers without the C library's locale (std::to_chars, std::from_chars); these are for the
// process as a whole and for libraries that use the C library (the workbook library). One
// implementation per platform: DecimaalpuntPosix.cpp and DecimaalpuntWindows.cpp.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace korvalinde {

// Sets LC_NUMERIC of the whole process to "C", so that the C library writes and reads numbers with a
// point. Call it after the application object is made (that sets the locale from the environment).
void HoudDecimaalpunt();

// A checked decimal text ([sign] digits [. digits] [e [sign] digits]) rounded once to the nearest
// 80-bit long double, whatever the locale: std::from_chars where the standard library rounds to the
// long double itself (glibc); MinGW's from_chars for long double goes through double (losing the
// last bits of long texts and failing beyond double's range), so there its own strtold is used, on
// the point locale of the calling thread. std::errc::result_out_of_range for a value beyond the
// range either way.
std::errc LeesLangDecimaal(std::string_view tekst, long double& waarde);

// While it lives, the C library of the calling thread writes and reads numbers with a point,
// whatever the process's locale; the former locale of the thread comes back when it ends. Other
// threads are not affected.
class TDecimaalpunt {
  public:
    TDecimaalpunt();
    ~TDecimaalpunt();
    TDecimaalpunt(const TDecimaalpunt&) = delete;
    TDecimaalpunt& operator=(const TDecimaalpunt&) = delete;

  private:
#ifdef _WIN32
    std::string vorigeNaam_; // the former name of the numbers' locale
    int stand_ = -1;         // the former per-thread setting of the C library
#else
    void* eigen_ = nullptr;  // the thread's locale while the guard lives
    void* vorige_ = nullptr; // the thread's former locale
#endif
};

} // namespace korvalinde
