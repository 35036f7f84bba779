#pragma once

#include "common/ui/FormBuilder.h"
#include "common/ui/Screens.h"

#include <QImage>

#include <memory>
#include <optional>

class FrameSource;

// "Cattura foto con webcam": the live camera picture on the left, the captured
// one on the right; the captured picture can be saved to a JPEG file or handed
// back to the card that opened the screen ("Importa foto in scheda"). The camera
// is off when the screen opens and whenever it closes.
class TfrmWebCam : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmWebCam(QWidget *parent = nullptr);
    ~TfrmWebCam() override;

    // Opens the screen owned by `owner` and waits for it: the picture imported,
    // or nothing when the user pressed "Annulla".
    static std::optional<QImage> capture(QWidget *owner);

    bool cameraOn() const;

    // The picture "Importa foto in scheda" handed back; nothing before it.
    const std::optional<QImage> &imported() const { return m_imported; }

Q_SIGNALS:
    void photoImported(const QImage &photo);

protected:
    void hideEvent(QHideEvent *e) override;

private:
    void accendi();
    void spegni();
    void cattura();
    void salvaFotogramma();
    void importaFoto();
    void annulla();
    void showFrame(const QImage &frame);
    void cameraFailed();

    Form::Controls m_controls;
    std::unique_ptr<FrameSource> m_source;
    std::optional<QImage> m_imported;
};
