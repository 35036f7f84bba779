#include "FrameSource.h"

#include "CameraFrameSource.h"

namespace {
FrameSource::Factory &installedFactory()
{
    static FrameSource::Factory factory;
    return factory;
}
} // namespace

std::unique_ptr<FrameSource> FrameSource::create()
{
    if (installedFactory())
        return installedFactory()();
    return std::make_unique<CameraFrameSource>();
}

void FrameSource::setFactory(Factory factory) { installedFactory() = std::move(factory); }
