// orvelle-camera: the module the window loads when a camera is used (see
// gui/Camera.h); it links Qt Multimedia, the window does not.
#include "gui/Camera.h"

#include <QCamera>
#include <QCameraDevice>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVideoFrame>
#include <QVideoWidget>

#include <type_traits>

namespace {

using orv::EchecAcquisition;

qint64 Surface(const QSize& s) {
    return qint64{s.width()} * s.height();
}

struct Photo {
    EchecAcquisition echec = EchecAcquisition::Aucun;
    QString erreur;
    QImage image;
};

Photo Prend(QWidget* parent, const QByteArray& id, const QString& titre) {
    Photo r;
    QCameraDevice appareil;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        if (d.id() == id) appareil = d;
    if (appareil.isNull()) {
        r.echec = EchecAcquisition::AucuneSource;
        return r;
    }

    QCamera camera(appareil);
    // The still at the camera's full resolution.
    QCameraFormat meilleur;
    for (const QCameraFormat& f : appareil.videoFormats())
        if (Surface(f.resolution()) > Surface(meilleur.resolution())) meilleur = f;
    if (!meilleur.isNull()) camera.setCameraFormat(meilleur);
    QMediaCaptureSession session;
    session.setCamera(&camera);
    QImageCapture capture;
    if (!meilleur.isNull()) capture.setResolution(meilleur.resolution());
    session.setImageCapture(&capture);

    QDialog d(parent);
    d.setObjectName("DialogueCamera");
    d.setWindowTitle(titre);
    auto* l = new QVBoxLayout(&d);
    auto* video = new QVideoWidget(&d);
    video->setMinimumSize(640, 480);
    l->addWidget(video, 1);
    session.setVideoOutput(video);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Cancel, &d);
    QPushButton* prendre = boutons->addButton(titre, QDialogButtonBox::AcceptRole);
    l->addWidget(boutons);

    r.echec = EchecAcquisition::Annulee;
    const auto echec = [&](const QString& texte) {
        r.echec = EchecAcquisition::Appareil;
        r.erreur = texte;
        d.reject();
    };
    QObject::connect(boutons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(prendre, &QPushButton::clicked, &d, [&] {
        prendre->setEnabled(false);
        capture.capture();
    });
    QObject::connect(&capture, &QImageCapture::imageAvailable, &d,
                     [&](int, const QVideoFrame& trame) {
                         r.image = trame.toImage();
                         if (r.image.isNull()) return echec(QString());
                         r.echec = EchecAcquisition::Aucun;
                         d.accept();
                     });
    QObject::connect(&capture, &QImageCapture::errorOccurred, &d,
                     [&](int, QImageCapture::Error, const QString& texte) { echec(texte); });
    QObject::connect(&camera, &QCamera::errorOccurred, &d,
                     [&](QCamera::Error, const QString& texte) { echec(texte); });
    camera.start();
    d.exec();
    camera.stop();
    return r;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) void orvelle_cameras(QStringList* identifiants,
                                                            QStringList* descriptions) {
    for (const QCameraDevice& d : QMediaDevices::videoInputs()) {
        identifiants->append(QString::fromUtf8(d.id()));
        descriptions->append(d.description());
    }
}

__attribute__((visibility("default"))) int orvelle_photo_camera(QWidget* parent,
                                                                const QByteArray* identifiant,
                                                                const QString* titre, QImage* image,
                                                                QString* erreur) {
    Photo p = Prend(parent, *identifiant, *titre);
    *image = std::move(p.image);
    *erreur = p.erreur;
    return static_cast<int>(p.echec);
}
}

// The window calls them through these types.
static_assert(std::is_same_v<decltype(&orvelle_cameras), FonctionCameras>);
static_assert(std::is_same_v<decltype(&orvelle_photo_camera), FonctionPhotoCamera>);
