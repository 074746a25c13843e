#include "attentioncues.h"

namespace AttentionCues {

Captions blink(const QString &target, Captions c)
{
    if (target.isEmpty()) {
        if (c.validate == QLatin1String("valider") && c.cancel == QLatin1String("annuler")) {
            c.validate = QStringLiteral("VALIDER");
            c.cancel = QStringLiteral("ANNULER");
        }
        if (c.modify == QLatin1String("modifier"))
            c.modify = QStringLiteral("Modifier");
        if (c.add == QLatin1String("ajouter"))
            c.add = QStringLiteral("Ajouter");
    } else if (target == BlinkValidateCancel) {
        const bool lower = c.validate == QLatin1String("valider") && c.cancel == QLatin1String("annuler");
        c.validate = lower ? QStringLiteral("VALIDER") : QStringLiteral("valider");
        c.cancel = lower ? QStringLiteral("ANNULER") : QStringLiteral("annuler");
    } else if (target == BlinkModify) {
        c.modify = c.modify == QLatin1String("modifier") ? QStringLiteral("MODIFIER")
                                                         : QStringLiteral("modifier");
    } else if (target == BlinkAdd) {
        c.add = c.add == QLatin1String("ajouter") ? QStringLiteral("Ajouter")
                                                   : QStringLiteral("ajouter");
    }
    return c;
}

QString countMessage(int count)
{
    if (count == 1)
        return QStringLiteral("1 salarié trouvé avec ses critères.");
    return QString::number(count) + QStringLiteral(" salariés trouvés avec ses critères.");
}

QString containingMessage(int count)
{
    if (count == 1)
        return QStringLiteral("Rien d’exact : 1 salarié dont le nom ou la ville contient ce texte.");
    return QStringLiteral("Rien d’exact : ") + QString::number(count)
           + QStringLiteral(" salariés dont le nom ou la ville contient ce texte.");
}

SearchHint hintTick(SearchHint s, int listCount)
{
    if (s.message == countMessage(1) || s.message == countMessage(listCount))
        s.message = ChooseMessage;
    else if (s.message == ChooseMessage)
        s.message = countMessage(listCount);

    if (s.message == ImpossibleMessage)
        s.message = ImpossibleLowerMessage;
    else if (s.message == ImpossibleLowerMessage)
        s.message = ImpossibleMessage;

    if (s.hint == HintSearch) {
        if (s.caption == QLatin1String("RECHERCHE")) {
            s.caption = QStringLiteral("recherche");
            s.message = PressSearchLowerMessage;
        } else if (s.message == PressSearchMessage) {
            s.caption = QStringLiteral("RECHERCHE");
            s.message = PressSearchLowerMessage;
        } else if (s.message == PressSearchLowerMessage) {
            s.caption = QStringLiteral("recherche");
            s.message = PressSearchMessage;
        }
    }
    return s;
}

} // namespace AttentionCues
