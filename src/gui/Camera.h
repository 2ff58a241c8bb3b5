// Cameras through Qt Multimedia (a microscope camera is mostly a USB video
// class camera): the cameras the system lists, and one still at the camera's
// largest resolution, taken from a dialog showing the live picture.
#pragma once

#include "acquisition/Scanner.h"

#include <QString>

#include <vector>

class QWidget;

namespace orv {

// Their names start with "camera:" (gui/ListeCameras.cpp, which the search
// for sources, orvelle-sources, builds too: Qt Multimedia's core only).
std::vector<SourceAcquisition> Cameras();
bool EstCamera(const std::string& source);
// The system's name of the camera a source names.
std::string IdentifiantCamera(const std::string& source);
// The still, or why there is none: AucuneSource when the camera is gone,
// Annulee when the user closed the dialog, Appareil with the camera's text.
ResultatAcquisition PhotoCamera(QWidget* parent, const std::string& source, const QString& titre);

} // namespace orv
