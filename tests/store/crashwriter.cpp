// Helper of tst_crashsafety: rewrites one employee record and the euro rate
// for ever, alternating between two known versions, one transaction per
// store, until it is killed. Prints "ready" once both versions are stored.

#include "crashversions.h"
#include "database.h"
#include "recordview.h"
#include "schema.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    StoreError error;
    auto database = Database::open(QString::fromLocal8Bit(argv[1]), Schema::mainDatabase(), &error);
    if (!database)
        return 3;
    RecordView employee(database, QStringLiteral("SALARIE"));
    RecordView rate(database, QStringLiteral("TEURO"));
    if (employee.findFirst(QStringLiteral("IDENTIFICATION"), CrashVersions::key)
        || employee.noMatch())
        return 4;

    for (long round = 0;; ++round) {
        const int version = int(round % 2);
        for (const QString &column : Schema::employees().columns) {
            if (column == QLatin1String("PHOTO"))
                employee.setFieldData(column, CrashVersions::photo(version));
            else if (column != QLatin1String("IDENTIFICATION"))
                employee.setFieldText(column, CrashVersions::text(column, version));
        }
        if ((error = employee.writeCurrent()))
            return 5;
        rate.setFieldText(QStringLiteral("Taux de L'euro"), CrashVersions::rate(version));
        if ((error = rate.writeCurrent()))
            return 6;
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
