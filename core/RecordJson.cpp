#include "core/RecordJson.h"

#include "core/Berekening.h"
#include "core/Invoerset.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace korvalinde {

namespace {

// Reads the fields of one JSON object; the first problem is kept as the message.
class Lezer {
  public:
    Lezer(const QJsonObject& object, QString pad) : object_(object), pad_(std::move(pad)) {}

    bool Ok() const { return fout_.isEmpty(); }
    const QString& Fout() const { return fout_; }

    QJsonValue Waarde(const char* sleutel) {
        if (!Ok()) return {};
        gelezen_.insert(QLatin1String(sleutel));
        const auto it = object_.constFind(QLatin1String(sleutel));
        if (it == object_.constEnd()) {
            fout_ = QStringLiteral("Ontbrekende sleutel \"%1\"").arg(Naam(sleutel));
            return {};
        }
        return *it;
    }

    void Getal(const char* sleutel, float& doel) { Getal(Waarde(sleutel), Naam(sleutel), doel); }
    void Geheel(const char* sleutel, std::int32_t& doel) { Geheel(Waarde(sleutel), Naam(sleutel), doel); }

    void Boolean(const char* sleutel, bool& doel) {
        const QJsonValue w = Waarde(sleutel);
        if (!Ok()) return;
        if (!w.isBool()) return Verkeerd(Naam(sleutel), "true of false");
        doel = w.toBool();
    }

    void Tekst(const char* sleutel, std::string& doel) {
        const QJsonValue w = Waarde(sleutel);
        if (!Ok()) return;
        if (!w.isString()) return Verkeerd(Naam(sleutel), "een tekst");
        doel = w.toString().toStdString();
    }

    template <std::size_t N> void Getallen(const char* sleutel, std::array<float, N>& doel) {
        const QJsonValue w = Waarde(sleutel);
        if (!Ok()) return;
        const QString naam = Naam(sleutel);
        if (!w.isArray() || w.toArray().size() != static_cast<qsizetype>(N))
            return Verkeerd(naam, QStringLiteral("een lijst van %1 getallen").arg(N));
        const QJsonArray lijst = w.toArray();
        for (std::size_t i = 0; i < N && Ok(); ++i)
            Getal(lijst[static_cast<qsizetype>(i)], QStringLiteral("%1[%2]").arg(naam).arg(i), doel[i]);
    }

    QJsonObject Object(const char* sleutel) {
        const QJsonValue w = Waarde(sleutel);
        if (!Ok()) return {};
        if (!w.isObject()) Verkeerd(Naam(sleutel), "een object");
        return w.toObject();
    }

    QJsonArray Lijst(const char* sleutel, qsizetype lengte, const char* wat) {
        const QJsonValue w = Waarde(sleutel);
        if (!Ok()) return {};
        if (!w.isArray() || w.toArray().size() != lengte)
            Verkeerd(Naam(sleutel),
                     QStringLiteral("een lijst van %1 %2").arg(lengte).arg(QLatin1String(wat)));
        return w.toArray();
    }

    // Every key of the object was read: a key the record does not know (a misspelt one) is refused,
    // so that it is never silently ignored.
    void GeenOnbekende() {
        if (!Ok()) return;
        for (auto it = object_.constBegin(); it != object_.constEnd(); ++it)
            if (!gelezen_.contains(it.key())) {
                const QString naam = pad_.isEmpty() ? it.key() : pad_ + QLatin1Char('.') + it.key();
                fout_ = QStringLiteral("Onbekende sleutel \"%1\"").arg(naam);
                return;
            }
    }

    void Meld(const QString& melding) {
        if (Ok()) fout_ = melding;
    }

    void Neem(const Lezer& ander) {
        if (Ok() && !ander.Ok()) fout_ = ander.Fout();
    }

    void Getal(const QJsonValue& w, const QString& naam, float& doel) {
        if (!Ok()) return;
        if (!w.isDouble()) return Verkeerd(naam, "een getal");
        const double d = w.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max())
            return Verkeerd(naam, "een getal binnen het bereik van een enkelvoudig reëel getal");
        doel = static_cast<float>(d);
    }

    void Geheel(const QJsonValue& w, const QString& naam, std::int32_t& doel) {
        if (!Ok()) return;
        const double d = w.toDouble(0.5);
        if (!w.isDouble() || d != std::floor(d) || d < std::numeric_limits<std::int32_t>::min() ||
            d > std::numeric_limits<std::int32_t>::max())
            return Verkeerd(naam, "een geheel getal");
        doel = static_cast<std::int32_t>(d);
    }

    QString Naam(const char* sleutel) const {
        return pad_.isEmpty() ? QString::fromLatin1(sleutel)
                              : pad_ + QLatin1Char('.') + QLatin1String(sleutel);
    }

    void Verkeerd(const QString& naam, const QString& verwacht) {
        if (Ok()) fout_ = QStringLiteral("Sleutel \"%1\" moet %2 zijn").arg(naam, verwacht);
    }
    void Verkeerd(const QString& naam, const char* verwacht) { Verkeerd(naam, QString::fromUtf8(verwacht)); }

    void Buiten(const QString& naam, double minimum, double maximum) {
        if (Ok())
            fout_ = QStringLiteral("Sleutel \"%1\" ligt buiten het bereik van het venster (%2 tot en met %3)")
                        .arg(naam, QString::number(minimum), QString::number(maximum));
    }

  private:
    const QJsonObject& object_;
    QString pad_;
    QString fout_;
    QSet<QString> gelezen_;
};

// The ranges of the window's inputs, for the numbers of an input record: a value the window cannot
// hold is refused, so that the model never sees it. Table cells have no range of their own.
class Bereiken {
  public:
    Bereiken() : invoer_(&melder_), berekening_(invoer_, melder_) {}

    // Checks `waarde` of key `naam` against the range of the number input `veld`.
    void Controleer(Lezer& l, const QString& naam, double waarde, const TGetalInvoer* veld) {
        Controleer(l, naam, waarde, veld->MinValue(), veld->MaxValue());
    }

    void Controleer(Lezer& l, const QString& naam, double waarde, double minimum, double maximum) {
        if (!l.Ok()) return;
        // A number read as single precision is compared with its bounds in single precision too.
        const auto laag = static_cast<double>(static_cast<float>(minimum));
        const auto hoog = static_cast<double>(static_cast<float>(maximum));
        if (waarde < laag || waarde > hoog) l.Buiten(naam, minimum, maximum);
    }

    // The alternative's value, in the range the window gives its kind (1..7); the number of grazing
    // days reaches at most the model's horizon (the window limits it to the base's days).
    void ControleerAlternatief(Lezer& l, const QString& naam, const RecAlternatief& alt) {
        const int kinds = static_cast<int>(AlternatiefRij.size());
        if (!l.Ok()) return;
        if (alt.Soort < 0 || alt.Soort > kinds)
            return l.Verkeerd(naam + QStringLiteral(".Soort"),
                              QStringLiteral("een getal van 0 tot en met %1").arg(kinds));
        if (alt.Soort == 0) return; // no change: the value is not used
        TGetalInvoer veld(QStringLiteral("Alternatief"), QString(), nullptr);
        berekening_.LaadModus = true; // only the range, no text taken from the results
        berekening_.SetRxSpinEdit(alt.Soort - 1, &veld);
        const double hoog = alt.Soort == AltWeidedagen ? AantalStappen * 0.5 : veld.MaxValue();
        Controleer(l, naam + QStringLiteral(".Waarde"), static_cast<double>(alt.Waarde), veld.MinValue(),
                   hoog);
    }

    TInvoerset& Invoer() { return invoer_; }

  private:
    TOpnameMelder melder_;
    TInvoerset invoer_;
    TBerekening berekening_;
};

// Every number of the record that the window holds in a number input (or the turn-in date) lies in
// that input's range.
void ControleerBereik(Lezer& l, const TQXInvoer& in) {
    Bereiken b;
    const TInvoerset& s = b.Invoer();
    // A whole-numbered input of the window holds no fraction: half a cow is refused, not computed.
    // (The shares PercPar and PercRas keep their fractions: their sum is checked within 0.05.)
    auto getal = [&](const char* naam, double waarde, const TGetalInvoer* veld) {
        if (l.Ok() && veld->Geheel() && std::isfinite(waarde) && waarde != std::floor(waarde))
            return l.Verkeerd(QString::fromLatin1(naam), "een geheel getal");
        b.Controleer(l, QString::fromLatin1(naam), waarde, veld);
    };
    getal("AantalKoeien", in.AantalKoeien, s.SpenKoe);
    getal("Melknivo", in.Melknivo, s.SpeMelknivo);
    const TGetalInvoer* par[3] = {s.SpePercPar1, s.SpePercPar2, s.SpePercPar3};
    for (std::size_t i = 0; i < 3; ++i)
        b.Controleer(l, QStringLiteral("PercPar[%1]").arg(i), in.PercPar[i], par[i]);
    const TGetalInvoer* ras[2] = {s.SpePercRas1, s.SpePercRas2};
    for (std::size_t i = 0; i < 2; ++i)
        b.Controleer(l, QStringLiteral("PercRas[%1]").arg(i), in.PercRas[i], ras[i]);
    getal("Tussenkalftijd", in.Tussenkalftijd, s.SpeTkt);
    getal("Gewicht", in.Gewicht, s.SpeGewicht);
    // The turn-in date as a day of the year: 1 January to 31 December.
    b.Controleer(l, QStringLiteral("Inschaardag"), in.Inschaardag, TDagInvoer::DagNummer(101),
                 TDagInvoer::DagNummer(3112));
    getal("VorigeSnede.Dagen", in.VorigeSnede.Dagen, s.SpeVorigDagen);
    getal("VorigeSnede.Rest", in.VorigeSnede.Rest, s.SpeVorigRest);
    getal("UrenWeidegang", in.UrenWeidegang, s.SpeUrenWeidegang);
    getal("PerceelOpp", in.PerceelOpp, s.SpePerceelOpp);
    getal("Grasaanbod", in.Grasaanbod, s.SpeGrasaanbod);
    getal("Hergroeiduur", in.Hergroeiduur, s.SpeHergroei);
    getal("Biomassa05", in.Biomassa05, s.SpeBiomassa05);
    getal("AantalMestflatten", in.AantalMestflatten, s.SpenMestflat);
    getal("AantalUrinelozingen", in.AantalUrinelozingen, s.SpenUrlozing);
    getal("OppMestflat", in.OppMestflat, s.SpeOppMestflat);
    getal("OppUrineplek", in.OppUrineplek, s.SpeOppUrplek);
    for (std::size_t j = 0; j < 2; ++j)
        b.ControleerAlternatief(l, QStringLiteral("Alternatief[%1]").arg(j), in.Alternatief[j]);
}

// The codes that reach the model from the window's choice boxes, item by item, taken from the boxes
// themselves and read as the calculation reads them. The sward densities depend on the grazing
// system: continuous grazing offers no "Open".
struct Keuzeveld {
    const char* sleutel;
    TKeuzeInvoer* TInvoerset::*box;
    const std::string& (*veld)(const TQXInvoer&);
};

const std::array<Keuzeveld, 5> Keuzevelden{{
    {"Grondsoort", &TInvoerset::CbxGrondsoort,
     [](const TQXInvoer& i) -> const std::string& { return i.Grondsoort; }},
    {"Systeem", &TInvoerset::CbxSysteem, [](const TQXInvoer& i) -> const std::string& { return i.Systeem; }},
    {"Engelsraai", &TInvoerset::CbxEngelsraai,
     [](const TQXInvoer& i) -> const std::string& { return i.Engelsraai; }},
    {"Jaargift", &TInvoerset::CbxJaargift,
     [](const TQXInvoer& i) -> const std::string& { return i.Jaargift; }},
    {"VorigeSnede.Gebruik", &TInvoerset::CbxVorigGebruik,
     [](const TQXInvoer& i) -> const std::string& { return i.VorigeSnede.Gebruik; }},
}};

struct Keuzecodes {
    std::array<std::vector<std::string>, Keuzevelden.size()> codes;
    std::map<std::string, std::vector<std::string>> zodePerSysteem;
};

const Keuzecodes& Codes() {
    // Made once, by the first record that needs them (thread-safe), from a fresh input set.
    static const Keuzecodes codes = [] {
        Keuzecodes k;
        TOpnameMelder melder;
        TInvoerset s(&melder);
        s.ZetStandaardwaarden();
        for (std::size_t v = 0; v < Keuzevelden.size(); ++v) {
            TKeuzeInvoer* box = s.*Keuzevelden[v].box;
            const int gekozen = box->ItemIndex();
            for (int i = 0; i < box->Items().size(); ++i) {
                box->KiesItem(i);
                k.codes[v].push_back(Keuzevelden[v].veld(LeesInvoerRecord(s)));
            }
            box->KiesItem(gekozen);
        }
        for (int i = 0; i < s.CbxSysteem->Items().size(); ++i) {
            s.CbxSysteem->KiesItem(i);
            s.VulZodeLijst();
            std::vector<std::string>& zode = k.zodePerSysteem[LeesInvoerRecord(s).Systeem];
            for (int j = 0; j < s.CbxZode->Items().size(); ++j) {
                s.CbxZode->KiesItem(j);
                zode.push_back(LeesInvoerRecord(s).Zode);
            }
        }
        return k;
    }();
    return codes;
}

QString CodeLijst(const std::vector<std::string>& codes) {
    QStringList lijst;
    for (const std::string& c : codes)
        lijst << QLatin1Char('"') + QString::fromStdString(c) + QLatin1Char('"');
    return lijst.join(QStringLiteral(", "));
}

// Every coded text is one that a choice box of the window offers.
void ControleerCodes(Lezer& l, const TQXInvoer& in) {
    const Keuzecodes& k = Codes();
    const auto onbekend = [&](const QString& naam, const std::string& waarde,
                              const std::vector<std::string>& codes, const QString& bij) {
        l.Meld(QStringLiteral("Sleutel \"%1\" moet %2een van de codes %3 zijn, niet \"%4\"")
                   .arg(naam, bij, CodeLijst(codes), QString::fromStdString(waarde)));
    };
    for (std::size_t v = 0; v < Keuzevelden.size() && l.Ok(); ++v) {
        const std::string& waarde = Keuzevelden[v].veld(in);
        const auto& codes = k.codes[v];
        if (std::find(codes.begin(), codes.end(), waarde) == codes.end())
            onbekend(QLatin1String(Keuzevelden[v].sleutel), waarde, codes, QString());
    }
    if (!l.Ok()) return;
    const std::vector<std::string>& zode = k.zodePerSysteem.at(in.Systeem);
    if (std::find(zode.begin(), zode.end(), in.Zode) == zode.end())
        onbekend(QStringLiteral("Zode"), in.Zode, zode,
                 QStringLiteral("bij Systeem \"%1\" ").arg(QString::fromStdString(in.Systeem)));
}

// How far a sum of shares may lie from 100: whole percentages in the window, so any sum that is
// not 100 is a mistake; the margin only absorbs the rounding of shares written with decimals.
constexpr long double SomMarge = 0.05L;

// The shares the window keeps at 100 together: parity classes, breeds and lactation stages (each
// stage's share also within 0..100, as the table's rule keeps it).
void ControleerSommen(Lezer& l, const TQXInvoer& in) {
    for (std::size_t k = 0; k < in.Aandeel.size(); ++k)
        if (l.Ok() && !(in.Aandeel[k] >= 0.0f && in.Aandeel[k] <= 100.0f))
            l.Buiten(QStringLiteral("Aandeel[%1]").arg(k), 0, 100);
    const auto som = [&](const char* naam, std::span<const float> delen) {
        long double totaal = 0;
        for (const float d : delen) totaal += d;
        if (std::fabs(totaal - 100.0L) > SomMarge)
            l.Meld(QStringLiteral("De delen van sleutel \"%1\" tellen op tot %2 in plaats van 100")
                       .arg(QLatin1String(naam), QString::number(static_cast<double>(totaal))));
    };
    som("PercPar", in.PercPar);
    som("PercRas", in.PercRas);
    som("Aandeel", in.Aandeel);
}

// The shortest decimal that reads back as the same single-precision value, so that 0.68 is written
// as 0.68 and not as 0.6800000071525574: that decimal read as a double, without any locale.
double J(float w) {
    char buf[32];
    const auto geschreven = std::to_chars(buf, buf + sizeof buf, w);
    double d = w;
    if (geschreven.ec == std::errc()) std::from_chars(buf, geschreven.ptr, d);
    return d;
}

template <std::size_t N> QJsonArray NaarLijst(const std::array<float, N>& waarden) {
    QJsonArray lijst;
    for (float w : waarden) lijst.append(J(w));
    return lijst;
}

} // namespace

bool InvoerUitJson(const QJsonObject& object, TQXInvoer& in, QString& fout) {
    Lezer l(object, {});
    l.Getal("AantalKoeien", in.AantalKoeien);
    l.Getal("Melknivo", in.Melknivo);
    l.Getallen("PercPar", in.PercPar);
    l.Getallen("PercRas", in.PercRas);
    l.Geheel("Tussenkalftijd", in.Tussenkalftijd);
    l.Getal("Gewicht", in.Gewicht);
    l.Getallen("Aandeel", in.Aandeel);
    l.Getallen("Melk", in.Melk);
    l.Getallen("Vet", in.Vet);
    l.Getallen("Eiwit", in.Eiwit);
    l.Geheel("Inschaardag", in.Inschaardag);
    const QJsonObject vorige = l.Object("VorigeSnede");
    if (l.Ok()) {
        Lezer v(vorige, QStringLiteral("VorigeSnede"));
        v.Tekst("Gebruik", in.VorigeSnede.Gebruik);
        v.Boolean("Gebloot", in.VorigeSnede.Gebloot);
        v.Getal("Dagen", in.VorigeSnede.Dagen);
        v.Getal("Rest", in.VorigeSnede.Rest);
        v.GeenOnbekende();
        l.Neem(v);
    }
    l.Geheel("UrenWeidegang", in.UrenWeidegang);
    l.Boolean("Ontwatering", in.Ontwatering);
    l.Getal("PerceelOpp", in.PerceelOpp);
    l.Tekst("Grondsoort", in.Grondsoort);
    l.Tekst("Systeem", in.Systeem);
    l.Tekst("Zode", in.Zode);
    l.Tekst("Engelsraai", in.Engelsraai);
    l.Tekst("Jaargift", in.Jaargift);
    l.Getal("Grasaanbod", in.Grasaanbod);
    l.Getal("Hergroeiduur", in.Hergroeiduur);
    l.Getallen("KrachtvoerKlasse", in.KrachtvoerKlasse);
    const QJsonArray voeders = l.Lijst("Voeders", 7, "lijsten van 7 getallen");
    for (qsizetype f = 0; f < 7 && l.Ok(); ++f) {
        const QString naam = QStringLiteral("Voeders[%1]").arg(f);
        const QJsonValue rij = voeders[f];
        if (!rij.isArray() || rij.toArray().size() != 7) {
            l.Verkeerd(naam, "een lijst van 7 getallen");
            break;
        }
        for (qsizetype w = 0; w < 7 && l.Ok(); ++w)
            l.Getal(rij.toArray()[w], QStringLiteral("%1[%2]").arg(naam).arg(w),
                    in.Voeders[static_cast<std::size_t>(f)][static_cast<std::size_t>(w)]);
    }
    l.Getallen("Gras", in.Gras);
    l.Getal("Biomassa05", in.Biomassa05);
    l.Geheel("AantalMestflatten", in.AantalMestflatten);
    l.Geheel("AantalUrinelozingen", in.AantalUrinelozingen);
    l.Getal("OppMestflat", in.OppMestflat);
    l.Getal("OppUrineplek", in.OppUrineplek);
    const QJsonArray alternatieven = l.Lijst("Alternatief", 2, "objecten");
    for (qsizetype j = 0; j < 2 && l.Ok(); ++j) {
        const QString naam = QStringLiteral("Alternatief[%1]").arg(j);
        if (!alternatieven[j].isObject()) {
            l.Verkeerd(naam, "een object");
            break;
        }
        const QJsonObject alt = alternatieven[j].toObject();
        Lezer a(alt, naam);
        a.Geheel("Soort", in.Alternatief[static_cast<std::size_t>(j)].Soort);
        a.Getal("Waarde", in.Alternatief[static_cast<std::size_t>(j)].Waarde);
        a.GeenOnbekende();
        l.Neem(a);
    }
    l.GeenOnbekende();
    // The model needs at least one cow: the area per cow divides by the number of cows.
    if (l.Ok() && !(in.AantalKoeien > 0.0f)) l.Verkeerd(QStringLiteral("AantalKoeien"), "groter dan 0");
    if (l.Ok()) ControleerBereik(l, in);
    if (l.Ok()) ControleerSommen(l, in);
    if (l.Ok()) ControleerCodes(l, in);
    fout = l.Fout();
    return l.Ok();
}

QString DubbeleSleutel(const QByteArray& json) {
    struct Niveau {
        bool object = false;
        QString pad;
        QSet<QString> sleutels;
        QString sleutel; // the last key of an object
        int index = 0;   // the element of an array
        bool wachtOpSleutel = false;
    };
    std::vector<Niveau> stapel;
    // The place of a value that begins now, in the container on top.
    const auto plaats = [&stapel]() -> QString {
        if (stapel.empty()) return {};
        const Niveau& n = stapel.back();
        if (n.object) return n.pad.isEmpty() ? n.sleutel : n.pad + QLatin1Char('.') + n.sleutel;
        return n.pad + QStringLiteral("[%1]").arg(n.index);
    };
    const qsizetype lengte = json.size();
    for (qsizetype i = 0; i < lengte; ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            Niveau n;
            n.object = c == '{';
            n.pad = plaats();
            n.wachtOpSleutel = n.object;
            stapel.push_back(std::move(n));
        } else if (c == '}' || c == ']') {
            if (!stapel.empty()) stapel.pop_back();
        } else if (c == ',') {
            if (stapel.empty()) continue;
            if (stapel.back().object)
                stapel.back().wachtOpSleutel = true;
            else
                ++stapel.back().index;
        } else if (c == ':') {
            if (!stapel.empty()) stapel.back().wachtOpSleutel = false;
        } else if (c == '"') {
            const qsizetype begin = i;
            bool escape = false;
            for (++i; i < lengte; ++i) {
                if (escape)
                    escape = false;
                else if (json[i] == '\\')
                    escape = true;
                else if (json[i] == '"')
                    break;
            }
            if (stapel.empty() || !stapel.back().object || !stapel.back().wachtOpSleutel) continue;
            const QByteArray tekst = json.mid(begin, i - begin + 1);
            // A key with escapes is compared as the text it stands for.
            const QString sleutel = tekst.contains('\\')
                                        ? QJsonDocument::fromJson("[" + tekst + "]").array().at(0).toString()
                                        : QString::fromUtf8(tekst.mid(1, tekst.size() - 2));
            Niveau& n = stapel.back();
            n.sleutel = sleutel;
            if (n.sleutels.contains(sleutel)) return plaats();
            n.sleutels.insert(sleutel);
        }
    }
    return {};
}

QJsonObject InvoerNaarJson(const TQXInvoer& in) {
    QJsonObject o;
    o.insert(QStringLiteral("AantalKoeien"), J(in.AantalKoeien));
    o.insert(QStringLiteral("Melknivo"), J(in.Melknivo));
    o.insert(QStringLiteral("PercPar"), NaarLijst(in.PercPar));
    o.insert(QStringLiteral("PercRas"), NaarLijst(in.PercRas));
    o.insert(QStringLiteral("Tussenkalftijd"), in.Tussenkalftijd);
    o.insert(QStringLiteral("Gewicht"), J(in.Gewicht));
    o.insert(QStringLiteral("Aandeel"), NaarLijst(in.Aandeel));
    o.insert(QStringLiteral("Melk"), NaarLijst(in.Melk));
    o.insert(QStringLiteral("Vet"), NaarLijst(in.Vet));
    o.insert(QStringLiteral("Eiwit"), NaarLijst(in.Eiwit));
    o.insert(QStringLiteral("Inschaardag"), in.Inschaardag);
    QJsonObject vorige;
    vorige.insert(QStringLiteral("Gebruik"), QString::fromStdString(in.VorigeSnede.Gebruik));
    vorige.insert(QStringLiteral("Gebloot"), in.VorigeSnede.Gebloot);
    vorige.insert(QStringLiteral("Dagen"), J(in.VorigeSnede.Dagen));
    vorige.insert(QStringLiteral("Rest"), J(in.VorigeSnede.Rest));
    o.insert(QStringLiteral("VorigeSnede"), vorige);
    o.insert(QStringLiteral("UrenWeidegang"), in.UrenWeidegang);
    o.insert(QStringLiteral("Ontwatering"), in.Ontwatering);
    o.insert(QStringLiteral("PerceelOpp"), J(in.PerceelOpp));
    o.insert(QStringLiteral("Grondsoort"), QString::fromStdString(in.Grondsoort));
    o.insert(QStringLiteral("Systeem"), QString::fromStdString(in.Systeem));
    o.insert(QStringLiteral("Zode"), QString::fromStdString(in.Zode));
    o.insert(QStringLiteral("Engelsraai"), QString::fromStdString(in.Engelsraai));
    o.insert(QStringLiteral("Jaargift"), QString::fromStdString(in.Jaargift));
    o.insert(QStringLiteral("Grasaanbod"), J(in.Grasaanbod));
    o.insert(QStringLiteral("Hergroeiduur"), J(in.Hergroeiduur));
    o.insert(QStringLiteral("KrachtvoerKlasse"), NaarLijst(in.KrachtvoerKlasse));
    QJsonArray voeders;
    for (const auto& rij : in.Voeders) voeders.append(NaarLijst(rij));
    o.insert(QStringLiteral("Voeders"), voeders);
    o.insert(QStringLiteral("Gras"), NaarLijst(in.Gras));
    o.insert(QStringLiteral("Biomassa05"), J(in.Biomassa05));
    o.insert(QStringLiteral("AantalMestflatten"), in.AantalMestflatten);
    o.insert(QStringLiteral("AantalUrinelozingen"), in.AantalUrinelozingen);
    o.insert(QStringLiteral("OppMestflat"), J(in.OppMestflat));
    o.insert(QStringLiteral("OppUrineplek"), J(in.OppUrineplek));
    QJsonArray alternatieven;
    for (const auto& alt : in.Alternatief)
        alternatieven.append(
            QJsonObject{{QStringLiteral("Soort"), alt.Soort}, {QStringLiteral("Waarde"), J(alt.Waarde)}});
    o.insert(QStringLiteral("Alternatief"), alternatieven);
    return o;
}

QJsonObject UitvoerNaarJson(const TQXUitvoer& uit) {
    QJsonArray arsam;
    for (std::size_t kolom = 2; kolom <= 4; ++kolom) {
        QJsonArray rijen;
        for (std::size_t rij = 1; rij <= 30; ++rij)
            rijen.append(QString::fromStdString(uit.arsam[kolom][rij]));
        arsam.append(rijen);
    }
    QJsonObject detail;
    for (const auto& veld : DetailVelden) {
        QJsonArray varianten;
        for (const auto& stappen : uit.*veld.veld) {
            QJsonArray teksten;
            for (const auto& t : stappen) teksten.append(QString::fromStdString(t));
            varianten.append(teksten);
        }
        detail.insert(QLatin1String(veld.naam), varianten);
    }
    return QJsonObject{{QStringLiteral("arsam"), arsam}, {QStringLiteral("detail"), detail}};
}

} // namespace korvalinde

namespace korvalinde {

namespace {

// A string as the JSON writer writes it, with its quotes (the writer's own escaping).
void JsonTekst(QByteArray& uit, const QString& tekst) {
    const QByteArray lijst = QJsonDocument(QJsonArray{tekst}).toJson(QJsonDocument::Compact);
    uit.append(lijst.constData() + 1, lijst.size() - 2); // without "[" and "]"
}

// A result text: digits, signs and points need no escaping; anything else goes through the writer.
void ResultaatTekst(QByteArray& uit, const std::string& tekst) {
    for (const char c : tekst)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == ' ' || c == 'e' ||
              c == 'E')) {
            JsonTekst(uit, QString::fromStdString(tekst));
            return;
        }
    uit += '"';
    uit.append(tekst.data(), static_cast<qsizetype>(tekst.size()));
    uit += '"';
}

void Inspringen(QByteArray& uit, int niveau) {
    uit.append(QByteArray(qsizetype{4} * niveau, ' '));
}

// A list of result texts, one per line, at `niveau`; the opening bracket is already written.
template <class Teksten> void TekstLijst(QByteArray& uit, const Teksten& teksten, int niveau) {
    uit += "[\n";
    bool eerste = true;
    for (const auto& t : teksten) {
        if (!eerste) uit += ",\n";
        eerste = false;
        Inspringen(uit, niveau + 1);
        ResultaatTekst(uit, t);
    }
    uit += '\n';
    Inspringen(uit, niveau);
    uit += ']';
}

} // namespace

void SchrijfResultaatJson(QByteArray& uit, const TQXInvoer& invoer, const TQXUitvoer& uitvoer,
                          const QString& fout, const QString* bestand, int niveau) {
    const int n = niveau;
    uit += "{\n";
    if (bestand) {
        Inspringen(uit, n + 1);
        uit += "\"bestand\": ";
        JsonTekst(uit, *bestand);
        uit += ",\n";
    }
    Inspringen(uit, n + 1);
    uit += "\"fout\": ";
    if (fout.isEmpty())
        uit += "null";
    else
        JsonTekst(uit, fout);
    uit += ",\n";
    Inspringen(uit, n + 1);
    uit += "\"invoer\": ";
    // The input record is small: the writer's own text, indented to its place.
    QByteArray in = QJsonDocument(InvoerNaarJson(invoer)).toJson(QJsonDocument::Indented);
    if (in.endsWith('\n')) in.chop(1);
    in.replace("\n", QByteArray("\n") + QByteArray(qsizetype{4} * (n + 1), ' '));
    uit += in;
    uit += ",\n";
    Inspringen(uit, n + 1);
    uit += "\"uitvoer\": {\n";
    Inspringen(uit, n + 2);
    uit += "\"arsam\": [\n";
    for (std::size_t kolom = 2; kolom <= 4; ++kolom) {
        Inspringen(uit, n + 3);
        TekstLijst(uit, std::span(uitvoer.arsam[kolom]).subspan(1, 30), n + 3);
        uit += kolom < 4 ? ",\n" : "\n";
    }
    Inspringen(uit, n + 2);
    uit += "],\n";
    Inspringen(uit, n + 2);
    uit += "\"detail\": {\n";
    // The keys in the order the JSON object keeps them: sorted.
    std::array<const DetailVeld*, DetailVelden.size()> velden{};
    for (std::size_t i = 0; i < velden.size(); ++i) velden[i] = &DetailVelden[i];
    std::sort(velden.begin(), velden.end(),
              [](const DetailVeld* a, const DetailVeld* b) { return std::strcmp(a->naam, b->naam) < 0; });
    for (std::size_t i = 0; i < velden.size(); ++i) {
        Inspringen(uit, n + 3);
        uit += '"';
        uit += velden[i]->naam;
        uit += "\": [\n";
        const auto& varianten = uitvoer.*(velden[i]->veld);
        for (std::size_t v = 0; v < varianten.size(); ++v) {
            Inspringen(uit, n + 4);
            TekstLijst(uit, varianten[v], n + 4);
            uit += v + 1 < varianten.size() ? ",\n" : "\n";
        }
        Inspringen(uit, n + 3);
        uit += i + 1 < velden.size() ? "],\n" : "]\n";
    }
    Inspringen(uit, n + 2);
    uit += "}\n";
    Inspringen(uit, n + 1);
    uit += "}\n";
    Inspringen(uit, n);
    uit += '}';
}

} // namespace korvalinde
