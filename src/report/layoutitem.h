#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QString>

// The font of a text or field of a layout, its size in points.
struct LayoutFont
{
    QString family = QStringLiteral("DejaVu Sans");
    double size = 9.0;
    bool bold = false;
    bool italic = false;
};

// One element of a layout page, every measure in millimetres from the top
// left corner of the paper: a fixed text, a formula field, a line or a box.
struct LayoutItem
{
    enum class Kind { Text, Field, Line, Box };

    Kind kind = Kind::Text;
    QRectF rect;                     // text, field, box
    QLineF line;                     // line
    QString text;                    // text: what it prints
    QString formula;                 // field: the formula whose value it prints
    LayoutFont font;                 // text, field
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    double penWidth = 0.2;           // line, box border; 0 draws no border
    QColor color = Qt::black;        // ink of texts, lines and borders
    QColor fill;                     // box: invalid when the box is not filled
};
