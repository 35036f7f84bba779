#pragma once

#include <QString>
#include <QStringList>

class QObject;

// The camera code (Qt Multimedia and the system's video back-ends) lives in a
// library of its own beside the program, quintara-camera, loaded the first
// time the webcam screen switches the camera on: nothing else pays for it,
// start-up least of all. The library makes one object, a camera, whose
// meta-object offers start(), stop(), isActive() and the signals
// frameReady(QImage) and failed().
namespace CameraLibrary {

// The name of the library's entry point, and its type.
inline constexpr char kEntryPoint[] = "quintara_camera_create";
using Create = QObject *(*)(QObject *parent);

// The library's file name without its platform suffix.
inline constexpr char kBaseName[] = "quintara-camera";

// Where the library is looked for, in order: the program's folder first.
QStringList folders();
// Adds a folder to look in after the program's (the build folder, for the
// test programs and tools that live in folders of their own).
void addFolder(const QString &folder);

// A new camera owned by parent; nullptr when the library cannot be loaded.
// The first call loads it.
QObject *createCamera(QObject *parent);

} // namespace CameraLibrary
