#pragma once

#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "statement/Classification.h"
#include "statement/StatementFixtures.h"

// A small year whose figures are worked out by hand in the tests: two months
// with two movements on one day, a payment method neither cash nor bank, a
// damaged date and amount, an unsettled movement and one of another year.
namespace YearFixtures {

using StatementFixtures::Move;

inline QList<Move> year2025()
{
    return {
        {QStringLiteral("Quote"), QStringLiteral("10/01/2025"), QStringLiteral("+50,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Quote"), QStringLiteral("10/01/2025"), QStringLiteral("+25,50"), QStringLiteral("Contanti")},
        {QStringLiteral("Affitto"), QStringLiteral("31/01/2025"), QStringLiteral("-300,00"), QStringLiteral("Bonifico")},
        {QStringLiteral("Donazioni"), QStringLiteral("01/02/2025"), QStringLiteral("+200,00"), QStringLiteral("Bonifico")},
        {QStringLiteral("Cancelleria"), QStringLiteral("15/03/2025"), QStringLiteral("-12,30"), QStringLiteral("Assegno")},
        {QStringLiteral("Quote"), QStringLiteral("30/02/2025"), QStringLiteral("+10,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Lotteria"), QStringLiteral("20/12/2025"), QStringLiteral("+80,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Affitto"), QStringLiteral("31/12/2025"), QStringLiteral("-300,00"), QStringLiteral("Bonifico")},
        {QStringLiteral("Quote"), QStringLiteral("05/05/2025"), QStringLiteral("+12,3x"), QStringLiteral("Contanti")},
        {QStringLiteral("Quote"), QStringLiteral("05/05/2025"), QStringLiteral("+40,00"), QStringLiteral("Contanti"), false},
        {QStringLiteral("Quote"), QStringLiteral("05/05/2024"), QStringLiteral("+99,00"), QStringLiteral("Contanti")},
    };
}

inline QList<Move> year2024()
{
    return {
        {QStringLiteral("Quote"), QStringLiteral("15/01/2024"), QStringLiteral("+60,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Affitto"), QStringLiteral("31/03/2024"), QStringLiteral("-250,00"), QStringLiteral("Bonifico")},
    };
}

inline QByteArray classification()
{
    return "[Entrate]\r\nQuote=A.E1\r\nDonazioni=A.E4\r\nLotteria=C.E2\r\n"
           "[Uscite]\r\nAffitto=A.U3\r\nCancelleria=A.U1\r\n"
           "[Pagamenti]\r\nContanti=Cassa\r\nBonifico=Banca\r\n"
           "[Saldi]\r\n2025.Cassa=100,00\r\n2025.Banca=1000,00\r\n";
}

// Soci.pro holding one member for each expiry date.
inline void writeMembers(const QStringList &expiries)
{
    const QString path = Platform::folder().file(QStringLiteral("Soci.pro"));
    QFile::remove(path);
    RecordFile<TSchedaSocio> file;
    QVERIFY2(file.open(path, RecordFileBase::Access::Write), qPrintable(file.errorString()));
    int n = 0;
    for (const QString &e : expiries) {
        TSchedaSocio s;
        s.Dipendente = QStringLiteral("Socio %1").arg(++n);
        s.DataSca = e;
        s.Preavviso = QStringLiteral("30");
        QVERIFY(file.append(s));
    }
    file.close();
}

inline void writeAll()
{
    StatementFixtures::writeYear(2025, year2025());
    StatementFixtures::writeYear(2024, year2024());
    StatementFixtures::writeText(Classification::fileName(), classification());
}

} // namespace YearFixtures
