#pragma once

#include "FrameSource.h"
#include "LatestFrameRelay.h"

#include <QMediaCaptureSession>

class QCamera;
class QVideoSink;

// The system's default video input through Qt Multimedia; its frames reach the
// screen through a LatestFrameRelay.
class CameraFrameSource : public FrameSource
{
    Q_OBJECT
public:
    explicit CameraFrameSource(QObject *parent = nullptr);
    ~CameraFrameSource() override;

    bool start() override;
    void stop() override;
    bool isActive() const override;

private:
    std::unique_ptr<QCamera> m_camera;
    std::unique_ptr<QVideoSink> m_sink;
    QMediaCaptureSession m_session;
    QMetaObject::Connection m_frames;
    LatestFrameRelay m_relay;
};
