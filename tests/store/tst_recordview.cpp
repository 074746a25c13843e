#include "database.h"
#include "recordview.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>
#include <unistd.h>

#include <memory>

// The record views the screens work through: moves and markers, finds,
// new records, deletion, when pending changes are stored, and the numbered
// refusals the screens answer.
class TestRecordView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void moves_data();
    void moves();
    void reloadStoresPendingChangesAndGoesFirst();
    void leavingRecordStoresPendingChanges_data();
    void leavingRecordStoresPendingChanges();
    void findFirst_data();
    void findFirst();
    void findFirstSeesRecordsOfOtherViews();
    void findFirstUnknownField();
    void newRecordIsStoredOnLeavingAndAppended();
    void untouchedNewRecordIsAbandoned();
    void dropNewStoresNothing();
    void deleteCurrentRemovesAtOnce();
    void recordDeletedByAnotherView();
    void unchangedRecordDeletedByAnotherView_data();
    void unchangedRecordDeletedByAnotherView();
    void writeCurrentAndGoToLastModified();
    void textsAndPhotoComeBackAsWritten_data();
    void textsAndPhotoComeBackAsWritten();
    void refusedStoreKeepsRecordAndFile_data();
    void refusedStoreKeepsRecordAndFile();
    void nothingToStore_data();
    void nothingToStore();
    void refusedWrite_data();
    void refusedWrite();

private:
    QString mainPath() const { return m_dir->filePath(Schema::MainFileName); }
    void fill(int count);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
    std::shared_ptr<Database> m_main;
};

namespace {

QString identification(int i)
{
    return QStringLiteral("SALARIE%1 , PAUL").arg(i);
}

StoreError addEmployee(RecordView &view, const QString &nom, const QString &prenom)
{
    if (StoreError error = view.addNew())
        return error;
    view.setFieldText("NOM", nom);
    view.setFieldText("PRENOM", prenom);
    view.setFieldText("IDENTIFICATION", nom + " , " + prenom);
    return view.writeCurrent();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A value as another program would read it from the file.
QString storedValue(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    QString value = "<absent>";
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return value;
}

// Runs moves written as "first next prev last pos:2" on a view.
void runMoves(RecordView &view, const QString &moves)
{
    for (const QString &move : moves.split(' ', Qt::SkipEmptyParts)) {
        StoreError error;
        if (move == "first")
            error = view.moveFirst();
        else if (move == "last")
            error = view.moveLast();
        else if (move == "next")
            error = view.moveNext();
        else if (move == "prev")
            error = view.movePrevious();
        else if (move == "reload")
            error = view.reload();
        else if (move.startsWith("pos:"))
            error = view.setPosition(move.mid(4).toInt());
        else
            QFAIL(qPrintable("unknown move " + move));
        QVERIFY2(!error, qPrintable(move + ": " + error.message()));
    }
}

} // namespace

void TestRecordView::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    StoreError error;
    m_main = Database::open(QString(), Schema::mainDatabase(), &error);
    QVERIFY2(m_main, qPrintable(error.message()));
}

void TestRecordView::cleanup()
{
    m_main.reset();
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

void TestRecordView::fill(int count)
{
    RecordView view(m_main, "SALARIE");
    for (int i = 0; i < count; ++i) {
        QVERIFY(!view.addNew());
        view.setFieldText("IDENTIFICATION", identification(i));
        view.setFieldText("NOM", QStringLiteral("SALARIE%1").arg(i));
        view.setFieldText("PRENOM", "PAUL");
        const StoreError error = view.writeCurrent();
        QVERIFY2(!error, qPrintable(error.message()));
    }
}

void TestRecordView::moves_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<int>("position"); // -1: no current record
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<bool>("atEnd");

    QTest::newRow("opened on the first") << 3 << "" << 0 << false << false;
    QTest::newRow("next") << 3 << "first next" << 1 << false << false;
    QTest::newRow("last") << 3 << "last" << 2 << false << false;
    QTest::newRow("previous") << 3 << "last prev" << 1 << false << false;
    QTest::newRow("next past the end") << 3 << "last next" << -1 << false << true;
    QTest::newRow("next again past the end") << 3 << "last next next" << -1 << false << true;
    QTest::newRow("back from past the end") << 3 << "last next prev" << 2 << false << false;
    QTest::newRow("previous past the start") << 3 << "first prev" << -1 << true << false;
    QTest::newRow("back from before the start") << 3 << "first prev next" << 0 << false << false;
    QTest::newRow("set position") << 3 << "pos:2" << 2 << false << false;
    QTest::newRow("set position then previous") << 3 << "pos:1 prev" << 0 << false << false;
    QTest::newRow("reload goes first") << 3 << "last reload" << 0 << false << false;
    QTest::newRow("one record, next") << 1 << "first next" << -1 << false << true;
    QTest::newRow("empty table") << 0 << "" << -1 << true << true;
    QTest::newRow("empty table, last and first") << 0 << "last first" << -1 << true << true;
    QTest::newRow("empty table, next") << 0 << "next" << -1 << true << true;
}

void TestRecordView::moves()
{
    QFETCH(int, records);
    QFETCH(QString, moves);
    QFETCH(int, position);
    QFETCH(bool, atStart);
    QFETCH(bool, atEnd);

    fill(records);
    RecordView view(m_main, "SALARIE");
    runMoves(view, moves);

    QCOMPARE(view.count(), records);
    QCOMPARE(view.position(), position);
    QCOMPARE(view.hasCurrent(), position >= 0);
    QCOMPARE(view.atStart(), atStart);
    QCOMPARE(view.atEnd(), atEnd);
    QCOMPARE(view.fieldText("IDENTIFICATION"),
             position >= 0 ? identification(position) : QString(""));
}

void TestRecordView::reloadStoresPendingChangesAndGoesFirst()
{
    fill(3);
    RecordView view(m_main, "SALARIE");
    QVERIFY(!view.setPosition(2));
    view.setFieldText("TEL", "01 45 67 89 10");
    QVERIFY(view.hasPendingChanges());

    QVERIFY(!view.reload());
    QCOMPARE(view.position(), 0);
    QVERIFY(!view.hasPendingChanges());
    QCOMPARE(storedValue(mainPath(), "SELECT TEL FROM SALARIE WHERE rowid = 3"),
             QString("01 45 67 89 10"));
}

void TestRecordView::leavingRecordStoresPendingChanges_data()
{
    QTest::addColumn<QString>("leave");
    QTest::newRow("next") << "next";
    QTest::newRow("previous") << "prev";
    QTest::newRow("first") << "first";
    QTest::newRow("last") << "last";
    QTest::newRow("position") << "pos:0";
    QTest::newRow("find") << "find";
    QTest::newRow("add new") << "add";
}

void TestRecordView::leavingRecordStoresPendingChanges()
{
    QFETCH(QString, leave);
    fill(3);
    RecordView view(m_main, "SALARIE");
    RecordView other(m_main, "SALARIE");
    QVERIFY(!view.setPosition(1));
    view.setFieldText("VILLE", "SAINT-ÉTIENNE");
    QCOMPARE(view.fieldText("VILLE"), QString("SAINT-ÉTIENNE"));

    if (leave == "find")
        QVERIFY(!view.findFirst("IDENTIFICATION", identification(2)));
    else if (leave == "add")
        QVERIFY(!view.addNew());
    else
        runMoves(view, leave);

    QVERIFY(!view.hasPendingChanges());
    // Another view reads the record afresh when it moves onto it.
    QVERIFY(!other.setPosition(1));
    QCOMPARE(other.fieldText("VILLE"), QString("SAINT-ÉTIENNE"));
}

void TestRecordView::findFirst_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("position"); // -1: no match

    QTest::newRow("key") << "IDENTIFICATION" << "MARTIN , PAUL" << 1;
    QTest::newRow("straight quote") << "IDENTIFICATION" << "D'ARTAGNAN , CHARLES" << 2;
    QTest::newRow("typographic quote") << "IDENTIFICATION" << "D’ARTAGNAN , CHARLES" << 3;
    QTest::newRow("first of several") << "PRENOM" << "PAUL" << 0;
    QTest::newRow("accented field name") << "Entré le" << "LUNDI 15 JANV. 2001" << 2;
    QTest::newRow("exact case") << "IDENTIFICATION" << "martin , paul" << -1;
    QTest::newRow("no trailing blank") << "IDENTIFICATION" << "MARTIN , PAUL " << -1;
    QTest::newRow("quote as SQL would break") << "IDENTIFICATION" << "x' OR '1'='1" << -1;
    QTest::newRow("like pattern") << "IDENTIFICATION" << "MARTIN%" << -1;
}

void TestRecordView::findFirst()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, position);

    RecordView view(m_main, "SALARIE");
    QVERIFY(!addEmployee(view, "DURAND", "PAUL"));
    QVERIFY(!addEmployee(view, "MARTIN", "PAUL"));
    QVERIFY(!addEmployee(view, "D'ARTAGNAN", "CHARLES"));
    view.setFieldText("Entré le", "LUNDI 15 JANV. 2001");
    QVERIFY(!addEmployee(view, "D’ARTAGNAN", "CHARLES"));
    QVERIFY(!view.reload());
    QVERIFY(!view.setPosition(3));

    QVERIFY(!view.findFirst(field, value));
    QCOMPARE(view.noMatch(), position < 0);
    // No match leaves the current record where it was.
    QCOMPARE(view.position(), position < 0 ? 3 : position);
    if (position >= 0 && field == "IDENTIFICATION")
        QCOMPARE(view.fieldText("IDENTIFICATION"), value);
}

void TestRecordView::findFirstSeesRecordsOfOtherViews()
{
    fill(3);
    RecordView list(m_main, "SALARIE");
    RecordView edit(m_main, "SALARIE");
    QVERIFY(!addEmployee(edit, "NOUVEAU", "JEAN"));

    QCOMPARE(list.count(), 3);
    QVERIFY(!list.findFirst("IDENTIFICATION", "NOUVEAU , JEAN"));
    QVERIFY(!list.noMatch());
    QCOMPARE(list.count(), 4);
    QCOMPARE(list.position(), 3);
    QCOMPARE(list.fieldText("NOM"), QString("NOUVEAU"));
    QVERIFY(!list.movePrevious());
    QCOMPARE(list.fieldText("IDENTIFICATION"), identification(2));
}

void TestRecordView::findFirstUnknownField()
{
    fill(1);
    RecordView view(m_main, "SALARIE");
    const StoreError error = view.findFirst("MATRICULE", "1");
    QCOMPARE(error.number(), int(StoreError::UnknownField));
    QCOMPARE(error.message(),
             QString("Le champ « MATRICULE » n’existe pas dans la table SALARIE."));
    QCOMPARE(view.position(), 0);
}

void TestRecordView::newRecordIsStoredOnLeavingAndAppended()
{
    fill(3);
    RecordView view(m_main, "SALARIE");
    QVERIFY(!view.setPosition(1));
    QVERIFY(!view.addNew());
    QVERIFY(view.isNew());
    QVERIFY(view.hasCurrent());
    QCOMPARE(view.position(), -1);
    QCOMPARE(view.fieldText("NOM"), QString(""));
    view.setFieldText("IDENTIFICATION", "ZOLA , EMILE");
    view.setFieldText("NOM", "ZOLA");

    QVERIFY(!view.movePrevious());
    QVERIFY(!view.isNew());
    QCOMPARE(view.count(), 4);
    // Stored, it stood last; the move went on from there.
    QCOMPARE(view.position(), 2);
    QVERIFY(!view.moveLast());
    QCOMPARE(view.fieldText("IDENTIFICATION"), QString("ZOLA , EMILE"));
    QCOMPARE(storedValue(mainPath(), "SELECT count(*) FROM SALARIE"), QString("4"));
    // Fields left alone are stored as empty texts.
    QCOMPARE(storedValue(mainPath(), "SELECT typeof(VILLE) || typeof(PHOTO) FROM SALARIE "
                                     "WHERE NOM = 'ZOLA'"),
             QString("textblob"));
}

void TestRecordView::untouchedNewRecordIsAbandoned()
{
    fill(2);
    RecordView view(m_main, "SALARIE");
    QVERIFY(!view.addNew());
    QVERIFY(!view.moveLast());
    QVERIFY(!view.isNew());
    QCOMPARE(view.count(), 2);
    QCOMPARE(view.position(), 1);
}

void TestRecordView::dropNewStoresNothing()
{
    fill(2);
    RecordView view(m_main, "SALARIE");
    QVERIFY(!view.setPosition(1));
    QVERIFY(!view.addNew());
    view.setFieldText("IDENTIFICATION", "ABANDON , PAUL");
    view.setFieldText("NOM", "ABANDON");
    view.dropNew();

    QVERIFY(!view.isNew());
    QVERIFY(!view.hasPendingChanges());
    QCOMPARE(view.position(), 1);
    QCOMPARE(view.fieldText("IDENTIFICATION"), identification(1));
    QVERIFY(!view.reload());
    QCOMPARE(view.count(), 2);
}

void TestRecordView::deleteCurrentRemovesAtOnce()
{
    fill(4);
    RecordView view(m_main, "SALARIE");
    RecordView other(m_main, "SALARIE");
    QVERIFY(!view.setPosition(1));
    view.setFieldText("TEL", "ABANDONNE");

    QVERIFY(!view.deleteCurrent());
    QCOMPARE(view.count(), 3);
    QCOMPARE(view.position(), -1);
    QVERIFY(!view.hasCurrent());
    QVERIFY(!view.hasPendingChanges());
    QCOMPARE(storedValue(mainPath(), "SELECT count(*) FROM SALARIE"), QString("3"));

    // The next record is the one that followed the deleted one.
    QVERIFY(!view.moveNext());
    QCOMPARE(view.fieldText("IDENTIFICATION"), identification(2));
    QCOMPARE(view.position(), 1);
    QVERIFY(!view.movePrevious());
    QCOMPARE(view.fieldText("IDENTIFICATION"), identification(0));

    QVERIFY(!other.reload());
    QCOMPARE(other.count(), 3);
    QVERIFY(!other.findFirst("IDENTIFICATION", identification(1)));
    QVERIFY(other.noMatch());

    QVERIFY(!view.moveLast());
    QVERIFY(!view.deleteCurrent());
    QCOMPARE(view.deleteCurrent().number(), int(StoreError::NoCurrentRecord));
    QVERIFY(!view.movePrevious());
    QCOMPARE(view.fieldText("IDENTIFICATION"), identification(2));
}

void TestRecordView::recordDeletedByAnotherView()
{
    fill(2);
    RecordView edit(m_main, "SALARIE");
    RecordView list(m_main, "SALARIE");
    QVERIFY(!list.deleteCurrent());
    edit.setFieldText("TEL", "PERDU");

    const StoreError error = edit.writeCurrent();
    QCOMPARE(error.number(), int(StoreError::NoCurrentRecord));
    QCOMPARE(error.message(), QString("Enregistrement impossible : l’enregistrement de la table "
                                      "SALARIE a été supprimé entre-temps."));
    QCOMPARE(storedValue(mainPath(), "SELECT count(*) FROM SALARIE"), QString("1"));
    // Once the change is given up, the view goes on with what is left.
    edit.discardChanges();
    QVERIFY(!edit.reload());
    QCOMPARE(edit.count(), 1);
    QCOMPARE(edit.fieldText("IDENTIFICATION"), identification(1));
}

// Nothing changed, so nothing to store: the view can still tell whether
// the record it shows is in the table, through another connection too.
void TestRecordView::unchangedRecordDeletedByAnotherView_data()
{
    QTest::addColumn<QString>("deleter");
    QTest::newRow("another view") << "view";
    QTest::newRow("another program") << "program";
}

void TestRecordView::unchangedRecordDeletedByAnotherView()
{
    QFETCH(QString, deleter);
    fill(3);
    RecordView edit(m_main, "SALARIE");
    QVERIFY(!edit.setPosition(1));
    QVERIFY(!edit.checkCurrentStillStored());

    if (deleter == QLatin1String("view")) {
        RecordView list(m_main, "SALARIE");
        QVERIFY(!list.setPosition(1));
        QVERIFY(!list.deleteCurrent());
    } else {
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(mainPath().toUtf8().constData(), &other), SQLITE_OK);
        const QByteArray sql = "DELETE FROM SALARIE WHERE IDENTIFICATION = '" + identification(1).toUtf8() + "'";
        QCOMPARE(sqlite3_exec(other, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(other);
    }
    const StoreError error = edit.checkCurrentStillStored();
    QCOMPARE(error.number(), int(StoreError::NoCurrentRecord));
    QCOMPARE(error.message(), QString("Cet enregistrement n’existe plus : il a été supprimé de la table "
                                      "SALARIE entre-temps. Rien n’a été enregistré."));
    // Checking changes nothing: the view still stands on the record it read.
    QCOMPARE(edit.position(), 1);
    QCOMPARE(edit.fieldText("IDENTIFICATION"), identification(1));
    QCOMPARE(storedValue(mainPath(), "SELECT count(*) FROM SALARIE"), QString("2"));

    // A new record is not in the table yet: nothing to check.
    QVERIFY(!edit.addNew());
    QVERIFY(!edit.checkCurrentStillStored());
}

void TestRecordView::writeCurrentAndGoToLastModified()
{
    fill(3);
    RecordView view(m_main, "SALARIE");
    QCOMPARE(view.goToLastModified().number(), int(StoreError::NoCurrentRecord));

    QVERIFY(!view.setPosition(1));
    view.setFieldText("POSTE", "COMPTABLE");
    QVERIFY(!view.writeCurrent());
    QVERIFY(!view.hasPendingChanges());
    QCOMPARE(view.position(), 1);
    QCOMPARE(storedValue(mainPath(), "SELECT POSTE FROM SALARIE WHERE rowid = 2"),
             QString("COMPTABLE"));

    QVERIFY(!view.moveLast());
    QVERIFY(!view.goToLastModified());
    QCOMPARE(view.position(), 1);
    QCOMPARE(view.fieldText("POSTE"), QString("COMPTABLE"));

    QVERIFY(!addEmployee(view, "NOUVEAU", "JEAN"));
    QVERIFY(!view.moveFirst());
    QVERIFY(!view.goToLastModified());
    QCOMPARE(view.position(), 3);
    QCOMPARE(view.fieldText("NOM"), QString("NOUVEAU"));

    // A settings screen validating unchanged values stays on its record.
    RecordView rate(m_main, "TEURO");
    QVERIFY(!rate.writeCurrent());
    QVERIFY(!rate.goToLastModified());
    QCOMPARE(rate.fieldText("Taux de L'euro"), QString("6,55957"));
}

void TestRecordView::textsAndPhotoComeBackAsWritten_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("accented name") << "Entré le" << "LUNDI 15 JANV. 2001";
    QTest::newRow("slash and blank") << "CSG déductible/PATR" << "5,1";
    QTest::newRow("other spelling") << "CSGdéductible/SAL" << "2,4";
    QTest::newRow("straight quote") << "ADRESSE" << "12 RUE DE L'ÉGLISE";
    QTest::newRow("double quote") << "VILLE" << "\"SAINT\" ; DROP TABLE SALARIE; --";
    QTest::newRow("blank") << "TEL" << " ";
    QTest::newRow("empty") << "NUMSECU" << "";
    QTest::newRow("grouped number") << "BASEHORAIRE" << "1 500,0";
}

void TestRecordView::textsAndPhotoComeBackAsWritten()
{
    QFETCH(QString, field);
    QFETCH(QString, text);

    fill(1);
    QByteArray photo(5000, '\0');
    for (int i = 0; i < photo.size(); ++i)
        photo[i] = char(i * 7);
    {
        RecordView view(m_main, "SALARIE");
        view.setFieldText("NUMSECU", "<RIEN>");
        QVERIFY(!view.writeCurrent());
        view.setFieldText(field, text);
        view.setFieldData("PHOTO", photo);
        QVERIFY(!view.writeCurrent());
    }
    RecordView view(m_main, "SALARIE");
    QCOMPARE(view.fieldText(field), text);
    QCOMPARE(view.fieldData("PHOTO"), photo);

    view.setFieldData("PHOTO", QByteArray());
    QVERIFY(!view.reload());
    QCOMPARE(view.fieldData("PHOTO"), QByteArray());
    QCOMPARE(storedValue(mainPath(), "SELECT count(*) FROM SALARIE"), QString("1"));
}

void TestRecordView::refusedStoreKeepsRecordAndFile_data()
{
    QTest::addColumn<bool>("asNew");
    QTest::addColumn<QString>("identification");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("leave"); // how the store is asked for
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");

    const QString duplicate = "Enregistrement impossible : la table SALARIE contient déjà un "
                              "enregistrement de clé « SALARIE0 , PAUL ».";
    const QString keyMissing =
        "Enregistrement impossible : la clé IDENTIFICATION de la table SALARIE est vide.";
    const QString nomMissing =
        "Enregistrement impossible : le champ NOM de la table SALARIE doit être renseigné.";

    QTest::newRow("new, duplicate key") << true << identification(0) << "SALARIE0" << "write"
                                        << 3022 << duplicate;
    QTest::newRow("modified, duplicate key") << false << identification(0) << "SALARIE0" << "next"
                                             << 3022 << duplicate;
    QTest::newRow("new, key missing") << true << "" << "DUPONT" << "last" << 3058 << keyMissing;
    QTest::newRow("modified, key emptied") << false << "" << "DUPONT" << "reload" << 3058
                                           << keyMissing;
    QTest::newRow("new, NOM missing") << true << "DUPONT , JEAN" << "" << "write" << 3314
                                      << nomMissing;
    QTest::newRow("modified, NOM emptied") << false << identification(1) << "" << "prev" << 3314
                                           << nomMissing;
}

void TestRecordView::refusedStoreKeepsRecordAndFile()
{
    QFETCH(bool, asNew);
    QFETCH(QString, identification);
    QFETCH(QString, nom);
    QFETCH(QString, leave);
    QFETCH(int, number);
    QFETCH(QString, message);

    fill(3);
    RecordView view(m_main, "SALARIE");
    QVERIFY(!view.setPosition(1));
    if (asNew)
        QVERIFY(!view.addNew());
    view.setFieldText("IDENTIFICATION", identification);
    view.setFieldText("NOM", nom);
    view.setFieldText("VILLE", "LYON");
    const int position = view.position();
    const QByteArray before = fileBytes(mainPath());

    StoreError error;
    if (leave == "write")
        error = view.writeCurrent();
    else if (leave == "next")
        error = view.moveNext();
    else if (leave == "prev")
        error = view.movePrevious();
    else if (leave == "last")
        error = view.moveLast();
    else
        error = view.reload();

    QCOMPARE(error.number(), number);
    QCOMPARE(error.message(), message);
    QCOMPARE(view.isNew(), asNew);
    QCOMPARE(view.position(), position);
    QCOMPARE(view.count(), 3);
    QCOMPARE(view.fieldText("IDENTIFICATION"), identification);
    QCOMPARE(view.fieldText("NOM"), nom);
    QCOMPARE(view.fieldText("VILLE"), QString("LYON"));
    QCOMPARE(fileBytes(mainPath()), before);

    // Once mended, the same record stores.
    view.setFieldText("IDENTIFICATION", "MENDÉ , PAUL");
    view.setFieldText("NOM", "MENDÉ");
    QVERIFY(!view.writeCurrent());
    QCOMPARE(storedValue(mainPath(), "SELECT VILLE FROM SALARIE WHERE NOM = 'MENDÉ'"),
             QString("LYON"));
}

void TestRecordView::nothingToStore_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("moves");
    QTest::newRow("empty table") << 0 << "";
    QTest::newRow("past the end") << 2 << "last next";
    QTest::newRow("before the start") << 2 << "prev";
}

void TestRecordView::nothingToStore()
{
    QFETCH(int, records);
    QFETCH(QString, moves);
    fill(records);
    RecordView view(m_main, "SALARIE");
    runMoves(view, moves);
    view.setFieldText("NOM", "PERDU");

    const StoreError error = view.writeCurrent();
    QCOMPARE(error.number(), int(StoreError::NothingToStore));
    QCOMPARE(error.message(), QString("Aucun enregistrement à enregistrer dans la table SALARIE."));
    QCOMPARE(view.count(), records);
}

void TestRecordView::refusedWrite_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("reason");

    const QString readOnly = "le fichier est en lecture seule";
    const QString locked = "le fichier est utilisé par un autre programme";
    QTest::newRow("TEURO, connection read-only") << "TEURO" << "Taux de L'euro" << "query only"
                                                 << 524 << readOnly;
    QTest::newRow("PARMETRE, locked") << "PARMETRE" << "HEURSUP1" << "locked" << 524 << locked;
    QTest::newRow("EMPLOYEUR, connection read-only") << "EMPLOYEUR" << "N°URSSAF" << "query only"
                                                     << 524 << readOnly;
    QTest::newRow("EMPLOYEUR, locked") << "EMPLOYEUR" << "NomSociété" << "locked" << 524 << locked;
    QTest::newRow("TEURO, file read-only") << "TEURO" << "Taux de L'euro" << "file mode" << 524
                                           << readOnly;
    QTest::newRow("SALARIE, connection read-only") << "SALARIE" << "NOM" << "query only" << 3027
                                                   << readOnly;
    QTest::newRow("SALARIE, locked") << "SALARIE" << "TEL" << "locked" << 3027 << locked;
}

// Tests run as root, where permission bits stop no write: the obstacles that
// work for root are a connection made read-only (PRAGMA query_only) and
// another program holding the file's write lock.
void TestRecordView::refusedWrite()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, obstacle);
    QFETCH(int, number);
    QFETCH(QString, reason);

    const bool employer = table == "EMPLOYEUR";
    const DatabaseDefinition definition = employer ? Schema::employerDatabase()
                                                   : Schema::mainDatabase();
    if (table == "SALARIE")
        fill(1);
    if (obstacle == "file mode") {
        if (::geteuid() == 0)
            QSKIP("permission bits do not stop root from writing");
        m_main.reset();
        QVERIFY(QFile::setPermissions(mainPath(), QFile::ReadOwner));
    }
    StoreError error;
    auto database = Database::open(QString(), definition, &error);
    QVERIFY2(database, qPrintable(error.message()));
    const QString path = database->filePath();

    sqlite3 *other = nullptr;
    if (obstacle == "query only") {
        QCOMPARE(sqlite3_exec(database->handle(), "PRAGMA query_only = ON", nullptr, nullptr,
                              nullptr),
                 SQLITE_OK);
    } else if (obstacle == "locked") {
        database->setBusyTimeout(0);
        sqlite3_open_v2(QFile::encodeName(path).constData(), &other, SQLITE_OPEN_READWRITE,
                        nullptr);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }

    RecordView view(database, table);
    const QString before = view.fieldText(field);
    view.setFieldText(field, "7,5");
    const QByteArray bytes = fileBytes(path);

    error = view.writeCurrent();
    QCOMPARE(error.number(), number);
    QCOMPARE(error.message(), QStringLiteral("Impossible d’enregistrer dans la table %1 du fichier "
                                             "« %2 » : %3.")
                                  .arg(table, definition.fileName, reason));
    QVERIFY(view.hasPendingChanges());
    QCOMPARE(view.fieldText(field), QString("7,5"));
    QCOMPARE(view.position(), 0);
    QCOMPARE(fileBytes(path), bytes);
    QCOMPARE(storedValue(path, QStringLiteral("SELECT \"%1\" FROM %2").arg(field, table)), before);

    // The obstacle gone, the typed value is still there to be stored.
    if (other) {
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(other);
    }
    sqlite3_exec(database->handle(), "PRAGMA query_only = OFF", nullptr, nullptr, nullptr);
    if (obstacle == "file mode")
        return;
    QVERIFY(!view.writeCurrent());
    QCOMPARE(storedValue(path, QStringLiteral("SELECT \"%1\" FROM %2").arg(field, table)),
             QString("7,5"));
}

QTEST_GUILESS_MAIN(TestRecordView)
#include "tst_recordview.moc"
