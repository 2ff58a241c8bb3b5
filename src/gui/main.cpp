// orvelle: the measuring program's window.
#include "app/DossierProgramme.h"
#include "app/Fenetre.h"
#include "gui/FenetrePrincipale.h"
#include "gui/PlateformeQt.h"
#include "images/Chargeur.h"
#include "interface/TableControles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvelle");
    QApplication::setApplicationVersion(ORVELLE_VERSION);

    QCommandLineParser ligne;
    ligne.setApplicationDescription("Orvelle: mesure de spores sur images de microscope");
    ligne.addHelpOption();
    ligne.addVersionOption();
    QCommandLineOption home("home", "Dossier du programme (paramètres, calibrages, langues).",
                            "DIR");
    QCommandLineOption diagnostic("diagnostic-langue",
                                  "Signale les lignes du fichier de langue qui nomment un bouton "
                                  "inexistant.");
    ligne.addOption(home);
    ligne.addOption(diagnostic);
    ligne.addPositionalArgument("images", "Images à ouvrir.", "[images...]");
    ligne.process(app);

    std::optional<std::string> optionHome;
    if (ligne.isSet(home)) optionHome = ligne.value(home).toStdString();
    const auto dossier =
        orv::DossierProgramme(optionHome, QCoreApplication::applicationDirPath().toStdString());
    if (!dossier) {
        std::fprintf(stderr, "orvelle: no program folder could be found or created; "
                             "give one with --home DIR\n");
        return 2;
    }

    orv::PlateformeQt plateforme;
    orv::Orvelle etat(plateforme, *dossier);
    etat.dossierDonnees =
        orv::DossierDonnees(QCoreApplication::applicationDirPath().toStdString(), ORVELLE_DATA_DIR);
    orv::FenetrePrincipale fenetre(etat, plateforme);
    orv::Demarrage(etat);
    fenetre.AppliqueLangueQt();
    etat.diagnosticLangueDemande = ligne.isSet(diagnostic);
    fenetre.showMaximized();
    for (const QString& chemin : ligne.positionalArguments())
        orv::OuvreCheminImage(etat, QFileInfo(chemin).absoluteFilePath().toStdString());
    fenetre.Actualise();
    fenetre.activateWindow();
    return QApplication::exec();
}
