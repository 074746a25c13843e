#pragma once

#include "employeepanel.h"

class PhotoFrame;
class QLabel;
class QPushButton;
class SearchFrame;

// The panel of the tab "Salarié": the photo, the position indicator, the nine
// identity fields Text1_0 to Text1_8 served by the editor TxtMove, the search
// frame and the previous/next buttons; and what the screen does to the
// identity texts as they are browsed, edited and validated.
class IdentityPanel : public EmployeePanel
{
    Q_OBJECT

public:
    explicit IdentityPanel(QWidget *parent = nullptr);

    PhotoFrame *photo() const { return m_photo; }
    QLabel *positionIndicator() const { return m_position; }
    SearchFrame *searchFrame() const { return m_search; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }

    // Text1 0..8; empty for any other index.
    QString identityText(int index) const;
    // A field that already shows `text` is left untouched.
    void setIdentity(int index, const QString &text);

    // The normalisation steps of the identity fields.
    void markNoSsn();          // no social security number: "<Rien>"
    void maskEntryDate();      // « lundi 15 janv. 2001 »
    void storeEntryDateForm(); // the same mask, then capitals: « LUNDI 15 JANV. 2001 »
    void upperCaseAll();
    void replaceApostrophes(); // ' -> ’

private:
    void addIdentityField(int index, const QString &label, int labelX, int fieldX, int y, int width);

    PhotoFrame *m_photo;
    QLabel *m_position;
    SearchFrame *m_search;
    QPushButton *m_previous;
    QPushButton *m_next;
};
