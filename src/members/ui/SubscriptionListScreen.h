#pragma once

#include "common/ui/Screens.h"
#include "members/SubscriptionLists.h"

class ListScreen;
class QLabel;
class QPushButton;

// A list of members whose subscription needs attention, filled when shown; a
// double click shows the member on the member card. TfrmSospesi and TfrmScadute
// are this screen with their own rule, caption, heading and print title.
class SubscriptionListScreen : public FixedDialog
{
    Q_OBJECT
public:
    struct Variant
    {
        SubscriptionLists::Kind kind;
        QString caption;
        const char *heading; // drawing of imgLogo
        QString printTitle;
    };

    ListScreen *listScreen() const { return m_list; }

Q_SIGNALS:
    // The member at this position was shown on the member card.
    void memberCarried(qint64 position);

protected:
    SubscriptionListScreen(const Variant &variant, QWidget *parent);
    void showEvent(QShowEvent *e) override;

private:
    void fill();
    void carry(qint64 position);

    Variant m_variant;
    ListScreen *m_list = nullptr;
};
