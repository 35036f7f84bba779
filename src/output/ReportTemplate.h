#pragma once

#include "PreparedReport.h"
#include "ReportObject.h"

#include <QDate>
#include <QDateTime>
#include <QPageLayout>

// A report template: one A4 page holding either objects at fixed positions (a
// card) or title, data and footer bands (a list), and the pages prepared from it.
class ReportTemplate
{
public:
    ReportTemplate(const QString &name, const QString &documentTitle);

    QString name() const { return m_name; }
    QString documentTitle() const { return m_documentTitle; }

    // Page geometry in units.
    QPageLayout::Orientation orientation() const { return m_orientation; }
    QSizeF paper() const { return m_paper; }
    qreal margin() const { return m_margin; }
    QSizeF printableArea() const;

    // Sets the page's orientation; a change swaps paper width and height.
    void SetOrientation(QPageLayout::Orientation orientation);

    // Adds an object to the page (or a band, for list templates) and returns it.
    ReportObject &add(std::unique_ptr<ReportObject> object);

    // The object of that name, searched on the page and inside the bands.
    ReportObject *FindObject(const QString &name) const;

    // Lays the objects' current values out into pages, discarding earlier output.
    // "[DATE]" in boxes with expressions on becomes the clock's date.
    const PreparedReport &PrepareReport(bool clearPrevious = true);
    const PreparedReport &prepared() const { return m_prepared; }

    const std::vector<std::unique_ptr<ReportObject>> &objects() const { return m_objects; }

private:
    QString m_name;
    QString m_documentTitle;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QSizeF m_paper;
    qreal m_margin;
    std::vector<std::unique_ptr<ReportObject>> m_objects;
    PreparedReport m_prepared;
};

// Short constructors for template definitions; geometry in millimetres.
namespace ReportBuild {
std::unique_ptr<ReportObject> text(const QString &name, qreal left, qreal top, qreal width, qreal height,
                                   const QString &designText = QString());
std::unique_ptr<ReportObject> picture(const QString &name, qreal left, qreal top, qreal width, qreal height);
std::unique_ptr<ReportObject> hline(const QString &name, qreal left, qreal top, qreal width);
std::unique_ptr<ReportObject> vline(const QString &name, qreal left, qreal top, qreal height);
std::unique_ptr<ReportObject> rectangle(const QString &name, qreal left, qreal top, qreal width, qreal height);
std::unique_ptr<ReportObject> band(const QString &name, BandKind kind, qreal height, bool canSplit);

// The footer of the card printouts: "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss".
QString printedAt(const QDateTime &when);
} // namespace ReportBuild
