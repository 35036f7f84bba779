#include "CameraFrameSource.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaDevices>
#include <QVideoSink>

CameraFrameSource::CameraFrameSource(QObject *parent)
    : FrameSource(parent)
{
}

CameraFrameSource::~CameraFrameSource() { stop(); }

bool CameraFrameSource::start()
{
    if (m_camera)
        return true;
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull())
        return false;
    m_camera = std::make_unique<QCamera>(device);
    m_sink = std::make_unique<QVideoSink>();
    // Runs on whichever thread the backend delivers on: it only parks the frame.
    m_frames = connect(m_sink.get(), &QVideoSink::videoFrameChanged, m_sink.get(),
                       [this](const QVideoFrame &frame) { park(frame); }, Qt::DirectConnection);
    connect(m_camera.get(), &QCamera::errorOccurred, this, [this](QCamera::Error error) {
        if (error == QCamera::NoError)
            return;
        stop();
        Q_EMIT failed();
    });
    m_session.setCamera(m_camera.get());
    m_session.setVideoSink(m_sink.get());
    m_camera->start();
    return true;
}

void CameraFrameSource::stop()
{
    if (!m_camera)
        return;
    m_camera->disconnect(this);
    disconnect(m_frames);
    m_camera->stop();
    m_session.setVideoSink(nullptr);
    m_session.setCamera(nullptr);
    m_camera.reset();
    m_sink.reset();
    QMutexLocker lock(&m_mutex);
    m_parked = QVideoFrame();
}

bool CameraFrameSource::isActive() const { return m_camera != nullptr; }

void CameraFrameSource::park(const QVideoFrame &frame)
{
    QMutexLocker lock(&m_mutex);
    m_parked = frame;
    if (m_deliveryPending)
        return;
    m_deliveryPending = true;
    QMetaObject::invokeMethod(this, &CameraFrameSource::deliver, Qt::QueuedConnection);
}

void CameraFrameSource::deliver()
{
    QVideoFrame frame;
    {
        QMutexLocker lock(&m_mutex);
        frame = m_parked;
        m_parked = QVideoFrame();
        m_deliveryPending = false;
    }
    if (!m_camera || !frame.isValid())
        return;
    const QImage image = frame.toImage();
    if (!image.isNull())
        Q_EMIT frameReady(image);
}
