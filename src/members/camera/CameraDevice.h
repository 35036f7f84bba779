#pragma once

#include "members/ui/LatestFrameRelay.h"

#include <QImage>
#include <QMediaCaptureSession>
#include <QObject>

#include <memory>

class QCamera;
class QVideoSink;

// The system's default video input through Qt Multimedia, as the camera
// library (quintara-camera) offers it to the program, which loads the library
// only when the camera is first switched on and talks to this object through
// its meta-object: start(), stop(), isActive() and the signals below. Frames
// reach the user-interface thread through a LatestFrameRelay.
class CameraDevice : public QObject
{
    Q_OBJECT
public:
    explicit CameraDevice(QObject *parent = nullptr);
    ~CameraDevice() override;

    // False when there is no camera to switch on.
    Q_INVOKABLE bool start();
    Q_INVOKABLE void stop();
    Q_INVOKABLE bool isActive() const;

Q_SIGNALS:
    void frameReady(const QImage &frame);
    void failed();

private:
    std::unique_ptr<QCamera> m_camera;
    std::unique_ptr<QVideoSink> m_sink;
    QMediaCaptureSession m_session;
    QMetaObject::Connection m_frames;
    LatestFrameRelay m_relay;
};
