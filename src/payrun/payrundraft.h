#pragma once

#include "payrunperiod.h"

#include <QString>

class PayRun;

// The figures typed into the month's pay run, kept in the working folder
// until the slips are saved, so that closing the window or the program
// loses nothing: one versioned JSON file per period, written whole and
// readable by its owner only (it holds pay figures). Only what the clerk
// typed is kept — the month's figures, and a carried figure changed by
// hand — so reopening the period brings the grid back as it was left.
namespace PayRunDraft {

inline constexpr const char *Format = "quorvan-payrun-draft";
inline constexpr int Version = 1;

// « paie-du-mois 2001-03.brouillon.json ».
QString fileName(const PayRunPeriod &period);

// Writes the draft of the run's period, or removes it when nothing is
// typed any more. Returns why it could not, in French; empty on success.
QString save(const QString &directory, const PayRun &run);

// Types the draft of the run's period into it, when there is one. Returns
// what the clerk must be told (a damaged draft set aside, employees no
// longer in the file), empty when nothing.
QString restore(const QString &directory, PayRun &run);

// Removes the draft of the period.
bool remove(const QString &directory, const PayRunPeriod &period);

} // namespace PayRunDraft
