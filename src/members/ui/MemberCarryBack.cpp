#include "MemberCarryBack.h"

#include "TfrmAnagrafica.h"
#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "movements/ui/TfrmMovimenti.h"
#include "shell/ui/ScreenSet.h"

#include <QLineEdit>

namespace MemberCarryBack {

std::optional<Target> targetOf(const QString &mode)
{
    const QString m = mode.trimmed();
    if (m == QLatin1String("anagrafica"))
        return Target::Card;
    if (m == QLatin1String("movimenti_pagatore"))
        return Target::Payer;
    if (m == QLatin1String("movimenti_beneficiario"))
        return Target::Beneficiary;
    return std::nullopt;
}

bool read(qint64 position1, TSchedaSocio &out)
{
    if (position1 < 1)
        return false;
    RecordFile<TSchedaSocio> file;
    if (!file.open(ArchivePaths::members(), RecordFileBase::Access::Read))
        return false;
    const bool ok = file.read(position1, out);
    file.close();
    return ok;
}

static void put(QWidget *screen, const char *name, const QString &text)
{
    if (auto *edit = screen->findChild<QLineEdit *>(QString::fromLatin1(name)))
        edit->setText(text);
}

void deliver(Target target, qint64 position1, const TSchedaSocio &r)
{
    switch (target) {
    case Target::Card:
        ScreenSet::current().anagrafica()->loadRecord(position1, r);
        return;
    case Target::Payer: {
        QWidget *card = ScreenSet::current().movimenti();
        put(card, "txtPagatore", r.Dipendente);
        put(card, "txtRecapitoPag", r.Recapito);
        put(card, "txtCodFisc", r.CodFisc);
        put(card, "txtPartitaIva", r.PartitaIva);
        put(card, "txtCategoria", r.Cittadinanza);
        put(card, "txtEmail", r.Email);
        return;
    }
    case Target::Beneficiary: {
        QWidget *card = ScreenSet::current().movimenti();
        put(card, "txtBeneficiario", r.Dipendente);
        put(card, "txtRecapitoBen", r.Recapito);
        return;
    }
    }
}

QString readFailureMessage()
{
    return QStringLiteral(
               "Attenzione: il sistema non permette di accedere all'archivio, per cui i dati della scheda "
               "selezionata non sono stati richiamati.") +
           QStringLiteral("\n\r\n\r") +
           QStringLiteral(
               "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
               "programma.");
}

} // namespace MemberCarryBack
