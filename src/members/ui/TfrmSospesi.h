#pragma once

#include "SubscriptionListScreen.h"

// The members whose subscription is within its days of notice or already expired.
class TfrmSospesi : public SubscriptionListScreen
{
    Q_OBJECT
public:
    explicit TfrmSospesi(QWidget *parent = nullptr);
};
