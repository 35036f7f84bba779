#include "StatementItems.h"

#include <QHash>

namespace StatementItems {

namespace {

using S = Side;

QList<Item> build()
{
    struct Row
    {
        const char *code;
        const char *name;
    };
    // The common names of the expense items of sections A, B and E.
    static const Row rows[] = {
        {"A.U1", "Materie prime, sussidiarie, di consumo e di merci"},
        {"A.U2", "Servizi"},
        {"A.U3", "Godimento beni di terzi"},
        {"A.U4", "Personale"},
        {"A.U5", "Uscite diverse di gestione"},
        {"A.E1", "Entrate da quote associative e apporti dei fondatori"},
        {"A.E2", "Entrate dagli associati per attività mutuali"},
        {"A.E3", "Entrate per prestazioni e cessioni ad associati e fondatori"},
        {"A.E4", "Erogazioni liberali"},
        {"A.E5", "Entrate del 5 per mille"},
        {"A.E6", "Contributi da soggetti privati"},
        {"A.E7", "Entrate per prestazioni e cessioni a terzi"},
        {"A.E8", "Contributi da enti pubblici"},
        {"A.E9", "Entrate da contratti con enti pubblici"},
        {"A.E10", "Altre entrate"},
        {"B.U1", "Materie prime, sussidiarie, di consumo e di merci"},
        {"B.U2", "Servizi"},
        {"B.U3", "Godimento beni di terzi"},
        {"B.U4", "Personale"},
        {"B.U5", "Uscite diverse di gestione"},
        {"B.E1", "Entrate per prestazioni e cessioni ad associati e fondatori"},
        {"B.E2", "Contributi da soggetti privati"},
        {"B.E3", "Entrate per prestazioni e cessioni a terzi"},
        {"B.E4", "Contributi da enti pubblici"},
        {"B.E5", "Entrate da contratti con enti pubblici"},
        {"B.E6", "Altre entrate"},
        {"C.U1", "Uscite per raccolte fondi abituali"},
        {"C.U2", "Uscite per raccolte fondi occasionali"},
        {"C.U3", "Altre uscite"},
        {"C.E1", "Entrate da raccolte fondi abituali"},
        {"C.E2", "Entrate da raccolte fondi occasionali"},
        {"C.E3", "Altre entrate"},
        {"D.U1", "Su rapporti bancari"},
        {"D.U2", "Su investimenti finanziari"},
        {"D.U3", "Su patrimonio edilizio"},
        {"D.U4", "Su altri beni patrimoniali"},
        {"D.U5", "Altre uscite"},
        {"D.E1", "Da rapporti bancari"},
        {"D.E2", "Da altri investimenti finanziari"},
        {"D.E3", "Da patrimonio edilizio"},
        {"D.E4", "Da altri beni patrimoniali"},
        {"D.E5", "Altre entrate"},
        {"E.U1", "Materie prime, sussidiarie, di consumo e di merci"},
        {"E.U2", "Servizi"},
        {"E.U3", "Godimento beni di terzi"},
        {"E.U4", "Personale"},
        {"E.U5", "Altre uscite"},
        {"E.E1", "Entrate da distacco del personale"},
        {"E.E2", "Altre entrate di supporto generale"},
        {"I.U1", "Imposte"},
        {"F.U1", "Investimenti in immobilizzazioni inerenti alle attività di interesse generale"},
        {"F.U2", "Investimenti in immobilizzazioni inerenti alle attività diverse"},
        {"F.U3", "Investimenti in attività finanziarie e patrimoniali"},
        {"F.U4", "Rimborso di finanziamenti per quota capitale e di prestiti"},
        {"F.E1", "Disinvestimenti di immobilizzazioni inerenti alle attività di interesse generale"},
        {"F.E2", "Disinvestimenti di immobilizzazioni inerenti alle attività diverse"},
        {"F.E3", "Disinvestimenti di attività finanziarie e patrimoniali"},
        {"F.E4", "Ricevimento di finanziamenti e di prestiti"},
    };
    QList<Item> items;
    for (const Row &r : rows) {
        const QString code = QString::fromUtf8(r.code);
        items.append({code, QString::fromUtf8(r.name), code.at(2) == QLatin1Char('E') ? S::Income : S::Expense,
                      code.at(0)});
    }
    return items;
}

} // namespace

const QList<Item> &all()
{
    static const QList<Item> items = build();
    return items;
}

QList<Item> ofSide(Side side)
{
    QList<Item> out;
    for (const Item &i : all())
        if (i.side == side)
            out.append(i);
    return out;
}

const Item *find(const QString &code)
{
    static const QHash<QString, qsizetype> index = [] {
        QHash<QString, qsizetype> h;
        for (qsizetype i = 0; i < all().size(); ++i)
            h.insert(all().at(i).code, i);
        return h;
    }();
    const auto it = index.find(code);
    return it == index.end() ? nullptr : &all().at(*it);
}

QString label(const Item &item) { return item.code + QStringLiteral(" - ") + item.name; }

} // namespace StatementItems
