#pragma once

#include <QString>

// A refusal of the record store, carrying the number the screens rely on and
// a French message for the user. A default-constructed StoreError means success.
class StoreError
{
public:
    enum Number {
        None = 0,
        SettingsNotWritten = 524,  // the record of a settings table cannot be written
        NothingToStore = 3020,
        DuplicateKey = 3022,
        KeyMissing = 3058,
        RequiredMissing = 3314,
        CannotOpen = 3049,         // missing, damaged or foreign database file
        NoCurrentRecord = 3021,
        CannotWrite = 3027,        // a store of an employee record refused by the file
        CannotRead = 3043,         // the file could not be read
        UnknownField = 3265,       // a field name the table does not have
    };

    StoreError() = default;
    StoreError(int number, QString message);

    bool isError() const { return m_number != None; }
    explicit operator bool() const { return isError(); }
    int number() const { return m_number; }
    QString message() const { return m_message; }

    // Why the database engine refused, in French, from its result code
    // (« le fichier est en lecture seule », « le disque est plein »...).
    static QString reason(int sqliteCode);

private:
    int m_number = None;
    QString m_message;
};
