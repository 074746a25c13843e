#include "layoutparser.h"

#include <QJsonArray>
#include <QPageSize>

#include <cmath>

namespace {

// A little slack for items drawn on the very edge of the paper.
constexpr double PageTolerance = 0.5;

std::optional<QPageSize::PageSizeId> pageSizeId(const QString &name)
{
    static const QHash<QString, QPageSize::PageSizeId> known = {
        {QStringLiteral("A3"), QPageSize::A3},
        {QStringLiteral("A4"), QPageSize::A4},
        {QStringLiteral("A5"), QPageSize::A5},
        {QStringLiteral("Letter"), QPageSize::Letter},
        {QStringLiteral("Legal"), QPageSize::Legal},
    };
    const auto found = known.constFind(name);
    if (found == known.constEnd())
        return std::nullopt;
    return *found;
}

bool isFiniteNumber(const QJsonValue &value)
{
    return value.isDouble() && std::isfinite(value.toDouble());
}

} // namespace

std::optional<ReportLayout> LayoutParser::parse(const QJsonObject &json)
{
    ReportLayout layout;
    layout.m_json = json;
    if (!readHeader(json) || !readPage(json.value(QStringLiteral("page")), layout)
        || !readFonts(json.value(QStringLiteral("fonts"))))
        return std::nullopt;

    const QJsonValue items = json.value(QStringLiteral("items"));
    if (!items.isArray()) {
        fail(QStringLiteral("la liste des éléments (« items ») est absente"));
        return std::nullopt;
    }
    const QJsonArray array = items.toArray();
    layout.m_items.reserve(array.size());
    for (const QJsonValue &value : array) {
        ++m_itemNumber;
        LayoutItem item;
        if (!readItem(value, layout, item))
            return std::nullopt;
        if (item.kind == LayoutItem::Kind::Field)
            layout.m_formulaNames.insert(item.formula);
        layout.m_items.append(item);
    }
    return layout;
}

bool LayoutParser::readHeader(const QJsonObject &json)
{
    const QString format = json.value(QStringLiteral("format")).toString();
    if (format != QLatin1String(ReportLayout::Format)) {
        m_error = ReportError::make(ReportError::UnknownFormat,
            QStringLiteral("Le fichier « %1 » n'est pas une mise en page de fiche de paie.")
                .arg(m_fileName));
        return false;
    }
    const QJsonValue version = json.value(QStringLiteral("version"));
    if (!version.isDouble()) {
        m_error = ReportError::make(ReportError::UnknownFormat,
            QStringLiteral("La mise en page « %1 » ne porte pas de numéro de version.").arg(m_fileName));
        return false;
    }
    if (version.toInt(-1) != ReportLayout::Version) {
        m_error = ReportError::make(ReportError::UnknownFormat,
            QStringLiteral("La mise en page « %1 » est en version %2, que ce programme ne sait pas "
                           "lire (il lit la version %3).")
                .arg(m_fileName, QString::number(version.toDouble()), QString::number(ReportLayout::Version)));
        return false;
    }
    return true;
}

bool LayoutParser::readPage(const QJsonValue &page, ReportLayout &layout)
{
    if (!page.isObject())
        return fail(QStringLiteral("la description de la page (« page ») est absente"));
    const QJsonObject object = page.toObject();
    const QString sizeName = object.value(QStringLiteral("size")).toString();
    const std::optional<QPageSize::PageSizeId> id = pageSizeId(sizeName);
    if (!id)
        return fail(QStringLiteral("format de papier « %1 » inconnu (A3, A4, A5, Letter ou Legal)")
                        .arg(sizeName));
    const QString unit = object.value(QStringLiteral("unit")).toString(QStringLiteral("mm"));
    if (unit != QLatin1String("mm"))
        return fail(QStringLiteral("unité « %1 » inconnue (seul « mm » est admis)").arg(unit));
    QSizeF size = QPageSize(*id).size(QPageSize::Millimeter);
    const QString orientation = object.value(QStringLiteral("orientation")).toString(QStringLiteral("portrait"));
    layout.m_orientation = QPageLayout::Portrait;
    if (orientation == QLatin1String("landscape")) {
        size.transpose();
        layout.m_orientation = QPageLayout::Landscape;
    } else if (orientation != QLatin1String("portrait"))
        return fail(QStringLiteral("orientation « %1 » inconnue (portrait ou landscape)").arg(orientation));
    layout.m_pageSizeId = *id;
    layout.m_pageSize = size;
    return true;
}

bool LayoutParser::readFonts(const QJsonValue &fonts)
{
    if (fonts.isUndefined())
        return true;
    if (!fonts.isObject())
        return fail(QStringLiteral("les styles de police (« fonts ») sont mal décrits"));
    const QJsonObject object = fonts.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        LayoutFont font;
        if (!readFont(it.value(), font))
            return fail(QStringLiteral("le style de police « %1 » est incorrect").arg(it.key()));
        m_fonts.insert(it.key(), font);
    }
    return true;
}

bool LayoutParser::readItem(const QJsonValue &value, const ReportLayout &layout, LayoutItem &item)
{
    if (!value.isObject())
        return failItem(QStringLiteral("ce n'est pas un objet"));
    const QJsonObject object = value.toObject();
    const QString type = object.value(QStringLiteral("type")).toString();
    if (!readColor(object, "color", item.color))
        return false;
    const QRectF page(QPointF(0, 0), layout.pageSize());
    const QRectF bounds = page.adjusted(-PageTolerance, -PageTolerance, PageTolerance, PageTolerance);

    if (type == QLatin1String("line")) {
        item.kind = LayoutItem::Kind::Line;
        QPointF from, to;
        if (!readPoint(object.value(QStringLiteral("from")), from)
            || !readPoint(object.value(QStringLiteral("to")), to))
            return failItem(QStringLiteral("extrémités absentes ou incorrectes (« from » et « to » : x, y)"));
        if (!bounds.contains(from) || !bounds.contains(to))
            return failItem(QStringLiteral("la ligne sort de la page"));
        item.line = QLineF(from, to);
        return readLength(object, "width", item.penWidth);
    }

    if (!readRect(object.value(QStringLiteral("rect")), item.rect))
        return failItem(QStringLiteral("rectangle absent ou incorrect (« rect » : x, y, largeur, hauteur)"));
    if (!bounds.contains(item.rect))
        return failItem(QStringLiteral("le rectangle sort de la page"));

    if (type == QLatin1String("box")) {
        item.kind = LayoutItem::Kind::Box;
        return readLength(object, "width", item.penWidth) && readColor(object, "fill", item.fill);
    }
    if (type == QLatin1String("text")) {
        item.kind = LayoutItem::Kind::Text;
        if (!object.value(QStringLiteral("text")).isString())
            return failItem(QStringLiteral("texte absent (« text »)"));
        item.text = object.value(QStringLiteral("text")).toString();
        return readTextItem(object, item);
    }
    if (type == QLatin1String("field")) {
        item.kind = LayoutItem::Kind::Field;
        item.formula = object.value(QStringLiteral("formula")).toString();
        if (item.formula.isEmpty())
            return failItem(QStringLiteral("champ sans nom de formule (« formula »)"));
        return readTextItem(object, item);
    }
    return failItem(QStringLiteral("type « %1 » inconnu (text, field, line ou box)").arg(type));
}

bool LayoutParser::readTextItem(const QJsonObject &object, LayoutItem &item)
{
    const QJsonValue font = object.value(QStringLiteral("font"));
    if (font.isString()) {
        const auto style = m_fonts.constFind(font.toString());
        if (style == m_fonts.constEnd())
            return failItem(QStringLiteral("style de police « %1 » non défini").arg(font.toString()));
        item.font = *style;
    } else if (font.isUndefined()) {
        item.font = m_fonts.value(QStringLiteral("default"));
    } else if (!readFont(font, item.font)) {
        return failItem(QStringLiteral("police incorrecte (« family », « size » en points, "
                                       "« weight » normal ou bold, « italic »)"));
    }
    return readAlignment(object, item.alignment);
}

bool LayoutParser::readFont(const QJsonValue &value, LayoutFont &font)
{
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    const QJsonValue family = object.value(QStringLiteral("family"));
    if (!family.isUndefined()) {
        if (!family.isString() || family.toString().isEmpty())
            return false;
        font.family = family.toString();
    }
    const QJsonValue size = object.value(QStringLiteral("size"));
    if (!size.isUndefined()) {
        if (!isFiniteNumber(size) || size.toDouble() <= 0 || size.toDouble() > 200)
            return false;
        font.size = size.toDouble();
    }
    const QString weight = object.value(QStringLiteral("weight")).toString(QStringLiteral("normal"));
    if (weight != QLatin1String("normal") && weight != QLatin1String("bold"))
        return false;
    font.bold = weight == QLatin1String("bold");
    const QJsonValue italic = object.value(QStringLiteral("italic"));
    if (!italic.isUndefined() && !italic.isBool())
        return false;
    font.italic = italic.toBool(false);
    return true;
}

bool LayoutParser::readRect(const QJsonValue &value, QRectF &rect)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != 4)
        return false;
    for (const QJsonValue &number : array)
        if (!isFiniteNumber(number))
            return false;
    rect = QRectF(array.at(0).toDouble(), array.at(1).toDouble(), array.at(2).toDouble(),
                  array.at(3).toDouble());
    return rect.width() > 0 && rect.height() > 0;
}

bool LayoutParser::readPoint(const QJsonValue &value, QPointF &point)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != 2 || !isFiniteNumber(array.at(0))
        || !isFiniteNumber(array.at(1)))
        return false;
    point = QPointF(array.at(0).toDouble(), array.at(1).toDouble());
    return true;
}

bool LayoutParser::readLength(const QJsonObject &object, const char *key, double &length)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return true;
    if (!isFiniteNumber(value) || value.toDouble() < 0 || value.toDouble() > 10)
        return failItem(QStringLiteral("épaisseur « %1 » incorrecte (en millimètres)").arg(QLatin1String(key)));
    length = value.toDouble();
    return true;
}

bool LayoutParser::readColor(const QJsonObject &object, const char *key, QColor &color)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return true;
    const QColor read = QColor::fromString(value.toString());
    if (!value.isString() || !read.isValid())
        return failItem(QStringLiteral("couleur « %1 » incorrecte (#rrggbb attendu)").arg(value.toString()));
    color = read;
    return true;
}

bool LayoutParser::readAlignment(const QJsonObject &object, Qt::Alignment &alignment)
{
    const QString horizontal = object.value(QStringLiteral("align")).toString(QStringLiteral("left"));
    const QString vertical = object.value(QStringLiteral("valign")).toString(QStringLiteral("centre"));
    static const QHash<QString, Qt::Alignment> horizontals = {
        {QStringLiteral("left"), Qt::AlignLeft},
        {QStringLiteral("right"), Qt::AlignRight},
        {QStringLiteral("centre"), Qt::AlignHCenter},
    };
    static const QHash<QString, Qt::Alignment> verticals = {
        {QStringLiteral("top"), Qt::AlignTop},
        {QStringLiteral("centre"), Qt::AlignVCenter},
        {QStringLiteral("bottom"), Qt::AlignBottom},
    };
    if (!horizontals.contains(horizontal))
        return failItem(QStringLiteral("alignement « %1 » inconnu (left, right ou centre)").arg(horizontal));
    if (!verticals.contains(vertical))
        return failItem(QStringLiteral("alignement vertical « %1 » inconnu (top, centre ou bottom)").arg(vertical));
    alignment = horizontals.value(horizontal) | verticals.value(vertical);
    return true;
}

bool LayoutParser::fail(const QString &what)
{
    m_error = ReportError::make(ReportError::ContentInvalid,
        QStringLiteral("La mise en page « %1 » est incorrecte : %2.").arg(m_fileName, what));
    return false;
}

bool LayoutParser::failItem(const QString &what)
{
    return fail(QStringLiteral("élément n°%1 : %2").arg(QString::number(m_itemNumber), what));
}
