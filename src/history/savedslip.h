#pragma once

#include "slipfigures.h"
#include "slipsummary.h"

#include <QByteArray>

// A saved pay slip as the history records it: what it lists of the slip,
// the file as it was when recorded (its checksum, size and time of last
// change, to tell a file changed outside the program), the version of the
// file's format and every figure it prints.
struct SavedSlip
{
    SlipSummary summary;
    QByteArray checksum; // of the file as recorded (SlipFile::checksum)
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
    int formatVersion = 0;
    SlipFigures figures;

    bool operator==(const SavedSlip &) const = default;
};
