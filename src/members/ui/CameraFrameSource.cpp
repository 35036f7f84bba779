#include "CameraFrameSource.h"

#include "CameraLibrary.h"

#include <QMetaObject>

CameraFrameSource::CameraFrameSource(QObject *parent) : FrameSource(parent) {}

CameraFrameSource::~CameraFrameSource() { stop(); }

bool CameraFrameSource::start()
{
    if (!m_camera) {
        m_camera = CameraLibrary::createCamera(this);
        // Without the library there is no camera to switch on.
        if (!m_camera)
            return false;
        connect(m_camera, SIGNAL(frameReady(QImage)), this, SLOT(cameraFrame(QImage)));
        connect(m_camera, SIGNAL(failed()), this, SLOT(cameraFailed()));
    }
    bool started = false;
    QMetaObject::invokeMethod(m_camera, "start", Qt::DirectConnection, Q_RETURN_ARG(bool, started));
    return started;
}

void CameraFrameSource::stop()
{
    if (m_camera)
        QMetaObject::invokeMethod(m_camera, "stop", Qt::DirectConnection);
}

bool CameraFrameSource::isActive() const
{
    bool active = false;
    if (m_camera)
        QMetaObject::invokeMethod(m_camera, "isActive", Qt::DirectConnection, Q_RETURN_ARG(bool, active));
    return active;
}

void CameraFrameSource::cameraFrame(const QImage &frame)
{
    if (isActive())
        Q_EMIT frameReady(frame);
}

void CameraFrameSource::cameraFailed() { Q_EMIT failed(); }
