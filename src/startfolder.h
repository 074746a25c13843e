#pragma once

#include <QString>

#include <optional>

// The folder the program starts on when the command line names none (the
// desktop entry): the last folder used, else, at the very first start or
// when that folder is gone, the clerk's choice in the folder choice dialog —
// a company folder created (in the documents by default), an existing one,
// or the demonstration (written in Documents/Quorvan/Démonstration the first
// time). Nothing when the clerk quits.
namespace StartFolder {

struct Choice
{
    QString folder;
    bool fresh = false; // a new company: its employer is to be filled in
};

std::optional<Choice> choose();

// The demonstration folder, written when missing; a French message instead
// when it cannot be.
std::optional<QString> demonstration(QString *refusal);

} // namespace StartFolder
