#include "CameraLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace CameraLibrary {

namespace {

QStringList &extraFolders()
{
    static QStringList list;
    return list;
}

// Loaded once for the run of the program, and never unloaded: cameras made by
// it may live until the end.
Create entry()
{
    static Create create = nullptr;
    static bool tried = false;
    // Kept here for the life of the program, so the library stays loaded.
    [[maybe_unused]] static QLibrary *loaded = nullptr;
    if (tried)
        return create;
    tried = true;
    for (const QString &folder : folders()) {
        auto *library = new QLibrary(QDir(folder).filePath(QString::fromLatin1(kBaseName)));
        if (library->load()) {
            create = reinterpret_cast<Create>(library->resolve(kEntryPoint));
            if (create) {
                loaded = library;
                return create;
            }
            library->unload();
        }
        delete library;
    }
    return nullptr;
}

} // namespace

QStringList folders()
{
    return QStringList{QCoreApplication::applicationDirPath()} + extraFolders();
}

void addFolder(const QString &folder)
{
    if (!extraFolders().contains(folder))
        extraFolders().append(folder);
}

QObject *createCamera(QObject *parent)
{
    const Create create = entry();
    return create ? create(parent) : nullptr;
}

} // namespace CameraLibrary
