#include "database.h"
#include "employeescreen.h"
#include "employeetable.h"
#include "frenchlocale.h"
#include "schema.h"
#include "statement.h"
#include "transaction.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

// The employee screen's user actions on a file of 10,000 employees: opening
// the screen, "Valider" of a modified employee (duplicate check included),
// "Recherche" of a town, next and previous; and the one-off upper-casing of
// every name a first validation does on a file written by an older program.
namespace {

constexpr int EmployeeCount = 10000;
const char *const Towns[] = {"PARIS", "LYON", "BREST", "NANTES", "ROUEN", "DIJON", "NICE", "LILLE"};

// Answers every message box at once: "Oui" to a question, "OK" otherwise.
class BoxAnswerer : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                QTimer::singleShot(0, box, [box] {
                    QAbstractButton *yes = box->button(QMessageBox::Yes);
                    (yes ? yes : box->button(QMessageBox::Ok))->click();
                });
            }
        }
        return false;
    }
};

// A working folder with SALARIE filled in one transaction, names in upper
// case (or lower case, as an older program left them).
class EmployeeFile
{
public:
    explicit EmployeeFile(bool lowerCaseNames = false)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
        StoreError error;
        auto database = Database::open(".", Schema::mainDatabase(), &error);
        const QStringList columns = Schema::employees().columns;
        QStringList quoted;
        QStringList parameters;
        for (int i = 0; i < columns.size(); ++i) {
            quoted << quoteIdentifier(columns[i]);
            parameters << QStringLiteral("?%1").arg(i + 1);
        }
        Transaction transaction(*database);
        Statement insert(database->handle(), "INSERT INTO \"SALARIE\" (" + quoted.join(',') + ") VALUES ("
                                                 + parameters.join(',') + ")");
        for (int n = 0; n < EmployeeCount; ++n) {
            const QString surname = QStringLiteral("NOM%1").arg(n, 5, 10, QChar('0'));
            const QString firstName = QStringLiteral("PRENOM%1").arg(n % 97);
            for (int c = 0; c < columns.size(); ++c) {
                const QString &column = columns[c];
                QString value = QStringLiteral("1,0");
                if (column == "NOM") value = lowerCaseNames ? surname.toLower() : surname;
                else if (column == "PRENOM") value = lowerCaseNames ? firstName.toLower() : firstName;
                else if (column == "IDENTIFICATION") value = surname + " , " + firstName;
                else if (column == "VILLE") value = QString::fromLatin1(Towns[n % 8]);
                else if (column == "Entré le") value = "LUNDI 15 JANV. 2001";
                else if (column == "NUMSECU") value = QStringLiteral("1 70 01 75 %1").arg(n);
                else if (column == "PHOTO") { insert.bindBlob(c + 1, {}); continue; }
                else if (column == "PAR3") value = QString();
                else if (column == "BASEHORAIRE") value = "169,0";
                else if (column == "TAUXHORAIRE") value = "45,0";
                else if (column == "TEL" || column == "ADRESSE" || column == "CODEPOSTAL" || column == "POSTE") value = " ";
                insert.bindText(c + 1, value);
            }
            insert.step();
            insert.reset();
        }
        transaction.commit();
    }
    ~EmployeeFile() { QDir::setCurrent(m_previous); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

EmployeeScreen *openScreen()
{
    auto *screen = new EmployeeScreen;
    screen->show();
    screen->activate();
    QApplication::processEvents();
    return screen;
}

void click(EmployeeScreen *screen, const char *name)
{
    screen->findChild<QPushButton *>(name)->click();
}

void BM_OpenScreen(benchmark::State &state)
{
    EmployeeFile file;
    for (auto _ : state) {
        EmployeeScreen *screen = openScreen();
        state.PauseTiming();
        delete screen;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenScreen)->Unit(benchmark::kMillisecond);

void BM_ValidateModified(benchmark::State &state)
{
    EmployeeFile file;
    std::unique_ptr<EmployeeScreen> screen(openScreen());
    screen->findChild<QLineEdit *>("txtrecherche")->setText("NOM05000 , PRENOM53");
    click(screen.get(), "Command1");
    int round = 0;
    for (auto _ : state) {
        click(screen.get(), "Modifier");
        screen->findChild<QLineEdit *>("Text1_6")->setText(QString::fromLatin1(Towns[++round % 8]));
        click(screen.get(), "Valider");
    }
    if (screen->isEditing())
        state.SkipWithError("Valider was refused");
}
BENCHMARK(BM_ValidateModified)->Unit(benchmark::kMillisecond);

void BM_SearchTown(benchmark::State &state)
{
    EmployeeFile file;
    std::unique_ptr<EmployeeScreen> screen(openScreen());
    auto *text = screen->findChild<QLineEdit *>("txtrecherche");
    for (auto _ : state) {
        text->setText("lyon");
        click(screen.get(), "Command1");
    }
}
BENCHMARK(BM_SearchTown)->Unit(benchmark::kMillisecond);

void BM_NextThenPrevious(benchmark::State &state)
{
    EmployeeFile file;
    std::unique_ptr<EmployeeScreen> screen(openScreen());
    click(screen.get(), "Command5");
    for (auto _ : state) {
        click(screen.get(), "Command5");
        click(screen.get(), "Command2");
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_NextThenPrevious)->Unit(benchmark::kMillisecond);

void BM_UpperCaseEveryName(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        EmployeeFile file(true);
        StoreError error;
        EmployeeTable table(Database::open(".", Schema::mainDatabase(), &error));
        state.ResumeTiming();
        QVector<EmployeeRules::NamePair> names;
        table.readNames(&names);
        table.storeNamesInUpperCase(&names, int(names.size()) - 1, -1);
    }
}
BENCHMARK(BM_UpperCaseEveryName)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FrenchLocale::install();
    BoxAnswerer answerer;
    app.installEventFilter(&answerer);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
