#include "reportlayout.h"

#include "layoutparser.h"

std::optional<ReportLayout> ReportLayout::fromJson(const QJsonObject &json, const QString &fileName,
                                                   ReportError *error)
{
    LayoutParser parser(fileName);
    std::optional<ReportLayout> layout = parser.parse(json);
    if (!layout && error)
        *error = parser.error();
    return layout;
}

QPageLayout ReportLayout::pageLayout() const
{
    return QPageLayout(QPageSize(m_pageSizeId), m_orientation, QMarginsF(), QPageLayout::Millimeter);
}
