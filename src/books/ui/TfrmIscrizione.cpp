#include "TfrmIscrizione.h"

#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/UiPlatform.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using MemberRegister::Cause;
using MemberRegister::Entry;

namespace {

const QSize kClient(520, 420);

QString dateOrEmpty(const QDate &d) { return d.isValid() ? TextRules::formatDate(d) : QString(); }

QString badDateText(const QString &what)
{
    return QStringLiteral("Attenzione: la %1 non è una data valida (gg/mm/aaaa).").arg(what);
}

} // namespace

TfrmIscrizione::TfrmIscrizione(QWidget *parent)
    : FixedDialog(QStringLiteral(" Libro soci"), kClient, parent)
{
    setObjectName(QStringLiteral("TfrmIscrizione"));
    using K = Form::Kind;
    Form::Controls c = Form::build(this, {
        {"lblSocio", K::Bold, {}, 20, 14, 480, 24},
        {"titNumero", K::Label, QStringLiteral("Numero nel libro soci:"), 20, 52, 220, 18},
        {"titAmmissione", K::Label, QStringLiteral("Data di ammissione:"), 260, 52, 220, 18},
        {"titCategoria", K::Label, QStringLiteral("Categoria di socio:"), 20, 112, 300, 18},
        {"titUscita", K::Label, QStringLiteral("Data di uscita:"), 20, 172, 220, 18},
        {"titCausa", K::Label, QStringLiteral("Causa di uscita:"), 260, 172, 220, 18},
        // From here on, table order is tab order.
        {"txtNumero", K::Edit, {}, 20, 72, 120, 24, nullptr, 9},
        {"txtAmmissione", K::Edit, {}, 260, 72, 120, 24, nullptr, 10},
        {"txtCategoria", K::Edit, {}, 20, 132, 300, 24, nullptr, 120},
        {"btnQualifiche", K::Button, QStringLiteral("Dalle qualifiche"), 332, 130, 168, 28},
        {"txtUscita", K::Edit, {}, 20, 192, 120, 24, nullptr, 10},
        {"optInForza", K::Radio, QStringLiteral("nessuna (socio in carica)"), 260, 194, 240, 20},
        {"optRecesso", K::Radio, QStringLiteral("recesso"), 260, 218, 240, 20},
        {"optEsclusione", K::Radio, QStringLiteral("esclusione"), 260, 242, 240, 20},
        {"optDecadenza", K::Radio, QStringLiteral("decadenza"), 260, 266, 240, 20},
        {"optDecesso", K::Radio, QStringLiteral("decesso"), 260, 290, 240, 20},
        {"btnAnnulla", K::Button, QStringLiteral("Annulla"), 222, 364, 126, 32},
        {"btnApplica", K::Button, QStringLiteral("Applica e chiudi"), 358, 364, 142, 32},
    });
    lblSocio = c.get<QLabel>(QStringLiteral("lblSocio"));
    txtNumero = c.get<FieldEdit>(QStringLiteral("txtNumero"));
    txtAmmissione = c.get<FieldEdit>(QStringLiteral("txtAmmissione"));
    txtCategoria = c.get<FieldEdit>(QStringLiteral("txtCategoria"));
    txtUscita = c.get<FieldEdit>(QStringLiteral("txtUscita"));
    btnQualifiche = c.get<QPushButton>(QStringLiteral("btnQualifiche"));
    optInForza = c.get<QRadioButton>(QStringLiteral("optInForza"));
    for (const char *name : {"optRecesso", "optEsclusione", "optDecadenza", "optDecesso"})
        optCausa.append(c.get<QRadioButton>(QString::fromLatin1(name)));
    btnApplica = c.get<QPushButton>(QStringLiteral("btnApplica"));
    btnAnnulla = c.get<QPushButton>(QStringLiteral("btnAnnulla"));

    txtNumero->setAllowedCharacters(QStringLiteral("0123456789"));
    for (FieldEdit *date : {txtAmmissione, txtUscita})
        date->setAllowedCharacters(QStringLiteral("0123456789/"));
    optInForza->setChecked(true);

    connect(btnApplica, &QPushButton::clicked, this, &TfrmIscrizione::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(btnQualifiche, &QPushButton::clicked, this, &TfrmIscrizione::btnQualificheClick);
}

std::optional<Entry> TfrmIscrizione::edit(QWidget *owner, const MemberRegister::Book &book, const Entry &current,
                                          const Member &member)
{
    return runDialog<TfrmIscrizione>(
        owner, [&](TfrmIscrizione &w) { w.setValues(book, current, member); },
        [](const TfrmIscrizione &w) { return w.applied(); });
}

void TfrmIscrizione::setValues(const MemberRegister::Book &book, const Entry &current, const Member &member)
{
    m_book = book;
    m_current = current;
    m_member = member;
    m_new = book.at(current.position) == nullptr;
    lblSocio->setText(member.name.isEmpty() ? QStringLiteral("Socio senza nome") : member.name);
    txtNumero->setText(QString::number(current.number > 0 ? current.number : book.nextNumber()));
    txtAmmissione->setText(dateOrEmpty(current.admitted));
    txtCategoria->setText(current.category);
    txtUscita->setText(dateOrEmpty(current.left));
    optInForza->setChecked(true);
    const QList<Cause> causes = MemberRegister::causes();
    for (int i = 0; i < causes.size(); ++i)
        if (causes[i] == current.cause)
            optCausa[i]->setChecked(true);
    btnQualifiche->setEnabled(!TextRules::trim(member.qualifiche).isEmpty());
}

void TfrmIscrizione::btnQualificheClick() { txtCategoria->setText(TextRules::trim(m_member.qualifiche)); }

void TfrmIscrizione::btnApplicaClick()
{
    Entry e = m_current;
    const QString number = TextRules::trim(txtNumero->text());
    bool ok = false;
    e.number = number.toInt(&ok);
    if (!ok || e.number < 1) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare il numero del socio nel libro soci."));
        txtNumero->setFocus();
        return;
    }
    const QString admitted = TextRules::trim(txtAmmissione->text());
    const auto admittedDay = TextRules::parseDate(admitted);
    if (!admitted.isEmpty() && !admittedDay) {
        UiPlatform::warning(this, badDateText(QStringLiteral("data di ammissione")));
        txtAmmissione->setFocus();
        return;
    }
    e.admitted = admittedDay.value_or(QDate());
    const QString left = TextRules::trim(txtUscita->text());
    const auto leftDay = TextRules::parseDate(left);
    if (!left.isEmpty() && !leftDay) {
        UiPlatform::warning(this, badDateText(QStringLiteral("data di uscita")));
        txtUscita->setFocus();
        return;
    }
    e.left = leftDay.value_or(QDate());
    e.category = TextRules::trim(txtCategoria->text());
    e.cause = Cause::None;
    const QList<Cause> causes = MemberRegister::causes();
    for (int i = 0; i < causes.size(); ++i)
        if (optCausa[i]->isChecked())
            e.cause = causes[i];
    if (const auto why = MemberRegister::problem(m_book, e)) {
        UiPlatform::warning(this, *why);
        return;
    }
    // The proposal left as it was: the next free number when it is stored.
    if (m_new && e.number == m_book.nextNumber())
        e.number = 0;
    m_applied = e;
    close();
}
