#pragma once

#include "SubscriptionListScreen.h"

// The members whose subscription has expired.
class TfrmScadute : public SubscriptionListScreen
{
    Q_OBJECT
public:
    explicit TfrmScadute(QWidget *parent = nullptr);
};
