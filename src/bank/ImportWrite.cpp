#include "ImportWrite.h"

#include "common/RecordCodec.h"
#include "common/RecordFile.h"

namespace ImportWrite {

Outcome write(const QString &yearPath, const QString &folder, const QList<Proposal> &proposals)
{
    Outcome o;
    QList<const Proposal *> settle, create;
    for (const Proposal &p : proposals) {
        if (p.action == Proposal::Action::Settle)
            settle.append(&p);
        else if (p.action == Proposal::Action::Create)
            create.append(&p);
    }
    if (settle.isEmpty() && create.isEmpty())
        return o;

    QString ledgerError;
    auto ledger = ImportLedger::load(folder, &ledgerError);
    if (!ledger) {
        o.status = Outcome::Status::Failed;
        o.reason = ledgerError;
        return o;
    }

    RecordFile<TSchedaMovimento> file;
    if (!file.open(yearPath, RecordFileBase::Access::Write)) {
        o.status = Outcome::Status::Failed;
        o.reason = file.errorString();
        return o;
    }
    // Every movement to settle must still be as the import read it.
    QList<QByteArray> before;
    for (const Proposal *p : settle) {
        QByteArray raw;
        if (!file.readRaw(p->settles, raw)) {
            o.status = Outcome::Status::Failed;
            o.reason = file.errorString();
            return o;
        }
        const auto now = RecordCodec::decode<TSchedaMovimento>(raw.constData());
        if (RecordFile<TSchedaMovimento>::asStored(now) != RecordFile<TSchedaMovimento>::asStored(p->settled)) {
            o.status = Outcome::Status::Changed;
            o.reason = QStringLiteral("Il movimento n. %1 è stato modificato da un'altra postazione.").arg(p->settles);
            return o;
        }
        before.append(raw);
    }
    // In place first (no room needed), then the new ones in one append; a
    // failure puts the overwritten records back as they were.
    const auto undo = [&](qsizetype overwritten) {
        for (qsizetype i = 0; i < overwritten; ++i)
            (void)file.overwriteRaw(settle[i]->settles, before[i]);
    };
    for (qsizetype i = 0; i < settle.size(); ++i)
        if (!file.overwrite(settle[i]->settles, settle[i]->movement)) {
            o.status = Outcome::Status::Failed;
            o.reason = file.errorString();
            undo(i);
            return o;
        }
    if (!create.isEmpty()) {
        QByteArray block;
        block.reserve(create.size() * TSchedaMovimento::Size);
        for (const Proposal *p : create)
            block += RecordCodec::encode(p->movement);
        if (!file.appendRaw(block)) {
            o.status = Outcome::Status::Failed;
            o.reason = file.errorString();
            undo(settle.size());
            return o;
        }
    }
    file.close();
    o.settled = int(settle.size());
    o.created = int(create.size());
    o.status = Outcome::Status::Written;

    LearnedRules rules = LearnedRules::load(folder);
    for (const Proposal *p : create)
        rules.learn(p->row, p->movement.Causale, p->row.cents > 0 ? p->movement.Pagatore : p->movement.Beneficiario);
    for (const QList<const Proposal *> &list : {settle, create})
        for (const Proposal *p : list)
            ledger->add(p->key);
    QString why;
    if (!ledger->save(folder, &why) || !rules.save(folder, &why)) {
        o.status = Outcome::Status::Recorded;
        o.reason = why;
    }
    return o;
}

QString message(const Outcome &o)
{
    switch (o.status) {
    case Outcome::Status::Written:
        return QStringLiteral("Registrazione completata.\n\nPagamenti segnati come saldati: %1\nNuovi movimenti: %2")
            .arg(o.settled)
            .arg(o.created);
    case Outcome::Status::Nothing:
        return QStringLiteral("Nessuna proposta da registrare.");
    case Outcome::Status::Changed:
        return QStringLiteral("Attenzione: %1\n\nNon è stato registrato nulla: riaprire l'estratto conto per avere le "
                              "proposte aggiornate.")
            .arg(o.reason);
    case Outcome::Status::Failed:
        return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\nNon è stato registrato "
                              "nulla.\n\n(%1)")
            .arg(o.reason);
    case Outcome::Status::Recorded:
        return QStringLiteral("I movimenti sono stati registrati (saldati: %1; nuovi: %2), ma l'elenco delle righe "
                              "importate non è stato aggiornato: importando di nuovo lo stesso file verrebbero "
                              "riproposte.\n\n(%3)")
            .arg(o.settled)
            .arg(o.created)
            .arg(o.reason);
    }
    return {};
}

} // namespace ImportWrite
