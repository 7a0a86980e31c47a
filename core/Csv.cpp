#include "core/Csv.h"

#include "core/Invoer.h"

#include <QSet>

#include <algorithm>

namespace korvalinde {

namespace {

const char* const VariantNamen[3] = {"Basis", "Alternatief 1", "Alternatief 1+2"};

} // namespace

QString CsvVeld(const QString& tekst) {
    if (!tekst.contains(QLatin1Char(',')) && !tekst.contains(QLatin1Char('"')) &&
        !tekst.contains(QLatin1Char('\n')) && !tekst.contains(QLatin1Char('\r')))
        return tekst;
    QString t = tekst;
    t.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString CsvRegel(const QStringList& velden) {
    QStringList v;
    v.reserve(velden.size());
    for (const QString& veld : velden) v << CsvVeld(veld);
    return v.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

QString VariantNaam(int variant) {
    if (variant < 0 || variant > 2) return {};
    return QString::fromLatin1(VariantNamen[variant]);
}

QStringList SamenvattingKopVelden(const TTabel& samenvatting) {
    QStringList kop{QStringLiteral("bestand"), QStringLiteral("rij"), QStringLiteral("omschrijving"),
                    QStringLiteral("eenheid")};
    for (int kolom = samenvatting.FixedCols(); kolom < samenvatting.ColCount(); ++kolom)
        kop << samenvatting.Cel(kolom, 0).trimmed();
    return kop;
}

QList<QStringList> SamenvattingRegels(const TTabel& samenvatting, const QString& bestand) {
    QList<QStringList> regels;
    for (int rij = samenvatting.FixedRows(); rij < samenvatting.RowCount(); ++rij) {
        const QString label = samenvatting.Cel(0, rij).trimmed();
        if (label.isEmpty()) continue;
        QStringList regel{bestand, QString::number(rij), label, samenvatting.Cel(1, rij).trimmed()};
        for (int kolom = samenvatting.FixedCols(); kolom < samenvatting.ColCount(); ++kolom)
            regel << samenvatting.Cel(kolom, rij).trimmed();
        regels << regel;
    }
    return regels;
}

QStringList DetailKopVelden(const TTabel& detail) {
    QStringList kop{QStringLiteral("bestand"), QStringLiteral("variant"), QStringLiteral("dag")};
    for (int kolom = detail.FixedCols(); kolom < detail.ColCount(); ++kolom) {
        QStringList delen;
        for (int rij = 0; rij < detail.FixedRows(); ++rij) {
            const QString deel = detail.Cel(kolom, rij).trimmed();
            if (!deel.isEmpty()) delen << deel;
        }
        kop << delen.join(QLatin1Char(' '));
    }
    return kop;
}

QList<QStringList> DetailRegels(const TTabel& detail, const QString& variant, const QString& bestand) {
    QList<QStringList> regels;
    for (int rij = detail.FixedRows(); rij < detail.RowCount(); ++rij) {
        QStringList waarden;
        bool gevuld = false;
        for (int kolom = detail.FixedCols(); kolom < detail.ColCount(); ++kolom) {
            waarden << detail.Cel(kolom, rij).trimmed();
            gevuld = gevuld || !waarden.back().isEmpty();
        }
        // Half days the model did not reach stay blank in the table and are left out.
        if (!gevuld) continue;
        QString dag = detail.Cel(0, rij).trimmed();
        dag.remove(QLatin1String("Dag "));
        regels << (QStringList{bestand, variant, dag} + waarden);
    }
    return regels;
}

bool TabelVelden(const TTabel& tabel, const QString& bestand, QStringList& kop, QList<QStringList>& regels) {
    switch (tabel.Inhoud()) {
    case TabelInhoud::Samenvatting:
        kop = SamenvattingKopVelden(tabel);
        regels = SamenvattingRegels(tabel, bestand);
        return true;
    case TabelInhoud::Detail: {
        const QString variant = VariantNaam(tabel.Variant());
        if (variant.isEmpty()) return false;
        kop = DetailKopVelden(tabel);
        regels = DetailRegels(tabel, variant, bestand);
        return true;
    }
    case TabelInhoud::Invoer:
        break;
    }
    return false;
}

namespace {

QString CsvRegels(const QList<QStringList>& regels) {
    QString uit;
    for (const QStringList& regel : regels) uit += CsvRegel(regel);
    return uit;
}

} // namespace

QString CsvSamenvattingKop(const TTabel& samenvatting) {
    return CsvRegel(SamenvattingKopVelden(samenvatting));
}

QString CsvSamenvatting(const TTabel& samenvatting, const QString& bestand) {
    return CsvRegels(SamenvattingRegels(samenvatting, bestand));
}

QString CsvDetailKop(const TTabel& detail) {
    return CsvRegel(DetailKopVelden(detail));
}

QString CsvDetail(const TTabel& detail, const QString& variant, const QString& bestand) {
    return CsvRegels(DetailRegels(detail, variant, bestand));
}

QString CsvTabel(const TTabel& tabel, const QString& bestand) {
    QStringList kop;
    QList<QStringList> regels;
    if (!TabelVelden(tabel, bestand, kop, regels)) return {};
    return CsvRegel(kop) + CsvRegels(regels);
}

QString TabGescheiden(const TTabel& tabel, const QList<QPoint>& cellen) {
    QSet<QPoint> gekozen;
    QList<int> kolommen;
    QList<int> rijen;
    for (const QPoint& cel : cellen) {
        if (!tabel.Bestaat(cel.x(), cel.y()) || tabel.IsVast(cel.x(), cel.y())) continue;
        gekozen.insert(cel);
        if (!kolommen.contains(cel.x())) kolommen << cel.x();
        if (!rijen.contains(cel.y())) rijen << cel.y();
    }
    if (gekozen.isEmpty()) return {};
    std::sort(kolommen.begin(), kolommen.end());
    std::sort(rijen.begin(), rijen.end());
    QString uit;
    auto regel = [&](int rij, bool kop) {
        QStringList velden;
        for (int kolom = 0; kolom < tabel.FixedCols(); ++kolom) velden << tabel.Cel(kolom, rij).trimmed();
        for (const int kolom : kolommen)
            velden << (kop || gekozen.contains(QPoint(kolom, rij)) ? tabel.Cel(kolom, rij).trimmed()
                                                                   : QString());
        uit += velden.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    for (int rij = 0; rij < tabel.FixedRows(); ++rij) regel(rij, true);
    for (const int rij : rijen) regel(rij, false);
    return uit;
}

} // namespace korvalinde
