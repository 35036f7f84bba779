#include "TfrmScadute.h"

TfrmScadute::TfrmScadute(QWidget *parent)
    : SubscriptionListScreen({SubscriptionLists::Kind::Expired,
                              QStringLiteral(" Riepilogo Soci con abbonamenti scaduti"), "banner_scadute",
                              QStringLiteral("Riepilogo Soci con abbonamenti scaduti")},
                             parent)
{
}
