#include "attentioncues.h"
#include "employeerules.h"

#include "frenchlocale.h"

#include <QtTest>

using namespace EmployeeRules;

// The employee screen's rules on texts, without any widget.
class TestEmployeeRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }

    void savedIdentity_data();
    void savedIdentity();
    void key();
    void checkRate_data();
    void checkRate();
    void browsedRate_data();
    void browsedRate();
    void baseForm_data();
    void baseForm();
    void remainingShare_data();
    void remainingShare();
    void notANumberMessages_data();
    void notANumberMessages();
    void findNames_data();
    void findNames();
    void searchCriterion_data();
    void searchCriterion();
    void searchMatches_data();
    void searchMatches();
    void searchContaining_data();
    void searchContaining();
    void searchContainingIgnoresStoredAccents();
    void blink_data();
    void blink();
    void hintTick_data();
    void hintTick();
};

void TestEmployeeRules::savedIdentity_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("empty fields") << QStringList(9, QString())
                                  << QStringList{"<RIEN>", " ", " ", " ", " ", " ", " ", " ", " "};
    QTest::newRow("upper case, date masked")
        << QStringList{"1 70", "d’artagnan", "jean", "", "rue d’ici", "75011", "paris", "garde",
                       "15/01/2001"}
        << QStringList{"1 70", "D’ARTAGNAN", "JEAN", " ", "RUE D’ICI", "75011", "PARIS", "GARDE",
                       "LUNDI 15 JANV. 2001"};
    QTest::newRow("accents upper-cased") << QStringList{"x", "hélène", "éloïse", "", "", "", "évreux", "", ""}
                                         << QStringList{"X", "HÉLÈNE", "ÉLOÏSE", " ", " ", " ", "ÉVREUX", " ", " "};
    QTest::newRow("masked date stays") << QStringList{"x", "a", "b", "", "", "", "", "", "LUNDI 15 JANV. 2001"}
                                       << QStringList{"X", "A", "B", " ", " ", " ", " ", " ", "LUNDI 15 JANV. 2001"};
    QTest::newRow("not a date kept") << QStringList{"x", "a", "b", "", "", "", "", "", "bientôt"}
                                     << QStringList{"X", "A", "B", " ", " ", " ", " ", " ", "BIENTÔT"};
}

void TestEmployeeRules::savedIdentity()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, saved);
    QCOMPARE(EmployeeRules::savedIdentity(typed), saved);
}

void TestEmployeeRules::key()
{
    QCOMPARE(EmployeeRules::key("DE L’ORME", "JEAN"), QString("DE L’ORME , JEAN"));
    QCOMPARE(apostrophes("de l'Orme"), QString("de l’Orme"));
    QCOMPARE(apostrophes("de l'Orme").size(), QString("de l'Orme").size());
    QVERIFY(isUpperCase("D’ARTAGNAN , JEAN"));
    QVERIFY(isUpperCase("<RIEN> 1 70"));
    QVERIFY(!isUpperCase("DUPONt"));
    QVERIFY(!isUpperCase("ÉLOïSE"));
}

void TestEmployeeRules::checkRate_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<bool>("lowered");
    QTest::newRow("empty") << "" << "0,0" << false;
    QTest::newRow("above 100") << "120" << "100,0" << true;
    QTest::newRow("100 accepted") << "100" << "100,0" << false;
    QTest::newRow("decimals kept") << "19,6" << "19,6" << false;
    QTest::newRow("whole number") << "8" << "8,0" << false;
    QTest::newRow("four decimals at most") << "2,34567" << "2,3457" << false;
    QTest::newRow("decimal key left") << "12," << "12,0" << false;
    QTest::newRow("not a number kept") << "abc" << "abc" << false;
}

void TestEmployeeRules::checkRate()
{
    QFETCH(QString, typed);
    QFETCH(QString, checked);
    QFETCH(bool, lowered);
    const RateCheck check = EmployeeRules::checkRate(typed);
    QCOMPARE(check.text, checked);
    QCOMPARE(check.lowered, lowered);
}

void TestEmployeeRules::browsedRate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("browsed");
    QTest::newRow("empty") << "" << "0,0";
    QTest::newRow("above 100 untouched") << "120" << "120,0";
    QTest::newRow("masked") << "0,75" << "0,75";
}

void TestEmployeeRules::browsedRate()
{
    QFETCH(QString, text);
    QFETCH(QString, browsed);
    QCOMPARE(EmployeeRules::browsedRate(text), browsed);
}

void TestEmployeeRules::baseForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("form");
    QTest::newRow("empty") << "" << "0,0";
    QTest::newRow("thousands") << "1500" << QString("1\u202F500,0");
    QTest::newRow("two decimals at most") << "45,678" << "45,68";
    QTest::newRow("no upper bound") << "250000" << QString("250\u202F000,0");
    QTest::newRow("not a number kept") << "x1" << "x1";
}

void TestEmployeeRules::baseForm()
{
    QFETCH(QString, text);
    QFETCH(QString, form);
    QCOMPARE(EmployeeRules::baseForm(text), form);
}

void TestEmployeeRules::remainingShare_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("employerShare");
    QTest::addColumn<QString>("remaining"); // "-" for none
    QTest::newRow("300 - 120") << "300" << "120" << "180,0";
    QTest::newRow("empty share") << "300" << "" << "300,0";
    QTest::newRow("both empty") << "" << "" << "0,0";
    QTest::newRow("negative") << "100" << "120,5" << "-20,5";
    QTest::newRow("masked amounts") << QString("1\u202F500,0") << "0,25" << QString("1\u202F499,75");
    QTest::newRow("not a number") << "abc" << "10" << "-";
}

void TestEmployeeRules::remainingShare()
{
    QFETCH(QString, amount);
    QFETCH(QString, employerShare);
    QFETCH(QString, remaining);
    QCOMPARE(EmployeeRules::remainingShare(amount, employerShare).value_or("-"), remaining);
}

void TestEmployeeRules::notANumberMessages_data()
{
    QTest::addColumn<bool>("isRate");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("par3");
    QTest::addColumn<QString>("message");
    const QString end = " n’est pas un nombre : corrigez-le avant de valider.";
    QTest::newRow("employee rate") << true << 5 << "" << "Le taux salarial de la ligne Assurance Maladie" + end;
    QTest::newRow("employer rate") << true << 0 << "" << "Le taux patronal de la ligne CGS + RDS" + end;
    QTest::newRow("named line") << true << 39 << "Mutuelle" << "Le taux salarial de la ligne Mutuelle" + end;
    QTest::newRow("unnamed line") << true << 38 << " " << "Le taux patronal de la ligne vingtième ligne" + end;
    QTest::newRow("hourly base") << false << 0 << "" << "La base horaire" + end;
    QTest::newRow("employer share") << false << 3 << "" << "La part patronale" + end;
}

void TestEmployeeRules::notANumberMessages()
{
    QFETCH(bool, isRate);
    QFETCH(int, index);
    QFETCH(QString, par3);
    QFETCH(QString, message);
    QCOMPARE(isRate ? rateNotANumber(index, par3) : baseNotANumber(index), message);
    QCOMPARE(firstNonNumber({"1,0", "0", "abc", "x"}), 2);
    QCOMPARE(firstNonNumber({"1,0", ""}), 1);
    QCOMPARE(firstNonNumber({"1,0", QString("1\u202F500,0")}), -1);
}

void TestEmployeeRules::findNames_data()
{
    QTest::addColumn<int>("skip");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<int>("found");
    QTest::newRow("stored in upper case") << -1 << "DUPONT" << "MARIE" << 1;
    QTest::newRow("stored in lower case") << -1 << "MARTIN" << "PAUL" << 2;
    QTest::newRow("own position skipped") << 1 << "DUPONT" << "MARIE" << -1;
    QTest::newRow("accents") << -1 << "HÉLÈNE" << "ÉLOÏSE" << 0;
    QTest::newRow("first name differs") << -1 << "DUPONT" << "MARC" << -1;
}

void TestEmployeeRules::findNames()
{
    QFETCH(int, skip);
    QFETCH(QString, surname);
    QFETCH(QString, firstName);
    QFETCH(int, found);
    const QVector<NamePair> names{{"hélène", "éloïse"}, {"DUPONT", "MARIE"}, {"Martin", "paul"}};
    QCOMPARE(EmployeeRules::findNames(names, surname, firstName, skip), found);
}

// The criterion follows the rules of the texts the screen stores.
void TestEmployeeRules::searchCriterion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("criterion");
    QTest::newRow("straight apostrophe") << "d'almeida" << "D\u2019ALMEIDA";
    QTest::newRow("typographic apostrophe") << "d\u2019almeida" << "D\u2019ALMEIDA";
    QTest::newRow("two apostrophes") << "l'aube d'or" << "L\u2019AUBE D\u2019OR";
    QTest::newRow("accents") << "émile" << "ÉMILE";
    QTest::newRow("no social security number") << "<rien>" << "<RIEN>";
    QTest::newRow("key") << "dupont , marie" << "DUPONT , MARIE";
}

void TestEmployeeRules::searchCriterion()
{
    QFETCH(QString, typed);
    QFETCH(QString, criterion);
    QCOMPARE(EmployeeRules::searchCriterion(typed), criterion);
}

static QVector<SearchValues> searchRecords()
{
    return {
        {"LUNDI 15 JANV. 2001", "OUVRIER", "1 70", "01", "PARIS", "75011", "1 RUE", "MARIE", "DUPONT",
         "DUPONT , MARIE"},
        {"LUNDI 15 JANV. 2001", "OUVRIER", "1 71", "02", "LYON", "69001", "2 RUE", "JEAN", "DURAND",
         "DURAND , JEAN"},
        // surname and town both match: listed once
        {"LUNDI 15 JANV. 2001", "CADRE", "<RIEN>", "03", "PARIS", "75001", "3 RUE", "ANNE", "PARIS",
         "PARIS , ANNE"},
        {"MARDI 02 MARS 1999", "VENDEUR", "1 72", "04", "TOURS", "37000", "4 RUE", "PAUL",
         "D\u2019ALMEIDA", "D\u2019ALMEIDA , PAUL"},
        {"MARDI 02 MARS 1999", "VENDEUSE", "2 73", "05", "BREST", "29200", "5 RUE", "ANNE", "L'HERMITE",
         "L'HERMITE , ANNE"},
    };
}

void TestEmployeeRules::searchMatches_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("town") << "PARIS" << QStringList{"DUPONT , MARIE", "PARIS , ANNE"};
    QTest::newRow("part of a value") << "PAR" << QStringList{};
    QTest::newRow("key") << "DUPONT , MARIE" << QStringList{"DUPONT , MARIE"};
    QTest::newRow("no social security number") << "<RIEN>" << QStringList{"PARIS , ANNE"};
    QTest::newRow("case matters") << "paris" << QStringList{};
    QTest::newRow("apostrophe as stored") << "D\u2019ALMEIDA" << QStringList{"D\u2019ALMEIDA , PAUL"};
    // Stored by an earlier program with a straight apostrophe: compared as
    // the screen would store it, listed under its stored key.
    QTest::newRow("straight apostrophe stored") << "L\u2019HERMITE" << QStringList{"L'HERMITE , ANNE"};
    QTest::newRow("apostrophe in the key") << "L\u2019HERMITE , ANNE" << QStringList{"L'HERMITE , ANNE"};
}

void TestEmployeeRules::searchMatches()
{
    QFETCH(QString, criterion);
    QFETCH(QStringList, found);
    const QVector<SearchValues> records = searchRecords();
    QCOMPARE(EmployeeRules::searchMatches(records, criterion), found);
}

void TestEmployeeRules::searchContaining_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("part of a town") << "PAR" << QStringList{"DUPONT , MARIE", "PARIS , ANNE"};
    QTest::newRow("lower case") << "lyon" << QStringList{"DURAND , JEAN"};
    QTest::newRow("part of a first name, twice") << "ann" << QStringList{"PARIS , ANNE", "L'HERMITE , ANNE"};
    QTest::newRow("accent typed, none stored") << "Dùrand" << QStringList{"DURAND , JEAN"};
    QTest::newRow("straight apostrophe typed") << "d'alm" << QStringList{"D\u2019ALMEIDA , PAUL"};
    QTest::newRow("typographic apostrophe typed") << "L\u2019HER" << QStringList{"L'HERMITE , ANNE"};
    // Only names and towns: a street or a post code is not half-remembered.
    QTest::newRow("street not searched") << "RUE" << QStringList{};
    QTest::newRow("post code not searched") << "750" << QStringList{};
    QTest::newRow("blank finds nobody") << "  " << QStringList{};
}

void TestEmployeeRules::searchContaining()
{
    QFETCH(QString, criterion);
    QFETCH(QStringList, found);
    QCOMPARE(EmployeeRules::searchContaining(searchRecords(), criterion), found);
}

void TestEmployeeRules::searchContainingIgnoresStoredAccents()
{
    const QVector<SearchValues> accented{{"", "", "", "", "ORLÉANS", "", "", "CÉLINE", "MOREAU",
                                          "MOREAU , CÉLINE"}};
    QCOMPARE(EmployeeRules::searchContaining(accented, "celine"), QStringList{"MOREAU , CÉLINE"});
    QCOMPARE(EmployeeRules::searchContaining(accented, "orleans"), QStringList{"MOREAU , CÉLINE"});
}

void TestEmployeeRules::blink_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("before"); // Valider, Annuler, Modifier, Ajouter
    QTest::addColumn<QStringList>("after");
    QTest::newRow("nothing blinks, lower case restored")
        << "" << QStringList{"valider", "annuler", "modifier", "ajouter"}
        << QStringList{"VALIDER", "ANNULER", "Modifier", "Ajouter"};
    QTest::newRow("nothing blinks, others untouched")
        << "" << QStringList{"Valider", "Annuler", "MODIFIER", "Ajouter"}
        << QStringList{"Valider", "Annuler", "MODIFIER", "Ajouter"};
    QTest::newRow("ValAn from initial") << "ValAn" << QStringList{"Valider", "Annuler", "Modifier", "Ajouter"}
                                        << QStringList{"valider", "annuler", "Modifier", "Ajouter"};
    QTest::newRow("ValAn back up") << "ValAn" << QStringList{"valider", "annuler", "Modifier", "Ajouter"}
                                   << QStringList{"VALIDER", "ANNULER", "Modifier", "Ajouter"};
    QTest::newRow("modif down") << "modif" << QStringList{"Valider", "Annuler", "Modifier", "Ajouter"}
                                << QStringList{"Valider", "Annuler", "modifier", "Ajouter"};
    QTest::newRow("modif up") << "modif" << QStringList{"Valider", "Annuler", "modifier", "Ajouter"}
                              << QStringList{"Valider", "Annuler", "MODIFIER", "Ajouter"};
    QTest::newRow("ajout down") << "ajout" << QStringList{"Valider", "Annuler", "Modifier", "Ajouter"}
                                << QStringList{"Valider", "Annuler", "Modifier", "ajouter"};
    QTest::newRow("ajout up") << "ajout" << QStringList{"Valider", "Annuler", "Modifier", "ajouter"}
                              << QStringList{"Valider", "Annuler", "Modifier", "Ajouter"};
}

void TestEmployeeRules::blink()
{
    QFETCH(QString, target);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    const AttentionCues::Captions next =
        AttentionCues::blink(target, {before[0], before[1], before[2], before[3]});
    QCOMPARE((QStringList{next.validate, next.cancel, next.modify, next.add}), after);
}

void TestEmployeeRules::hintTick_data()
{
    using namespace AttentionCues;
    QTest::addColumn<QStringList>("before"); // message, caption, hint
    QTest::addColumn<int>("listCount");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("one found -> choose") << QStringList{countMessage(1), "Recherche", ""} << 1
                                         << QStringList{ChooseMessage, "Recherche", ""};
    QTest::newRow("choose -> one found") << QStringList{ChooseMessage, "Recherche", ""} << 1
                                         << QStringList{"1 salarié trouvé avec ses critères.", "Recherche", ""};
    QTest::newRow("choose -> three found") << QStringList{ChooseMessage, "Recherche", ""} << 3
                                           << QStringList{"3 salariés trouvés avec ses critères.", "Recherche", ""};
    QTest::newRow("impossible alternates") << QStringList{ImpossibleMessage, "Recherche", ""} << 0
                                           << QStringList{"recherche IMPOSSIBLE.", "Recherche", ""};
    QTest::newRow("impossible back") << QStringList{ImpossibleLowerMessage, "Recherche", ""} << 0
                                     << QStringList{"RECHERCHE impossible.", "Recherche", ""};
    QTest::newRow("press search, caption up") << QStringList{PressSearchMessage, "Recherche", "recherche"} << 0
                                              << QStringList{PressSearchLowerMessage, "RECHERCHE", "recherche"};
    QTest::newRow("caption down") << QStringList{PressSearchLowerMessage, "RECHERCHE", "recherche"} << 0
                                  << QStringList{PressSearchLowerMessage, "recherche", "recherche"};
    QTest::newRow("message up") << QStringList{PressSearchLowerMessage, "recherche", "recherche"} << 0
                                << QStringList{PressSearchMessage, "recherche", "recherche"};
    QTest::newRow("no hint, nothing moves") << QStringList{WaitingMessage, "Recherche", ""} << 0
                                            << QStringList{WaitingMessage, "Recherche", ""};
}

void TestEmployeeRules::hintTick()
{
    QFETCH(QStringList, before);
    QFETCH(int, listCount);
    QFETCH(QStringList, after);
    const AttentionCues::SearchHint next =
        AttentionCues::hintTick({before[0], before[1], before[2]}, listCount);
    QCOMPARE((QStringList{next.message, next.caption, next.hint}), after);
}

QTEST_GUILESS_MAIN(TestEmployeeRules)
#include "tst_employeerules.moc"
