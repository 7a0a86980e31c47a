#include "core/CsvUitvoer.h"

#include "core/Berekening.h"
#include "domain/Formaat.h"

namespace korvalinde {

namespace {

const char* const VariantNamen[AantalVarianten] = {"Basis", "Alternatief 1", "Alternatief 1+2"};

QString Tekst(const std::string& t) {
    return QString::fromStdString(t).trimmed();
}

} // namespace

QString CsvVeld(const QString& tekst) {
    if (!tekst.contains(QLatin1Char(',')) && !tekst.contains(QLatin1Char('"')) &&
        !tekst.contains(QLatin1Char('\n')) && !tekst.contains(QLatin1Char('\r')))
        return tekst;
    QString t = tekst;
    t.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

void CsvRegel(QByteArray& uit, const QStringList& velden) {
    QStringList v;
    v.reserve(velden.size());
    for (const QString& veld : velden) v << CsvVeld(veld);
    uit += v.join(QLatin1Char(',')).toUtf8();
    uit += "\r\n";
}

void CsvSamenvattingKop(QByteArray& uit) {
    QStringList kop{QStringLiteral("bestand"), QStringLiteral("rij"), QStringLiteral("omschrijving"),
                    QStringLiteral("eenheid")};
    for (const char* naam : VariantNamen) kop << QString::fromLatin1(naam);
    CsvRegel(uit, kop);
}

void CsvSamenvatting(QByteArray& uit, const QString& bestand, const TQXUitvoer& uitvoer) {
    for (const TSamenvattingRij& r : SamenvattingRijen()) {
        QStringList regel{bestand, QString::number(r.rij), QString::fromLatin1(r.label).trimmed(),
                          QString::fromLatin1(r.eenheid).trimmed()};
        for (int kolom = KolBasis; kolom <= KolAlt12; ++kolom)
            regel << Tekst(uitvoer.arsam[static_cast<std::size_t>(kolom)][static_cast<std::size_t>(r.rij)]);
        CsvRegel(uit, regel);
    }
}

void CsvDetailKop(QByteArray& uit) {
    QStringList kop{QStringLiteral("bestand"), QStringLiteral("variant"), QStringLiteral("dag")};
    for (const TDetailKolomOpzet& k : DetailKolommen()) {
        QStringList delen;
        for (const char* deel : k.kop)
            if (!QString::fromLatin1(deel).trimmed().isEmpty()) delen << QString::fromLatin1(deel).trimmed();
        kop << delen.join(QLatin1Char(' '));
    }
    CsvRegel(uit, kop);
}

void CsvDetail(QByteArray& uit, const QString& bestand, const TQXUitvoer& uitvoer) {
    for (std::size_t v = 0; v < AantalVarianten; ++v)
        for (std::size_t stap = 0; stap <= AantalStappen; ++stap) {
            QStringList waarden;
            bool gevuld = false;
            for (const TDetailKolomOpzet& k : DetailKolommen()) {
                waarden << Tekst((uitvoer.*k.veld)[v][stap]);
                gevuld = gevuld || !waarden.back().isEmpty();
            }
            if (!gevuld) continue;
            const QString dag =
                QString::fromStdString(FormatFloat("0.0", static_cast<long double>(stap) * 0.5L));
            CsvRegel(uit, QStringList{bestand, QString::fromLatin1(VariantNamen[v]), dag} + waarden);
        }
}

} // namespace korvalinde
