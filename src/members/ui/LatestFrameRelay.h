#pragma once

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QVideoFrame>

// Carries camera frames from the camera's thread to the thread this object
// lives on. The camera thread only parks the newest frame and never waits; the
// conversion to a picture happens on the receiving thread, one frame at a time,
// so a busy screen drops stale frames instead of piling them up and never sees
// half a frame.
class LatestFrameRelay : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Callable from any thread.
    void park(const QVideoFrame &frame);
    // Forgets a parked frame that has not been delivered yet.
    void drop();

Q_SIGNALS:
    void frameReady(const QImage &frame);

private:
    void deliver();

    QMutex m_mutex;
    QVideoFrame m_parked;
    bool m_deliveryPending = false;
};
