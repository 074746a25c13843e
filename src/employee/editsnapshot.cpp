#include "editsnapshot.h"

#include "basepanel.h"
#include "identitypanel.h"
#include "photoframe.h"
#include "ratespanel.h"
#include "recordbinding.h"

#include <QLineEdit>

void EditSnapshot::take(const IdentityPanel &identity, const RatesPanel &rates, const BasePanel &base)
{
    m_identity = identity.fieldTexts();
    m_photo = identity.photo()->photoData();
    m_rates = rates.fieldTexts();
    m_bases = base.fieldTexts();
}

void EditSnapshot::restore(IdentityPanel &identity, RatesPanel &rates, BasePanel &base,
                           RecordBinding &binding) const
{
    for (int i = 0; i < m_identity.size(); ++i)
        identity.setIdentity(i, m_identity.at(i));
    identity.photo()->setPhotoData(m_photo);
    binding.photoChanged();
    for (int i = 0; i < m_rates.size(); ++i)
        rates.field(i)->setText(m_rates.at(i));
    for (int i = 0; i < m_bases.size(); ++i)
        base.field(i)->setText(m_bases.at(i));
}
