#pragma once

#include "carriedover.h"
#include "employeefigures.h"
#include "employeerecordtexts.h"
#include "paysheet.h"
#include "payrunfigures.h"

#include <QString>
#include <array>
#include <optional>

// One employee of the month's pay run: who, the figures typed or carried
// over for the month, and what the last "Calculer" made of them — the
// computed pay sheet, or the calculation's refusal. Changing a figure
// clears the result, so that nothing stale is ever printed or saved.
struct PayRunRow
{
    QString identification;
    QString names; // « MOREAU CÉLINE »
    EmployeeFigures employee;
    EmployeeRecordTexts record;

    std::array<QString, PayRunFigures::Count> figures;
    CarriedOver carried;

    // The sheet of the last calculation, and the employee figures as the
    // opening left them (the « 0 » of an empty hourly base or rate).
    struct Computed
    {
        PaySheet sheet;
        EmployeeFigures employee;
    };
    std::optional<Computed> computed;
    QString refusal;
    // The slip saved for the period, and whether it was saved from the
    // figures now in the row.
    QString savedFile;
    bool savedCurrent = false;

    // What the previous slip gave for a carried figure.
    QString carriedFigure(int figure) const;
    // The carried figure no longer holds what the previous slip printed.
    bool isEdited(int figure) const;
    // Something typed for the month, or a carried figure changed by hand.
    bool hasTypedFigures() const;
};
