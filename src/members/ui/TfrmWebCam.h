#pragma once

#include "common/ui/FormBuilder.h"
#include "common/ui/Screens.h"

#include <QImage>

#include <memory>

class FrameSource;

// "Cattura foto con webcam": the live camera picture on the left, the captured
// one on the right; the captured picture can be saved to a JPEG file or put on
// the member card. The camera is off when the screen opens and whenever it closes.
class TfrmWebCam : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmWebCam(QWidget *parent = nullptr);
    ~TfrmWebCam() override;

    bool cameraOn() const;

Q_SIGNALS:
    // The captured picture was put on the member card.
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
};
