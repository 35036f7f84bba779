#include "ReportTemplate.h"

#include "ReportLayout.h"

#include "common/Platform.h"

using ReportUnits::mm;

ReportTemplate::ReportTemplate(const QString &name, const QString &documentTitle)
    : m_name(name), m_documentTitle(documentTitle), m_paper(mm(210), mm(297)), m_margin(mm(10))
{
}

QSizeF ReportTemplate::printableArea() const
{
    return {m_paper.width() - 2 * m_margin, m_paper.height() - 2 * m_margin};
}

void ReportTemplate::SetOrientation(QPageLayout::Orientation orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    m_paper.transpose();
}

ReportObject &ReportTemplate::add(std::unique_ptr<ReportObject> object)
{
    m_objects.push_back(std::move(object));
    return *m_objects.back();
}

ReportObject *ReportTemplate::FindObject(const QString &name) const
{
    for (const auto &o : m_objects) {
        if (o->name == name)
            return o.get();
        for (const auto &c : o->children)
            if (c->name == name)
                return c.get();
    }
    return nullptr;
}

const PreparedReport &ReportTemplate::PrepareReport(bool)
{
    // Every preparation starts from nothing: earlier output never leaks into a new one.
    m_prepared = ReportLayout::prepare(*this, Platform::clock().today());
    return m_prepared;
}

namespace ReportBuild {

std::unique_ptr<ReportObject> text(const QString &name, qreal left, qreal top, qreal width, qreal height,
                                   const QString &designText)
{
    auto o = std::make_unique<ReportObject>(ReportKind::Text, name, QRectF(mm(left), mm(top), mm(width), mm(height)));
    if (!designText.isEmpty())
        o->SetText(designText);
    return o;
}

std::unique_ptr<ReportObject> picture(const QString &name, qreal left, qreal top, qreal width, qreal height)
{
    return std::make_unique<ReportObject>(ReportKind::Picture, name,
                                          QRectF(mm(left), mm(top), mm(width), mm(height)));
}

std::unique_ptr<ReportObject> hline(const QString &name, qreal left, qreal top, qreal width)
{
    return std::make_unique<ReportObject>(ReportKind::Line, name, QRectF(mm(left), mm(top), mm(width), 0));
}

std::unique_ptr<ReportObject> vline(const QString &name, qreal left, qreal top, qreal height)
{
    auto o = std::make_unique<ReportObject>(ReportKind::Line, name, QRectF(mm(left), mm(top), 0, mm(height)));
    o->vertical = true;
    return o;
}

std::unique_ptr<ReportObject> rectangle(const QString &name, qreal left, qreal top, qreal width, qreal height)
{
    return std::make_unique<ReportObject>(ReportKind::Rectangle, name,
                                          QRectF(mm(left), mm(top), mm(width), mm(height)));
}

std::unique_ptr<ReportObject> band(const QString &name, BandKind kind, qreal height, bool canSplit)
{
    auto o = std::make_unique<ReportObject>(ReportKind::Band, name, QRectF(0, 0, 0, mm(height)));
    o->band = kind;
    o->canSplit = canSplit;
    return o;
}

QString printedAt(const QDateTime &when)
{
    return QStringLiteral("Stampa eseguita in data ") + when.date().toString(QStringLiteral("dd/MM/yyyy")) +
           QStringLiteral(" alle ore ") + when.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace ReportBuild
