#pragma once

#include "common/ui/Screens.h"

#include <QDate>

#include <optional>

class QCalendarWidget;
class QLabel;

// The date picker: the user picks a day and "Importa" hands it back to the card
// that opened it, which writes it into the date field it named. "Annulla" hands
// back nothing.
class TfrmCalendario : public FixedDialog
{
    Q_OBJECT
public:
    // The date field a picker is opened for. Its text in lblMemory is the one
    // the user's manual knows the modes by.
    enum class Field {
        MemberExpiry,      // "datasca": the member card's txtDataSca
        MovementDate,      // "movimenti_data": the movement card's txtData
        MovementDue,       // "movimenti_scadenza": the movement card's txtDataSca
    };

    explicit TfrmCalendario(QWidget *parent = nullptr);

    // Opens a picker owned by `owner` for that field and waits for it: the day
    // imported, or nothing when the user pressed "Annulla".
    static std::optional<QDate> pick(QWidget *owner, Field field);

    // A picker without a field (the instance created at start-up) imports nothing.
    void setField(Field field);
    std::optional<Field> field() const { return m_field; }
    static QString modeText(Field field);

    // The day "Importa" handed back; nothing before it, or after "Annulla".
    std::optional<QDate> imported() const { return m_imported; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void btnImportaDataClick();

    QLabel *m_lblMemory = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    std::optional<Field> m_field;
    std::optional<QDate> m_imported;
};
