// Cameras through Qt Multimedia (a microscope camera is mostly a USB video
// class camera): the cameras the system lists, and one still at the camera's
// largest resolution, taken from a dialog showing the live picture. Qt
// Multimedia and what it loads (the network and sound libraries among them)
// stay out of the window until a camera is used: this code lives in the
// module orvelle-camera (gui/module_camera.cpp), loaded at the first use.
#pragma once

#include "acquisition/ListeSources.h"
#include "acquisition/Scanner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class QImage;
class QWidget;

namespace orv {

// Their names start with "camera:" (acquisition/ListeSources.h).
std::vector<SourceAcquisition> Cameras();
// The still, or why there is none: AucuneSource when the camera is gone,
// Annulee when the user closed the dialog, Appareil with the camera's text
// (or the module's absence).
ResultatAcquisition PhotoCamera(QWidget* parent, const std::string& source, const QString& titre);
// The module as installed beside the program, or where the build made it;
// empty when there is none.
QString ModuleCamera();

} // namespace orv

// What the module gives: plain functions, looked up by name.
extern "C" {
using FonctionCameras = void (*)(QStringList* identifiants, QStringList* descriptions);
// Returns an EchecAcquisition; the still in `image`, the camera's text in `erreur`.
using FonctionPhotoCamera = int (*)(QWidget* parent, const QByteArray* identifiant,
                                    const QString* titre, QImage* image, QString* erreur);
}
