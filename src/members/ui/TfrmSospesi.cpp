#include "TfrmSospesi.h"

TfrmSospesi::TfrmSospesi(QWidget *parent)
    : SubscriptionListScreen({SubscriptionLists::Kind::Expiring,
                              QStringLiteral(" Riepilogo Soci con abbonamenti in scadenza o scaduti"),
                              "banner_sospesi",
                              QStringLiteral("Riepilogo Soci con abbonamenti in scadenza o scaduti")},
                             parent)
{
}
