// The desktop program: answers --help and --version without a window; otherwise opens the settings
// file, starts with the start window and the main window (which opens the scenario named on the
// command line when it is first shown) and runs until the main window is closed.
#include "core/Instellingen.h"
#include "domain/Decimaalpunt.h"
#include "programs/Opdrachtregel.h"
#include "programs/Programma.h"
#include "programs/Startvenster.h"
#include "programs/Vertaling.h"
#include "programs/systeem/Systeem.h"
#include "ui/Hoofdvenster.h"
#include "ui/Toepassing.h"

#include <QSettings>

#include <cstdio>

int main(int argc, char** argv) {
    using namespace korvalinde;
    // Over a file-size limit a save fails with its error box instead of the signal ending the
    // program without a word.
    NegeerSchrijfsignalen(false);
    if (const std::optional<int> klaar = BehandelOpdrachtregel(argc, argv)) return *klaar;

    TKorvalindeApplicatie app(argc, argv);
    HoudDecimaalpunt(); // the application object took the locale's numbers from the environment
    // Qt's own dialogs and buttons in Dutch, before the first window exists.
    LaadQtVertalingen(app);
    QApplication::setApplicationName(QString::fromLatin1(ProgrammaNaam));

    // Every box of the program, and every address it opens, goes through the boxes on screen.
    TDialoogMelder meldingen;
    ZetStandaardMelder(&meldingen);

    const std::unique_ptr<QSettings> instellingen = OpenInstellingen(InstellingenPad());
    THoofdvensterOpties opties;
    opties.Instellingen = instellingen.get();
    opties.Versie = VersieTekst(QStringLiteral("V"));
    opties.Datum = VersieTekst(QStringLiteral("D"));
    opties.StartBestand = EersteScenarioArgument(QCoreApplication::arguments());

    const int code = StartProgramma(
        app, [&opties] { return THoofdvensterIngangen::Van(new TFrmHoofdFormulier(opties)); },
        instellingen.get());
    ZetStandaardMelder(nullptr);
    // The window has written the settings as it closed (and said why not, on standard error); what
    // changed since, or everything when the main window never closed, is written here. A reason
    // already given is not repeated.
    const QString fout = SchrijfInstellingen(*instellingen);
    if (!fout.isEmpty()) std::fprintf(stderr, "korvalinde: %s\n", qPrintable(fout));
    return code;
}
