#pragma once

#include "common/ui/Screens.h"

class PictureButton;

// The start menu: the three applications, information, help, the maker's site and exit.
class TfrmAvvio : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

    static QString makerSite() { return QStringLiteral("https://www.quintara.it"); }

Q_SIGNALS:
    void imgSociClick();
    void imgMovimentiClick();
    void imgBilancioClick();
    void exitRequested();
    // A copy of the data was restored from the information screen.
    void restored();

protected:
    void closeScreen() override;

private:
    void imgInfoClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgSplashClick();
};
