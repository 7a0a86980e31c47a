#include "core/Versie.h"

namespace korvalinde {

namespace {

QString TrimBesturing(const QString& tekst) {
    qsizetype begin = 0;
    qsizetype eind = tekst.size();
    while (begin < eind && tekst.at(begin).unicode() <= 0x20) ++begin;
    while (eind > begin && tekst.at(eind - 1).unicode() <= 0x20) --eind;
    return tekst.mid(begin, eind - begin);
}

} // namespace

QString VersieTekst(const QString& formaat) {
    const QString tekst = QString::fromLatin1(ProgrammaVersieTekst);
    const QString naam = QString::fromLatin1(ProgrammaNaam);
    const qsizetype streep = tekst.indexOf(QLatin1Char('-'));
    const QString versie = streep < 0 ? tekst.mid(naam.size()) : tekst.mid(naam.size(), streep - naam.size());
    const QString datum = streep < 0 ? QString() : tekst.mid(streep + 1, 100);

    QString uit;
    const QString letters = formaat.toUpper();
    for (qsizetype i = 0; i < letters.size(); ++i) {
        const QChar c = letters.at(i);
        if (c == QLatin1Char('P'))
            uit += naam;
        else if (c == QLatin1Char('V'))
            uit += versie;
        else if (c == QLatin1Char('D'))
            uit += i == 0 ? datum : QStringLiteral("-") + datum;
    }
    return TrimBesturing(uit);
}

} // namespace korvalinde
