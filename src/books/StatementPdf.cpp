#include "StatementPdf.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "output/ReportRenderer.h"
#include "statement/StatementReport.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QRegularExpression>

namespace StatementPdf {

QString fileName(int year, const QString &taxCode)
{
    QString code;
    for (const QChar c : taxCode)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('Z')))
            code.append(c.toUpper());
    return code.isEmpty() ? QStringLiteral("Rendiconto_%1.pdf").arg(year)
                          : QStringLiteral("Rendiconto_%1_%2.pdf").arg(year).arg(code);
}

QString place(const QString &address)
{
    QString town = TextRules::trim(address.section(QLatin1Char(','), -1));
    static const QRegularExpression postcode(QStringLiteral("\\b\\d{5}\\b"));
    static const QRegularExpression province(QStringLiteral("\\([A-Za-z]{2}\\)"));
    town.remove(postcode);
    town.remove(province);
    town = town.simplified();
    // A single part is a street, not a town.
    return address.contains(QLatin1Char(',')) ? town : QString();
}

PreparedReport pages(const CashStatement &statement, const EnteData &ente, const QDate &date)
{
    PreparedReport report = StatementReport::prepare(statement, ente);
    const QString where = place(ente.indirizzo);
    const QString line = QStringLiteral("Luogo e data: %1%2")
                             .arg(where.isEmpty() ? QStringLiteral("______________________") : where,
                                  QStringLiteral(", ") + TextRules::formatDate(date));
    for (PreparedPage &page : report.pages)
        for (PreparedItem &item : page.items)
            if (item.name == QLatin1String("txtLuogoData"))
                item.lines = {line};
    return report;
}

bool save(const QString &path, const CashStatement &statement, const EnteData &ente, const QDate &date, QString *error)
{
    const PreparedReport report = pages(statement, ente, date);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setTitle(report.documentTitle + (ente.denominazione.isEmpty() ? QString() : QStringLiteral(" - ") + ente.denominazione));
        writer.setCreator(QStringLiteral("Quintara"));
        writer.setResolution(300);
        writer.setPageLayout(ReportRenderer::pageLayout(report));
        if (!ReportRenderer::paint(writer, report)) {
            if (error)
                *error = QStringLiteral("il PDF non si può comporre");
            return false;
        }
    }
    buffer.close();
    return SafeSave::saveBytes(path, buffer.data(), error);
}

} // namespace StatementPdf
