#pragma once

#include "calculationerror.h"
#include "employeefigures.h"
#include "paysheet.h"
#include "payrollparameters.h"

#include <optional>
#include <variant>

// The pay calculation of one employee for one period, apart from any screen:
// the opening of the preparation, then "Lancer le calcul" as often as the
// clerk likes. Inputs are the texts the employee, parameters and euro rate
// screens show; every value read must be a number, and a value that is not
// stops the run with a message before any result changes.
namespace PayCalculation {

// A freshly opened preparation, and the employee figures with the "0" it
// writes into an empty hourly base or rate, for the employee screen to show.
struct OpenedSheet
{
    PaySheet sheet;
    EmployeeFigures employee;
};

std::variant<OpenedSheet, CalculationError> open(const EmployeeFigures &employee,
                                                 const PayrollParameters &parameters,
                                                 const QString &euroRate);

// Fills the results of the sheet from its typed values. On refusal the sheet
// is left exactly as it was. When neither CSG option is ticked, option A is
// used, as the parameters screen would have chosen on validation.
std::optional<CalculationError> calculate(PaySheet &sheet, const EmployeeFigures &employee,
                                          const PayrollParameters &parameters,
                                          const QString &euroRate);

} // namespace PayCalculation
