#pragma once

#include <QString>

#include <functional>

// What a backup or a restore came to, with the French message the clerk or
// the command line is given. Refused: the archive or the request is not
// acceptable (a damaged or foreign archive, a folder that cannot take it),
// nothing was written. NotWritten: the system refused to write (full disk,
// access denied), nothing was left half-written. Cancelled: the clerk
// pressed « Annuler », nothing was changed.
struct BackupResult
{
    enum Status { Done, Refused, NotWritten, Cancelled };

    Status status = Done;
    QString message;
    QString path; // the archive written, or the folder restored

    bool succeeded() const { return status == Done; }

    static BackupResult done(const QString &path) { return {Done, QString(), path}; }
    static BackupResult refused(const QString &message) { return {Refused, message, QString()}; }
    static BackupResult notWritten(const QString &message) { return {NotWritten, message, QString()}; }
    static BackupResult cancelled()
    {
        return {Cancelled, QStringLiteral("Opération annulée : rien n’a été modifié."), QString()};
    }
};

// Told how many bytes of how many are done; returns false to cancel.
using BackupProgress = std::function<bool(qint64 done, qint64 total)>;
