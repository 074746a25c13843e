#include "archivescreen.h"

#include "deleteconfirmation.h"
#include "errordialog.h"
#include "helpcontext.h"
#include "payhistory.h"
#include "payslipfilename.h"
#include "payslipreport.h"
#include "reportengine.h"
#include "screennames.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString SelectedLine = QStringLiteral(" Ouverture de la fiche : ");

} // namespace

ArchiveScreen::ArchiveScreen(const PrinterChoice *printers, std::function<void()> reopen)
    : m_report(std::make_unique<ReportEngine>(printers))
    , m_reopen(std::move(reopen))
    , m_files(new QListWidget)
    , m_selected(new QLabel)
{
    setObjectName(ScreenName::Archive);
    setWindowTitle(QStringLiteral("Ouverture d'une fiche de paie"));
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::PayslipArchive);

    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files->addItems(PayslipFileName::savedPayslips(QDir::current()));
    connect(m_files, &QListWidget::itemSelectionChanged, this, &ArchiveScreen::selectionChanged);
    connect(m_files, &QListWidget::itemDoubleClicked, this, &ArchiveScreen::preview);

    m_selected->setObjectName(QStringLiteral("Label1"));
    // A file name as it stands, never read as markup.
    m_selected->setTextFormat(Qt::PlainText);
    m_selected->setFrameShape(QFrame::Panel);
    m_selected->setFrameShadow(QFrame::Sunken);
    m_selected->setMinimumHeight(m_selected->fontMetrics().height() + 8);
    QFont bold = m_selected->font();
    bold.setBold(true);
    m_selected->setFont(bold);

    QToolButton *printButton = pictureButton(QStringLiteral("Impression"), QStringLiteral("archive-print"));
    QToolButton *previewButton = pictureButton(QStringLiteral("Aperçu"), QStringLiteral("archive-preview"));
    QToolButton *removeButton = pictureButton(QStringLiteral("Supprimer"), QStringLiteral("archive-delete"));
    QToolButton *exitButton = pictureButton(QStringLiteral("Sortie"), QStringLiteral("archive-exit"));
    printButton->setToolTip(QStringLiteral("Imprimer la fiche de paie choisie"));
    previewButton->setToolTip(QStringLiteral("Afficher la fiche de paie choisie"));
    removeButton->setToolTip(QStringLiteral("Supprimer la fiche de paie choisie"));
    exitButton->setToolTip(QStringLiteral("Fermer la liste des fiches de paie"));
    connect(printButton, &QToolButton::clicked, this, &ArchiveScreen::print);
    connect(previewButton, &QToolButton::clicked, this, &ArchiveScreen::preview);
    connect(removeButton, &QToolButton::clicked, this, &ArchiveScreen::remove);
    connect(exitButton, &QToolButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (QToolButton *pictureButton : {printButton, previewButton, removeButton, exitButton})
        buttons->addWidget(pictureButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(m_files, 1);
    layout->addWidget(m_selected);
    layout->addLayout(buttons);

    // The list takes the focus only when the clerk turns to it: focused at
    // the opening, it would mark its first file as if it were chosen.
    previewButton->setFocus();
    resize(380, 360);
}

ArchiveScreen::~ArchiveScreen() = default;

QToolButton *ArchiveScreen::pictureButton(const QString &name, const QString &icon)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(name);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setMinimumHeight(60);
    return button;
}

QString ArchiveScreen::selectedFile() const
{
    const QList<QListWidgetItem *> selected = m_files->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void ArchiveScreen::selectionChanged()
{
    const QString file = selectedFile();
    m_selected->setText(file.isEmpty() ? QString() : SelectedLine + file);
}

QString ArchiveScreen::requireSelection() const
{
    const QString file = selectedFile();
    if (file.isEmpty())
        ErrorDialog::report(QStringLiteral("Aucune fiche"),
                            QStringLiteral("Veuillez sélectionner une fiche de paie "));
    return file;
}

void ArchiveScreen::preview()
{
    const QString file = requireSelection();
    if (file.isEmpty())
        return;
    m_report->set_report_file(file);
    m_report->set_destination(ReportEngine::Window);
    if (const ReportError error = m_report->run(); error.failed())
        ErrorDialog::report(QStringLiteral("Ouverture impossible"),
            PayslipReport::failureText(
                QStringLiteral("La fiche de paie « %1 » n'a pas pu être affichée.").arg(file), error));
}

void ArchiveScreen::print()
{
    const QString file = requireSelection();
    if (file.isEmpty())
        return;
    m_report->set_report_file(file);
    m_report->set_destination(ReportEngine::Printer);
    if (const ReportError error = m_report->run(); error.failed())
        ErrorDialog::report(QStringLiteral("Impression impossible"),
            PayslipReport::failureText(
                QStringLiteral("La fiche de paie « %1 » n'a pas été imprimée.").arg(file), error));
}

void ArchiveScreen::remove()
{
    const QString file = requireSelection();
    if (file.isEmpty())
        return;
    DeleteConfirmation::ask(file, [list = QPointer<QWidget>(this), reopen = m_reopen](const QString &named) {
        removeAndReopen(named, list, reopen);
    });
}

// The list is rebuilt by opening it anew, so it goes at once: the registry
// then loads a fresh one. A deletion refused still reopens the list, which
// shows what the directory really holds.
// A deleted slip leaves the pay history; when the history cannot say so
// now, it will at its next opening, since the file is gone.
void ArchiveScreen::forgetInHistory(const QString &fileName)
{
    const PayHistory::Outcome forgotten = PayHistory::forgetIn(QDir::currentPath(), fileName);
    if (!forgotten.messages.isEmpty())
        ErrorDialog::report(QStringLiteral("Historique des paies"), forgotten.messages.join(u'\n'));
}

void ArchiveScreen::removeAndReopen(const QString &fileName, QWidget *list, const std::function<void()> &reopen)
{
    QFile file(QDir::current().filePath(fileName));
    const bool existed = file.exists();
    const bool removed = existed && file.remove();
    delete list;
    if (reopen)
        reopen();
    if (removed) {
        forgetInHistory(fileName);
        return;
    }
    ErrorDialog::report(QStringLiteral("Suppression impossible"),
        existed ? QStringLiteral("La fiche de paie « %1 » n'a pas été supprimée : le fichier est protégé "
                                 "ou le dossier de travail est en lecture seule.").arg(fileName)
                : QStringLiteral("La fiche de paie « %1 » n'a pas été supprimée : le fichier n'existe "
                                 "plus dans le dossier de travail.").arg(fileName));
}
