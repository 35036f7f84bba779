#include "ListReport.h"

using namespace ReportBuild;

namespace ListReport {

namespace {
const QColor kSlateGrey(0x70, 0x80, 0x90);
}

std::unique_ptr<ReportTemplate> create(const QString &documentTitle, QPageLayout::Orientation orientation)
{
    auto report = std::make_unique<ReportTemplate>(QStringLiteral("frxReport"), documentTitle);
    report->SetOrientation(orientation);
    // The width of the page inside its margins, less the boxes' indent.
    const qreal width = orientation == QPageLayout::Landscape ? 273 : 184;

    ReportObject &title = report->add(band(QStringLiteral("ReportTitle"), BandKind::Title, 8, false));
    ReportObject &t = title.add(text(QStringLiteral("txtTitolo"), 2, 1, width, 5, QStringLiteral("Riepilogo")));
    t.fontFamily = QStringLiteral("Verdana");
    t.fontSize = 9;
    t.bold = true;
    t.color = Qt::white;
    t.fill = kSlateGrey;
    t.hAlign = Qt::AlignHCenter;

    ReportObject &data = report->add(band(QStringLiteral("MasterData"), BandKind::Data, 28, true));
    ReportObject &r = data.add(text(QStringLiteral("txtRiepilogo"), 3, 0, width, 27));
    r.fontFamily = QStringLiteral("Courier New");
    r.fontSize = 8;
    r.wordWrap = false;
    // The lines sit at the pitch the band's height is computed with.
    r.linePitch = kLineHeight;

    ReportObject &footer = report->add(band(QStringLiteral("Footer"), BandKind::Footer, 8, false));
    ReportObject &p = footer.add(text(QStringLiteral("txtPagina"), 3, 2, width - 1, 5,
                                      QStringLiteral("Stampa eseguita in data [DATE]")));
    p.fontFamily = QStringLiteral("Verdana");
    p.fontSize = 8;
    p.bold = true;
    p.color = Qt::white;
    p.fill = kSlateGrey;
    p.hAlign = Qt::AlignHCenter;
    p.expressions = true;
    return report;
}

void fill(ReportTemplate &report, const QString &title, const QStringList &lines)
{
    report.FindObject(QStringLiteral("txtTitolo"))->SetText(title);
    ReportObject *box = report.FindObject(QStringLiteral("txtRiepilogo"));
    box->clearLines();
    for (const QString &line : lines)
        box->addLine(line);
    ReportObject *band = report.FindObject(QStringLiteral("MasterData"));
    box->setHeight(box->lineCount() * kLineHeight);
    band->setHeight(box->rect.height() + 10);
}

} // namespace ListReport
