#include "CameraDevice.h"

#include "members/ui/CameraLibrary.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaDevices>
#include <QVideoSink>

#include <type_traits>

CameraDevice::CameraDevice(QObject *parent)
    : QObject(parent)
{
    connect(&m_relay, &LatestFrameRelay::frameReady, this, [this](const QImage &frame) {
        if (isActive())
            Q_EMIT frameReady(frame);
    });
}

CameraDevice::~CameraDevice() { stop(); }

bool CameraDevice::start()
{
    if (m_camera)
        return true;
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull())
        return false;
    m_camera = std::make_unique<QCamera>(device);
    m_sink = std::make_unique<QVideoSink>();
    // Runs on whichever thread the backend delivers on: it only parks the frame.
    LatestFrameRelay *relay = &m_relay;
    m_frames = connect(m_sink.get(), &QVideoSink::videoFrameChanged, m_sink.get(),
                       [relay](const QVideoFrame &frame) { relay->park(frame); }, Qt::DirectConnection);
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

void CameraDevice::stop()
{
    if (!m_camera)
        return;
    disconnect(m_frames);
    m_camera->disconnect(this);
    m_camera->stop();
    m_session.setVideoSink(nullptr);
    m_session.setCamera(nullptr);
    m_camera.reset();
    m_sink.reset();
    m_relay.drop();
}

bool CameraDevice::isActive() const { return m_camera != nullptr; }

// The library's entry point, looked up by name when the program loads it.
extern "C" Q_DECL_EXPORT QObject *quintara_camera_create(QObject *parent) { return new CameraDevice(parent); }
static_assert(std::is_same_v<decltype(&quintara_camera_create), CameraLibrary::Create>,
              "the entry point has the type the program looks it up with");
