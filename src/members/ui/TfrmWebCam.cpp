#include "TfrmWebCam.h"

#include "FrameSource.h"
#include "PhotoFiles.h"
#include "common/ui/Art.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/UiPlatform.h"

namespace {

const QSize kPictureSize(366, 274);

Picture *picture(const Form::Controls &c, const char *name) { return c.get<Picture>(QString::fromLatin1(name)); }

} // namespace

TfrmWebCam::TfrmWebCam(QWidget *parent)
    : FixedDialog(QStringLiteral(" Cattura foto con webcam"), QSize(807, 405), parent)
{
    setObjectName(QStringLiteral("TfrmWebCam"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("QDialog#TfrmWebCam { background: %1; }").arg(Palette::paleBlue.name()));

    Form::build(this,
                {
                    {"panCamera", Form::Kind::Shape, {}, 14, 12, 382, 290, "#ffffff"},
                    {"panTarget", Form::Kind::Shape, {}, 411, 12, 382, 290, "#ffffff"},
                    {"btnAccendi", Form::Kind::CommandBar, QStringLiteral("Accendi webcam"), 14, 312, 382, 38,
                     "webcam_power"},
                    {"btnSpegni", Form::Kind::CommandBar, QStringLiteral("Spegni webcam"), 14, 356, 382, 38,
                     "webcam_power"},
                    {"btnCattura", Form::Kind::CommandBar, QStringLiteral("Cattura foto"), 411, 312, 188, 38,
                     "webcam_capture"},
                    {"btnSalvaFotogramma", Form::Kind::CommandBar, QStringLiteral("Salva foto su disco"), 605, 312,
                     188, 38, "webcam_save"},
                    {"btnImportaFoto", Form::Kind::CommandBar, QStringLiteral("Importa foto in scheda"), 411, 356,
                     188, 38, "webcam_import"},
                    {"btnClose", Form::Kind::CommandBar, QStringLiteral("Annulla"), 605, 356, 188, 38,
                     "webcam_cancel"},
                    {"imgBianco", Form::Kind::Picture, {}, 0, 0, kPictureSize.width(), kPictureSize.height()},
                },
                m_controls);
    Form::build(m_controls.widget(QStringLiteral("panCamera")),
                {{"imgCamera", Form::Kind::Picture, {}, 8, 8, kPictureSize.width(), kPictureSize.height()}},
                m_controls);
    Form::build(m_controls.widget(QStringLiteral("panTarget")),
                {{"imgTarget", Form::Kind::Picture, {}, 8, 8, kPictureSize.width(), kPictureSize.height()}},
                m_controls);
    for (const char *pan : {"panCamera", "panTarget"})
        m_controls.widget(QString::fromLatin1(pan))
            ->setStyleSheet(QStringLiteral("QWidget#%1 { background: #ffffff; border: 1px solid %2; "
                                           "border-radius: 6px; }")
                                .arg(QString::fromLatin1(pan), Palette::sky.name()));

    // The drawings are held as pictures, so that "Cattura foto" with the camera
    // off copies the webcam drawing like any frame.
    auto *bianco = picture(m_controls, "imgBianco");
    bianco->setImage(Art::pixmap(QStringLiteral("webcam"), kPictureSize).toImage());
    bianco->hide();
    picture(m_controls, "imgCamera")->setImage(bianco->image());
    picture(m_controls, "imgTarget")->setImage(Art::pixmap(QStringLiteral("camera_shot"), kPictureSize).toImage());

    auto bar = [this](const char *name, const QColor &colour) {
        auto *b = m_controls.get<PictureButton>(QString::fromLatin1(name));
        b->setBarColor(colour);
        return b;
    };
    connect(bar("btnAccendi", Palette::green), &QAbstractButton::clicked, this, &TfrmWebCam::accendi);
    connect(bar("btnSpegni", Palette::red), &QAbstractButton::clicked, this, &TfrmWebCam::spegni);
    connect(bar("btnCattura", Palette::royal), &QAbstractButton::clicked, this, &TfrmWebCam::cattura);
    connect(bar("btnSalvaFotogramma", Palette::navy), &QAbstractButton::clicked, this,
            &TfrmWebCam::salvaFotogramma);
    connect(bar("btnImportaFoto", Palette::green), &QAbstractButton::clicked, this, &TfrmWebCam::importaFoto);
    connect(bar("btnClose", Palette::grey), &QAbstractButton::clicked, this, &TfrmWebCam::annulla);
}

TfrmWebCam::~TfrmWebCam() { spegni(); }

std::optional<QImage> TfrmWebCam::capture(QWidget *owner)
{
    return runDialog<TfrmWebCam>(
        owner, [](TfrmWebCam &) {}, [](const TfrmWebCam &w) { return w.imported(); });
}

bool TfrmWebCam::cameraOn() const { return m_source && m_source->isActive(); }

void TfrmWebCam::accendi()
{
    if (cameraOn())
        return;
    if (!m_source) {
        m_source = FrameSource::create();
        connect(m_source.get(), &FrameSource::frameReady, this, &TfrmWebCam::showFrame);
        connect(m_source.get(), &FrameSource::failed, this, &TfrmWebCam::cameraFailed);
    }
    if (!m_source->start())
        UiPlatform::warning(this, QStringLiteral("Attenzione: nessuna webcam è stata trovata. Collegare una "
                                                 "webcam e riprovare."));
}

void TfrmWebCam::spegni()
{
    if (m_source)
        m_source->stop();
}

void TfrmWebCam::showFrame(const QImage &frame)
{
    // Only the newest frame is kept: it replaces the one shown.
    if (cameraOn())
        picture(m_controls, "imgCamera")->setImage(frame);
}

void TfrmWebCam::cameraFailed()
{
    UiPlatform::warning(this, QStringLiteral("Attenzione: la webcam ha smesso di funzionare. Controllare che sia "
                                             "collegata e non usata da un altro programma, poi premere di nuovo "
                                             "\"Accendi webcam\"."));
}

void TfrmWebCam::cattura()
{
    picture(m_controls, "imgTarget")->setImage(picture(m_controls, "imgCamera")->image().copy());
}

void TfrmWebCam::salvaFotogramma() { PhotoFiles::chooseAndWrite(this, picture(m_controls, "imgTarget")->image()); }

void TfrmWebCam::importaFoto()
{
    spegni();
    m_imported = picture(m_controls, "imgTarget")->image().copy();
    Q_EMIT photoImported(*m_imported);
    close();
}

void TfrmWebCam::annulla()
{
    spegni();
    close();
}

void TfrmWebCam::hideEvent(QHideEvent *e)
{
    // However the screen goes away, the camera does not stay on behind it.
    spegni();
    FixedDialog::hideEvent(e);
}
