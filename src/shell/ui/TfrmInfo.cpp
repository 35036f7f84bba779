#include "TfrmInfo.h"

#include "backup/ui/TfrmRipristino.h"
#include "common/Platform.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/LinkText.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>

using Form::Kind;

TfrmInfo::TfrmInfo(QWidget *parent)
    : FixedDialog(QStringLiteral(" Informazioni su Quintara"), QSize(473, 579), parent)
{
    auto c = Form::build(this, {
        {"imgLogo", Kind::Picture, {}, 16, 14, 440, 60, "info_header"},
        {"imgUtente", Kind::Picture, {}, 16, 88, 440, 210, "info_user"},
        {"imgWarning", Kind::Picture, {}, 16, 308, 440, 150, "info_warning"},
        {"imgEmail", Kind::Picture, {}, 16, 526, 32, 32, "envelope"},
        {"lnkWeb", Kind::Label, makerEmail(), 56, 532, 240, 20},
        {"btnChiudi", Kind::Button, QStringLiteral("Chiudi"), 346, 522, 110, 36},
        {"imgRipristina", Kind::Picture, {}, 16, 472, 32, 32, "backup"},
        {"lnkRipristina", Kind::Label, QStringLiteral("Ripristina una copia"), 56, 478, 240, 20},
    });
    auto *close = c.get<QPushButton>(QStringLiteral("btnChiudi"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto *restore = new LinkText(c.get<QLabel>(QStringLiteral("lnkRipristina")), c.widget(QStringLiteral("imgRipristina")));
    connect(restore, &LinkText::activated, this, [this] {
        if (TfrmRipristino::run(this))
            m_restored = true;
    });
    auto *link = new LinkText(c.get<QLabel>(QStringLiteral("lnkWeb")), c.widget(QStringLiteral("imgEmail")));
    connect(link, &LinkText::activated, this, [] {
        // A proper mailto address: subject and body are encoded by the URL, never pasted into a command.
        QUrl mail;
        mail.setScheme(QStringLiteral("mailto"));
        mail.setPath(makerEmail());
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Software Quintara"));
        query.addQueryItem(QStringLiteral("body"), QStringLiteral("Salve, desidererei avere le seguenti "
                                                                  "informazioni sul software in oggetto:"));
        mail.setQuery(query);
        Platform::shell().open(mail);
    });
}

bool TfrmInfo::run(QWidget *owner)
{
    return runDialog<TfrmInfo>(owner, [](TfrmInfo &) {}, [](const TfrmInfo &d) { return d.m_restored; });
}
