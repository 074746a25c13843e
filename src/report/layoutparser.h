#pragma once

#include "reportlayout.h"

#include <QHash>
#include <QJsonValue>

// Reads a layout document and checks every part of it, stopping at the first
// fault with a message that names the file, the item and what is wrong.
class LayoutParser
{
public:
    explicit LayoutParser(const QString &fileName) : m_fileName(fileName) {}

    std::optional<ReportLayout> parse(const QJsonObject &json);
    const ReportError &error() const { return m_error; }

private:
    bool readHeader(const QJsonObject &json);
    bool readPage(const QJsonValue &page, ReportLayout &layout);
    bool readFonts(const QJsonValue &fonts);
    bool readItem(const QJsonValue &value, const ReportLayout &layout, LayoutItem &item);
    bool readTextItem(const QJsonObject &object, LayoutItem &item);
    bool readFont(const QJsonValue &value, LayoutFont &font);
    bool readRect(const QJsonValue &value, QRectF &rect);
    bool readPoint(const QJsonValue &value, QPointF &point);
    bool readLength(const QJsonObject &object, const char *key, double &length);
    bool readColor(const QJsonObject &object, const char *key, QColor &color);
    bool readAlignment(const QJsonObject &object, Qt::Alignment &alignment);
    bool fail(const QString &what);
    bool failItem(const QString &what);

    QString m_fileName;
    QHash<QString, LayoutFont> m_fonts;
    int m_itemNumber = 0; // 1-based while items are read
    ReportError m_error;
};
