#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The association's own data, kept in Ente.ini in the program's folder: the
// heading of its yearly statement and of its receipts.
struct EnteData
{
    QString denominazione;
    QString codiceFiscale;
    QString indirizzo;
    QString runts;
    QString tipologia; // "ODV", "APS" or "Altro"
    QString presidente;
    QString tesoriere;

    // The name of the file and the kinds the screen offers.
    static QString fileName() { return QStringLiteral("Ente.ini"); }
    static QStringList kinds();

    // The data kept in `folder` (with its trailing separator). A folder without
    // the file gives empty data; a file that cannot be read gives nothing, and
    // the reason in *error.
    static std::optional<EnteData> load(const QString &folder, QString *error = nullptr);
    // Writes the whole file through the checked save.
    bool save(const QString &folder, QString *error = nullptr) const;

    // True when no field holds anything.
    bool isEmpty() const;

    bool operator==(const EnteData &) const = default;
};
