#include "gui/Lancement.h"

#include "app/CommandesImages.h"
#include "app/CommandesTrame.h"
#include "app/DossierProgramme.h"
#include "app/Fenetre.h"
#include "app/Langue.h"
#include "gui/PlateformeQt.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace orv {

void Lance(Orvelle& etat, FenetrePrincipale& fenetre, const std::string& langue,
           bool diagnosticLangue) {
    etat.langue.demandee = langue;
    etat.langue.diagnosticDemande = diagnosticLangue;
    Demarrage(etat);
    fenetre.AppliqueLangueQt();
}

int Programme(int argc, char** argv,
              const std::function<void(FenetrePrincipale&)>& fenetreMontree) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvelle");
    QApplication::setApplicationVersion(ORVELLE_VERSION);

    QCommandLineParser ligne;
    ligne.setApplicationDescription("Orvelle: mesure de spores sur images de microscope");
    ligne.addHelpOption();
    ligne.addVersionOption();
    QCommandLineOption home("home", "Dossier du programme (paramètres, calibrages, langues).",
                            "DIR");
    QCommandLineOption langue(
        "lang", "Langue de démarrage, au-dessus des paramètres (fr, it, es, de, en).", "CODE");
    QCommandLineOption diagnostic("diagnostic-langue",
                                  "Signale les lignes du fichier de langue qui nomment un bouton "
                                  "inexistant.");
    ligne.addOption(home);
    ligne.addOption(langue);
    ligne.addOption(diagnostic);
    ligne.addPositionalArgument("fichiers", "Images ou trames (.trm) à ouvrir.", "[fichiers...]");
    ligne.process(app);

    // A language code names the file Zelk2_<code>.lng: letters only.
    const QString code = ligne.value(langue).toLower();
    if (ligne.isSet(langue) && !QRegularExpression("^[a-z]{1,8}$").match(code).hasMatch()) {
        std::fprintf(stderr, "orvelle: --lang: '%s' is not a language code\n",
                     qPrintable(ligne.value(langue)));
        return 2;
    }

    std::optional<std::string> optionHome;
    if (ligne.isSet(home)) optionHome = ligne.value(home).toStdString();
    const auto dossier =
        DossierProgramme(optionHome, QCoreApplication::applicationDirPath().toStdString());
    if (!dossier) {
        std::fprintf(stderr, "orvelle: no program folder could be found or created; "
                             "give one with --home DIR\n");
        return 2;
    }

    PlateformeQt plateforme;
    Orvelle etat(plateforme, *dossier);
    etat.dossierDonnees = DossierDonnees(QCoreApplication::applicationDirPath().toStdString());
    if (auto l =
            LangueBureau(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")))
        etat.langue.bureau = *l;
    FenetrePrincipale fenetre(etat, plateforme);
    Lance(etat, fenetre, code.toStdString(), ligne.isSet(diagnostic));
    fenetre.showMaximized();
    // The names' own bytes, from argv: a QString would lose a name that is not
    // UTF-8. Positional arguments come in order, so each is found after the last.
    std::vector<std::string> fichiers;
    int suivant = 1;
    for (const QString& argument : ligne.positionalArguments()) {
        std::string octets = QFile::encodeName(argument).toStdString();
        for (int i = suivant; i < argc; ++i)
            if (QFile::decodeName(argv[i]) == argument) {
                octets = argv[i];
                suivant = i + 1;
                break;
            }
        std::error_code e;
        const auto absolu = std::filesystem::absolute(octets, e);
        fichiers.push_back(e ? octets : absolu.lexically_normal().string());
    }
    OuvreFichiersDeDemarrage(etat, fichiers);
    fenetre.Actualise();
    fenetre.activateWindow();
    if (fenetreMontree) fenetreMontree(fenetre);
    return QApplication::exec();
}

} // namespace orv
