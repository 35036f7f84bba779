#pragma once

#include <QDate>
#include <QString>

// The day on which the user asked not to see the "In scadenza" window again,
// kept as the value "NonMostrareIl" (dd/mm/yyyy) of the section "InScadenza" in
// Promemoria.ini beside the program. It lives in a file of its own: no archive
// is written for it, and losing the file only brings the window back.
class ReminderSettings
{
public:
    // Promemoria.ini in the program's folder.
    ReminderSettings();
    explicit ReminderSettings(QString path);

    // The largest file read: it holds one short value.
    static constexpr qint64 kMaxFileSize = 64 * 1024;

    // True when the window was dismissed for `day`. A missing, unreadable or
    // odd file dismisses nothing.
    bool hiddenOn(const QDate &day) const;

    // Dismisses the window for `day`; every other line of the file stays as it
    // was. False when the file could not be written (it is then left as it was).
    [[nodiscard]] bool hideOn(const QDate &day) const;

    static QString fileName() { return QStringLiteral("Promemoria.ini"); }
    static QString section() { return QStringLiteral("InScadenza"); }
    static QString key() { return QStringLiteral("NonMostrareIl"); }

private:
    QString m_path;
};
