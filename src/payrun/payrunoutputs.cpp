#include "payrunoutputs.h"

#include "errordialog.h"
#include "messagebox.h"
#include "payrun.h"
#include "payrunhistory.h"
#include "payrunprogress.h"
#include "payrunslips.h"
#include "reportpages.h"
#include "reportpreview.h"
#include "reportprinting.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace {

const QString Composing = QStringLiteral("Préparation des fiches de paie…");

QString slipCount(int count)
{
    return count <= 1 ? QStringLiteral("%1 fiche de paie").arg(count) : QStringLiteral("%1 fiches de paie").arg(count);
}

// « 1 fiche de paie enregistrée », « 3 fiches de paie enregistrées ».
QString slipCount(int count, const QString &participle)
{
    return slipCount(count) + u' ' + participle + (count <= 1 ? QString() : QStringLiteral("s"));
}

QString workingDirectory()
{
    return QDir::currentPath();
}

} // namespace

PayRunOutputs::PayRunOutputs(QWidget *screen, const PrinterChoice *printers)
    : m_screen(screen)
    , m_printers(printers)
{
}

ReportPreview *PayRunOutputs::previewWindow() const
{
    return m_preview;
}

void PayRunOutputs::tell(const QString &title, const QString &message) const
{
    MessageBox::show(m_screen, message, MessageBox::Exclamation, title);
}

// The slips of the computed rows; nothing when there are none, when one
// cannot be filled (the clerk is told) or when the clerk cancelled.
std::optional<std::vector<ReportDocument>> PayRunOutputs::documents(const PayRun &run, PayRunProgress &progress)
{
    const QList<int> rows = run.computedRows();
    if (rows.isEmpty()) {
        tell(QStringLiteral("Aucune fiche"), QStringLiteral("Aucune fiche de paie n’est calculée : appuyez sur "
                                                            "« Calculer » et corrigez les lignes refusées."));
        return std::nullopt;
    }
    auto slips = PayRunSlips::prepare(workingDirectory());
    if (const QString *error = std::get_if<QString>(&slips)) {
        tell(QStringLiteral("Fiches de paie impossibles"), *error);
        return std::nullopt;
    }
    auto built = std::get<PayRunSlips>(slips).documents(run, rows, progress.callback());
    if (const ReportError *error = std::get_if<ReportError>(&built)) {
        if (error->failed())
            tell(QStringLiteral("Fiches de paie impossibles"),
                 QStringLiteral("%1 (erreur %2)").arg(error->message, QString::number(error->number)));
        return std::nullopt;
    }
    return std::get<std::vector<ReportDocument>>(std::move(built));
}

QString PayRunOutputs::preview(const PayRun &run)
{
    PayRunProgress progress(m_screen, Composing, int(run.computedRows().size()));
    std::optional<std::vector<ReportDocument>> pages = documents(run, progress);
    if (!pages)
        return progress.wasCancelled() ? QStringLiteral("Aperçu annulé.") : QString();
    const int count = int(pages->size());
    delete m_preview;
    m_preview = new ReportPreview(std::move(*pages), m_printers);
    m_preview->setAttribute(Qt::WA_DeleteOnClose);
    m_preview->show();
    m_preview->raise();
    m_preview->activateWindow();
    return QStringLiteral("Aperçu de %1.").arg(slipCount(count));
}

QString PayRunOutputs::print(const PayRun &run)
{
    PayRunProgress progress(m_screen, Composing, int(run.computedRows().size()));
    std::optional<std::vector<ReportDocument>> pages = documents(run, progress);
    if (!pages)
        return progress.wasCancelled() ? QStringLiteral("Impression annulée : rien n’a été imprimé.") : QString();
    QPrinter printer(QPrinter::HighResolution);
    ReportError error = ReportPrinting::choosePrinter(printer, m_printers);
    if (!error.failed()) {
        printer.setDocName(QStringLiteral("Fiches de paie %1").arg(run.period().key()));
        progress.setLabel(QStringLiteral("Impression des fiches de paie…"));
        bool stopped = false;
        error = ReportPages::print(printer, *pages, progress.callback(), &stopped);
        if (stopped)
            return QStringLiteral("Impression annulée : le travail d’impression est abandonné.");
    }
    if (error.failed()) {
        ErrorDialog::report(QStringLiteral("Impression impossible"),
                            QStringLiteral("Les fiches de paie n’ont pas été imprimées.\n%1 (erreur %2)\nVérifiez "
                                           "l’imprimante choisie dans Paramètrage > Configuration de l’impression.")
                                .arg(error.message, QString::number(error.number)));
        return QString();
    }
    return QStringLiteral("%1 à l’imprimante en un seul travail.")
        .arg(slipCount(int(pages->size()), QStringLiteral("envoyée")));
}

QString PayRunOutputs::writePdf(const PayRun &run, const QString &path)
{
    PayRunProgress progress(m_screen, Composing, int(run.computedRows().size()));
    std::optional<std::vector<ReportDocument>> pages = documents(run, progress);
    if (!pages)
        return progress.wasCancelled() ? QStringLiteral("PDF annulé : aucun fichier n’a été écrit.") : QString();
    progress.setLabel(QStringLiteral("Écriture du PDF…"));
    bool stopped = false;
    const ReportError error = ReportPages::toPdf(path, *pages, progress.callback(), &stopped);
    if (stopped)
        return QStringLiteral("PDF annulé : aucun fichier n’a été écrit.");
    if (error.failed()) {
        ErrorDialog::report(QStringLiteral("PDF impossible"),
                            QStringLiteral("%1 (erreur %2)").arg(error.message, QString::number(error.number)));
        return QString();
    }
    return QStringLiteral("%1 dans « %2 ».")
        .arg(slipCount(int(pages->size()), QStringLiteral("écrite")), QFileInfo(path).fileName());
}

bool PayRunOutputs::confirmReplacing(const PayRun &run, const QList<std::pair<int, QStringList>> &saved)
{
    QStringList who;
    for (const auto &[row, files] : saved)
        who << QStringLiteral("• %1 (« %2 »)").arg(run.row(row).identification, files.join(QStringLiteral(" », « ")));
    const bool one = saved.size() == 1;
    const QString message =
        (one ? QStringLiteral("Une fiche de paie est déjà enregistrée pour la période %1 pour :\n%2\n\nLa remplacer "
                              "par la nouvelle ?\nOui : elle est remplacée. Non : elle est gardée ; les autres "
                              "fiches sont enregistrées.")
             : QStringLiteral("Des fiches de paie sont déjà enregistrées pour la période %1 pour :\n%2\n\nLes "
                              "remplacer par les nouvelles ?\nOui : elles sont remplacées. Non : elles sont "
                              "gardées ; les autres fiches sont enregistrées."))
            .arg(run.period().text(), who.join(u'\n'));
    return MessageBox::show(m_screen, message, MessageBox::YesNoQuestionNo,
                            QStringLiteral("Fiches déjà enregistrées")) == MessageBox::Yes;
}

QString PayRunOutputs::save(PayRun &run)
{
    const QList<int> rows = run.computedRows();
    if (rows.isEmpty()) {
        tell(QStringLiteral("Aucune fiche"), QStringLiteral("Aucune fiche de paie n’est calculée : appuyez sur "
                                                            "« Calculer » et corrigez les lignes refusées."));
        return QString();
    }
    auto slips = PayRunSlips::prepare(workingDirectory());
    if (const QString *error = std::get_if<QString>(&slips)) {
        tell(QStringLiteral("Enregistrement impossible"), *error);
        return QString();
    }
    PayRunHistory history(workingDirectory());
    QSet<int> replace;
    if (const auto saved = PayRunSlips::alreadySaved(run, rows, history); !saved.isEmpty()) {
        if (confirmReplacing(run, saved)) {
            for (const auto &entry : saved)
                replace.insert(entry.first);
        }
    }
    PayRunProgress progress(m_screen, QStringLiteral("Enregistrement des fiches de paie…"), int(rows.size()));
    const PayRunSlips::Saving saving = std::get<PayRunSlips>(slips).save(run, rows, replace, history,
                                                                          progress.callback());
    const QString saved = slipCount(int(saving.saved.size()), QStringLiteral("enregistrée"));
    QString outcome = saved + u'.';
    if (saving.stopped)
        outcome = QStringLiteral("Enregistrement annulé : %1, les autres ne le sont pas.").arg(saved);
    if (!saving.notRecorded.isEmpty())
        tell(QStringLiteral("Historique des paies"), saving.notRecorded);
    if (saving.failure.failed())
        ErrorDialog::report(QStringLiteral("Enregistrement impossible"),
                            QStringLiteral("%1 ; la suivante n’a pas pu l’être.\n%2 (erreur %3)")
                                .arg(saved, saving.failure.message, QString::number(saving.failure.number)));
    return outcome;
}
