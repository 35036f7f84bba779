#include "RecordListScreen.h"

#include "FormBuilder.h"
#include "ListScreen.h"
#include "Palette.h"
#include "UiPlatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

RecordListScreen::RecordListScreen(const Variant &variant, QWidget *parent)
    : FixedDialog(variant.caption, QSize(862, 560), parent), m_variant(variant)
{
    setStyleSheet(QStringLiteral("RecordListScreen { background: white; }"));
    Form::Controls c =
        Form::build(this, {
                              {"imgLogo", Form::Kind::Picture, {}, 111, 10, 640, 60, variant.heading},
                          });
    m_list = new ListScreen(
        this, this,
        {QPoint(16, 80), 830, QRect(16, 122, 600, 28), QRect(632, 120, 110, 32), QRect(16, 162, 830, 330)},
        variant.printTitle);
    Form::build(this,
                {
                    {"lblRigo03", Form::Kind::Bold,
                     QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                     16, 500, 560, 20},
                    {"btnStampa", Form::Kind::Button, QStringLiteral("Stampa"), 616, 512, 110, 32},
                    {"btnChiudi", Form::Kind::Button, QStringLiteral("Chiudi"), 736, 512, 110, 32},
                },
                c);
    auto *hint = c.get<QLabel>(QStringLiteral("lblRigo03"));
    hint->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::crimson.name()));

    connect(c.get<QPushButton>(QStringLiteral("btnStampa")), &QPushButton::clicked, m_list, &ListScreen::print);
    connect(c.get<QPushButton>(QStringLiteral("btnChiudi")), &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &ListScreen::rowChosen, this, [this](qint64 position) {
        rowChosen(position);
        close();
    });
}

void RecordListScreen::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    if (e->spontaneous())
        return;
    m_list->resetFind();
    fill();
    m_list->findEdit()->setFocus(Qt::OtherFocusReason);
}

void RecordListScreen::fill()
{
    const ListScan result = scan();
    m_list->setRows(result.rows);
    if (result.complete)
        return;
    // The rows read before the failure stay; the user must know they are not all.
    const QString what =
        result.opened ? QStringLiteral("Attenzione: non è stato possibile leggere ") + m_variant.archive +
                            QStringLiteral(" fino alla fine, per cui il riepilogo potrebbe essere incompleto.")
                      : QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio, per cui "
                                       "il riepilogo non può essere compilato.");
    UiPlatform::warning(
        this, what + UiPlatform::kLfCrLfCr +
                  QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                 "installazione del programma."));
}
