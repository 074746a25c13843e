#pragma once

#include <QString>

// A failure of the report engine: its number and a French message that says
// what went wrong and with which file. Number 0 is success.
struct ReportError
{
    // The engine's failure numbers. Printing failures share 28663, the
    // number the pay slip actions watch for.
    enum Number : int {
        None = 0,
        FileMissing = 28601,        // layout or saved pay slip not found, or unreadable
        FileDamaged = 28602,        // not a JSON document
        UnknownFormat = 28603,      // not one of our formats, or a version we cannot read
        ContentInvalid = 28604,     // a layout or saved pay slip whose content is wrong
        FormulaUnreadable = 28605,  // an entry that is not NAME='value'
        FormulaUnknown = 28606,     // an entry whose name the layout does not define
        OutputFailed = 28607,       // the saved pay slip could not be written
        OutputNameMissing = 28608,  // destination 2 without an output file
        DestinationUnknown = 28609, // a destination other than 0, 1 or 2
        PdfFailed = 28610,          // the PDF document could not be written
        OutputExists = 28611,       // a saved pay slip of that name is there and is kept
        FileTooLarge = 28612,       // far larger than any layout or saved pay slip: not read
        NotAFile = 28613,           // a folder, a FIFO or a device: not read
        PrintFailed = 28663,        // no printer, or the printer refused the job
    };

    int number = None;
    QString message;

    bool failed() const { return number != None; }
    static ReportError success() { return {}; }
    static ReportError make(Number number, const QString &message) { return {number, message}; }
};
