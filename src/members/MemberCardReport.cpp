#include "MemberCardReport.h"

#include "common/TextRules.h"

#include <QPainter>
#include <QPainterPath>

using namespace ReportBuild;

namespace MemberCardReport {

namespace {

const QColor kDarkOrange(0xFF, 0x8C, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);

QString rowName(const char *prefix, int row)
{
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

// What both forms share; rows start at firstRowTop and follow each other by rowStep mm.
std::unique_ptr<ReportTemplate> createCommon(const QString &name, qreal firstRowTop, qreal rowStep)
{
    auto report = std::make_unique<ReportTemplate>(name, kDocumentTitle);

    ReportObject &logo = report->add(picture(QStringLiteral("imgLogoScheda"), 3, 3, 17, 13));
    logo.SetPicture(folderLogo());
    logo.centred = true;

    ReportObject &title = report->add(text(QStringLiteral("txtTitolo"), 23, 3, 165, 9, QStringLiteral("Titolo Scheda")));
    title.fontSize = 16;
    title.color = Qt::white;
    title.fill = kDarkOrange;
    title.hAlign = Qt::AlignHCenter;
    title.vAlign = Qt::AlignVCenter;
    title.wordWrap = false;

    report->add(hline(QStringLiteral("linSepara01"), 23, 16, 165));

    for (int n = 1; n <= kRows; ++n) {
        const qreal top = firstRowTop + rowStep * (n - 1);
        const QString design = QStringLiteral("Campo %1").arg(n);
        ReportObject &caption = report->add(text(rowName("titCampo", n), 3, top, 52, 6, design));
        caption.fontSize = 9;
        caption.color = Qt::white;
        caption.fill = kTeal;
        caption.vAlign = Qt::AlignVCenter;
        caption.wordWrap = false;
        ReportObject &value = report->add(text(rowName("txtCampo", n), 60, top, 128, 6, design));
        value.fontSize = 10;
        value.vAlign = Qt::AlignVCenter;
        value.wordWrap = false;
    }

    report->add(hline(QStringLiteral("linSepara02"), 3, 265, 185));

    ReportObject &foot = report->add(text(QStringLiteral("txtCalce"), 3, 269, 185, 6, QStringLiteral("Termine scheda")));
    foot.fontSize = 10;
    foot.color = Qt::white;
    foot.fill = kDarkOrange;
    foot.hAlign = Qt::AlignHCenter;
    foot.vAlign = Qt::AlignVCenter;
    foot.wordWrap = false;
    return report;
}

} // namespace

std::unique_ptr<ReportTemplate> createScheda()
{
    auto report = createCommon(QStringLiteral("repScheda"), 24, 10);
    report->add(rectangle(QStringLiteral("shpAppunti"), 3, 204, 185, 57));
    ReportObject &caption = report->add(text(QStringLiteral("txtAppunti"), 4, 205, 34, 4, QStringLiteral("SPAZIO PER APPUNTI:")));
    caption.fontSize = 6;
    caption.vAlign = Qt::AlignVCenter;
    caption.wordWrap = false;
    return report;
}

std::unique_ptr<ReportTemplate> createFoto()
{
    auto report = createCommon(QStringLiteral("repFoto"), 104, 9);
    report->add(picture(QStringLiteral("imgFoto"), 4, 21, 183, 79)).centred = true;
    return report;
}

QList<QPair<QString, QString>> rows(const TSchedaSocio &c)
{
    const auto t = [](const QString &s) { return TextRules::trim(s); };
    return {
        {QStringLiteral("Cognome e nome:"), t(c.Dipendente)},
        {QStringLiteral("Tessera n."), t(c.Cittadinanza)},
        {QStringLiteral("Quota associativa:"), QStringLiteral("€ ") + t(c.Stipendio)},
        {QStringLiteral("Luogo di nascita:"), t(c.Luogo)},
        {QStringLiteral("Data di nascita:"), t(c.DataNasc)},
        {QStringLiteral("Codice fiscale:"), t(c.CodFisc)},
        {QStringLiteral("Partita IVA:"), t(c.PartitaIva)},
        {QStringLiteral("Indirizzo di residenza:"), t(c.Indirizzo)},
        {QStringLiteral("Città:"), t(c.Citta)},
        {QStringLiteral("Provincia:"), t(c.Prov)},
        {QStringLiteral("CAP:"), t(c.Cap)},
        {QStringLiteral("Qualifiche:"), t(c.Qualifiche)},
        {QStringLiteral("Incarico ricoperto:"), t(c.Familiari)},
        {QStringLiteral("IBAN:"), t(c.Iban)},
        {QStringLiteral("Note:"), t(c.Note)},
        {QStringLiteral("Scadenza abbonamento:"), t(c.DataSca)},
        {QStringLiteral("Recapito telefonico:"), t(c.Recapito)},
        {QStringLiteral("E-mail:"), t(c.Email)},
    };
}

QString footer(const QDateTime &when) { return ReportBuild::printedAt(when); }

void fill(ReportTemplate &report, const TSchedaSocio &card, const QImage &photo, const QDateTime &when)
{
    report.SetOrientation(QPageLayout::Portrait);
    if (ReportObject *img = report.FindObject(QStringLiteral("imgFoto")))
        img->SetPicture(photo);
    report.FindObject(QStringLiteral("txtTitolo"))->SetText(kTitle);
    const auto values = rows(card);
    for (int n = 1; n <= kRows; ++n) {
        report.FindObject(rowName("titCampo", n))->SetText(values[n - 1].first);
        report.FindObject(rowName("txtCampo", n))->SetText(values[n - 1].second);
    }
    report.FindObject(QStringLiteral("txtCalce"))->SetText(footer(when));
}

QImage folderLogo()
{
    QImage img(68, 52, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xB0, 0x7D, 0x10), 2));
    // The folder's back with its tab, then the front flap.
    QPainterPath back;
    back.moveTo(4, 10);
    back.lineTo(24, 10);
    back.lineTo(29, 15);
    back.lineTo(64, 15);
    back.lineTo(64, 48);
    back.lineTo(4, 48);
    back.closeSubpath();
    p.setBrush(QColor(0xF2, 0xB1, 0x34));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(4, 48);
    front.lineTo(10, 22);
    front.lineTo(66, 22);
    front.lineTo(64, 48);
    front.closeSubpath();
    p.setBrush(QColor(0xFF, 0xD7, 0x00));
    p.drawPath(front);
    return img;
}

} // namespace MemberCardReport
