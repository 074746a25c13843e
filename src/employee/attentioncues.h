#pragma once

#include <QString>

// The two attention cues of the employee screen, as plain rules on texts:
// the blinking of the button captions that points to the button to press,
// and the search message that alternates with the "Recherche" caption.
namespace AttentionCues {

// blink_target values.
inline const QString NoBlink;
inline const QString BlinkValidateCancel = QStringLiteral("ValAn");
inline const QString BlinkModify = QStringLiteral("modif");
inline const QString BlinkAdd = QStringLiteral("ajout");

struct Captions
{
    QString validate;
    QString cancel;
    QString modify;
    QString add;
};

// One tick of the blink timer (every 500 ms).
Captions blink(const QString &target, Captions captions);

// search_hint values.
inline const QString NoHint;
inline const QString HintSearch = QStringLiteral("recherche");
inline const QString HintAfterDeletion = QStringLiteral("RECHERCHE");

inline const QString WaitingMessage = QStringLiteral("Taper les critères de votre recherche.");
inline const QString PressSearchMessage = QStringLiteral("Clicker sur RECHERCHE pour commencer.");
inline const QString PressSearchLowerMessage = QStringLiteral("Clicker sur recherche pour commencer.");
inline const QString ImpossibleMessage = QStringLiteral("RECHERCHE impossible.");
inline const QString ImpossibleLowerMessage = QStringLiteral("recherche IMPOSSIBLE.");
inline const QString NoneFoundMessage = QStringLiteral("Aucun salarié trouvé avec ses critères.");
inline const QString ChooseMessage = QStringLiteral("Clicker sur le salarié de votre choix.");
inline const QString NoEmployee = QStringLiteral("<Aucun salarié>");

// « 1 salarié trouvé avec ses critères. », « 3 salariés trouvés avec ses critères. ».
QString countMessage(int count);
// What a search that found nothing exactly then found by containing says.
QString containingMessage(int count);

struct SearchHint
{
    QString message;  // the message line
    QString caption;  // the caption of "Recherche"
    QString hint;     // search_hint
};

// One tick of the hint timer (every 2000 ms), `listCount` entries in the list.
SearchHint hintTick(SearchHint state, int listCount);

} // namespace AttentionCues
