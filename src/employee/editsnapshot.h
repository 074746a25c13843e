#pragma once

#include <QByteArray>
#include <QStringList>

class BasePanel;
class IdentityPanel;
class RatesPanel;
class RecordBinding;

// What "Modifier" keeps of the employee on view, so that "Annuler" puts it
// back as it was: the identity texts, the photo, the rates and the bases.
class EditSnapshot
{
public:
    void take(const IdentityPanel &identity, const RatesPanel &rates, const BasePanel &base);
    // The photo put back is a pending change of the record, like the texts.
    void restore(IdentityPanel &identity, RatesPanel &rates, BasePanel &base,
                 RecordBinding &binding) const;

private:
    QStringList m_identity;
    QByteArray m_photo;
    QStringList m_rates;
    QStringList m_bases;
};
