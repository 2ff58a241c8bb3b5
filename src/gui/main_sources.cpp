// orvelle-sources: the scanners SANE finds and the cameras Qt Multimedia
// lists, written to standard output for the window, which starts it in the
// background. The backends' libraries and the media framework stay in this
// short process instead of the window's memory for the rest of the day, and a
// backend that crashes or hangs takes only this process with it.
#include "acquisition/ListeSources.h"
#include "acquisition/ScannerSane.h"

#include <QCameraDevice>
#include <QCoreApplication>
#include <QMediaDevices>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    orv::ScannerSane sane;
    auto sources = sane.Sources();
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        sources.push_back({orv::NomCamera(d.id().toStdString()), d.description().toStdString()});
    const std::string texte = orv::EcritSources(sources);
    return std::fwrite(texte.data(), 1, texte.size(), stdout) == texte.size() &&
                   std::fflush(stdout) == 0
               ? 0
               : 1;
}
