#include "ReportObject.h"

void ReportObject::SetText(const QString &text)
{
    // A text of several lines may come with Windows or Unix line ends.
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines = t.split(QLatin1Char('\n'));
}

ReportObject &ReportObject::add(std::unique_ptr<ReportObject> child)
{
    children.push_back(std::move(child));
    return *children.back();
}
