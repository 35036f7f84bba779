#include "LatestFrameRelay.h"

void LatestFrameRelay::park(const QVideoFrame &frame)
{
    QMutexLocker lock(&m_mutex);
    m_parked = frame;
    if (m_deliveryPending)
        return;
    m_deliveryPending = true;
    QMetaObject::invokeMethod(this, &LatestFrameRelay::deliver, Qt::QueuedConnection);
}

void LatestFrameRelay::drop()
{
    QMutexLocker lock(&m_mutex);
    m_parked = QVideoFrame();
}

void LatestFrameRelay::deliver()
{
    QVideoFrame frame;
    {
        QMutexLocker lock(&m_mutex);
        frame = m_parked;
        m_parked = QVideoFrame();
        m_deliveryPending = false;
    }
    if (!frame.isValid())
        return;
    const QImage image = frame.toImage();
    if (!image.isNull())
        Q_EMIT frameReady(image);
}
