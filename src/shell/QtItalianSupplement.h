#pragma once

#include <QTranslator>

// Italian for the few texts of Qt's own dialogs that the distribution's Italian
// translation leaves in English: the print dialog's "Pages" choice with its hint,
// its double-sided printing choices and the printer properties' "Advanced" tab. Installed after that translation, it is
// asked first and answers only for those texts.
class QtItalianSupplement : public QTranslator
{
    Q_OBJECT
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};
