#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdio>
#include <cstdlib>

// Installed on the application: ends the process once the first paint is over
// (the queued call runs after the whole window has been painted), without the
// teardown, which is no part of the wait before the first window.
class EndAfterFirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [] {
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, e);
    }

private:
    bool m_seen = false;
};
