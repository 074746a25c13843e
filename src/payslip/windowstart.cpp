#include "windowstart.h"

#include "optionrefusal.h"

namespace WindowStart {

namespace {

// The toolkit's options, as QGuiApplication and QApplication read them
// (with one dash or two): these take the next word as their value...
const char *const ToolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "display",    "geometry",
    "qwindowgeometry", "qwindowtitle", "qwindowicon", "title", "style", "stylesheet", "session", "name",
};
// ...and these stand alone.
const char *const ToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool listed(const QString &name, const auto &names)
{
    for (const char *known : names)
        if (name == QLatin1String(known))
            return true;
    return false;
}

// "-style", "--style" and "-style=fusion" all name "style".
QString optionName(const QString &word)
{
    QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.left(name.indexOf(u'='));
}

} // namespace

std::optional<QString> refusal(const QStringList &words)
{
    QStringList folders;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (!word.startsWith(u'-')) {
            folders << word;
            continue;
        }
        const QString name = optionName(word);
        if (listed(name, ToolkitFlags))
            continue;
        if (!listed(name, ToolkitOptionsWithValue))
            return OptionRefusal::text({word});
        if (!word.contains(u'=') && ++i == words.size())
            return QStringLiteral("l’option %1 attend une valeur ; quorvan --help donne la liste").arg(word);
    }
    if (folders.size() > 1)
        return QStringLiteral("un seul dossier de travail à la fois (« %1 ») ; quorvan --help donne la "
                              "liste")
            .arg(folders.join(QStringLiteral(" », « ")));
    return std::nullopt;
}

} // namespace WindowStart
