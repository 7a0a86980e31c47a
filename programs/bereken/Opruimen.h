// The temporary files of a run of the batch calculator: the workbook's folder in the temporary folder
// ("korvalinde-bereken-PID-XXXXXX") and the safe write's new file beside a target
// (".NAAM.PID-N.nieuw"). Both carry the process id, so a later run can tell a killed run's leftovers
// from those of a run that still works.
#pragma once

#include <QStringList>

namespace korvalinde {

// Called first in main, before any thread starts: SIGINT and SIGTERM are taken by a thread of their
// own, which removes this run's temporaries and then ends the program by the same signal.
void VangAfbreken();

// The targets this run writes (for the removal on SIGINT and SIGTERM), and what runs that no longer
// exist left beside them or in the temporary folder removed.
void RuimOpNaEerdereRun(const QStringList& doelen);

// This run's own temporaries removed, for a run that ends early (a closed pipe).
void RuimEigenOp();

} // namespace korvalinde
