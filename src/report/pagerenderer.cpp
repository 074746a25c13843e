#include "pagerenderer.h"

#include "wholefile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

constexpr double MillimetresPerInch = 25.4;

// Font sizes are points on paper. The painter works in millimetres, so the
// size is given in whatever the device counts a point as, divided out again.
QFont pageFont(const LayoutFont &layoutFont, const QPaintDevice *device)
{
    QFont font(layoutFont.family);
    font.setPointSizeF(layoutFont.size * MillimetresPerInch / device->logicalDpiY());
    font.setBold(layoutFont.bold);
    font.setItalic(layoutFont.italic);
    // Hinting would fit glyphs to the device's pixels and make a line's width
    // depend on the output; the page must measure the same everywhere.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

void PageRenderer::paint(QPainter &painter, double pixelsPerMm) const
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(pixelsPerMm, pixelsPerMm);
    for (const LayoutItem &item : m_document.layout().items())
        paintItem(painter, item);
    painter.restore();
}

void PageRenderer::paintItem(QPainter &painter, const LayoutItem &item) const
{
    switch (item.kind) {
    case LayoutItem::Kind::Text:
        paintText(painter, item, item.text);
        break;
    case LayoutItem::Kind::Field:
        paintText(painter, item, m_document.value(item.formula));
        break;
    case LayoutItem::Kind::Line:
        painter.setPen(QPen(item.color, item.penWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(item.line);
        break;
    case LayoutItem::Kind::Box:
        painter.setPen(item.penWidth > 0 ? QPen(item.color, item.penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
                                         : QPen(Qt::NoPen));
        painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
        painter.drawRect(item.rect);
        painter.setBrush(Qt::NoBrush);
        break;
    }
}

void PageRenderer::paintText(QPainter &painter, const LayoutItem &item, const QString &text) const
{
    if (text.isEmpty())
        return;
    const QFont font = pageFont(item.font, painter.device());
    painter.setFont(font);
    painter.setPen(item.color);
    if (item.kind == LayoutItem::Kind::Text && text.contains(QLatin1Char('\n'))) {
        painter.drawText(item.rect, int(item.alignment) | Qt::TextWordWrap, text);
        return;
    }
    // A value wider than its place is cut with an ellipsis rather than
    // running over its neighbour.
    const QFontMetricsF metrics(font, painter.device());
    const QString shown = metrics.elidedText(text, Qt::ElideRight, item.rect.width());
    painter.drawText(item.rect, int(item.alignment) | Qt::TextSingleLine, shown);
}

QImage PageRenderer::toImage(double dpi) const
{
    const QSizeF page = m_document.layout().pageSize();
    const double pixelsPerMm = dpi / MillimetresPerInch;
    QImage image(qRound(page.width() * pixelsPerMm), qRound(page.height() * pixelsPerMm),
                 QImage::Format_RGB32);
    const int dotsPerMetre = qRound(pixelsPerMm * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, pixelsPerMm);
    return image;
}

std::optional<QByteArray> PageRenderer::toPdfDocument() const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Quorvan"));
        writer.setTitle(QStringLiteral("Fiche de paie"));
        writer.setPageLayout(m_document.layout().pageLayout());
        QPainter painter;
        if (!painter.begin(&writer))
            return std::nullopt;
        paint(painter, writer.resolution() / MillimetresPerInch);
        if (!painter.end())
            return std::nullopt;
    }
    return buffer.data();
}

ReportError PageRenderer::toPdf(const QString &path) const
{
    // Composed in memory, then written whole: a full disk or a kill leaves
    // the previous file as it was, never a truncated document.
    return writePdf(path, toPdfDocument());
}

ReportError PageRenderer::writePdf(const QString &path, const std::optional<QByteArray> &pdf)
{
    const QString name = QFileInfo(path).fileName();
    if (!pdf || pdf->isEmpty())
        return ReportError::make(ReportError::PdfFailed,
            QStringLiteral("Le document PDF « %1 » n'a pas pu être composé.").arg(name));
    if (const int rc = WholeFile::write(path, *pdf); rc != 0)
        return ReportError::make(ReportError::PdfFailed,
            QStringLiteral("Le document PDF « %1 » n'a pas pu être écrit : %2.").arg(name, WholeFile::reason(rc)));
    return ReportError::success();
}

bool PageRenderer::print(QPrinter &printer) const
{
    printer.setFullPage(true);
    printer.setPageLayout(m_document.layout().pageLayout());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paint(painter, printer.resolution() / MillimetresPerInch);
    return painter.end();
}
