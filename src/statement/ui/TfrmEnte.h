#pragma once

#include "common/ui/Screens.h"
#include "common/EnteData.h"

#include <QHash>

#include <optional>

class FieldEdit;
class QComboBox;
class QLabel;
class QPushButton;

// "Dati dell'associazione": the association's name, tax code, address, RUNTS
// number, kind, president and treasurer, kept in Ente.ini. "Salva" checks the
// name and the tax code and writes the file; "Annulla" leaves it as it was.
class TfrmEnte : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmEnte(QWidget *parent = nullptr);

    // Opens the screen over `opener` with the data kept in the program's
    // folder; the data as saved, or nothing when the user left without saving
    // (or the file could not be read, which has been reported).
    static std::optional<EnteData> edit(QWidget *opener);

    void setData(const EnteData &data);
    EnteData data() const;
    std::optional<EnteData> saved() const { return m_saved; }

    FieldEdit *txtDenominazione;
    FieldEdit *txtCodiceFiscale;
    FieldEdit *txtIndirizzo;
    FieldEdit *txtRunts;
    QComboBox *cmbTipologia;
    FieldEdit *txtPresidente;
    FieldEdit *txtTesoriere;
    QLabel *panInfo;
    QPushButton *btnSalva;
    QPushButton *btnAnnulla;

    // The warning for a tax code that is neither an entity's eleven digits nor
    // a person's sixteen characters with their check letter; empty when it is
    // right (or empty).
    static QString taxCodeProblem(const QString &code);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void btnSalvaClick();

    QHash<QObject *, QString> m_hints;
    std::optional<EnteData> m_saved;
};
