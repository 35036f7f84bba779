#pragma once

#include "common/ui/Screens.h"

class ListScreen;
class QLabel;
class QLineEdit;
class QPushButton;

// The member search: criteria first, then the sorted list of the members that
// meet them all. A double click carries the member to the screen that opened the
// search, as lblMemory says: the member card ("anagrafica"), or the movement
// card's payer ("movimenti_pagatore") or beneficiary ("movimenti_beneficiario").
class TfrmTrovaAnagrafica : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmTrovaAnagrafica(QWidget *parent = nullptr);

    ListScreen *listScreen() const { return m_list; }

    // Who receives the member picked: "anagrafica", "movimenti_pagatore" or "movimenti_beneficiario".
    void setMode(const QString &mode);

Q_SIGNALS:
    // The member at this position was written into the opener.
    void memberCarried(qint64 position);

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void btnCercaMouseDown();
    void btnCercaClick();
    void carry(qint64 position);

    QWidget *m_criteriaPanel = nullptr;
    QWidget *m_resultPanel = nullptr;
    QList<QLineEdit *> m_edits; // in the order of the Enter cycle
    QLabel *m_waiting = nullptr;
    QLabel *m_found = nullptr;
    QLabel *m_memory = nullptr;
    ListScreen *m_list = nullptr;
};
