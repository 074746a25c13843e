#include "optionrefusal.h"

#include <QCommandLineParser>

#include <algorithm>

namespace OptionRefusal {

QString text(const QStringList &options)
{
    const QString head = options.size() > 1 ? QStringLiteral("options inconnues") : QStringLiteral("option inconnue");
    return QStringLiteral("%1 : %2 ; quorvan --help donne la liste").arg(head, options.join(QStringLiteral(", ")));
}

QStringList unknownOptions(const QCommandLineParser &parser, const QStringList &arguments)
{
    // The parser gives names only: "--x" and "-x" both come back as "x".
    QStringList options;
    for (const QString &name : parser.unknownOptionNames()) {
        const QString longForm = QStringLiteral("--") + name;
        const bool typedLong = name.size() > 1 || arguments.contains(longForm)
                               || std::any_of(arguments.cbegin(), arguments.cend(), [&](const QString &word) {
                                      return word.startsWith(longForm + u'=');
                                  });
        options << (typedLong ? longForm : QStringLiteral("-") + name);
    }
    return options;
}

} // namespace OptionRefusal
