#pragma once

#include "common/Platform.h"
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"

#include <QFile>
#include <QTest>

// Year files and classification files for the statement's tests, written as
// the movement card and an editor would write them.
namespace StatementFixtures {

struct Move
{
    QString causale;
    QString data;
    QString totale; // "+12,50" or "-3,00", or any damaged text
    QString pagamento;
    bool saldato = true;
};

inline TSchedaMovimento record(const Move &m)
{
    TSchedaMovimento r;
    const bool income = m.totale.startsWith(QLatin1Char('+'));
    r.Entrata = income ? kYes : kNo;
    r.Uscita = income ? kNo : kYes;
    r.Data = m.data;
    r.Causale = m.causale;
    r.DataSca = m.data;
    r.Preavviso = QStringLiteral("0");
    r.Importo = m.totale.mid(1);
    r.Totale = m.totale;
    r.Pagatore = QStringLiteral("Rossi Mario");
    r.Beneficiario = QStringLiteral("Associazione");
    r.Pagamento = m.pagamento;
    r.Saldato = m.saldato ? kYes : kNo;
    return r;
}

inline QString yearFile(int year) { return Platform::folder().file(QString::number(year) + QStringLiteral(".eur")); }

inline void writeYear(int year, const QList<Move> &moves)
{
    const QString path = yearFile(year);
    QFile::remove(path);
    RecordFile<TSchedaMovimento> file;
    QVERIFY2(file.open(path, RecordFileBase::Access::Write), qPrintable(file.errorString()));
    for (const Move &m : moves)
        QVERIFY(file.append(record(m)));
    file.close();
}

inline void writeText(const QString &name, const QByteArray &bytes)
{
    QFile f(Platform::folder().file(name));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The worked example of the form: year 2025, cash 1.000,00 and bank 5.000,00 at the start.
inline QList<Move> workedYear()
{
    const QString y = QStringLiteral("/2025");
    return {
        {QStringLiteral("Quote associative"), QStringLiteral("15/01") + y, QStringLiteral("+3200,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Donazioni"), QStringLiteral("10/02") + y, QStringLiteral("+1500,00"), QStringLiteral("Bonifico")},
        {QStringLiteral("5 per mille"), QStringLiteral("30/10") + y, QStringLiteral("+820,50"), QStringLiteral("Bonifico")},
        {QStringLiteral("Affitto sala"), QStringLiteral("05/03") + y, QStringLiteral("-1800,00"), QStringLiteral("Bonifico")},
        {QStringLiteral("Stampa volantini"), QStringLiteral("12/03") + y, QStringLiteral("-240,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Spese bancarie"), QStringLiteral("31/12") + y, QStringLiteral("-96,00"), QStringLiteral("Addebito in conto")},
        {QStringLiteral("Lotteria di primavera"), QStringLiteral("20/04") + y, QStringLiteral("+610,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Premi lotteria"), QStringLiteral("18/04") + y, QStringLiteral("-150,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Computer portatile"), QStringLiteral("07/09") + y, QStringLiteral("-700,00"), QStringLiteral("Carta")},
    };
}

inline QByteArray workedClassification()
{
    return "[Entrate]\r\nQuote associative=A.E1\r\nDonazioni=A.E4\r\n5 per mille=A.E5\r\n"
           "Lotteria di primavera=C.E2\r\n"
           "[Uscite]\r\nAffitto sala=A.U3\r\nStampa volantini=A.U1\r\nSpese bancarie=D.U1\r\n"
           "Premi lotteria=C.U2\r\nComputer portatile=F.U1\r\n"
           "[Pagamenti]\r\nContanti=Cassa\r\nBonifico=Banca\r\nAddebito in conto=Banca\r\nCarta=Banca\r\n"
           "[Saldi]\r\n2025.Cassa=1000,00\r\n2025.Banca=5000,00\r\n";
}

} // namespace StatementFixtures
