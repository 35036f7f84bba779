#pragma once

#include "common/TSchedaSocio.h"
#include "output/ReportTemplate.h"

#include <QDateTime>
#include <QImage>

#include <memory>

// The two printed forms of a member card: repScheda (without photo, with a
// frame for notes) and repFoto (with the photo), and how a card fills them.
namespace MemberCardReport {

inline const QString kDocumentTitle = QStringLiteral("Scheda informativa");
inline const QString kTitle = QStringLiteral("SCHEDA DATI ANAGRAFICI SOCIO");
inline constexpr int kRows = 18;

std::unique_ptr<ReportTemplate> createScheda();
std::unique_ptr<ReportTemplate> createFoto();

// The caption and value of each printed row, in row order; values trimmed.
QList<QPair<QString, QString>> rows(const TSchedaSocio &card);

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss".
QString footer(const QDateTime &when);

// Fills the template in the card's row order: portrait page, photo (repFoto
// only), title, the 18 rows, footer. Nothing is prepared yet.
void fill(ReportTemplate &report, const TSchedaSocio &card, const QImage &photo, const QDateTime &when);

// The small folder picture at the top left of both forms.
QImage folderLogo();

} // namespace MemberCardReport
