#include "TfrmRipristino.h"

#include "backup/BackupNames.h"
#include "common/Platform.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/RowList.h"
#include "common/ui/TfrmGuida.h"

#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

using Form::Kind;

namespace {

QString sizeText(qint64 bytes)
{
    const QLocale it(QLocale::Italian, QLocale::Italy);
    if (bytes < 1024 * 1024)
        return it.toString(double(bytes) / 1024.0, 'f', 1) + QStringLiteral(" KB");
    return it.toString(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

} // namespace

TfrmRipristino::TfrmRipristino(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Ripristina una copia"), QSize(620, 460), parent)
{
    auto c = Form::build(this, {
        {"imgIcona", Kind::Picture, {}, 20, 16, 44, 44, "backup"},
        {"lblTitolo", Kind::Bold, QStringLiteral("Copie di sicurezza dei dati, dalla più recente"), 76, 18, 520, 20},
        {"lblSpiega", Kind::Label,
         QStringLiteral("Quintara ne fa una a ogni uscita dal programma, nella cartella Backup."), 76, 40, 520, 20},
        {"lstCopie", Kind::List, {}, 20, 72, 580, 250},
        {"lblInfo", Kind::Label,
         QStringLiteral("Prima del ripristino Quintara fa una copia dei dati attuali: anche il ripristino si può "
                        "annullare, ripristinando quella copia."),
         20, 332, 580, 40},
        {"btnRipristina", Kind::Button, QStringLiteral("Ripristina"), 20, 402, 150, 36},
        {"btnGuida", Kind::Button, QStringLiteral("Guida"), 190, 402, 110, 36},
        {"btnChiudi", Kind::Button, QStringLiteral("Chiudi"), 490, 402, 110, 36},
    });
    lstCopie = c.get<RowList>(QStringLiteral("lstCopie"));
    btnRipristina = c.get<QPushButton>(QStringLiteral("btnRipristina"));
    btnChiudi = c.get<QPushButton>(QStringLiteral("btnChiudi"));
    lblInfo = c.get<QLabel>(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    QFont mono(QStringLiteral("Courier New"), 10);
    mono.setStyleHint(QFont::Monospace);
    lstCopie->setFont(mono);
    for (auto *b : {btnRipristina, btnChiudi})
        b->setAutoDefault(false);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    auto *help = c.get<QPushButton>(QStringLiteral("btnGuida"));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { TfrmGuida::open(this, HelpPage::Backup); });
    connect(btnRipristina, &QPushButton::clicked, this, &TfrmRipristino::btnRipristinaClick);
    connect(lstCopie->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                btnRipristina->setEnabled(current.isValid() && current.row() < m_copies.size());
            });
    fill();
}

// The list empties itself as the dialog's children are destroyed, after this
// class's members are gone: its row changes must not reach them then.
TfrmRipristino::~TfrmRipristino() { disconnect(lstCopie, nullptr, this, nullptr); }

QString TfrmRipristino::rowText(const BackupCopy &copy)
{
    const QString when = copy.when.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    if (copy.members < 0)
        return QStringLiteral("%1  %2  (illeggibile)").arg(when, sizeText(copy.bytes).rightJustified(10));
    return QStringLiteral("%1  %2  %3 soci  %4 movimenti")
        .arg(when, sizeText(copy.bytes).rightJustified(10), QString::number(copy.members).rightJustified(7),
             QString::number(copy.movements).rightJustified(8));
}

void TfrmRipristino::fill()
{
    m_copies = BackupCopies::list(Platform::folder().path(), true);
    QList<ListRow> rows;
    for (const BackupCopy &c : m_copies)
        rows.append({rowText(c), rows.size() + 1});
    if (m_copies.isEmpty())
        rows.append({QStringLiteral("Nessuna copia nella cartella Backup."), 0});
    lstCopie->setRows(RowTable::fromRows(rows), QSize());
    if (!m_copies.isEmpty())
        lstCopie->selectRow(0);
    btnRipristina->setEnabled(!m_copies.isEmpty());
}

void TfrmRipristino::btnRipristinaClick()
{
    const int row = lstCopie->currentRow();
    if (row < 0 || row >= m_copies.size())
        return;
    const BackupCopy chosen = m_copies[row];
    const QString question =
        QStringLiteral("Ripristinare la copia del %1?\r\n\r\nL'archivio dei soci, i movimenti di tutti gli anni, la "
                       "password di accesso, le foto e i documenti allegati saranno sostituiti da quelli della copia; "
                       "le foto, gli anni e i documenti aggiunti dopo la copia saranno tolti. Prima Quintara salva "
                       "una copia dei dati attuali nella cartella Backup, per poter tornare indietro.")
            .arg(chosen.when.toString(QStringLiteral("dd/MM/yyyy 'alle' hh:mm:ss")));
    if (!UiPlatform::ask(this, question))
        return;
    const RestoreOutcome outcome = BackupRestore::restore(Platform::folder().path(), chosen.path, Platform::clock().now());
    if (outcome.status != RestoreOutcome::Status::Restored) {
        UiPlatform::warning(this, BackupRestore::message(outcome));
        fill();
        return;
    }
    QString done = QStringLiteral("Ripristino completato: i dati sono ora quelli della copia del %1.")
                       .arg(chosen.when.toString(QStringLiteral("dd/MM/yyyy 'alle' hh:mm:ss")));
    if (!outcome.safetyCopy.isEmpty())
        done += QStringLiteral("\r\n\r\nI dati di prima sono nella copia del %1.")
                    .arg(BackupNames::timeOf(QFileInfo(outcome.safetyCopy).fileName())
                             .toString(QStringLiteral("dd/MM/yyyy 'alle' hh:mm:ss")));
    UiPlatform::information(this, done);
    m_done = outcome;
    close();
}

std::optional<RestoreOutcome> TfrmRipristino::run(QWidget *owner)
{
    return runDialog<TfrmRipristino>(owner, [](TfrmRipristino &) {}, [](const TfrmRipristino &d) { return d.m_done; });
}
