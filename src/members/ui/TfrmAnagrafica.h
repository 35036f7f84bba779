#pragma once

#include "common/TSchedaSocio.h"
#include "common/ui/Screens.h"

#include <QImage>

// The member card: one member record at a time, browsed, created, duplicated and
// saved, with the commands that open the screens working on the member archive.
class TfrmAnagrafica : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmAnagrafica(QWidget *parent = nullptr);

    // Shows the record stored at the 1-based position: the 19 fields, the six
    // attachment labels, lblPosizione and the photo of that position (the
    // placeholder when it cannot be read).
    void loadRecord(qint64 position1, const TSchedaSocio &record);

    // The record the card would store now: every field trimmed.
    TSchedaSocio recordFromCard() const;

    // The picture in imgFoto: the member's photo, or the placeholder.
    QImage photo() const;
    void setPhoto(const QImage &image);
    void clearPhoto();

    // The trimmed text of lblPosizione: empty for a card not stored yet.
    QString position() const;
};
