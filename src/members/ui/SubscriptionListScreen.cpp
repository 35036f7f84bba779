#include "SubscriptionListScreen.h"

#include "MemberChoice.h"
#include "common/Platform.h"

SubscriptionListScreen::SubscriptionListScreen(const Variant &variant, QWidget *parent)
    : RecordListScreen({variant.caption, variant.heading, variant.printTitle, QStringLiteral("l'archivio Soci")},
                       parent),
      m_kind(variant.kind)
{
}

ListScan SubscriptionListScreen::scan() const { return SubscriptionLists::scan(m_kind, Platform::clock().today()); }

void SubscriptionListScreen::rowChosen(qint64 position)
{
    m_chosen = MemberChoice::read(this, position);
    if (m_chosen)
        Q_EMIT memberChosen(*m_chosen);
}
