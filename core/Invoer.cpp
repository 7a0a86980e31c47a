#include "core/Invoer.h"

#include "core/Meldingen.h"
#include "domain/Algemeen.h"
#include "domain/Formaat.h"

#include <cmath>

namespace korvalinde {

namespace {

bool LeesTekst(const QString& tekst, long double& waarde) {
    return LeesGetal(tekst.toStdString(), waarde);
}

QString Formaat(const char* patroon, long double waarde) {
    return QString::fromStdString(FormatFloat(patroon, waarde));
}

} // namespace

// ---------------------------------------------------------------------------------------------

TInvoer::TInvoer(const QString& naam, const QString& label, QObject* parent)
    : QObject(parent), label_(label) {
    setObjectName(naam);
}

void TInvoer::ZetZichtbaar(bool zichtbaar) {
    if (zichtbaar == zichtbaar_) return;
    zichtbaar_ = zichtbaar;
    emit Bijgewerkt();
}

void TInvoer::ZetHint(const QString& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    emit Bijgewerkt();
}

// ---------------------------------------------------------------------------------------------

TGetalInvoer::TGetalInvoer(const QString& naam, const QString& label, QObject* parent)
    : TInvoer(naam, label, parent) {}

void TGetalInvoer::ZetGeheel(bool geheel) {
    if (geheel == geheel_) return;
    geheel_ = geheel;
    emit Bijgewerkt();
}

void TGetalInvoer::ZetBereik(double minimum, double maximum) {
    min_ = minimum;
    max_ = maximum;
    emit Bijgewerkt();
}

void TGetalInvoer::ZetDecimal(int decimalen) {
    decimalen_ = qBound(0, decimalen, 15);
    emit Bijgewerkt();
}

double TGetalInvoer::Begrensd(double waarde) const {
    if (std::isnan(waarde)) waarde = min_;
    if (max_ != min_) waarde = qBound(min_, waarde, max_);
    if (geheel_) waarde = static_cast<double>(Round(waarde));
    return waarde;
}

double TGetalInvoer::Value() const {
    long double waarde = 0;
    if (!LeesTekst(tekst_, waarde)) waarde = min_;
    return Begrensd(static_cast<double>(waarde));
}

QString TGetalInvoer::TekstVoor(double waarde) const {
    waarde = Begrensd(waarde);
    if (geheel_) return QString::number(static_cast<qlonglong>(waarde));
    std::string patroon = "0";
    if (decimalen_ > 0) patroon += "." + std::string(static_cast<std::size_t>(decimalen_), '0');
    return QString::fromStdString(FormatFloat(patroon, waarde));
}

void TGetalInvoer::SetText(const QString& tekst) {
    if (tekst == tekst_) return;
    tekst_ = tekst;
    emit Bijgewerkt();
    emit Wijziging();
}

void TGetalInvoer::SetValue(double waarde) {
    SetText(TekstVoor(waarde));
}

void TGetalInvoer::TypDoorGebruiker(const QString& tekst) {
    if (tekst == tekst_) return;
    SetText(tekst);
    emit DoorGebruiker();
}

void TGetalInvoer::Stap(int n) {
    const QString voor = tekst_;
    SetValue(Value() + n * stap_);
    if (tekst_ != voor) emit DoorGebruiker();
}

void TGetalInvoer::Herformatteer() {
    // Like the control: only a number outside the range (or a fraction in a whole-numbered input)
    // is rewritten; an empty or unreadable text stays as it is.
    long double ruw = 0;
    if (!LeesTekst(tekst_, ruw)) return;
    const double waarde = static_cast<double>(ruw);
    if (Begrensd(waarde) != waarde) SetValue(waarde);
}

int TGetalInvoer::MaxLength() const {
    if (maxLengte_ <= 0) return 0;
    // The longest text of the range lies at one of its bounds: every value between them has no
    // more digits than the larger bound and a sign only when the minimum has one.
    const auto bereik = static_cast<int>(qMax(TekstVoor(min_).size(), TekstVoor(max_).size()));
    return qMax(maxLengte_, bereik);
}

bool TGetalInvoer::TekstToegestaan(const QString& tekst) const {
    // Blanks around the number do not count: the result table writes its numbers with leading
    // blanks, and the alternatives' value fields take them over as they stand.
    qsizetype begin = 0;
    qsizetype eind = tekst.size();
    while (begin < eind && tekst.at(begin) == u' ') ++begin;
    while (eind > begin && tekst.at(eind - 1) == u' ') --eind;
    const int lengte = MaxLength();
    if (lengte > 0 && eind - begin > lengte) return false;
    int punten = 0;
    int exponenten = 0;
    for (const QChar c : tekst) {
        if (c.isDigit() && c.unicode() < 128) continue;
        if (c == u'+' || c == u'-' || c == u' ') continue;
        if (!geheel_ && c == u'.' && ++punten == 1) continue;
        if (!geheel_ && (c == u'e' || c == u'E') && ++exponenten == 1) continue;
        return false;
    }
    return true;
}

bool TGetalInvoer::GetyptToegestaan(QString& tekst) const {
    if (!geheel_) tekst.replace(u',', u'.');
    return TekstToegestaan(tekst);
}

QString TGetalInvoer::BereikTekst() const {
    const char* patroon = decimalen_ != 0 ? "0.0" : "0";
    return QStringLiteral("Minimum: ") + Formaat(patroon, min_) + QStringLiteral("  -  ") +
           QStringLiteral("Maximum: ") + Formaat(patroon, max_);
}

// ---------------------------------------------------------------------------------------------

TKeuzeInvoer::TKeuzeInvoer(const QString& naam, const QString& label, const QStringList& items,
                           QObject* parent)
    : TInvoer(naam, label, parent), items_(items) {}

void TKeuzeInvoer::ZetItems(const QStringList& items) {
    items_ = items;
    index_ = -1;
    tekst_.clear();
    emit Bijgewerkt();
}

void TKeuzeInvoer::KiesItem(int index) {
    if (index < 0 || index >= items_.size()) index = -1;
    const QString tekst = index >= 0 ? items_.at(index) : QString();
    if (index == index_ && tekst == tekst_) return;
    index_ = index;
    tekst_ = tekst;
    emit Bijgewerkt();
}

void TKeuzeInvoer::KiesDoorGebruiker(int index) {
    if (index < 0 || index >= items_.size()) return;
    if (index == index_ && items_.at(index) == tekst_) return;
    KiesItem(index);
    emit DoorGebruiker();
    emit Wijziging();
}

void TKeuzeInvoer::TypDoorGebruiker(const QString& tekst) {
    const int index = static_cast<int>(items_.indexOf(tekst));
    if (alleenItems_) {
        int item = index;
        for (int i = 0; i < items_.size() && item < 0; ++i)
            if (items_.at(i).trimmed().compare(tekst.trimmed(), Qt::CaseInsensitive) == 0) item = i;
        if (item >= 0 && (item != index_ || items_.at(item) != tekst_)) {
            KiesDoorGebruiker(item);
            return;
        }
        // The same item, or none: the field shows the item again, first, so that a box saying the
        // refusal (which takes the focus from the field) finds nothing typed left to hand in.
        emit Bijgewerkt();
        if (item < 0) emit Geweigerd(tekst);
        return;
    }
    if (index == index_ && tekst == tekst_) return;
    index_ = index;
    tekst_ = tekst;
    emit Bijgewerkt();
    emit DoorGebruiker();
    emit Wijziging();
}

// ---------------------------------------------------------------------------------------------

TTabel::TTabel(const QString& naam, int tag, int kolommen, int rijen, int vasteRijen, int dataBreedte,
               QObject* parent)
    : TInvoer(naam, QString(), parent), kolommen_(kolommen), rijen_(rijen), vasteRijen_(vasteRijen),
      dataBreedte_(dataBreedte), cellen_(static_cast<qsizetype>(kolommen) * rijen) {
    ZetTag(tag);
}

QString TTabel::Cel(int kolom, int rij) const {
    if (!Bestaat(kolom, rij)) return {};
    return cellen_.at(rij * kolommen_ + kolom);
}

void TTabel::ZetCel(int kolom, int rij, const QString& tekst) {
    if (!Bestaat(kolom, rij)) return;
    QString& cel = cellen_[rij * kolommen_ + kolom];
    if (cel == tekst) return;
    cel = tekst;
    emit CelGewijzigd(kolom, rij);
}

void TTabel::BewerkDoorGebruiker(int kolom, int rij, const QString& tekst) {
    if (!Bestaat(kolom, rij)) return;
    vorigeTekst_ = Cel(kolom, rij);
    ZetCel(kolom, rij, tekst);
    if (vorigeTekst_ != tekst) emit DoorGebruiker();
    emit SetEditText(kolom, rij);
}

void TTabel::ZetBewerkbaar(bool bewerkbaar) {
    if (bewerkbaar == bewerkbaar_) return;
    bewerkbaar_ = bewerkbaar;
    emit Bijgewerkt();
}

void TTabel::SelecteerDoorGebruiker(int kolom, int rij) {
    if (!Bestaat(kolom, rij)) return;
    selKolom_ = kolom;
    selRij_ = rij;
    emit SelectCell(kolom, rij);
    emit Bijgewerkt();
}

void TTabel::WisSelectie() {
    if (selKolom_ < 0 && selRij_ < 0) return;
    selKolom_ = -1;
    selRij_ = -1;
    emit Bijgewerkt();
}

// ---------------------------------------------------------------------------------------------

TDagInvoer::TDagInvoer(const QString& naam, const QString& label, QObject* parent)
    : TInvoer(naam, label, parent) {}

void TDagInvoer::ZetTekst(const QString& tekst) {
    if (tekst == tekst_) return;
    tekst_ = tekst;
    emit Bijgewerkt();
}

void TDagInvoer::TypDoorGebruiker(const QString& tekst) {
    if (tekst == tekst_) return;
    ZetTekst(tekst);
    emit DoorGebruiker();
}

int TDagInvoer::Waarde() const {
    long double waarde = 0;
    if (!LeesTekst(tekst_, waarde)) return 0;
    // Far beyond any day and month: read as no date rather than overflow.
    if (std::fabs(waarde) >= 1.0e9L) return 0;
    return static_cast<int>(Round(waarde));
}

QString TDagInvoer::Controle(long long ddmm) {
    static const int dagenInMaand[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const long long maand = ddmm % 100;
    if (maand < 1 || maand > 12) return QStringLiteral("Ongeldige maand ingegeven");
    const long long dag = ddmm / 100;
    if (dag < 1 || dag > dagenInMaand[maand]) return QStringLiteral("Ongeldige dag ingegeven");
    return {};
}

int TDagInvoer::DagNummer(int ddmm) {
    static const int dagenVoorMaand[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return dagenVoorMaand[ddmm % 100] + ddmm / 100;
}

int TDagInvoer::DagMaand(int dag) {
    int maand = 12;
    while (maand > 1 && DagNummer(100 + maand) > dag) --maand;
    return (dag - DagNummer(100 + maand) + 1) * 100 + maand;
}

int TDagInvoer::DagVanHetJaar() const {
    const int n = Waarde();
    const QString fout = Controle(n);
    if (!fout.isEmpty()) throw EKorvalindeFout(fout);
    return DagNummer(n);
}

// ---------------------------------------------------------------------------------------------
// Copies between input sets.

void TInvoer::NeemToestandOver(const TInvoer& bron) {
    label_ = bron.label_;
    tag_ = bron.tag_;
    zichtbaar_ = bron.zichtbaar_;
    hint_ = bron.hint_;
}

void TGetalInvoer::NeemToestandOver(const TInvoer& bron) {
    TInvoer::NeemToestandOver(bron);
    const auto& b = static_cast<const TGetalInvoer&>(bron);
    geheel_ = b.geheel_;
    min_ = b.min_;
    max_ = b.max_;
    stap_ = b.stap_;
    decimalen_ = b.decimalen_;
    maxLengte_ = b.maxLengte_;
    tekst_ = b.tekst_;
}

void TKeuzeInvoer::NeemToestandOver(const TInvoer& bron) {
    TInvoer::NeemToestandOver(bron);
    const auto& b = static_cast<const TKeuzeInvoer&>(bron);
    items_ = b.items_;
    index_ = b.index_;
    tekst_ = b.tekst_;
    alleenItems_ = b.alleenItems_;
}

void TTabel::NeemToestandOver(const TInvoer& bron) {
    TInvoer::NeemToestandOver(bron);
    const auto& b = static_cast<const TTabel&>(bron);
    kolommen_ = b.kolommen_;
    rijen_ = b.rijen_;
    vasteRijen_ = b.vasteRijen_;
    dataBreedte_ = b.dataBreedte_;
    vasteKolommen_ = b.vasteKolommen_;
    rijHoogte_ = b.rijHoogte_;
    alleenLezen_ = b.alleenLezen_;
    breedtes_ = b.breedtes_;
    cellen_ = b.cellen_;
    vorigeTekst_ = b.vorigeTekst_;
    bewerkbaar_ = b.bewerkbaar_;
    selKolom_ = b.selKolom_;
    selRij_ = b.selRij_;
}

void TDagInvoer::NeemToestandOver(const TInvoer& bron) {
    TInvoer::NeemToestandOver(bron);
    tekst_ = static_cast<const TDagInvoer&>(bron).tekst_;
}

} // namespace korvalinde
