#include "gui/Camera.h"

#include "gui/PlateformeQt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QLibrary>

namespace orv {

namespace {

// The module, loaded once and kept (Qt Multimedia cannot be unloaded).
QLibrary* Module() {
    static QLibrary* module = [] {
        const QString chemin = ModuleCamera();
        if (chemin.isEmpty()) return static_cast<QLibrary*>(nullptr);
        auto* l = new QLibrary(chemin);
        if (!l->load()) {
            delete l;
            return static_cast<QLibrary*>(nullptr);
        }
        return l;
    }();
    return module;
}

template <typename F> F Fonction(const char* nom) {
    QLibrary* m = Module();
    return m ? reinterpret_cast<F>(m->resolve(nom)) : nullptr;
}

} // namespace

QString ModuleCamera() {
    const QString dossier = QCoreApplication::applicationDirPath();
    for (const QString& c : {dossier + "/../" ORVELLE_LIBDIR "/orvelle/orvelle-camera.so",
                             dossier + "/orvelle-camera.so", QString(ORVELLE_CAMERA_CONSTRUIT)})
        if (QFileInfo(c).isFile()) return QFileInfo(c).canonicalFilePath();
    return {};
}

std::vector<SourceAcquisition> Cameras() {
    std::vector<SourceAcquisition> v;
    const auto liste = Fonction<FonctionCameras>("orvelle_cameras");
    if (!liste) return v;
    QStringList identifiants, descriptions;
    liste(&identifiants, &descriptions);
    for (qsizetype i = 0; i < identifiants.size() && i < descriptions.size(); ++i)
        v.push_back({NomCamera(identifiants[i].toStdString()), descriptions[i].toStdString()});
    return v;
}

ResultatAcquisition PhotoCamera(QWidget* parent, const std::string& source, const QString& titre) {
    ResultatAcquisition r;
    const auto photo = Fonction<FonctionPhotoCamera>("orvelle_photo_camera");
    if (!photo) {
        r.echec = EchecAcquisition::Appareil;
        r.erreur = "orvelle-camera: " +
                   (Module() ? Module()->errorString() : QStringLiteral("not found")).toStdString();
        return r;
    }
    const QByteArray id = QByteArray::fromStdString(IdentifiantCamera(source));
    QImage image;
    QString erreur;
    r.echec = static_cast<EchecAcquisition>(photo(parent, &id, &titre, &image, &erreur));
    r.erreur = erreur.toStdString();
    if (r.echec == EchecAcquisition::Aucun) r.image = VersPixels(image);
    return r;
}

} // namespace orv
