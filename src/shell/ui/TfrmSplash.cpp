#include "TfrmSplash.h"

#include "TfrmAvvio.h"
#include "common/Platform.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/LinkText.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>

using Form::Kind;

TfrmSplash::TfrmSplash(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - software per associazioni"), QSize(661, 467), parent)
{
    auto c = Form::build(this, {
        {"imgLogo", Kind::Picture, {}, 18, 16, 625, 380, "maker_logo"},
        {"imgWeb", Kind::Picture, {}, 18, 416, 32, 32, "globe"},
        {"lnkWeb", Kind::Label, TfrmAvvio::makerSite(), 58, 422, 300, 20},
        {"btnChiudi", Kind::Button, QStringLiteral("Chiudi"), 533, 412, 110, 36},
    });
    auto *close = c.get<QPushButton>(QStringLiteral("btnChiudi"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto *link = new LinkText(c.get<QLabel>(QStringLiteral("lnkWeb")), c.widget(QStringLiteral("imgWeb")));
    connect(link, &LinkText::activated, this, [] { Platform::shell().open(QUrl(TfrmAvvio::makerSite())); });
}
