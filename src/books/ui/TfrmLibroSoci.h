#pragma once

#include "books/RegisterList.h"
#include "common/ui/Screens.h"
#include "members/StoredMember.h"

#include <optional>

class FieldEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

// "Libro soci": the register of members in order of number, those who left
// included, with the filters (everyone, the members on a day, those who left)
// and a search; "Stampa" prints what is shown with the association's heading,
// "Esporta" writes it as a worksheet. A double click hands the member back to
// the card that opened the screen.
class TfrmLibroSoci : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmLibroSoci(QWidget *parent = nullptr);

    // Opens the register over `owner` and waits: the member double-clicked, or nothing.
    static std::optional<StoredMember> choose(QWidget *owner);

    const std::optional<StoredMember> &chosen() const { return m_chosen; }
    // The rows shown, as the filters and the search leave them.
    const QList<RegisterList::Row> &shown() const { return m_shown; }
    RegisterList::Query query() const;

    QRadioButton *optTutti = nullptr;
    QRadioButton *optInCarica = nullptr;
    QRadioButton *optUsciti = nullptr;
    FieldEdit *txtData = nullptr;
    FieldEdit *txtTrova = nullptr;
    QPushButton *btnTrova = nullptr;
    QTableWidget *tblSoci = nullptr;
    QLabel *lblStato = nullptr;
    QPushButton *btnStampa = nullptr;
    QRadioButton *optXls = nullptr;
    QRadioButton *optXlsx = nullptr;
    QPushButton *btnEsporta = nullptr;
    QPushButton *btnChiudi = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void load();
    void applyFilter();
    void btnStampaClick();
    void btnEsportaClick();
    void rowChosen(int row);

    QList<RegisterList::Row> m_all;
    QList<RegisterList::Row> m_shown;
    bool m_readable = false;
    std::optional<StoredMember> m_chosen;
};
