#pragma once

#include <QString>

// One formula handed to the report engine: its number in the engine's
// formula list and its text NAME='value'. An entry whose number is already
// present replaces the older one.
struct FormulaEntry
{
    qint16 number = 0;
    QString text;

    bool operator==(const FormulaEntry &) const = default;
};
