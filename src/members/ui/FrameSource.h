#pragma once

#include <QImage>
#include <QObject>

#include <functional>
#include <memory>

// Live pictures from a camera, delivered one by one on the user-interface
// thread. The webcam screen gets its source from create(); tests install a
// double that feeds pictures of their own.
class FrameSource : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<FrameSource>()>;

    using QObject::QObject;

    // Switches the camera on. False when there is no camera to switch on.
    virtual bool start() = 0;
    // Switches it off; no frame arrives afterwards. Harmless when already off.
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    // The system's default camera, or what the installed factory makes.
    static std::unique_ptr<FrameSource> create();
    // Replaces the camera; an empty factory restores the real one.
    static void setFactory(Factory factory);

Q_SIGNALS:
    // A new picture, on the user-interface thread. Frames that arrive while the
    // screen is busy are dropped in favour of the newest.
    void frameReady(const QImage &frame);
    // The camera stopped by itself (unplugged, taken by another program).
    void failed();
};
