#include "gui/Camera.h"

#include "gui/PlateformeQt.h"

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

namespace orv {

namespace {

qint64 Surface(const QSize& s) {
    return qint64{s.width()} * s.height();
}

} // namespace

ResultatAcquisition PhotoCamera(QWidget* parent, const std::string& source, const QString& titre) {
    ResultatAcquisition r;
    const QByteArray id = QByteArray::fromStdString(IdentifiantCamera(source));
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
        r.erreur = texte.toStdString();
        d.reject();
    };
    QObject::connect(boutons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(prendre, &QPushButton::clicked, &d, [&] {
        prendre->setEnabled(false);
        capture.capture();
    });
    QObject::connect(&capture, &QImageCapture::imageAvailable, &d,
                     [&](int, const QVideoFrame& trame) {
                         const QImage image = trame.toImage();
                         if (image.isNull()) return echec(QString());
                         r.echec = EchecAcquisition::Aucun;
                         r.image = VersPixels(image);
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

} // namespace orv
