#include "TfrmEnte.h"

#include "StatementLook.h"

#include "checks/TaxCodeCheck.h"
#include "checks/VatNumberCheck.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/UiPlatform.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

using Form::Kind;

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 540;

} // namespace

TfrmEnte::TfrmEnte(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Dati dell'associazione"), QSize(kWidth, kHeight), parent)
{
    Form::Controls c;
    const int x1 = 30;
    const int x2 = 220;
    const int w2 = 470;
    Form::build(this,
                {
                    {"imgIntestazione", Kind::Picture, {}, 11, 12, 698, 57, "banner_ente"},
                    {"shpDati", Kind::Shape, {}, 11, 82, 698, 370},
                    {"lblRigo01", Kind::Bold,
                     QStringLiteral("I dati dell'associazione compaiono nell'intestazione del rendiconto."), x1,
                     94, 660, 20},
                    {"titDenominazione", Kind::Label, QStringLiteral("Denominazione:"), x1, 130, 180, 20},
                    {"txtDenominazione", Kind::Edit, {}, x2, 126, w2, 26, nullptr, 250},
                    {"titCodiceFiscale", Kind::Label, QStringLiteral("Codice fiscale:"), x1, 172, 180, 20},
                    {"txtCodiceFiscale", Kind::Edit, {}, x2, 168, 220, 26, nullptr, 16},
                    {"titIndirizzo", Kind::Label, QStringLiteral("Indirizzo / sede legale:"), x1, 214, 180, 20},
                    {"txtIndirizzo", Kind::Edit, {}, x2, 210, w2, 26, nullptr, 250},
                    {"titRunts", Kind::Label, QStringLiteral("Numero di iscrizione RUNTS:"), x1, 256, 190, 20},
                    {"txtRunts", Kind::Edit, {}, x2, 252, 220, 26, nullptr, 50},
                    {"titTipologia", Kind::Label, QStringLiteral("Tipologia:"), x1, 298, 180, 20},
                    {"titPresidente", Kind::Label, QStringLiteral("Presidente:"), x1, 340, 180, 20},
                    {"txtPresidente", Kind::Edit, {}, x2, 336, w2, 26, nullptr, 100},
                    {"titTesoriere", Kind::Label, QStringLiteral("Tesoriere:"), x1, 382, 180, 20},
                    {"txtTesoriere", Kind::Edit, {}, x2, 378, w2, 26, nullptr, 100},
                    {"shpComandi", Kind::Shape, {}, 11, 466, 698, 62},
                    {"btnAnnulla", Kind::Button, QStringLiteral("Annulla"), 26, 479, 120, 36},
                    {"panInfo", Kind::Label, {}, 160, 479, 400, 36},
                    {"btnSalva", Kind::Button, QStringLiteral("Salva"), 574, 479, 120, 36},
                },
                c);
    c.widget(QStringLiteral("shpDati"))
        ->setStyleSheet(QStringLiteral("QWidget#shpDati { background: rgba(255, 255, 255, 170); border: 1px solid "
                                       "%1; border-radius: 8px; }")
                            .arg(Palette::sky.name()));
    c.widget(QStringLiteral("shpComandi"))
        ->setStyleSheet(QStringLiteral("QWidget#shpComandi { background: %1; border-radius: 8px; }")
                            .arg(Palette::navy.name()));
    for (const char *name : {"lblRigo01", "titDenominazione", "titCodiceFiscale", "titIndirizzo", "titRunts",
                             "titTipologia", "titPresidente", "titTesoriere"})
        c.get<QLabel>(QString::fromLatin1(name))->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));

    txtDenominazione = c.get<FieldEdit>(QStringLiteral("txtDenominazione"));
    txtCodiceFiscale = c.get<FieldEdit>(QStringLiteral("txtCodiceFiscale"));
    txtIndirizzo = c.get<FieldEdit>(QStringLiteral("txtIndirizzo"));
    txtRunts = c.get<FieldEdit>(QStringLiteral("txtRunts"));
    txtPresidente = c.get<FieldEdit>(QStringLiteral("txtPresidente"));
    txtTesoriere = c.get<FieldEdit>(QStringLiteral("txtTesoriere"));
    panInfo = c.get<QLabel>(QStringLiteral("panInfo"));
    btnSalva = c.get<QPushButton>(QStringLiteral("btnSalva"));
    btnAnnulla = c.get<QPushButton>(QStringLiteral("btnAnnulla"));
    txtCodiceFiscale->setTextRule(FieldEdit::TextRule::TrimUpper);

    cmbTipologia = new QComboBox(this);
    cmbTipologia->setObjectName(QStringLiteral("cmbTipologia"));
    cmbTipologia->setGeometry(x2, 294, 220, 28);
    cmbTipologia->addItems(EnteData::kinds());
    setTabOrder(txtRunts, cmbTipologia);
    setTabOrder(cmbTipologia, txtPresidente);

    panInfo->setStyleSheet(QStringLiteral("color: white;"));
    panInfo->setAlignment(Qt::AlignCenter);
    panInfo->setWordWrap(true);
    m_hints.insert(btnSalva, QStringLiteral("Salva i dati dell'associazione."));
    m_hints.insert(btnAnnulla, QStringLiteral("Chiude la finestra senza salvare."));
    for (QObject *o : m_hints.keys())
        o->installEventFilter(this);

    // Enter walks the fields down to "Salva".
    const QList<QWidget *> order{txtDenominazione, txtCodiceFiscale, txtIndirizzo, txtRunts,
                                 cmbTipologia,     txtPresidente,    txtTesoriere,  btnSalva};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        if (auto *edit = qobject_cast<FieldEdit *>(order[i]))
            connect(edit, &FieldEdit::enterPressed, this, [next = order[i + 1]] { next->setFocus(); });

    connect(btnSalva, &QPushButton::clicked, this, &TfrmEnte::btnSalvaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
}

std::optional<EnteData> TfrmEnte::edit(QWidget *opener)
{
    QString error;
    const auto data = EnteData::load(Platform::folder().path(), &error);
    if (!data) {
        UiPlatform::error(opener, QStringLiteral("Attenzione: non è possibile leggere il file %1 (%2).")
                                          .arg(EnteData::fileName(), error) +
                                      UiPlatform::kLfCrLfCr +
                                      QStringLiteral("Accertarsi di possedere i privilegi di lettura e scrittura "
                                                     "nella cartella di installazione del programma."));
        return std::nullopt;
    }
    return runDialog<TfrmEnte>(
        opener, [&](TfrmEnte &d) { d.setData(*data); }, [](const TfrmEnte &d) { return d.saved(); });
}

void TfrmEnte::setData(const EnteData &d)
{
    txtDenominazione->setText(d.denominazione);
    txtCodiceFiscale->setText(d.codiceFiscale);
    txtIndirizzo->setText(d.indirizzo);
    txtRunts->setText(d.runts);
    const int kind = cmbTipologia->findText(d.tipologia);
    if (kind >= 0) {
        cmbTipologia->setCurrentIndex(kind);
    } else if (!d.tipologia.isEmpty()) {
        // A kind written by hand is kept, not replaced by the first of the list.
        cmbTipologia->addItem(d.tipologia);
        cmbTipologia->setCurrentIndex(cmbTipologia->count() - 1);
    }
    txtPresidente->setText(d.presidente);
    txtTesoriere->setText(d.tesoriere);
}

EnteData TfrmEnte::data() const
{
    const auto t = [](const FieldEdit *e) { return TextRules::trim(e->text()); };
    return {t(txtDenominazione), TextRules::upperAZ(t(txtCodiceFiscale)), t(txtIndirizzo), t(txtRunts),
            cmbTipologia->currentText(), t(txtPresidente), t(txtTesoriere)};
}

QString TfrmEnte::taxCodeProblem(const QString &typed)
{
    const QString code = TextRules::upperAZ(TextRules::trim(typed));
    if (code.isEmpty())
        return {};
    const bool digits = code.size() == 11 && std::all_of(code.cbegin(), code.cend(), [](QChar ch) {
                            return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
                        });
    if (digits && VatNumberCheck::isValid(code))
        return {};
    if (code.size() == 16 && TaxCodeCheck::isValid(code))
        return {};
    return QStringLiteral("Attenzione: il codice fiscale %1 non è corretto.").arg(code) + UiPlatform::kLfCrLfCr +
           QStringLiteral("Il codice fiscale di un'associazione è formato da 11 cifre, l'ultima delle quali è la "
                          "cifra di controllo; quello di una persona da 16 caratteri, l'ultimo dei quali è la "
                          "lettera di controllo.");
}

void TfrmEnte::btnSalvaClick()
{
    const EnteData d = data();
    if (d.denominazione.isEmpty()) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare la denominazione dell'associazione."));
        txtDenominazione->setFocus();
        return;
    }
    if (const QString problem = taxCodeProblem(d.codiceFiscale); !problem.isEmpty()) {
        UiPlatform::warning(this, problem);
        txtCodiceFiscale->setFocus();
        return;
    }
    QString error;
    if (!d.save(Platform::folder().path(), &error)) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile salvare il file %1 (%2).")
                                        .arg(EnteData::fileName(), error) +
                                    UiPlatform::kLfCrLfCr +
                                    QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella "
                                                   "cartella di installazione del programma."));
        return;
    }
    m_saved = d;
    close();
}

bool TfrmEnte::eventFilter(QObject *watched, QEvent *e)
{
    StatementLook::followHints(m_hints, panInfo, watched, e);
    return FixedDialog::eventFilter(watched, e);
}

void TfrmEnte::paintEvent(QPaintEvent *e)
{
    StatementLook::paintBackground(this);
    FixedDialog::paintEvent(e);
}

void TfrmEnte::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    txtDenominazione->setFocus();
}
