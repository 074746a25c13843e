#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QLineEdit;

// The numeric-entry rule of the number fields: digits and backspace pass; the
// period or comma is swallowed and the field becomes its value rounded to a
// whole number followed by the decimal comma ("12" -> "12,", "" -> "0,");
// any other typed character is swallowed with a beep. Keys that type nothing
// (Tab, arrows, Delete, function keys) pass untouched.
class NumericEntryFilter : public QObject
{
    Q_OBJECT

public:
    enum class Variant {
        WithoutSelection, // the decimal key ignores the selection
        WithSelection,    // the decimal key first deletes the selected text
    };

    // A check run before the rule on every typed character; returning false
    // swallows the key (the converter's amount needs a rate first).
    using Guard = std::function<bool(QKeyEvent *)>;

    NumericEntryFilter(QLineEdit *field, Variant variant);

    static NumericEntryFilter *install(QLineEdit *field, Variant variant);
    void setGuard(Guard guard) { m_guard = std::move(guard); }

    // The rule on one character; returns true when the character passes.
    bool apply(QChar c);

signals:
    void beeped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void decimalKey();

    QLineEdit *m_field;
    Variant m_variant;
    Guard m_guard;
};
