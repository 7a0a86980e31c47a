// The product-support window: purpose of the program, the user's responsibility, the disclaimer
// and the credits. The program shows it by itself when the main window is first activated, unless
// the user switched that off with its check box or the menu entry "...&tonen bij opstarten"; that
// choice is kept in the settings file, section "Gebruik", key "ProduktOndersteuning".
#pragma once

#include "programs/Tekstsecties.h"

#include <QPointer>

class QAction;
class QCheckBox;
class QFrame;
class QSettings;

namespace korvalinde {

inline constexpr char GebruikSectie[] = "Gebruik";
inline constexpr char ProduktOndersteuningSleutel[] = "ProduktOndersteuning";

// Reads a yes/no key as the settings file writes it: a whole number, 0 for no and any other for
// yes. A missing key, or a value that is no whole number, gives the default.
bool LeesJaNee(QSettings* instellingen, const QString& sectie, const QString& sleutel, bool standaard);

class TFrmInfotxt : public TTekstVenster {
    Q_OBJECT
  public:
    // The settings are not owned and may be null (then nothing is read or written).
    explicit TFrmInfotxt(QSettings* instellingen, QWidget* parent = nullptr);

    // Set once the window has been closed, in any way; from then on the main window's
    // activation no longer shows it.
    bool GeslotenGeweest = false;

    QFrame* PnlInfo;
    QCheckBox* ChkProduktOndersteuning;

    // The main window's check-mark entry that mirrors the setting (not owned).
    void KoppelMenu(QAction* mitProduktOndersteuningTonen);
    QAction* MenuItem() const { return menu_; }

    // The setting: read (missing: show) and written as "1" or "0".
    bool LeesInstelling() const;
    void SchrijfInstelling(bool tonen);

    // The check box changed: write its state, give the menu entry the same check mark.
    void ChkProduktOndersteuningClick();
    // The menu entry was chosen and its check mark is now `aangevinkt`: write it, then give the
    // check box the same state (whose own rule writes the same value again).
    void MitProduktOndersteuningTonenGekozen(bool aangevinkt);
    // The menu entry chosen from code: invert its check mark, then as above.
    void MitProduktOndersteuningTonenClick();

    // The main window became active: as long as this window has never been closed, read the
    // setting, set check box and check mark to it, and show the window when it says so.
    void ToonBijActivering();

  public slots:
    void done(int resultaat) override;

  private:
    QSettings* instellingen_;
    QPointer<QAction> menu_;
};

} // namespace korvalinde
