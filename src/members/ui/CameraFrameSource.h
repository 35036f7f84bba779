#pragma once

#include "FrameSource.h"

#include <QMediaCaptureSession>
#include <QMutex>
#include <QVideoFrame>

class QCamera;
class QVideoSink;

// The system's default video input through Qt Multimedia. The camera's own
// thread only parks the newest frame; the conversion to a picture happens on the
// user-interface thread, so the screen never sees half a frame and frames never
// pile up behind a busy screen.
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
    void park(const QVideoFrame &frame);
    void deliver();

    std::unique_ptr<QCamera> m_camera;
    std::unique_ptr<QVideoSink> m_sink;
    QMediaCaptureSession m_session;
    QMetaObject::Connection m_frames;

    QMutex m_mutex;
    QVideoFrame m_parked;
    bool m_deliveryPending = false;
};
