// Message boxes of the program in one small place: the kinds with their titles, the Dutch buttons,
// the interface through which every part of the program shows a box or opens an address, the
// process-wide instance, and a recording implementation for tests and for the batch calculator.
// The boxes on screen are components/Dialoogmelder, which the desktop program installs at its start.
#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <stdexcept>

namespace korvalinde {

// Kind of a box; it fixes the title and the symbol. `Gewoon` is the plain box with the
// program's name as its title and no symbol.
enum class MeldSoort { Fout, Waarschuwing, Informatie, Bevestig, Gewoon };

// Buttons of a box. `Geen` is the answer when the box was closed without a button.
enum class MeldKnop { Ja, Nee, OK, Annuleer, Geen };

using MeldKnoppen = QList<MeldKnop>;

// "Fout", "Waarschuwing", "Informatie", "Bevestig"; "Korvalinde" for the plain box.
QString MeldTitel(MeldSoort soort);
// "&Ja", "&Nee", "OK", "Annuleer"; empty for `Geen`.
QString KnopTekst(MeldKnop knop);

// Shows one modal box and returns the button the user chose; opens addresses for the user.
class TMelder {
  public:
    virtual ~TMelder() = default;
    // The buttons are shown in the given order; `Geen` when the box was closed without a button.
    virtual MeldKnop Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) = 0;
    // Asks the system to open the address with its default handler (a web page in the browser).
    // False when that failed.
    virtual bool OpenAdres(const QUrl& adres) = 0;

    // The usual boxes: an error or a plain message with only "OK", a question with "&Ja", "&Nee"
    // and "Annuleer".
    void Fout(const QString& tekst) { Toon(MeldSoort::Fout, tekst, {MeldKnop::OK}); }
    void Waarschuwing(const QString& tekst) { Toon(MeldSoort::Waarschuwing, tekst, {MeldKnop::OK}); }
    void Informatie(const QString& tekst) { Toon(MeldSoort::Informatie, tekst, {MeldKnop::OK}); }
    void Bericht(const QString& tekst) { Toon(MeldSoort::Gewoon, tekst, {MeldKnop::OK}); }
    MeldKnop Bevestig(const QString& tekst) {
        return Toon(MeldSoort::Bevestig, tekst, {MeldKnop::Ja, MeldKnop::Nee, MeldKnop::Annuleer});
    }
};

// Keeps every box that would have been shown and answers from a queue of prepared answers (the
// first button of the box when the queue is empty); keeps every address instead of opening it and
// answers `openLukt`. Used by tests and by programs without a screen.
class TOpnameMelder : public TMelder {
  public:
    struct Melding {
        MeldSoort soort;
        QString titel;
        QString tekst;
        MeldKnoppen knoppen;
    };

    MeldKnop Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) override;
    bool OpenAdres(const QUrl& adres) override;

    QList<Melding> meldingen;
    QList<MeldKnop> antwoorden;
    QList<QUrl> geopend;
    bool openLukt = true;

    // The texts of all boxes shown so far, in order.
    QStringList Teksten() const;
    void Wis() { meldingen.clear(); }
};

// Passes boxes on to another melder, each message at most once while it lives: one calculation
// attempt reads the inputs several times and would otherwise repeat the same box. Questions (boxes
// with more than one button) always pass.
class TEenmaligMelder : public TMelder {
  public:
    explicit TEenmaligMelder(TMelder& doel) : doel_(doel) {}
    MeldKnop Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) override;
    bool OpenAdres(const QUrl& adres) override { return doel_.OpenAdres(adres); }
    const QSet<QString>& Getoond() const { return getoond_; }

  private:
    TMelder& doel_;
    QSet<QString> getoond_;
};

// The melder of the whole program: the one installed with ZetStandaardMelder (not owned; the
// desktop program installs the boxes on screen, tests a TOpnameMelder). Without one, or after
// ZetStandaardMelder(nullptr), a silent TOpnameMelder of its own: a program without a screen
// never opens a box.
TMelder& StandaardMelder();
void ZetStandaardMelder(TMelder* melder);

// A failure with a Dutch message for the user. Rules raise it; the handler that started the rule,
// or the application's general error display, shows the message in a "Fout" box.
class EKorvalindeFout : public std::runtime_error {
  public:
    explicit EKorvalindeFout(const QString& melding) : std::runtime_error(melding.toStdString()) {}
    QString Melding() const { return QString::fromStdString(what()); }
};

} // namespace korvalinde
