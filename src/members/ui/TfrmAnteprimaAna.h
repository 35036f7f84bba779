#pragma once

#include "MemberPrintScreen.h"

// Shows the print of the member on the member card in the preview window first.
class TfrmAnteprimaAna : public MemberPrintScreen
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaAna(QWidget *parent = nullptr);

protected:
    void output(ReportTemplate &report) override;
};
