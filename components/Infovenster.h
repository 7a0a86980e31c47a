// The about window: program name, abbreviation, version, version date, database-engine version,
// authors, loaded libraries, helpdesk and website. Built and filled by TZnInfoBox.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QStringList>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace korvalinde {

class TZnInfoBox;

// Moves a top-level window to the centre of the screen it is on (or the primary screen).
void ZnCentreerOpScherm(QWidget* venster);

// The program name as the about window shows it: at most 40 characters stay on one line; a longer
// name is split at the last blank among its first 40 characters (the blank dropped), or after the
// 40th character when there is no blank there.
QString ZnProgrammaNaamRegels(const QString& naam);

class TFrmInfo : public QDialog {
    Q_OBJECT
  public:
    explicit TFrmInfo(QWidget* parent = nullptr);

    // Fills the window from the component and lays it out (name on one or two lines, a wide
    // version pushing the rows below it down, the library list sizing the panel).
    void Vullen(const TZnInfoBox& box);

    // The picture shown when the component names no logo file or the file cannot be read.
    static QPixmap IngebouwdLogo();

    QLabel* ImgLogo;
    QFrame* PnlInfo;
    QLabel* LblProgrammaNaam;
    QLabel* LblKopProgramma;
    QLabel* LblProgrammaAfkorting;
    QLabel* LblKopVersie;
    QLabel* LblVersie;
    QLabel* LblKopDatum;
    QLabel* LblDatum;
    QLabel* LblKopBDEVersie;
    QLabel* LblBDEVersie;
    QLabel* LblKopProgrammeur;
    QLabel* LblProgrammeur;
    QLabel* LblKopDlls;
    QListWidget* LstDlls;
    QFrame* PnlVoet;
    QLabel* LblHelpdesk;
    QLabel* LblWebsite;
    QPushButton* BtnOK;

    // Height of the information panel as designed, before Vullen adjusts it.
    static constexpr int OntwerpHoogtePaneel = 216;
    static constexpr int RegelHoogteLijst = 13;
    static constexpr int VersieVerschuiving = 13;

  signals:
    // A click on the logo, the helpdesk line or the website line.
    void WebsiteGevraagd();

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Herschik(int paneelHoogte);
    bool gecentreerd_ = false;
};

} // namespace korvalinde
