#include "gui/Camera.h"

#include <QCameraDevice>
#include <QMediaDevices>

namespace orv {

namespace {

constexpr std::string_view kPrefixe = "camera:";

} // namespace

std::vector<SourceAcquisition> Cameras() {
    std::vector<SourceAcquisition> v;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        v.push_back({std::string(kPrefixe) + d.id().toStdString(), d.description().toStdString()});
    return v;
}

bool EstCamera(const std::string& source) {
    return source.starts_with(kPrefixe);
}

std::string IdentifiantCamera(const std::string& source) {
    return EstCamera(source) ? source.substr(kPrefixe.size()) : std::string();
}

} // namespace orv
