#include "TfrmTrovaAnagrafica.h"

#include "MemberChoice.h"
#include "common/TSchedaSocio.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/ListScreen.h"
#include "common/ui/Palette.h"
#include "common/ui/UiPlatform.h"
#include "members/MemberSearch.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

// The criteria edits in the order of the Enter cycle, with their member field and
// the name of their focus frame.
struct CriterionEdit
{
    const char *edit;
    QString TSchedaSocio::*field;
    const char *frame;
};

const CriterionEdit kCriteria[] = {
    {"txtDipendente", &TSchedaSocio::Dipendente, "effCampo01"},
    {"txtCittadinanza", &TSchedaSocio::Cittadinanza, "effCampo02"},
    {"txtLuogo", &TSchedaSocio::Luogo, "effCampo09"},
    {"txtDataNasc", &TSchedaSocio::DataNasc, "effCampo10"},
    {"txtCodFisc", &TSchedaSocio::CodFisc, "effCampo05"},
    {"txtPartitaIva", &TSchedaSocio::PartitaIva, "effCampo06"},
    {"txtCitta", &TSchedaSocio::Citta, "effCampo07"},
    {"txtQualifiche", &TSchedaSocio::Qualifiche, "effCampo08"},
    {"txtFamiliari", &TSchedaSocio::Familiari, "effCampo03"},
    {"txtNote", &TSchedaSocio::Note, "effCampo04"},
};

const QColor kDarkCyan(0x00, 0x8B, 0x8B);

QString accessMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.") +
           UiPlatform::kLfCrLfCr +
           QStringLiteral(
               "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
               "programma.");
}

} // namespace

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(QWidget *parent)
    : FixedDialog(QStringLiteral(" Trova Soci in archivio"), QSize(862, 560), parent)
{
    setStyleSheet(QStringLiteral("TfrmTrovaAnagrafica { background: white; }"));
    Form::Controls c = Form::build(this, {{"lblMemory", Form::Kind::Hidden, {}, 0, 0, 10, 10}});
    m_memory = c.get<QLabel>(QStringLiteral("lblMemory"));

    // Criteria panel: two columns of five edits, in the order of the Enter cycle.
    m_criteriaPanel = new QWidget(this);
    m_criteriaPanel->setObjectName(QStringLiteral("panAvvio"));
    m_criteriaPanel->setGeometry(0, 0, 862, 560);
    const int left = 40, right = 452, width = 370, top = 150, step = 62;
    Form::build(
        m_criteriaPanel,
        {
            {"imgLogo", Form::Kind::Picture, {}, 111, 10, 640, 60, "banner_trova_soci"},
            {"lblRigo04", Form::Kind::Label,
             QStringLiteral(
                 "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da "
                 "trovare e premere il pulsante Cerca."),
             40, 80, 790, 18},
            {"lblRigo05", Form::Kind::Label, QStringLiteral("Lasciare in bianco tutti gli altri campi."), 40,
             98, 790, 18},
            {"lblRigo06", Form::Kind::Label,
             QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
             40, 116, 790, 18},
            {"lblDipendente", Form::Kind::Bold, QStringLiteral("Cognome e nome Socio:"), left, top, width,
             18},
            {"txtDipendente", Form::Kind::Edit, {}, left, top + 20, width, 26},
            {"lblCittadinanza", Form::Kind::Bold, QStringLiteral("Tessera n."), left, top + step, width, 18},
            {"txtCittadinanza", Form::Kind::Edit, {}, left, top + step + 20, width, 26},
            {"lblLuogo", Form::Kind::Bold, QStringLiteral("Luogo di nascita:"), left, top + 2 * step, width,
             18},
            {"txtLuogo", Form::Kind::Edit, {}, left, top + 2 * step + 20, width, 26},
            {"lblDataNasc", Form::Kind::Bold, QStringLiteral("Data di nascita (gg/mm/aaaa):"), left,
             top + 3 * step, width, 18},
            {"txtDataNasc", Form::Kind::Edit, {}, left, top + 3 * step + 20, width, 26},
            {"lblCodFisc", Form::Kind::Bold, QStringLiteral("Codice fiscale:"), left, top + 4 * step, width,
             18},
            {"txtCodFisc", Form::Kind::Edit, {}, left, top + 4 * step + 20, width, 26},
            {"lblPartitaIva", Form::Kind::Bold, QStringLiteral("Partita IVA:"), right, top, width, 18},
            {"txtPartitaIva", Form::Kind::Edit, {}, right, top + 20, width, 26},
            {"lblCitta", Form::Kind::Bold, QStringLiteral("Città di residenza:"), right, top + step, width,
             18},
            {"txtCitta", Form::Kind::Edit, {}, right, top + step + 20, width, 26},
            {"lblQualifiche", Form::Kind::Bold, QStringLiteral("Qualifiche:"), right, top + 2 * step, width,
             18},
            {"txtQualifiche", Form::Kind::Edit, {}, right, top + 2 * step + 20, width, 26},
            {"lblFamiliari", Form::Kind::Bold, QStringLiteral("Incarico ricoperto:"), right, top + 3 * step,
             width, 18},
            {"txtFamiliari", Form::Kind::Edit, {}, right, top + 3 * step + 20, width, 26},
            {"lblNote", Form::Kind::Bold, QStringLiteral("Note:"), right, top + 4 * step, width, 18},
            {"txtNote", Form::Kind::Edit, {}, right, top + 4 * step + 20, width, 26},
            {"lblAttendere", Form::Kind::Bold, QStringLiteral("Ricerca schede in corso. Attendere..."), 40,
             500, 420, 22},
            {"btnCerca", Form::Kind::Button, QStringLiteral("Cerca"), 616, 500, 110, 32},
            {"btnAnnulla", Form::Kind::Button, QStringLiteral("Chiudi"), 736, 500, 110, 32},
        },
        c);
    m_waiting = c.get<QLabel>(QStringLiteral("lblAttendere"));
    m_waiting->setStyleSheet(QStringLiteral("color: %1;").arg(kDarkCyan.name()));
    m_waiting->hide();

    for (const CriterionEdit &k : kCriteria) {
        auto *edit = c.get<FieldEdit>(QString::fromLatin1(k.edit));
        if (QWidget *frame = edit->focusFrame())
            frame->setObjectName(QString::fromLatin1(k.frame));
        m_edits.append(edit);
    }
    for (qsizetype i = 0; i < m_edits.size(); ++i) {
        QLineEdit *next = m_edits.at((i + 1) % m_edits.size());
        connect(static_cast<FieldEdit *>(m_edits.at(i)), &FieldEdit::enterPressed, next,
                [next] { next->setFocus(Qt::OtherFocusReason); });
    }

    auto *cerca = c.get<QPushButton>(QStringLiteral("btnCerca"));
    connect(cerca, &QPushButton::pressed, this, &TfrmTrovaAnagrafica::btnCercaMouseDown);
    connect(cerca, &QPushButton::clicked, this, &TfrmTrovaAnagrafica::btnCercaClick);
    connect(c.get<QPushButton>(QStringLiteral("btnAnnulla")), &QPushButton::clicked, this, &QDialog::close);

    // Result panel, in the same place, shown after "Cerca".
    m_resultPanel = new QWidget(this);
    m_resultPanel->setObjectName(QStringLiteral("panContainer"));
    m_resultPanel->setGeometry(0, 0, 862, 560);
    m_resultPanel->hide();
    Form::build(m_resultPanel,
                {{"imgLogoRisultati", Form::Kind::Picture, {}, 111, 10, 640, 60, "banner_trova_soci"}}, c);
    m_list = new ListScreen(
        this, m_resultPanel,
        {QPoint(16, 80), 830, QRect(16, 122, 600, 28), QRect(632, 120, 110, 32), QRect(16, 162, 830, 330)},
        QStringLiteral("Riepilogo Soci in archivio"));
    Form::build(m_resultPanel,
                {
                    {"lblRigo03", Form::Kind::Bold,
                     QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                     16, 498, 560, 20},
                    {"lblTrovate", Form::Kind::Bold, {}, 16, 520, 560, 20},
                    {"btnStampa", Form::Kind::Button, QStringLiteral("Stampa"), 616, 510, 110, 32},
                    {"btnChiudi", Form::Kind::Button, QStringLiteral("Chiudi"), 736, 510, 110, 32},
                },
                c);
    c.get<QLabel>(QStringLiteral("lblRigo03"))
        ->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::crimson.name()));
    m_found = c.get<QLabel>(QStringLiteral("lblTrovate"));
    m_found->setStyleSheet(QStringLiteral("color: %1;").arg(kDarkCyan.name()));
    connect(c.get<QPushButton>(QStringLiteral("btnStampa")), &QPushButton::clicked, m_list,
            &ListScreen::print);
    connect(c.get<QPushButton>(QStringLiteral("btnChiudi")), &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &ListScreen::rowChosen, this, &TfrmTrovaAnagrafica::rowChosen);
}

void TfrmTrovaAnagrafica::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    if (e->spontaneous())
        return;
    m_list->resetFind();
    m_edits.first()->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaAnagrafica::closeEvent(QCloseEvent *e)
{
    m_waiting->hide();
    FixedDialog::closeEvent(e);
}

void TfrmTrovaAnagrafica::btnCercaMouseDown()
{
    // The scan of a large archive takes a moment: the notice is painted before it starts.
    m_waiting->show();
    m_waiting->repaint();
}

void TfrmTrovaAnagrafica::btnCercaClick()
{
    MemberSearch::Criteria criteria;
    for (qsizetype i = 0; i < m_edits.size(); ++i)
        criteria.append({kCriteria[i].field, m_edits.at(i)->text()});
    const ListScan scan = MemberSearch::run(criteria);
    if (!scan.complete) {
        m_waiting->hide();
        UiPlatform::plain(this, accessMessage());
        return;
    }
    m_list->setRows(scan.rows);
    m_found->setText(MemberSearch::countText(scan.rows.size()));
    m_resultPanel->show();
    m_criteriaPanel->hide();
    m_list->findEdit()->clear();
    m_list->findEdit()->setFocus(Qt::OtherFocusReason);
}

std::optional<StoredMember> TfrmTrovaAnagrafica::choose(QWidget *owner, Mode mode)
{
    return runDialog<TfrmTrovaAnagrafica>(
        owner, [mode](TfrmTrovaAnagrafica &d) { d.setMode(mode); },
        [](const TfrmTrovaAnagrafica &d) { return d.chosen(); });
}

void TfrmTrovaAnagrafica::setMode(Mode mode)
{
    m_mode = mode;
    m_memory->setText(modeText(mode));
}

QString TfrmTrovaAnagrafica::modeText(Mode mode)
{
    switch (mode) {
    case Mode::MemberCard:
        return QStringLiteral("anagrafica");
    case Mode::MovementPayer:
        return QStringLiteral("movimenti_pagatore");
    case Mode::MovementBeneficiary:
        return QStringLiteral("movimenti_beneficiario");
    }
    return {};
}

void TfrmTrovaAnagrafica::rowChosen(qint64 position)
{
    m_chosen = MemberChoice::read(this, position);
    if (m_chosen)
        Q_EMIT memberChosen(*m_chosen);
    close();
}
