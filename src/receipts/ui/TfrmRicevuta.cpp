#include "TfrmRicevuta.h"

#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FormBuilder.h"
#include "movements/MovementCardRules.h"
#include "output/ui/ReportOutput.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptReport.h"
#include "receipts/ReceiptRules.h"

#include <QCheckBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

using Form::Kind;

TfrmRicevuta::TfrmRicevuta(QWidget *parent)
    : FixedDialog(QStringLiteral(" Ricevuta"), QSize(364, 316), parent), m_report(ReceiptReport::create())
{
    Form::Controls c = Form::build(this, {
        {"imgRicevuta", Kind::Picture, {}, 18, 14, 328, 120, "stampa_ricevuta"},
        {"lblNumero", Kind::Bold, {}, 18, 142, 328, 38},
        {"lblDettaglio", Kind::Label, {}, 18, 182, 328, 40},
        {"chkErogazione", Kind::Check, QStringLiteral("Erogazione liberale"), 18, 226, 328, 24},
        {"btnAnnulla", Kind::Button, QStringLiteral("Chiudi"), 18, 272, 100, 28},
        {"btnAnteprima", Kind::Button, QStringLiteral("Anteprima"), 132, 272, 100, 28},
        {"btnStampa", Kind::Button, QStringLiteral("Stampa"), 246, 272, 100, 28},
    });
    m_lblNumero = c.get<QLabel>(QStringLiteral("lblNumero"));
    m_lblDettaglio = c.get<QLabel>(QStringLiteral("lblDettaglio"));
    m_lblDettaglio->setWordWrap(true);
    // The line of a new receipt is longer than the dialog is wide.
    m_lblNumero->setWordWrap(true);
    m_chkErogazione = c.get<QCheckBox>(QStringLiteral("chkErogazione"));
    m_lblNumero->setFont(QFont(QStringLiteral("Verdana"), 10, QFont::Bold));
    m_lblDettaglio->setFont(QFont(QStringLiteral("Verdana"), 9));
    m_chkErogazione->setFont(QFont(QStringLiteral("Verdana"), 9, QFont::Bold));
    m_chkErogazione->setCursor(Qt::PointingHandCursor);
    const QFont buttons(QStringLiteral("Verdana"), 9);
    for (const char *name : {"btnAnnulla", "btnAnteprima", "btnStampa"}) {
        auto *b = c.get<QPushButton>(QString::fromLatin1(name));
        b->setFont(buttons);
        b->setAutoDefault(false);
    }
    connect(c.get<QPushButton>(QStringLiteral("btnAnnulla")), &QPushButton::clicked, this, &QDialog::close);
    connect(c.get<QPushButton>(QStringLiteral("btnAnteprima")), &QPushButton::clicked, this,
            &TfrmRicevuta::btnAnteprimaClick);
    connect(c.get<QPushButton>(QStringLiteral("btnStampa")), &QPushButton::clicked, this,
            &TfrmRicevuta::btnStampaClick);
}

std::optional<TSchedaMovimento> TfrmRicevuta::run(QWidget *owner, const Request &request)
{
    return runDialog<TfrmRicevuta>(
        owner, [&request](TfrmRicevuta &d) { d.setRequest(request); },
        [](const TfrmRicevuta &d) { return d.issued(); });
}

void TfrmRicevuta::setRequest(const Request &request)
{
    m_request = request;
    m_record = request.shown;
    m_chkErogazione->setChecked(request.donation);
    // What the card shows tells whether this is a reprint; the file has the last
    // word when the number is confirmed under the lock.
    const auto year = ReceiptBook::yearOfFile(request.yearFile);
    const auto shownNumber = ReceiptBook::numberIn(request.shown.Ricevuta);
    if (shownNumber && year && shownNumber->year == *year) {
        m_number = shownNumber;
        m_duplicate = true;
        // A reprint says what the original said, gift or not.
        const auto kept = ReceiptArchive::read(ReceiptArchive::pathFor(request.yearFile), nullptr);
        if (const auto original = kept ? ReceiptArchive::find(*kept, shownNumber->text()) : std::nullopt) {
            m_chkErogazione->setChecked(original->donation);
            m_chkErogazione->setEnabled(false);
        }
    }
    showNumber();
    m_lblDettaglio->setText(QStringLiteral("Ricevuto da %1, euro %2\nCausale: %3")
                                .arg(TextRules::trim(m_record.Pagatore), TextRules::trim(m_record.Importo),
                                     TextRules::trim(m_record.Causale)));
}

void TfrmRicevuta::showNumber()
{
    if (!m_number)
        m_lblNumero->setText(QStringLiteral("Nuova ricevuta: il numero è assegnato alla stampa."));
    else if (m_duplicate)
        m_lblNumero->setText(QStringLiteral("Ricevuta n. %1 - Duplicato").arg(m_number->text()));
    else
        m_lblNumero->setText(QStringLiteral("Ricevuta n. %1").arg(m_number->text()));
}

bool TfrmRicevuta::ensureNumber()
{
    // Once taken in this dialog, the number and what it prints stay.
    if (m_content)
        return true;
    using K = ReceiptBook::Outcome::Kind;
    const ReceiptBook::Outcome out = ReceiptBook::issue(m_request.yearFile, m_request.position, m_request.shown,
                                                        m_request.issuer, m_chkErogazione->isChecked());
    switch (out.kind) {
    case K::Issued:
        m_issued = out.record;
        m_duplicate = false;
        break;
    case K::Duplicate:
        m_duplicate = true;
        break;
    case K::Changed:
        UiPlatform::warning(this, ReceiptRules::changedRefused());
        close();
        return false;
    case K::NotSettled:
        UiPlatform::warning(this, ReceiptRules::unsettledRefused());
        close();
        return false;
    case K::NotFound:
    case K::Failed:
        UiPlatform::error(this, MovementCardRules::accessError());
        close();
        return false;
    }
    m_number = out.number;
    m_record = out.record;
    // A number given before its receipts were kept prints from the movement.
    m_content = out.content ? *out.content
                            : ReceiptContent::of(m_record, m_number->text(), m_request.issuer, m_duplicate,
                                                 m_chkErogazione->isChecked());
    m_chkErogazione->setChecked(m_content->donation);
    m_chkErogazione->setEnabled(false);
    showNumber();
    return true;
}

void TfrmRicevuta::fillReport()
{
    ReceiptContent content = *m_content;
    content.duplicate = m_duplicate;
    ReceiptReport::fill(*m_report, content, Platform::clock().now());
}

void TfrmRicevuta::printed(bool toPaper)
{
    if (!toPaper || m_duplicate)
        return;
    m_duplicate = true;
    showNumber();
}

void TfrmRicevuta::btnAnteprimaClick()
{
    if (!ensureNumber())
        return;
    fillReport();
    // The preview may print as well; the dialog stays open for "Stampa".
    printed(ReportOutput::ShowReport(this, *m_report));
}

void TfrmRicevuta::btnStampaClick()
{
    if (!ensureNumber())
        return;
    fillReport();
    m_report->PrepareReport(true);
    printed(ReportOutput::Print(this, *m_report));
    close();
}

void TfrmRicevuta::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x74, 0x94, 0xB3));
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}
