#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Installed on the application: ends the process once the first paint is over
// (the queued call runs after the whole window has been painted), without the
// teardown, which is no part of the wait before the first window. Before ending
// it prints the process's resident peak ("peak_kb <n>") for the benchmark.
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
                    printPeak();
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, e);
    }

private:
    static void printPeak()
    {
        std::FILE *status = std::fopen("/proc/self/status", "r");
        if (!status)
            return;
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                std::printf("peak_kb %lld\n", std::atoll(line + 6));
        std::fclose(status);
    }

    bool m_seen = false;
};
