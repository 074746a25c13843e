#pragma once

#include <QByteArray>
#include <QString>

// A file being written under a temporary name beside the file it becomes:
// hidden, readable by its owner only whatever the umask, and locked for as
// long as its writer lives. It takes its final name in one rename once its
// whole content is on the disk, so a reader finds the old file or the new
// one, never half of one. Destroyed unpublished, it is removed.
//
// The lock tells a leftover (its writer was killed) from a file another
// running program is still writing: only an unlocked one is removed.
class TemporaryFile
{
public:
    // What publishing does when the final name is already taken.
    enum class Existing { Replace, Keep };

    // Creates the temporary file for `finalPath`; error() says why it could not.
    explicit TemporaryFile(const QString &finalPath);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    bool isValid() const { return m_fd >= 0; }
    // The errno of the first failure, 0 while none.
    int error() const { return m_error; }
    // The temporary file's path, for a library that writes by name.
    QString path() const;
    int handle() const { return m_fd; }

    // Appends `content`; false (with error()) when the disk refuses part of it.
    bool write(const QByteArray &content);
    // Flushes to the disk and takes the final name. With Keep, a file already
    // there is left alone and the failure is EEXIST. The temporary file is
    // gone afterwards, published or not.
    bool publish(Existing existing);

    // Whether a file name is one of ours, journal files of a database built
    // under it included.
    static bool isTemporaryName(const QString &fileName);
    // Removes `path` if it is a temporary file whose writer is gone; true
    // when removed.
    static bool removeIfLeftover(const QString &path);

private:
    bool fail(int error);
    void discard();

    QString m_finalPath;
    QByteArray m_path;
    int m_fd = -1;
    int m_error = 0;
};
