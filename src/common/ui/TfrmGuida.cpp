#include "TfrmGuida.h"

#include "common/ArchivePaths.h"
#include "common/HelpTexts.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/LinkText.h"
#include "common/ui/Palette.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

using Form::Kind;

TfrmGuida::TfrmGuida(QWidget *parent)
    : FixedDialog(QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572), parent)
{
    auto *pan = new QWidget(this);
    pan->setObjectName(QStringLiteral("panContainer"));
    pan->setGeometry(14, 16, 642, 540);
    auto c = Form::build(pan, {
        {"imgLogo", Kind::Picture, {}, 0, 0, 642, 60, "help_header"},
        {"lblTitolo", Kind::Bold, QStringLiteral("Argomento della guida."), 8, 70, 625, 28},
        {"txtGuida", Kind::TextArea, {}, 8, 104, 625, 350},
        {"imgPDF", Kind::Picture, {}, 8, 478, 32, 32, "pdf"},
        {"lnkWeb", Kind::Label, QStringLiteral("Visualizza guida in formato PDF"), 48, 484, 260, 20},
        {"btnChiudi", Kind::Button, QStringLiteral("Chiudi"), 522, 474, 110, 36},
    });
    lblTitolo = c.get<QLabel>(QStringLiteral("lblTitolo"));
    txtGuida = c.get<QPlainTextEdit>(QStringLiteral("txtGuida"));
    lnkWeb = c.get<QLabel>(QStringLiteral("lnkWeb"));
    btnChiudi = c.get<QPushButton>(QStringLiteral("btnChiudi"));

    QFont tf = lblTitolo->font();
    tf.setPointSize(16);
    tf.setBold(true);
    lblTitolo->setFont(tf);
    lblTitolo->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::crimson.name()));
    QFont gf = txtGuida->font();
    gf.setPointSize(12);
    gf.setBold(true);
    txtGuida->setFont(gf);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(new LinkText(lnkWeb, c.widget(QStringLiteral("imgPDF"))), &LinkText::activated, this,
            &TfrmGuida::openManual);
    btnChiudi->setAutoDefault(false);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmGuida::open(QWidget *owner, HelpPage page)
{
    openDialog<TfrmGuida>(owner, [page](TfrmGuida &g) { g.setPage(page); });
}

void TfrmGuida::setPage(HelpPage page)
{
    lblTitolo->setText(HelpTexts::title(page));
    // Paragraphs are stored with CR LF pairs; the text area shows plain line breaks.
    QString shown = HelpTexts::body(page);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtGuida->setPlainText(shown);
}

void TfrmGuida::openManual() { Platform::shell().open(QUrl::fromLocalFile(ArchivePaths::manual())); }
