#include "gui/MenusRecents.h"

#include "base/Texte.h"

#include "app/Orvelle.h"
#include "interface/Messages.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace orv {

namespace {

const ListeRecente& Liste(const Orvelle& o, GenreRecent genre) {
    return genre == GenreRecent::Trame ? o.tramesRecentes : o.imagesRecentes;
}

// Shown, never opened: a line break or bytes that are not UTF-8 read as U+FFFD.
QString Texte(const std::string& s) {
    return QString::fromStdString(NomAffichable(s));
}

// "1  spores.trm   (/home/moi/Mesures)": the name first, its folder after.
void Remplit(QMenu* menu, const Orvelle& o, GenreRecent genre,
             const std::function<void(GenreRecent, std::size_t)>& choisit) {
    menu->clear();
    const auto& chemins = Liste(o, genre).Chemins();
    for (std::size_t k = 0; k < chemins.size(); ++k) {
        const QFileInfo f(Texte(chemins[k]));
        auto* a = menu->addAction(
            QStringLiteral("&%1  %2   (%3)").arg(k + 1).arg(f.fileName(), f.path()));
        a->setToolTip(Texte(chemins[k]));
        QObject::connect(a, &QAction::triggered, menu, [choisit, genre, k] { choisit(genre, k); });
    }
}

} // namespace

void AjouteMenusRecents(QMenu* fichiers, QAction* avant, const Orvelle& o,
                        const std::function<void(GenreRecent, std::size_t)>& choisit) {
    auto* trames = new QMenu(fichiers);
    auto* images = new QMenu(fichiers);
    trames->setObjectName("MenuTramesRecentes");
    images->setObjectName("MenuImagesRecentes");
    trames->setToolTipsVisible(true);
    images->setToolTipsVisible(true);
    fichiers->insertMenu(avant, trames);
    fichiers->insertMenu(avant, images);
    // The captions follow the language, the entries the lists.
    QObject::connect(fichiers, &QMenu::aboutToShow, fichiers, [&o, trames, images, choisit] {
        const std::pair<QMenu*, GenreRecent> menus[] = {{trames, GenreRecent::Trame},
                                                        {images, GenreRecent::Image}};
        for (auto [menu, genre] : menus) {
            const int titre =
                genre == GenreRecent::Trame ? mnu::TramesRecentes : mnu::ImagesRecentes;
            menu->setTitle(Texte(o.textes.Mnu(titre)));
            Remplit(menu, o, genre, choisit);
            menu->setEnabled(!menu->isEmpty());
        }
    });
    trames->setTitle(Texte(o.textes.Mnu(mnu::TramesRecentes)));
    images->setTitle(Texte(o.textes.Mnu(mnu::ImagesRecentes)));
}

} // namespace orv
