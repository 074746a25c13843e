#include "employeetransferactions.h"

#include "database.h"
#include "employeeexport.h"
#include "employeeimport.h"
#include "messagebox.h"
#include "schema.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

namespace {

const QString ExportTitle = QStringLiteral("Exporter les salariés");
const QString ImportTitle = QStringLiteral("Importer des salariés");
const QString Filter = QStringLiteral("Fichiers CSV (*.csv);;Tous les fichiers (*)");

// The working folder's employee file, or nothing with `message` set.
std::shared_ptr<Database> employeeFile(QString *message)
{
    StoreError error;
    auto database = Database::open(QDir::currentPath(), Schema::mainDatabase(), &error);
    if (!database)
        *message = error.message();
    return database;
}

} // namespace

EmployeeTransferActions::EmployeeTransferActions(QWidget *window, OpenScreens showingEmployees)
    : QObject(window)
    , m_window(window)
    , m_showingEmployees(std::move(showingEmployees))
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_lastDirectory = QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void EmployeeTransferActions::addTo(QMenu *menu)
{
    QAction *exporting = menu->addAction(QStringLiteral("&Exporter les salariés…"));
    exporting->setObjectName(QStringLiteral("ExporterSalaries"));
    exporting->setStatusTip(QStringLiteral("Écrire le fichier des salariés dans un fichier CSV pour un tableur"));
    connect(exporting, &QAction::triggered, this, &EmployeeTransferActions::chooseAndExport);
    QAction *importing = menu->addAction(QStringLiteral("&Importer des salariés…"));
    importing->setObjectName(QStringLiteral("ImporterSalaries"));
    importing->setStatusTip(QStringLiteral("Ajouter au fichier des salariés ceux d’un fichier CSV"));
    connect(importing, &QAction::triggered, this, &EmployeeTransferActions::chooseAndImport);
}

bool EmployeeTransferActions::exportTo(const QString &path, QString *message) const
{
    const auto database = employeeFile(message);
    if (!database)
        return false;
    const int count = EmployeeExport::write(*database, path, message);
    if (count < 0)
        return false;
    const QString where = QDir::toNativeSeparators(path);
    *message = count == 1 ? QStringLiteral("1 salarié est exporté dans :\n%1").arg(where)
                          : QStringLiteral("%1 salariés sont exportés dans :\n%2").arg(count).arg(where);
    return true;
}

bool EmployeeTransferActions::importFrom(const QString &path, QString *message) const
{
    if (const QString open = m_showingEmployees ? m_showingEmployees() : QString(); !open.isEmpty()) {
        *message = QStringLiteral("Fermez d’abord %1 : ils ne montreraient pas les salariés ajoutés. "
                                  "Rien n’a été importé.")
                       .arg(open);
        return false;
    }
    const auto database = employeeFile(message);
    if (!database)
        return false;
    const EmployeeImport::Result result = EmployeeImport::runFile(database, path);
    *message = result.report();
    return result.succeeded();
}

void EmployeeTransferActions::chooseAndExport()
{
    QString path = QFileDialog::getSaveFileName(m_window, ExportTitle,
                                                QDir(m_lastDirectory).filePath(QStringLiteral("salariés.csv")),
                                                Filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    m_lastDirectory = QFileInfo(path).absolutePath();
    QString message;
    const bool done = exportTo(path, &message);
    MessageBox::show(m_window, message, done ? MessageBox::Information : MessageBox::Exclamation, ExportTitle);
}

void EmployeeTransferActions::chooseAndImport()
{
    const QString path = QFileDialog::getOpenFileName(m_window, ImportTitle, m_lastDirectory, Filter);
    if (path.isEmpty())
        return;
    m_lastDirectory = QFileInfo(path).absolutePath();
    QString message;
    const bool done = importFrom(path, &message);
    MessageBox::show(m_window, message, done ? MessageBox::Information : MessageBox::Exclamation, ImportTitle);
}
