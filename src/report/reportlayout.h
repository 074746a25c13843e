#pragma once

#include "layoutitem.h"
#include "reporterror.h"

#include <QJsonObject>
#include <QList>
#include <QPageLayout>
#include <QSet>
#include <QSizeF>

#include <optional>

// One page of a pay slip as a layout file describes it: the paper size and
// the items placed on it. The JSON it was read from is kept as it stands, so
// a saved pay slip embeds exactly the layout it was printed from.
class ReportLayout
{
public:
    static constexpr const char *Format = "quorvan-layout";
    static constexpr int Version = 1;

    // Reads and checks a layout document; fileName only names the file in
    // the message of a failure.
    static std::optional<ReportLayout> fromJson(const QJsonObject &json, const QString &fileName,
                                                ReportError *error);

    QSizeF pageSize() const { return m_pageSize; } // millimetres, in the page's orientation
    // The paper for printers and PDF: the layout's size and orientation, no margins.
    QPageLayout pageLayout() const;
    const QList<LayoutItem> &items() const { return m_items; }
    // The formula names the layout defines: those its fields print.
    const QSet<QString> &formulaNames() const { return m_formulaNames; }
    bool defines(const QString &formulaName) const { return m_formulaNames.contains(formulaName); }
    const QJsonObject &json() const { return m_json; }

private:
    friend class LayoutParser;

    QPageSize::PageSizeId m_pageSizeId = QPageSize::A4;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QSizeF m_pageSize;
    QList<LayoutItem> m_items;
    QSet<QString> m_formulaNames;
    QJsonObject m_json;
};
