#include "reportpreview.h"

#include "errordialog.h"
#include "pagerenderer.h"
#include "reportpages.h"
#include "reportprinting.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QWindow>
#include <QToolBar>

namespace {

const QString PrintErrorTitle = QStringLiteral("Erreur d'impression");

} // namespace

ReportPreview::ReportPreview(const ReportDocument &document, const PrinterChoice *printers,
                             QWidget *parent)
    : ReportPreview(std::vector<ReportDocument>{document}, printers, parent)
{
}

ReportPreview::ReportPreview(std::vector<ReportDocument> documents, const PrinterChoice *printers,
                             QWidget *parent)
    : QMainWindow(parent), m_documents(std::move(documents)), m_printers(printers),
      m_printer(new QPrinter(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_documents.size() == 1
                       ? QStringLiteral("Aperçu de la fiche de paie")
                       : QStringLiteral("Aperçu des fiches de paie (%1)").arg(m_documents.size()));
    m_printer->setFullPage(true);
    m_printer->setPageLayout(document().layout().pageLayout());

    m_page = new QPrintPreviewWidget(m_printer, this);
    m_page->setObjectName(QStringLiteral("PreviewPage"));
    connect(m_page, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPage);
    setCentralWidget(m_page);

    m_tools = addToolBar(QStringLiteral("Aperçu"));
    m_tools->setObjectName(QStringLiteral("PreviewTools"));
    m_tools->setMovable(false);
    connect(addTool(QStringLiteral("Zoom avant"), QStringLiteral("ZoomIn"), QKeySequence::ZoomIn),
            &QAction::triggered, m_page, [this] { m_page->zoomIn(); });
    connect(addTool(QStringLiteral("Zoom arrière"), QStringLiteral("ZoomOut"), QKeySequence::ZoomOut),
            &QAction::triggered, m_page, [this] { m_page->zoomOut(); });
    connect(addTool(QStringLiteral("Ajuster à la largeur"), QStringLiteral("FitWidth"), QKeySequence()),
            &QAction::triggered, m_page, &QPrintPreviewWidget::fitToWidth);
    connect(addTool(QStringLiteral("Page entière"), QStringLiteral("FitPage"), QKeySequence()),
            &QAction::triggered, m_page, &QPrintPreviewWidget::fitInView);
    m_tools->addSeparator();
    connect(addTool(QStringLiteral("Imprimer…"), QStringLiteral("PrintPage"), QKeySequence::Print),
            &QAction::triggered, this, &ReportPreview::printDocument);
    connect(addTool(QStringLiteral("Exporter en PDF…"), QStringLiteral("ExportPdf"), QKeySequence()),
            &QAction::triggered, this, &ReportPreview::exportPdfAsked);
    m_tools->addSeparator();
    QAction *closing = addTool(QStringLiteral("Fermer"), QStringLiteral("ClosePreview"), QKeySequence::Close);
    closing->setShortcuts({QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape)});
    connect(closing, &QAction::triggered, this, &QWidget::close);

    m_page->fitToWidth();
    resize(820, 900);
}

ReportPreview::~ReportPreview()
{
    // The preview widget paints on the printer until it goes.
    delete m_page;
    delete m_printer;
}

// Fitted once, when first shown: only then is the screen it opens on known.
void ReportPreview::showEvent(QShowEvent *event)
{
    if (!m_fitted) {
        m_fitted = true;
        fitScreen();
    }
    QMainWindow::showEvent(event);
}

// The page keeps its preferred size where the screen allows it; a smaller
// screen gets the window whole, title bar included, never a part of it.
void ReportPreview::fitScreen()
{
    const QRect available = screen()->availableGeometry();
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull())
        frame = QMargins(8, 32, 8, 8); // a usual title bar and border, before the window manager says
    const QSize room = available.size().shrunkBy(frame);
    resize(size().boundedTo(room));
    // A window's position is that of its frame.
    const QRect placed(pos(), size().grownBy(frame));
    if (!available.contains(placed))
        move(available.topLeft() + QPoint((available.width() - placed.width()) / 2,
                                           (available.height() - placed.height()) / 2));
}

QAction *ReportPreview::addTool(const QString &text, const QString &name, const QKeySequence &shortcut)
{
    QAction *action = m_tools->addAction(text);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setToolTip(QStringLiteral("%1  [%2]").arg(text, shortcut.toString(QKeySequence::NativeText)));
    }
    return action;
}

void ReportPreview::setDocument(const ReportDocument &document)
{
    m_documents = {document};
    m_printer->setPageLayout(document.layout().pageLayout());
    m_page->updatePreview();
}

void ReportPreview::paintPage(QPrinter *printer)
{
    if (m_documents.size() == 1)
        PageRenderer(document()).print(*printer);
    else
        ReportPages::paint(*printer, m_documents);
}

bool ReportPreview::exportPdf(const QString &path)
{
    const ReportError error = m_documents.size() == 1 ? PageRenderer(document()).toPdf(path)
                                                      : ReportPages::toPdf(path, m_documents);
    if (error.failed())
        ErrorDialog::report(QStringLiteral("Erreur d'exportation"), error.message);
    return !error.failed();
}

void ReportPreview::exportPdfAsked()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Exporter en PDF"),
        QDir::current().filePath(QStringLiteral("fiche de paie.pdf")),
        QStringLiteral("Documents PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    exportPdf(path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".pdf"));
}

void ReportPreview::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    ReportError error = ReportPrinting::choosePrinter(printer, m_printers);
    if (error.failed()) {
        ErrorDialog::report(PrintErrorTitle, error.message);
        return;
    }
    printer.setDocName(QStringLiteral("Fiche de paie"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimer la fiche de paie"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    error = m_documents.size() == 1 ? ReportPrinting::print(printer, document())
                                    : ReportPages::print(printer, m_documents);
    if (error.failed())
        ErrorDialog::report(PrintErrorTitle, error.message);
}
