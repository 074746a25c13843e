#pragma once

#include "reportlayout.h"

#include <QHash>
#include <QMap>

// One formula of a filled page: its number, its name and the value printed.
struct DocumentFormula
{
    qint16 number = 0;
    QString name;
    QString value;

    bool operator==(const DocumentFormula &) const = default;
};

// What a document says it is about, beside its page: named texts that an
// index of saved documents reads without drawing anything (a pay slip names
// its employee and its period). The engine keeps them as they are given.
using DocumentProperties = QMap<QString, QString>;

// A finished page: the layout and the value of each formula it prints. It is
// what every output renders, and what a saved pay slip (".rpt") holds, so a
// saved pay slip reopens identically without the layout file or the data.
//
// Saved pay slips of version 1 hold the layout and the formulas; version 2
// adds the properties. Both are read; version 2 is written.
class ReportDocument
{
public:
    static constexpr const char *Format = "quorvan-report";
    static constexpr int Version = 2;
    static constexpr int FirstVersion = 1;

    // Fills the layout with formula entries (number -> NAME='value'). An entry
    // that cannot be read, or names a formula the layout does not define, is
    // refused; a field left without an entry prints nothing.
    static std::optional<ReportDocument> fill(const ReportLayout &layout,
                                              const QMap<qint16, QString> &entries,
                                              const QString &layoutFile, ReportError *error);
    // Reads a saved pay slip; fileName only names the file in a message.
    static std::optional<ReportDocument> fromJson(const QJsonObject &json, const QString &fileName,
                                                  ReportError *error);
    QJsonObject toJson() const;

    const ReportLayout &layout() const { return m_layout; }
    const QList<DocumentFormula> &formulas() const { return m_formulas; }
    QString value(const QString &formulaName) const { return m_values.value(formulaName); }
    const DocumentProperties &properties() const { return m_properties; }
    void setProperties(const DocumentProperties &properties) { m_properties = properties; }

private:
    ReportDocument(const ReportLayout &layout, const QList<DocumentFormula> &formulas);

    ReportLayout m_layout;
    QList<DocumentFormula> m_formulas; // in number order
    QHash<QString, QString> m_values;
    DocumentProperties m_properties;
};
