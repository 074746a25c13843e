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
    if (!version.isDouble() || version.toInt(-1) != Version) {
        const QString read = version.isDouble()
            ? QStringLiteral("est en version %1").arg(version.toDouble())
            : QStringLiteral("ne porte pas de numéro de version");
        *error = ReportError::make(ReportError::UnknownFormat,
            QStringLiteral("La fiche de paie enregistrée « %1 » %2 : ce programme lit la version %3.")
                .arg(fileName, read, QString::number(Version)));
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
        const QJsonValue number = object.value(QStringLiteral("number"));
        const QJsonValue name = object.value(QStringLiteral("name"));
        const QJsonValue value = object.value(QStringLiteral("value"));
        const int read = number.toInt(std::numeric_limits<int>::min());
        if (!number.isDouble() || read < std::numeric_limits<qint16>::min()
            || read > std::numeric_limits<qint16>::max() || !name.isString() || !value.isString())
            return damaged(QStringLiteral("la formule en position %1 est mal décrite").arg(i + 1));
        if (!layout->defines(name.toString()))
            return damaged(QStringLiteral("la formule « %1 » n'existe pas dans sa mise en page")
                               .arg(name.toString()));
        formulas.append({static_cast<qint16>(read), name.toString(), value.toString()});
    }
    return ReportDocument(*layout, formulas);
}

QJsonObject ReportDocument::toJson() const
{
    QJsonArray formulas;
    for (const DocumentFormula &formula : m_formulas)
        formulas.append(QJsonObject{{QStringLiteral("number"), formula.number},
                                    {QStringLiteral("name"), formula.name},
                                    {QStringLiteral("value"), formula.value}});
    return QJsonObject{{QStringLiteral("format"), QLatin1String(Format)},
                       {QStringLiteral("version"), Version},
                       {QStringLiteral("layout"), m_layout.json()},
                       {QStringLiteral("formulas"), formulas}};
}
