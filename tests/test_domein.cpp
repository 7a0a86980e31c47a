// General helpers, number texts, cow curves, fill values, the grass composition table and the
// safe writing and bounded reading of files.
#include "Systeemtest.h"
#include "Testbestanden.h"
#include "domain/Algemeen.h"
#include "domain/Bestand.h"
#include "domain/Decimaalpunt.h"
#include "domain/Formaat.h"
#include "domain/Grastabel.h"
#include "domain/Koecurven.h"

#include <QtTest>

#include <charconv>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <random>

using namespace korvalinde;

namespace {
double Afgerond(double x, int decimalen) {
    const double f = std::pow(10.0, decimalen);
    return std::round(x * f) / f;
}
} // namespace

class TestDomein : public QObject {
    Q_OBJECT

  private slots:
    void veiligDelen_data();
    void veiligDelen();
    void round_data();
    void round();
    void formatFloat_data();
    void formatFloat();
    void formatFloatKommaLocale();
    void formatFloatSnelGelijkAanCijfers();
    void formatFloatGelijkAanVorigeWerkwijze_data();
    void formatFloatGelijkAanVorigeWerkwijze();
    void dagNaarMaand_data();
    void dagNaarMaand();
    void dagTekst_data();
    void dagTekst();
    void kleineHelpers();
    void jntobool();
    void leesGetal_data();
    void leesGetal();
    void leesGetalAlsFromChars();
    void koeCurven_data();
    void koeCurven();
    void curveEigenschappen();
    void melkResponsSnelGelijkAanUitgebreid_data();
    void melkResponsSnelGelijkAanUitgebreid();
    void vulwaarden_data();
    void vulwaarden();
    void gehalteGras_data();
    void gehalteGras();
    void gehalteGrasOnbekend_data();
    void gehalteGrasOnbekend();
    void schrijfBestand_data();
    void schrijfBestand();
    void leesBestand_data();
    void leesBestand();
};

void TestDomein::veiligDelen_data() {
    QTest::addColumn<double>("teller");
    QTest::addColumn<double>("noemer");
    QTest::addColumn<double>("uitkomst");
    QTest::newRow("5/0") << 5.0 << 0.0 << 0.0;
    QTest::newRow("0/0") << 0.0 << 0.0 << 0.0;
    QTest::newRow("1/4") << 1.0 << 4.0 << 0.25;
    QTest::newRow("-0 divisor") << 3.0 << -0.0 << 0.0;
    QTest::newRow("tiny divisor divides") << 1e-30 << 1e-30 << 1.0;
}

void TestDomein::veiligDelen() {
    QFETCH(double, teller);
    QFETCH(double, noemer);
    QFETCH(double, uitkomst);
    QCOMPARE(static_cast<double>(VeiligDelen(teller, noemer)), uitkomst);
}

void TestDomein::round_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<qint64>("n");
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("3.5") << 3.5 << qint64(4);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("6.6") << 6.6 << qint64(7);
    QTest::newRow("5.44") << 5.44 << qint64(5);
    QTest::newRow("0.5") << 0.5 << qint64(0);
}

void TestDomein::round() {
    QFETCH(double, x);
    QFETCH(qint64, n);
    QCOMPARE(Round(x), n);
}

void TestDomein::formatFloat_data() {
    QTest::addColumn<QString>("patroon");
    QTest::addColumn<double>("waarde");
    QTest::addColumn<QString>("tekst");
    QTest::newRow("tie up one decimal") << "0.0" << 2.25 << "2.3";
    QTest::newRow("tie whole") << "0" << 37.5 << "38";
    QTest::newRow("tie whole even") << "0" << 36.5 << "37";
    QTest::newRow("negative tie") << "0.0" << -2.25 << "-2.3";
    QTest::newRow("no minus zero whole") << "0" << -0.4 << "0";
    QTest::newRow("no minus zero decimal") << "0.0" << -0.04 << "0.0";
    QTest::newRow("negative zero") << "0.00" << -0.0 << "0.00";
    QTest::newRow("two decimals") << "0.00" << 4.1976 << "4.20";
    QTest::newRow("carry") << "0.0" << 9.96 << "10.0";
    QTest::newRow("carry whole") << "0" << 999.5 << "1000";
    QTest::newRow("small") << "0.0" << 0.049 << "0.0";
    QTest::newRow("large") << "0" << 123456789.0 << "123456789";
    QTest::newRow("negative") << "0" << -150.6 << "-151";
    QTest::newRow("optional decimal kept") << "0.#" << 4.25 << "4.3";
    QTest::newRow("optional decimal dropped") << "0.#" << 4.0 << "4";
    QTest::newRow("optional rounds to whole") << "0.#" << 3.96 << "4";
    QTest::newRow("float value 0.15f") << "0.0" << double(0.15f) << "0.2";
    QTest::newRow("float value 0.35f below tie") << "0.0" << double(0.35f) << "0.3";
    QTest::newRow("nan gives empty") << "0" << std::nan("") << "";
    QTest::newRow("inf gives empty") << "0" << HUGE_VAL << "";
}

void TestDomein::formatFloat() {
    QFETCH(QString, patroon);
    QFETCH(double, waarde);
    QFETCH(QString, tekst);
    QCOMPARE(QString::fromStdString(FormatFloat(patroon.toStdString(), waarde)), tekst);
}

void TestDomein::formatFloatKommaLocale() {
    // A user with a comma locale still gets (and types) points.
    const char* oud = std::setlocale(LC_ALL, nullptr);
    const std::string bewaard = oud ? oud : "C";
    if (!std::setlocale(LC_ALL, "nl_NL.UTF-8") && !std::setlocale(LC_ALL, "de_DE.UTF-8"))
        QSKIP("no comma locale installed (the set-up script generates nl_NL.UTF-8)");
    QCOMPARE(*std::localeconv()->decimal_point, ',');
    QCOMPARE(FormatFloat("0.00", 4.1976L), std::string("4.20"));
    long double w = 0;
    QVERIFY(LeesGetal("2.5", w));
    QCOMPARE(static_cast<double>(w), 2.5);
    QVERIFY(!LeesGetal("2,5", w));
    std::setlocale(LC_ALL, bewaard.c_str());
}

void TestDomein::formatFloatSnelGelijkAanCijfers() {
    // The quick route must give the same text as the digit route for every kind of value the model
    // writes: single-precision values, extended results, exact ties and values next to them.
    std::mt19937_64 gen(42);
    std::uniform_real_distribution<double> verdeling(-5000.0, 5000.0);
    const char* patronen[] = {"0", "0.0", "0.00"};
    int verschillen = 0;
    for (int i = 0; i < 200000; ++i) {
        long double w = 0;
        switch (i % 4) {
        case 0:
            w = static_cast<float>(verdeling(gen));
            break;
        case 1:
            w = static_cast<long double>(verdeling(gen)) / 3.0L;
            break;
        case 2:
            w = std::round(verdeling(gen) * 20) / 20.0L;
            break; // on or near a tie
        default:
            w = std::nextafter(static_cast<float>(std::round(verdeling(gen) * 20) / 20.0), 0.0f);
            break;
        }
        for (const char* p : patronen)
            if (FormatFloat(p, w) != FormatFloatViaCijfers(p, w) && ++verschillen < 5)
                qWarning("%s %.21Lg: %s / %s", p, w, FormatFloat(p, w).c_str(),
                         FormatFloatViaCijfers(p, w).c_str());
    }
    QCOMPARE(verschillen, 0);
}

namespace {
// The number texts as the program wrote them before the texts were written into a buffer: the quick
// route with std::to_string and string inserts, the digit route near a tie and for optional decimals.
std::string VorigeFormatFloat(const char* patroon, long double waarde) {
    const std::string_view p(patroon);
    const bool vast = p.find('#') == std::string_view::npos;
    const int decimalen = p.size() > 2 ? static_cast<int>(p.size()) - 2 : 0;
    if (!std::isfinite(waarde) || !vast || decimalen > 4) return FormatFloatViaCijfers(p, waarde);
    static const long double macht[] = {1.0L, 10.0L, 100.0L, 1000.0L, 10000.0L};
    const long double y = std::fabs(waarde) * macht[decimalen];
    if (!(y < 9.0e18L)) return FormatFloatViaCijfers(p, waarde);
    const long double geheel = std::floor(y);
    const long double breuk = y - geheel;
    if (std::fabs(breuk - 0.5L) < 1e-6L) return FormatFloatViaCijfers(p, waarde);
    auto n = static_cast<unsigned long long>(geheel) + (breuk > 0.5L ? 1 : 0);
    std::string cijfers = std::to_string(n);
    if (static_cast<int>(cijfers.size()) <= decimalen)
        cijfers.insert(0, static_cast<std::size_t>(decimalen + 1) - cijfers.size(), '0');
    std::string uit;
    if (waarde < 0 && n != 0) uit.push_back('-');
    uit.append(cijfers, 0, cijfers.size() - static_cast<std::size_t>(decimalen));
    if (decimalen > 0) {
        uit.push_back('.');
        uit.append(cijfers, cijfers.size() - static_cast<std::size_t>(decimalen));
    }
    return uit;
}
} // namespace

void TestDomein::formatFloatGelijkAanVorigeWerkwijze_data() {
    QTest::addColumn<QString>("patroon");
    for (const char* p : {"0", "0.0", "0.00", "0.000", "0.0000", "0.#", "0.0#"}) QTest::newRow(p) << p;
}

void TestDomein::formatFloatGelijkAanVorigeWerkwijze() {
    // A million values per pattern: single-precision and extended values over many magnitudes,
    // values on a tie of the pattern and the floats, doubles and extended values next to it, tiny
    // negatives (no "-0") and values too large for the quick route.
    QFETCH(QString, patroon);
    const std::string p = patroon.toStdString();
    const bool vast = p.find('#') == std::string::npos;
    const int decimalen = p.size() > 2 ? static_cast<int>(p.size()) - 2 : 0;
    const long double stap = std::pow(10.0L, -decimalen);
    std::mt19937_64 gen(7 + static_cast<unsigned>(decimalen));
    std::uniform_real_distribution<double> verdeling(-5000.0, 5000.0);
    std::uniform_real_distribution<double> macht(-8.0, 19.5);
    int verschillen = 0;
    std::string tekst;
    for (int i = 0; i < 1000000; ++i) {
        const long double tie = (std::round(verdeling(gen) / static_cast<double>(stap)) + 0.5L) * stap;
        long double w = 0;
        switch (i % 8) {
        case 0:
            w = static_cast<float>(verdeling(gen));
            break;
        case 1:
            w = static_cast<long double>(verdeling(gen)) / 3.0L;
            break;
        case 2:
            w = (gen() & 1 ? 1 : -1) * std::pow(10.0L, macht(gen)) / 7.0L;
            if (i % 16 >= 8) w = static_cast<float>(w);
            break;
        case 3:
            w = static_cast<float>(tie);
            break;
        case 4:
            w = std::nextafter(static_cast<float>(tie), i % 16 < 8 ? 0.0f : 1e9f);
            break;
        case 5:
            w = std::nextafter(static_cast<double>(tie), i % 16 < 8 ? 0.0 : 1e9);
            break;
        case 6:
            w = std::nextafter(tie, i % 16 < 8 ? 0.0L : 1e9L) * (1.0L + (i % 5) * 1e-7L);
            break;
        default:
            w = -std::pow(10.0L, -macht(gen) / 3.0L);
            break;
        }
        const std::string vorige = VorigeFormatFloat(p.c_str(), w);
        const std::string nu = FormatFloat(p, w);
        if (vast) FormatVast(decimalen, w, tekst);
        // A single-precision value also through the float route.
        std::string alsFloat = vorige;
        if (vast && static_cast<long double>(static_cast<float>(w)) == w)
            FormatVastFloat(decimalen, static_cast<float>(w), alsFloat);
        if ((nu != vorige || (vast && (tekst != vorige || alsFloat != vorige))) && ++verschillen < 5)
            qWarning("%s %.21Lg: %s / %s / %s / %s", p.c_str(), w, nu.c_str(), tekst.c_str(),
                     alsFloat.c_str(), vorige.c_str());
    }
    QCOMPARE(verschillen, 0);
}

void TestDomein::dagNaarMaand_data() {
    QTest::addColumn<int>("dag");
    QTest::addColumn<int>("maand");
    const int grenzen[][3] = {{1, 31, 1},    {32, 59, 2},    {60, 90, 3},    {91, 120, 4},
                              {121, 151, 5}, {152, 181, 6},  {182, 212, 7},  {213, 243, 8},
                              {244, 273, 9}, {274, 304, 10}, {305, 334, 11}, {335, 365, 12}};
    for (const auto& g : grenzen) {
        QTest::addRow("day %d", g[0]) << g[0] << g[2];
        QTest::addRow("day %d", g[1]) << g[1] << g[2];
    }
    QTest::newRow("day 0") << 0 << 0;
    QTest::newRow("day 366") << 366 << 0;
    QTest::newRow("negative") << -5 << 0;
}

void TestDomein::dagNaarMaand() {
    QFETCH(int, dag);
    QFETCH(int, maand);
    QCOMPARE(DagNaarMaand(dag), maand);
}

void TestDomein::dagTekst_data() {
    QTest::addColumn<int>("dag");
    QTest::addColumn<QString>("tekst");
    QTest::newRow("1") << 1 << "01 01";
    QTest::newRow("32") << 32 << "01 02";
    QTest::newRow("59") << 59 << "28 02";
    QTest::newRow("60") << 60 << "01 03";
    QTest::newRow("258") << 258 << "15 09";
    QTest::newRow("365") << 365 << "31 12";
    QTest::newRow("366 runs on") << 366 << "01 01";
    QTest::newRow("0 runs back") << 0 << "31 12";
}

void TestDomein::dagTekst() {
    QFETCH(int, dag);
    QFETCH(QString, tekst);
    QCOMPARE(QString::fromStdString(DagTekst(dag)), tekst);
}

void TestDomein::kleineHelpers() {
    QCOMPARE(DatumTekst(2.0), std::string("01 01"));     // 1 January 1900
    QCOMPARE(DatumTekst(45356.0), std::string("05 03")); // 5 March 2024, a leap year
    QCOMPARE(FpcmFactor(4.4f, 3.5f), static_cast<float>(0.337L + 0.5104L + 0.21L));
    QCOMPARE(Interpoleer(1000, 1700, 2000, 240, 220), static_cast<float>(240.0L + 1000.0L * 20.0L / -700.0L));
    QCOMPARE(ZonderSpaties("  a  b "), std::string("ab"));
    QCOMPARE(ZonderSpaties(""), std::string(""));
    QCOMPARE(ZonderSpaties("Zeer dicht"), std::string("Zeerdicht"));
    QCOMPARE(ZonderSpaties("a\tb"), std::string("a\tb"));
    QCOMPARE(NaarHoofdletters("< 50 ja"), std::string("< 50 JA"));
}

void TestDomein::jntobool() {
    std::string melding;
    QVERIFY(JNTOBOOL("JA", &melding));
    QVERIFY(!JNTOBOOL("NEE", &melding));
    QVERIFY(!JNTOBOOL("NVT", &melding));
    QCOMPARE(melding, std::string());
    QVERIFY(!JNTOBOOL("Ja", &melding));
    QCOMPARE(melding, std::string("Onbekende ajn in JNTOBOOL Ja"));
    QVERIFY(!JNTOBOOL("", &melding));
    QCOMPARE(melding, std::string("Onbekende ajn in JNTOBOOL "));
    QVERIFY(!JNTOBOOL("X"));
}

void TestDomein::leesGetal_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("waarde");
    QTest::newRow("whole") << "300" << true << 300.0;
    QTest::newRow("point") << "4.20" << true << 4.2;
    QTest::newRow("spaces") << "  0.68 " << true << 0.68;
    QTest::newRow("sign") << "-3" << true << -3.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("comma") << "4," << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
}

void TestDomein::leesGetal() {
    QFETCH(QString, tekst);
    QFETCH(bool, ok);
    QFETCH(double, waarde);
    long double w = -1;
    QCOMPARE(LeesGetal(tekst.toStdString(), w), ok);
    if (ok) QCOMPARE(static_cast<double>(w), waarde);
}

void TestDomein::leesGetalAlsFromChars() {
    // Random texts in the plain notation, exponents of both signs among them: the value read is the
    // correctly rounded one that the C library gives, and a text beyond the range is no number.
    std::mt19937_64 gen(5);
    const auto cijfers = [&gen](int n) {
        std::string s;
        for (int k = 0; k < n; ++k) s += static_cast<char>('0' + gen() % 10);
        return s;
    };
    int verschillen = 0;
    for (int i = 0; i < 200000; ++i) {
        const int voor = static_cast<int>(gen() % 22);
        const int na = voor == 0 ? 1 + static_cast<int>(gen() % 8) : static_cast<int>(gen() % 8);
        std::string getal = cijfers(voor);
        if (na > 0 || gen() % 4 == 0) getal += '.' + cijfers(na);
        bool kleinerDanEen = false; // a value beyond the range is then too small, else too large
        if (gen() % 4 != 0) {
            const char* teken[] = {"", "-", "+"};
            const int t = static_cast<int>(gen() % 3);
            const int exponent = static_cast<int>(gen() % (gen() % 8 == 0 ? 5000 : 40));
            kleinerDanEen = t == 1;
            getal += (gen() % 2 ? 'e' : 'E') + std::string(teken[t]) + std::to_string(exponent);
        }
        const std::string teken = i % 3 == 0 ? "-" : i % 5 == 0 ? "+" : "";
        const std::string tekst = teken + getal;
        long double verwacht = 0;
        // The C library's correctly rounded reading (from_chars; on Windows MinGW's strtold).
        const std::errc fout = LeesLangDecimaal(getal, verwacht);
        const bool binnen = fout == std::errc();
        if (teken == "-") verwacht = -verwacht;
        long double gelezen = -1;
        const bool ok = LeesGetal(tekst, gelezen);
        // Too small for the type is zero with its sign; too large is no number.
        const bool teKlein = fout == std::errc::result_out_of_range && kleinerDanEen;
        if (teKlein) verwacht = teken == "-" ? -0.0L : 0.0L;
        const bool klopt = ok == (binnen || teKlein) &&
                           (!ok || (gelezen == verwacht && std::signbit(gelezen) == std::signbit(verwacht)));
        if (!klopt && ++verschillen < 5)
            qWarning("%s: %s %La, verwacht %La", tekst.c_str(), ok ? "gelezen" : "geweigerd", gelezen,
                     verwacht);
    }
    QCOMPARE(verschillen, 0);
}

void TestDomein::koeCurven_data() {
    QTest::addColumn<int>("pariteit");
    QTest::addColumn<int>("dag");
    QTest::addColumn<double>("capaciteit");
    QTest::addColumn<double>("melk");
    QTest::addColumn<double>("vet");
    QTest::addColumn<double>("eiwit");
    QTest::addColumn<double>("fpcm");
    QTest::addColumn<double>("vem");
    // Reference cows with a calving interval of 365 days.
    QTest::newRow("1/30") << 1 << 30 << 11.77 << 27.13 << 4.459 << 3.280 << 28.52 << 16529.0;
    QTest::newRow("1/160") << 1 << 160 << 13.65 << 25.86 << 4.294 << 3.505 << 27.04 << 19041.0;
    QTest::newRow("2/90") << 2 << 90 << 15.65 << 33.85 << 4.217 << 3.303 << 34.67 << 21633.0;
    QTest::newRow("3/30") << 3 << 30 << 15.56 << 39.06 << 4.499 << 3.197 << 41.04 << 21860.0;
    QTest::newRow("3/320") << 3 << 320 << 15.70 << 17.57 << 5.213 << 4.060 << 20.83 << 17540.0;
}

void TestDomein::koeCurven() {
    QFETCH(int, pariteit);
    QFETCH(int, dag);
    QFETCH(double, capaciteit);
    QFETCH(double, melk);
    QFETCH(double, vet);
    QFETCH(double, eiwit);
    QFETCH(double, fpcm);
    QFETCH(double, vem);
    const auto p = static_cast<Word>(pariteit);
    const auto d = static_cast<Word>(dag);
    const auto g = static_cast<Word>(std::max(0, dag - 85));
    QCOMPARE(Afgerond(OpnameCapaciteit(p, d, g, 1.0f), 2), capaciteit);
    QCOMPARE(Afgerond(MelkKg(p, d, g), 2), melk);
    QCOMPARE(Afgerond(VetPct(p, d, g), 3), vet);
    QCOMPARE(Afgerond(EiwitPct(p, d, g), 3), eiwit);
    QCOMPARE(Afgerond(FpcmKg(p, d, g), 2), fpcm);
    QCOMPARE(std::round(VemBehoefte(p, d, g)), vem);
}

void TestDomein::curveEigenschappen() {
    QCOMPARE(Afgerond(MelkRespons(1.0f), 4), 0.9537);
    QCOMPARE(MelkRespons(0.0f), 0.0f);
    QVERIFY_THROWS_EXCEPTION(RekenFout, MelkRespons(-0.5f));
    // Days pregnant do not change the fat percentage; capacity falls 5.529 % at 220 days.
    QCOMPARE(VetPct(2, 200, 0), VetPct(2, 200, 150));
    const double vol = OpnameCapaciteit(2, 200, 0, 1.0f);
    QVERIFY(std::fabs(OpnameCapaciteit(2, 200, 220, 1.0f) / vol - (1 - 0.05529)) < 1e-6);
    // Dual-purpose cows count 0.8.
    QVERIFY(std::fabs(OpnameCapaciteit(2, 200, 0, 0.8f) / vol - 0.8) < 1e-6);
    // Milk at the requirement is 95.4 % of the potential.
    const float behoefte = VemBehoefte(2, 90, 5);
    QVERIFY(std::fabs(FpcmBijVem(2, 90, 5, behoefte) / FpcmKg(2, 90, 5) - 0.9537) < 1e-4);
    QCOMPARE(FpcmBijVem(2, 90, 5, 0.0f), 0.0f);
}

void TestDomein::melkResponsSnelGelijkAanUitgebreid_data() {
    // Floats from `van` to `tot`, `aantal` of them evenly spread over their bit patterns. The single
    // floats are ratios whose double-precision response lies so close to the boundary between two
    // floats that only the extended evaluation decides (down for some, up for others): a fast path
    // that answers them itself gives another float.
    QTest::addColumn<float>("van");
    QTest::addColumn<float>("tot");
    QTest::addColumn<int>("aantal");
    const float grens[] = {0x1.00a86ap-7f, 0x1.010b72p-7f, 0x1.4c872ep-6f, 0x1.5d51fcp-6f,
                           0x1.7387fap-5f, 0x1.b8a5a8p-5f, 0x1.7aade4p-4f, 0x1.854a82p-4f,
                           0x1.a77c2cp-3f, 0x1.aa3f64p-3f, 0x1.a6444p-2f,  0x1.b8f1a6p-2f,
                           0x1.bf1c76p-1f, 0x1.dfbb14p-1f, 0x1.dc57dp+0f,  0x1.0f7e84p+1f};
    for (const float r : grens) QTest::addRow("boundary %a", static_cast<double>(r)) << r << r << 1;
    QTest::newRow("spread 2^-20 to 16") << 0x1p-20f << 16.0f << 2000000;
    QTest::newRow("spread 0.25 to 4") << 0.25f << 4.0f << 1000000;
}

void TestDomein::melkResponsSnelGelijkAanUitgebreid() {
    QFETCH(float, van);
    QFETCH(float, tot);
    QFETCH(int, aantal);
    std::uint32_t a = 0, b = 0;
    std::memcpy(&a, &van, sizeof a);
    std::memcpy(&b, &tot, sizeof b);
    int verschillen = 0;
    for (int i = 0; i < aantal; ++i) {
        const std::uint32_t bits =
            a + static_cast<std::uint32_t>((static_cast<std::uint64_t>(b - a) * i) /
                                           static_cast<std::uint64_t>(std::max(1, aantal - 1)));
        float r = 0;
        std::memcpy(&r, &bits, sizeof r);
        MelkResponsAltijdUitgebreid(true);
        const float uitgebreid = MelkRespons(r);
        MelkResponsAltijdUitgebreid(false);
        const float snel = MelkRespons(r);
        if (snel != uitgebreid && ++verschillen < 5)
            qWarning("%a: %a / %a", static_cast<double>(r), static_cast<double>(snel),
                     static_cast<double>(uitgebreid));
    }
    QCOMPARE(verschillen, 0);
}

void TestDomein::vulwaarden_data() {
    QTest::addColumn<QString>("formule");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("verwacht");
    QTest::addColumn<double>("marge");
    QTest::newRow("grass centre") << "gras" << 230.0 << 705.0 << 0.0 << double(float(std::exp(-0.08334L)))
                                  << 0.0;
    QTest::newRow("grass 180/800") << "gras" << 180.0 << 800.0 << 0.0 << 0.8974 << 5e-5;
    QTest::newRow("grass 300/600") << "gras" << 300.0 << 600.0 << 0.0 << 1.0512 << 5e-5;
    QTest::newRow("grass floor") << "gras" << 230.0 << 900.0 << 0.0 << double(0.8845f) << 0.0;
    QTest::newRow("grass ceiling") << "gras" << 400.0 << 600.0 << 0.0 << double(1.0991f) << 0.0;
    QTest::newRow("grass silage") << "graskuil" << 450.0 << 170.0 << 240.0 << 1.0 << 0.0;
    QTest::newRow("maize silage") << "snijmais" << 330.0 << 695.0 << 0.0 << 0.8053 << 5e-5;
    QTest::newRow("concentrate") << "krachtvoer" << 140.0 << 0.0 << 0.0 << 0.3172 << 5e-5;
    QTest::newRow("concentrate unclamped")
        << "krachtvoer" << 2000.0 << 0.0 << 0.0 << double(float(std::exp(1.335L * 1.86L - 1.1483L))) << 0.0;
}

void TestDomein::vulwaarden() {
    QFETCH(QString, formule);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(double, verwacht);
    QFETCH(double, marge);
    const auto fa = static_cast<float>(a), fb = static_cast<float>(b), fc = static_cast<float>(c);
    double w = 0;
    if (formule == "gras")
        w = VwGras(fa, fb, 1);
    else if (formule == "graskuil")
        w = VwGraskuil(fa, fb, fc, 1);
    else if (formule == "snijmais")
        w = VwSnijmais(fa, fb, 1);
    else
        w = VwKrachtvoer(fa);
    if (marge == 0)
        QCOMPARE(w, verwacht);
    else
        QVERIFY2(std::fabs(w - verwacht) < marge, qPrintable(QString::number(w, 'g', 9)));
}

void TestDomein::gehalteGras_data() {
    QTest::addColumn<QString>("soort");
    QTest::addColumn<int>("dag");
    QTest::addColumn<bool>("minder");
    QTest::addColumn<double>("aanbod");
    QTest::addColumn<double>("verwacht");
    QTest::newRow("VEM standard point") << "VEM" << 152 << false << 1700.0 << 996.0;
    QTest::newRow("VEM lower line") << "VEM" << 152 << false << 1350.0 << 1002.5;
    QTest::newRow("VEM lower line minder") << "VEM" << 152 << true << 1350.0 << 952.5;
    QTest::newRow("VEM upper line extended")
        << "VEM" << 152 << false << 3000.0 << double(float(996.0L + 1300.0L * 39.0L / -1100.0L));
    QTest::newRow("VEM below low mass extended")
        << "VEM" << 152 << false << 500.0 << double(float(1009.0L - 500.0L * 13.0L / -700.0L));
    QTest::newRow("VOS") << "VOS" << 152 << false << 1700.0 << 731.68;
    QTest::newRow("VOS minder") << "VOS" << 152 << true << 1700.0 << 698.49;
    QTest::newRow("DS August") << "DS" << 230 << false << 2500.0 << 105.0;
    QTest::newRow("DS ignores supply") << "DS" << 152 << false << 400.0 << 170.0;
    QTest::newRow("January is April") << "RE" << 20 << false << 1400.0 << 227.0;
    QTest::newRow("December is October") << "RE" << 340 << false << 1100.0 << 252.0;
    QTest::newRow("day 0 is April") << "RE" << 0 << false << 1400.0 << 227.0;
    QTest::newRow("day 400 is April") << "RE" << 400 << false << 1400.0 << 227.0;
    QTest::newRow("DVE minder") << "DVE" << 152 << true << 1700.0 << 99.0;
    QTest::newRow("OEB minder") << "OEB" << 152 << true << 1700.0 << 53.0;
    QTest::newRow("RE not corrected") << "RE" << 152 << true << 1700.0 << 216.0;
    QTest::newRow("September standard") << "VEM" << 258 << false << 1300.0 << 1002.0;
}

void TestDomein::gehalteGras() {
    QFETCH(QString, soort);
    QFETCH(int, dag);
    QFETCH(bool, minder);
    QFETCH(double, aanbod);
    QFETCH(double, verwacht);
    const double w = GehalteGras(soort.toStdString(), dag, minder, static_cast<float>(aanbod));
    if (soort == "VOS")
        QVERIFY2(std::fabs(w - verwacht) < 0.006, qPrintable(QString::number(w, 'g', 9)));
    else
        QCOMPARE(w, double(float(verwacht)));
}

void TestDomein::gehalteGrasOnbekend_data() {
    QTest::addColumn<QString>("soort");
    QTest::newRow("lower case") << "vem";
    QTest::newRow("empty") << "";
    QTest::newRow("grass mass is no code") << "Grasmassa";
}

void TestDomein::gehalteGrasOnbekend() {
    QFETCH(QString, soort);
    try {
        GehalteGras(soort.toStdString(), 152, false, 1700);
        QFAIL("no error");
    } catch (const OnbekendeSoort& e) {
        QCOMPARE(QString::fromStdString(e.what()), "GehalteGras, onbekende soort " + soort);
    }
}

namespace {

QByteArray Inhoud(const QString& pad) {
    return testbestand::Inhoud(pad, "<ontbreekt>");
}

mode_t Modus(const QString& pad) {
    struct stat st {};
    return stat(pad.toLocal8Bit().constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

void TestDomein::schrijfBestand_data() {
    // The folder holds "oud" (mode 0640, "oud"); `doel` is where the new bytes go, after `opzet`.
    QTest::addColumn<QString>("opzet");
    QTest::addColumn<QString>("doel");
    QTest::addColumn<int>("fout"); // BestandFout
    QTest::addColumn<QString>("melding");
    const int geen = int(BestandFout::Geen), geweigerd = int(BestandFout::Geweigerd);
    QTest::newRow("new file") << ""
                              << "nieuw" << geen << "";
    QTest::newRow("replaced, mode kept") << ""
                                         << "oud" << geen << "";
    QTest::newRow("another user's file: owner and mode kept") << "eigenaar"
                                                              << "oud" << geen << "";
    QTest::newRow("link: its target replaced") << "koppeling"
                                               << "link" << geen << "";
    QTest::newRow("read-only, also for root") << "alleenlezen"
                                              << "oud" << geweigerd << "alleen-lezen";
    QTest::newRow("device") << ""
                            << "/dev/null" << geweigerd << "geen gewoon bestand";
    QTest::newRow("link to a device") << "koppeling naar apparaat"
                                      << "link" << geweigerd << "geen gewoon bestand";
    QTest::newRow("FIFO") << "fifo"
                          << "fifo" << geweigerd << "geen gewoon bestand";
    QTest::newRow("folder") << "map"
                            << "map" << geweigerd << "geen gewoon bestand";
    QTest::newRow("link to nothing") << "losse koppeling"
                                     << "link" << geweigerd << "niet bestaat";
    QTest::newRow("no name") << ""
                             << "" << geweigerd << "Geen bestandsnaam";
    // The system's own reason, which Windows words otherwise.
    QTest::newRow("missing folder") << ""
                                    << "weg/oud" << int(BestandFout::Openen)
                                    << (systeemtest::kPosix ? "No such file" : "niet aanmaken in de map");
    QTest::newRow("size limit") << "grens"
                                << "oud" << int(BestandFout::Overdracht) << "File too large";
}

void TestDomein::schrijfBestand() {
    QFETCH(QString, opzet);
    QFETCH(QString, doel);
    QFETCH(int, fout);
    QFETCH(QString, melding);
    if ((!opzet.isEmpty() && opzet != "alleenlezen" && opzet != "map") || doel.startsWith('/'))
        KORVALINDE_ALLEEN_POSIX("no other owner, link, device, FIFO or file-size limit on Windows");
    QTemporaryDir dir;
    const QString oud = dir.filePath("oud");
    {
        QFile f(oud);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("oud");
    }
    QVERIFY(chmod(oud.toLocal8Bit().constData(), 0640) == 0);
    const QString link = dir.filePath("link");
    if (opzet == "alleenlezen") QVERIFY(chmod(oud.toLocal8Bit().constData(), 0444) == 0);
    // Owner and group of someone else, which only root can give away (and so has to keep).
    const uid_t andereGebruiker = 4321;
    const gid_t andereGroep = 8765;
    if (opzet == "eigenaar") {
        if (geteuid() != 0) QSKIP("only root writes over another user's file");
        QVERIFY(chown(oud.toLocal8Bit().constData(), andereGebruiker, andereGroep) == 0);
        QVERIFY(chmod(oud.toLocal8Bit().constData(), 0640) == 0);
    }
    if (opzet == "koppeling") QVERIFY(QFile::link(oud, link));
    if (opzet == "koppeling naar apparaat") QVERIFY(QFile::link("/dev/null", link));
    if (opzet == "losse koppeling") QVERIFY(QFile::link(dir.filePath("weg"), link));
    if (opzet == "fifo") QVERIFY(mkfifo(dir.filePath("fifo").toLocal8Bit().constData(), 0644) == 0);
    if (opzet == "map") QVERIFY(QDir(dir.path()).mkdir("map"));
    const QString pad = doel.isEmpty() || doel.startsWith('/') ? doel : dir.filePath(doel);
    const QStringList voor =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const std::string bytes(200000, 'n');

    BestandFout soort = BestandFout::Geweigerd;
    std::string tekst;
    {
        const testbestand::Bestandsgrens grens(opzet == "grens" ? 100000 : 0);
        tekst = SchrijfBestand(pad.toStdString(), bytes, &soort);
    }
    QCOMPARE(int(soort), fout);
    QVERIFY2(QString::fromStdString(tekst).contains(melding), tekst.c_str());
    QCOMPARE(tekst.empty(), fout == int(BestandFout::Geen));
    // Nothing is left next to the target, whatever happened.
    QStringList na = voor;
    if (doel == "nieuw") na << "nieuw";
    na.sort();
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        na);
    if (fout == int(BestandFout::Geen)) {
        const QString echt = QFileInfo(pad).canonicalFilePath();
        QCOMPARE(Inhoud(echt), QByteArray::fromStdString(bytes));
        if (!systeemtest::kPosix) return; // no POSIX mode or owner on Windows
        QCOMPARE(Modus(echt) & 07777, doel == "nieuw" ? (0666 &
                                                         ~[] {
                                                             const mode_t m = umask(0);
                                                             umask(m);
                                                             return m;
                                                         }())
                                                      : mode_t(0640));
        if (opzet == "koppeling") QVERIFY(QFileInfo(link).isSymLink());
        struct stat st {};
        QVERIFY(stat(echt.toLocal8Bit().constData(), &st) == 0);
        QCOMPARE(st.st_uid, opzet == "eigenaar" ? andereGebruiker : geteuid());
        QCOMPARE(st.st_gid, opzet == "eigenaar" ? andereGroep : getegid());
    } else {
        QCOMPARE(Inhoud(oud), QByteArray("oud"));
    }
    if (doel == "/dev/null" || opzet == "koppeling naar apparaat") QVERIFY(S_ISCHR(Modus("/dev/null")));
    if (opzet == "fifo") QVERIFY(S_ISFIFO(Modus(pad)));
    // Only the checks, nothing written: the same verdict for a target that is refused.
    if (fout == int(BestandFout::Geweigerd)) {
        BestandFout controle = BestandFout::Geen;
        QCOMPARE(ControleerSchrijfdoel(pad.toStdString(), &controle), tekst);
        QCOMPARE(controle, BestandFout::Geweigerd);
    }
}

void TestDomein::leesBestand_data() {
    QTest::addColumn<QString>("opzet");
    QTest::addColumn<int>("fout"); // BestandFout
    QTest::addColumn<QByteArray>("gelezen");
    QTest::addColumn<bool>("teLang");
    QTest::newRow("whole file") << "kort" << int(BestandFout::Geen) << QByteArray("12345") << false;
    QTest::newRow("exactly the limit")
        << "precies" << int(BestandFout::Geen) << QByteArray("12345678") << false;
    QTest::newRow("longer than the limit")
        << "lang" << int(BestandFout::Geen) << QByteArray("12345678") << true;
    QTest::newRow("empty") << "leeg" << int(BestandFout::Geen) << QByteArray() << false;
    QTest::newRow("FIFO does not block") << "fifo" << int(BestandFout::Geweigerd) << QByteArray() << false;
    QTest::newRow("endless device") << "/dev/zero" << int(BestandFout::Geweigerd) << QByteArray() << false;
    QTest::newRow("link to an endless device")
        << "koppeling" << int(BestandFout::Geweigerd) << QByteArray() << false;
    QTest::newRow("folder") << "map" << int(BestandFout::Geweigerd) << QByteArray() << false;
    QTest::newRow("missing") << "weg" << int(BestandFout::Openen) << QByteArray() << false;
}

void TestDomein::leesBestand() {
    QFETCH(QString, opzet);
    QFETCH(int, fout);
    QFETCH(QByteArray, gelezen);
    QFETCH(bool, teLang);
    if (opzet == "fifo" || opzet.startsWith('/') || opzet == "koppeling")
        KORVALINDE_ALLEEN_POSIX("no FIFO or device on Windows");
    QTemporaryDir dir;
    const QString pad = opzet.startsWith('/') ? opzet : dir.filePath(opzet);
    const QMap<QString, QByteArray> inhoud{
        {"kort", "12345"}, {"precies", "12345678"}, {"lang", "123456789"}, {"leeg", ""}};
    if (inhoud.contains(opzet)) {
        QFile f(pad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhoud[opzet]);
    }
    if (opzet == "fifo") QVERIFY(mkfifo(pad.toLocal8Bit().constData(), 0644) == 0);
    if (opzet == "koppeling") QVERIFY(QFile::link("/dev/zero", pad));
    if (opzet == "map") QVERIFY(QDir(dir.path()).mkdir("map"));
    std::string bytes = "rommel";
    bool langer = !teLang;
    BestandFout soort = BestandFout::Overdracht;
    const std::string tekst = LeesBestand(pad.toStdString(), 8, bytes, &langer, &soort);
    QCOMPARE(int(soort), fout);
    QCOMPARE(tekst.empty(), fout == int(BestandFout::Geen));
    if (!tekst.empty()) QVERIFY2(tekst.find(pad.toStdString()) != std::string::npos, tekst.c_str());
    QCOMPARE(QByteArray::fromStdString(bytes), gelezen);
    QCOMPARE(langer, teLang);
}

QTEST_APPLESS_MAIN(TestDomein)
#include "test_domein.moc"
