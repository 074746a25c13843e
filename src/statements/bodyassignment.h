#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <variant>

// Which body each contribution line is paid to, and the accounts the pay
// entries use, as the clerk sets them. Kept in the working folder as a small
// versioned JSON file "etats.json"; a folder without one uses the grouping
// delivered with the program (that of 2001).
struct BodyAssignment
{
    static constexpr const char *FileName = "etats.json";
    static constexpr int Version = 1;

    // Body keys and their French names.
    static inline const QString Urssaf = QStringLiteral("urssaf");
    static inline const QString Assedic = QStringLiteral("assedic");
    static inline const QString Pension = QStringLiteral("retraite");
    static inline const QString Taxes = QStringLiteral("taxes");
    static QStringList bodies();                 // in the order documents group them
    static QString bodyName(const QString &key); // « URSSAF », « Non affecté » for ""

    // Line (0 to 19) -> body key; "" is unassigned.
    std::array<QString, 20> lineBody;
    // The twentieth line goes to a body by the label the slips print:
    // label (as printed, compared without case) -> body key.
    QHash<QString, QString> lastLineBodies;

    // Accounts.
    QString grossAccount = QStringLiteral("641");
    QHash<QString, QString> employerAccounts; // body -> "6451", ...; "" -> "645"
    QString netAccount = QStringLiteral("421");
    QString advanceAccount = QStringLiteral("425");
    QString urssafAccount = QStringLiteral("431");
    QString otherBodiesAccount = QStringLiteral("437");

    static BodyAssignment delivered();
    // The body of line `line` as the slip labels it.
    QString bodyOf(int line, const QString &label) const;
    QString employerAccount(const QString &body) const;

    QByteArray toJson() const;
    static std::variant<BodyAssignment, QString> fromJson(const QByteArray &bytes);
    // The folder's, or the delivered one when it has none; why not, in French.
    static std::variant<BodyAssignment, QString> load(const QString &directory);
    std::optional<QString> save(const QString &directory) const;

    bool operator==(const BodyAssignment &) const = default;
};
