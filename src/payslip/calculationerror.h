#pragma once

#include <QString>

// Why the pay calculation refused to run: the value it could not read as a
// number, by the name the clerk or the files know it under ("TAUXHORAIRE",
// "HEURSUP1", "Assurance Maladie/SAL", "Taux de L'euro", "bonus"), and a
// French message that names it and says on which screen to correct it.
struct CalculationError
{
    QString value;
    QString message;
};
