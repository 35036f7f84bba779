#pragma once

#include "MemberPrintScreen.h"

// Prints the member shown on the member card, with or without the photo.
class TfrmStampaAna : public MemberPrintScreen
{
    Q_OBJECT
public:
    explicit TfrmStampaAna(QWidget *parent = nullptr);

protected:
    void output(ReportTemplate &report) override;
};
