#include "TfrmMenuMovimenti.h"

#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"
#include "bank/ui/TfrmImportaEstratto.h"
#include "movements/MovementCardRules.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

using Form::Kind;

namespace {
const QString kWaiting = QStringLiteral("avvio");
const QString kOpened = QStringLiteral("movimenti");
} // namespace

TfrmMenuMovimenti::TfrmMenuMovimenti(QWidget *parent)
    : PanelScreen(MovementCardRules::kChooserCaption, QSize(995, 692), parent)
{
    QWidget *p = panel();
    Form::Controls c = Form::build(p, {
        {"shpContainer", Kind::Shape, {}, 0, 0, 995, 692},
        {"imgIntestazione", Kind::Picture, {}, 148, 48, 698, 57, "banner_menu_movimenti"},
        {"imgIllustrazione", Kind::Picture, {}, 357, 128, 280, 170, "illus_movimenti"},
        {"shpAnno", Kind::Shape, {}, 322, 318, 350, 196},
        {"intAnnoPreventivi", Kind::Bold, QStringLiteral("Registro movimenti:"), 322, 318, 350, 38},
        {"titAnnoPreventivi", Kind::Bold, QStringLiteral("Anno:"), 360, 376, 120, 40},
        {"txtAnnoPreventivi", Kind::Edit, {}, 490, 378, 130, 36, nullptr, 4},
        {"btnApriPreventivi", Kind::Button, QStringLiteral("Apri"), 422, 448, 150, 40},
        {"btnImporta", Kind::Button, QStringLiteral("Importa estratto conto"), 372, 520, 250, 32},
        {"shpInfo", Kind::Shape, {}, 148, 560, 698, 40},
        {"lblInfo", Kind::Label,
         QStringLiteral("In questo ambiente è possibile registrare i movimenti di denaro in entrata e in uscita."), 148,
         560, 698, 40},
        {"imgGuida", Kind::PictureButton, {}, 16, 636, 44, 44, "tb_guida"},
        {"imgEsci", Kind::PictureButton, {}, 937, 636, 44, 44, "exit"},
        {"lblMemory", Kind::Hidden, kWaiting, 0, 0, 10, 10},
    });
    c.widget(QStringLiteral("shpContainer"))
        ->setStyleSheet(QStringLiteral("QWidget#shpContainer { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                       "stop:0 #EEF4FC, stop:1 #C8DCF2); border: 1px solid %1; border-radius: 10px; }")
                            .arg(Palette::sky.name()));
    c.widget(QStringLiteral("shpAnno"))
        ->setStyleSheet(QStringLiteral("QWidget#shpAnno { background: white; border: 1px solid #4682B4; "
                                       "border-radius: 6px; }"));
    c.widget(QStringLiteral("shpInfo"))
        ->setStyleSheet(QStringLiteral("QWidget#shpInfo { background: %1; border-radius: 6px; }").arg(Palette::navy.name()));

    auto *heading = c.get<QLabel>(QStringLiteral("intAnnoPreventivi"));
    heading->setFont(QFont(QStringLiteral("Verdana"), 11, QFont::Bold));
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("background: #4682B4; color: white; border-top-left-radius: 6px; "
                                          "border-top-right-radius: 6px;"));
    auto *caption = c.get<QLabel>(QStringLiteral("titAnnoPreventivi"));
    caption->setFont(QFont(QStringLiteral("Verdana"), 20, QFont::Bold));
    caption->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    auto *info = c.get<QLabel>(QStringLiteral("lblInfo"));
    info->setFont(QFont(QStringLiteral("Verdana"), 10));
    info->setAlignment(Qt::AlignCenter);
    info->setStyleSheet(QStringLiteral("color: white;"));
    auto *apri = c.get<QPushButton>(QStringLiteral("btnApriPreventivi"));
    apri->setFont(QFont(QStringLiteral("Verdana"), 11));
    // Enter on the focused button opens the year, as it reaches it from the year field.
    apri->setAutoDefault(true);

    m_txtAnno = c.get<FieldEdit>(QStringLiteral("txtAnnoPreventivi"));
    m_txtAnno->setFont(QFont(QStringLiteral("Verdana"), 14, QFont::Bold));
    m_txtAnno->setAlignment(Qt::AlignCenter);
    m_txtAnno->setAllowedCharacters(QStringLiteral("0123456789"));
    m_lblMemory = c.get<QLabel>(QStringLiteral("lblMemory"));

    connect(m_txtAnno, &FieldEdit::enterPressed, apri, [apri] { apri->setFocus(Qt::TabFocusReason); });
    connect(apri, &QPushButton::clicked, this, &TfrmMenuMovimenti::btnApriPreventiviClick);
    auto *importa = c.get<QPushButton>(QStringLiteral("btnImporta"));
    importa->setFont(QFont(QStringLiteral("Verdana"), 10));
    importa->setAutoDefault(true);
    connect(importa, &QPushButton::clicked, this, &TfrmMenuMovimenti::btnImportaClick);
    connect(c.get<PictureButton>(QStringLiteral("imgGuida")), &QAbstractButton::clicked, this,
            &TfrmMenuMovimenti::imgGuidaClick);
    connect(c.get<PictureButton>(QStringLiteral("imgEsci")), &QAbstractButton::clicked, this, [this] { close(); });
}

void TfrmMenuMovimenti::showEvent(QShowEvent *e)
{
    PanelScreen::showEvent(e);
    if (e->spontaneous())
        return;
    m_txtAnno->setText(QString::number(Platform::clock().today().year()).rightJustified(4, QLatin1Char('0')));
    m_lblMemory->setText(kWaiting);
    m_txtAnno->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuMovimenti::btnApriPreventiviClick()
{
    const QString typed = m_txtAnno->text();
    if (!MovementCardRules::isYearText(typed)) {
        UiPlatform::warning(this, MovementCardRules::yearNeeded());
        m_txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_year = TextRules::trim(typed);
    m_file = MovementCardRules::yearFile(typed);
    m_lblMemory->setText(kOpened);
    close();
}

void TfrmMenuMovimenti::btnImportaClick()
{
    const QString typed = m_txtAnno->text();
    if (!MovementCardRules::isYearText(typed)) {
        UiPlatform::warning(this, MovementCardRules::yearNeeded());
        m_txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    TfrmImportaEstratto::open(this, TextRules::trim(typed).toInt(), MovementCardRules::yearFile(typed));
}

void TfrmMenuMovimenti::closeScreen()
{
    if (TextRules::trim(m_lblMemory->text()) == kOpened)
        Q_EMIT yearOpened(m_year, m_file);
    else
        PanelScreen::closeScreen();
}

void TfrmMenuMovimenti::imgGuidaClick()
{
    TfrmGuida::open(this, HelpPage::YearChooser);
}
