#pragma once

#include "FrameSource.h"

#include <QPointer>

// The system's default video input. The camera itself comes from the camera
// library (CameraLibrary), loaded when the camera is first switched on.
class CameraFrameSource : public FrameSource
{
    Q_OBJECT
public:
    explicit CameraFrameSource(QObject *parent = nullptr);
    ~CameraFrameSource() override;

    bool start() override;
    void stop() override;
    bool isActive() const override;

private Q_SLOTS:
    void cameraFrame(const QImage &frame);
    void cameraFailed();

private:
    QPointer<QObject> m_camera; // made by the library, owned by this source
};
