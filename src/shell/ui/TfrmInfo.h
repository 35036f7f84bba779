#pragma once

#include "common/ui/Screens.h"

// About the program, with the maker's e-mail address.
class TfrmInfo : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);

    static QString makerEmail() { return QStringLiteral("info@quintara.it"); }

    // Opens the screen over owner; true when a copy was restored from it.
    static bool run(QWidget *owner);

private:
    bool m_restored = false;
};
