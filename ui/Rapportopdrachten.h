// The report's two menu commands of the main window, which drive the print preview component: the
// preview window ("A&fdrukvoorbeeld") and printing with the print dialog ("Af&drukken...", Ctrl+P).
// The painting of the pages and the PDF route without any window are in report/Rapport.
#pragma once

#include "report/Rapport.h"

namespace korvalinde {

class TZnPreview;

// Preview command: opens the preview window at page 1 (three pages); when it is left with its
// print button, continues with the print command.
void MitAfdrukvoorbeeldClick(TZnPreview& preview, const TRapportGegevens& gegevens);
// Print command: keeps the printer at portrait, shows the print dialog, and prints the chosen pages
// when it was accepted. A cancelled dialog prints nothing.
void MitAfdrukkenClick(TZnPreview& preview, const TRapportGegevens& gegevens);

} // namespace korvalinde
