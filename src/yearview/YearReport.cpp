#include "YearReport.h"

#include "YearChart.h"

#include "output/ReportTemplate.h"

using namespace ReportBuild;

namespace YearReport {

namespace {

const QColor kNavy(0x1B, 0x33, 0x58);
const QColor kRed(0xB0, 0x1E, 0x1E);
constexpr qreal kWidth = 277;
constexpr qreal kChartHeight = 165;
// The charts are drawn at twice the screen's detail for paper.
constexpr int kPixelsPerMm = 8;

ReportObject &textIn(ReportObject &band, const QString &name, qreal top, qreal height, const QString &text,
                     qreal size, bool bold)
{
    ReportObject &t = band.add(ReportBuild::text(name, 0, top, kWidth, height));
    t.SetText(text);
    t.fontSize = size;
    t.bold = bold;
    return t;
}

} // namespace

QString title(int year) { return QStringLiteral("Andamento dell'anno %1").arg(year); }

PreparedReport prepare(const YearView &v, const EnteData &e)
{
    ReportTemplate r(QStringLiteral("frxAndamento"), title(v.year()));
    r.SetOrientation(QPageLayout::Landscape);
    ReportObject &head = r.add(band(QStringLiteral("Intestazione"), BandKind::Data, 16, false));
    ReportObject &name = textIn(head, QStringLiteral("txtDenominazione"), 0, 7,
                                e.denominazione.isEmpty() ? QStringLiteral("(denominazione non indicata)")
                                                          : e.denominazione,
                                13, true);
    name.color = kNavy;
    textIn(head, QStringLiteral("txtTitolo"), 8, 6, title(v.year()), 11, true);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(26);
    const QSize pixels(int(kWidth * kPixelsPerMm), int(kChartHeight * kPixelsPerMm));
    int n = 0;
    for (const YearChart::Which which : YearChart::kAll) {
        ReportObject &b = r.add(band(QStringLiteral("Grafico%1").arg(++n), BandKind::Data, kChartHeight + 4, false));
        ReportObject &pic = b.add(picture(QStringLiteral("imgGrafico"), 0, 2, kWidth, kChartHeight));
        pic.SetPicture(YearChart::image(v, which, pixels, font));
        pic.centred = true;
    }
    int w = 0;
    for (const QString &warning : v.warnings()) {
        const int lines = int(warning.size()) / 170 + 1;
        ReportObject &b = r.add(band(QStringLiteral("Avviso%1").arg(++w), BandKind::Data, lines * 4.0 + 1.5, false));
        ReportObject &t = textIn(b, QStringLiteral("txtAvviso"), 0.5, lines * 4.0 + 1, warning, 8, false);
        if (warning.startsWith(QStringLiteral("Attenzione")))
            t.color = kRed;
    }
    return r.PrepareReport(true);
}

} // namespace YearReport
