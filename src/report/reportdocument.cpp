#include "reportdocument.h"

#include "formulatext.h"

#include <QJsonArray>

#include <limits>

ReportDocument::ReportDocument(const ReportLayout &layout, const QList<DocumentFormula> &formulas)
    : m_layout(layout), m_formulas(formulas)
{
    for (const DocumentFormula &formula : formulas)
        m_values.insert(formula.name, formula.value);
}

std::optional<ReportDocument> ReportDocument::fill(const ReportLayout &layout,
                                                   const QMap<qint16, QString> &entries,
                                                   const QString &layoutFile, ReportError *error)
{
    QList<DocumentFormula> formulas;
    formulas.reserve(entries.size());
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const std::optional<FormulaText> text = FormulaText::parse(it.value());
        if (!text) {
            *error = ReportError::make(ReportError::FormulaUnreadable,
                QStringLiteral("La formule n°%1 est illisible : « %2 ». Le texte attendu est "
                               "NOM='valeur'.").arg(QString::number(it.key()), it.value()));
            return std::nullopt;
        }
        if (!layout.defines(text->name)) {
            *error = ReportError::make(ReportError::FormulaUnknown,
                QStringLiteral("La formule n°%1 « %2 » n'existe pas dans la mise en page « %3 ».")
                    .arg(QString::number(it.key()), text->name, layoutFile));
            return std::nullopt;
        }
        formulas.append({it.key(), text->name, text->value});
    }
    return ReportDocument(layout, formulas);
}

std::optional<ReportDocument> ReportDocument::fromJson(const QJsonObject &json, const QString &fileName,
                                                       ReportError *error)
{
    const QJsonValue version = json.value(QStringLiteral("version"));
    const int read = version.toInt(-1);
    if (!version.isDouble() || read < FirstVersion || read > Version) {
        const QString found = version.isDouble()
            ? QStringLiteral("est en version %1").arg(version.toDouble())
            : QStringLiteral("ne porte pas de numéro de version");
        *error = ReportError::make(ReportError::UnknownFormat,
            QStringLiteral("La fiche de paie enregistrée « %1 » %2 : ce programme lit les fiches de paie "
                           "enregistrées jusqu'à la version %3.")
                .arg(fileName, found, QString::number(Version)));
        return std::nullopt;
    }
    const auto damaged = [&](const QString &what) {
        *error = ReportError::make(ReportError::ContentInvalid,
            QStringLiteral("La fiche de paie enregistrée « %1 » est endommagée : %2.").arg(fileName, what));
        return std::nullopt;
    };
    if (!json.value(QStringLiteral("layout")).isObject())
        return damaged(QStringLiteral("sa mise en page est absente"));
    std::optional<ReportLayout> layout =
        ReportLayout::fromJson(json.value(QStringLiteral("layout")).toObject(), fileName, error);
    if (!layout)
        return std::nullopt;
    if (!json.value(QStringLiteral("formulas")).isArray())
        return damaged(QStringLiteral("la liste de ses formules est absente"));

    QList<DocumentFormula> formulas;
    const QJsonArray array = json.value(QStringLiteral("formulas")).toArray();
    for (int i = 0; i < array.size(); ++i) {
        const QJsonObject object = array.at(i).toObject();
        const QJsonValue numberValue = object.value(QStringLiteral("number"));
        const QJsonValue name = object.value(QStringLiteral("name"));
        const QJsonValue value = object.value(QStringLiteral("value"));
        const int number = numberValue.toInt(std::numeric_limits<int>::min());
        if (!numberValue.isDouble() || number < std::numeric_limits<qint16>::min()
            || number > std::numeric_limits<qint16>::max() || !name.isString() || !value.isString())
            return damaged(QStringLiteral("la formule en position %1 est mal décrite").arg(i + 1));
        if (!layout->defines(name.toString()))
            return damaged(QStringLiteral("la formule « %1 » n'existe pas dans sa mise en page")
                               .arg(name.toString()));
        formulas.append({static_cast<qint16>(number), name.toString(), value.toString()});
    }
    ReportDocument document(*layout, formulas);
    const QJsonValue properties = json.value(QStringLiteral("properties"));
    if (read >= 2 && !properties.isObject())
        return damaged(QStringLiteral("la liste de ses propriétés est absente"));
    const QJsonObject object = properties.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isString())
            return damaged(QStringLiteral("sa propriété « %1 » n'est pas un texte").arg(it.key()));
        document.m_properties.insert(it.key(), it.value().toString());
    }
    return document;
}

QJsonObject ReportDocument::toJson() const
{
    QJsonArray formulas;
    for (const DocumentFormula &formula : m_formulas)
        formulas.append(QJsonObject{{QStringLiteral("number"), formula.number},
                                    {QStringLiteral("name"), formula.name},
                                    {QStringLiteral("value"), formula.value}});
    QJsonObject properties;
    for (auto it = m_properties.begin(); it != m_properties.end(); ++it)
        properties.insert(it.key(), it.value());
    return QJsonObject{{QStringLiteral("format"), QLatin1String(Format)},
                       {QStringLiteral("version"), Version},
                       {QStringLiteral("properties"), properties},
                       {QStringLiteral("layout"), m_layout.json()},
                       {QStringLiteral("formulas"), formulas}};
}
