// What the fuzz targets share: a platform that answers nothing and says
// nothing, and a session of the core set up as the program starts it.
#pragma once

#include "app/CommandesMesure.h"
#include "app/Orvelle.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "platform/Plateforme.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace orv::fuzz {

class PlateformeMuette : public Plateforme {
public:
    void Message(const std::string&, const std::string&, Icone) override {}
    bool QuestionOuiNon(const std::string&, const std::string&, Icone) override { return false; }
    bool QuestionOKAnnuler(const std::string&, const std::string&, Icone) override { return false; }
    Reponse QuestionOuiNonAnnuler(const std::string&, const std::string&, Icone) override {
        return Reponse::Annuler;
    }
    void Flash(std::uint32_t, const std::string&, int) override {}
    void FlashOuvre(const std::string&) override {}
    void FlashFerme(int) override {}
    void Bip() override {}
    char SeparateurDecimal() const override { return ','; }
    std::optional<std::string> ChoisitFichierAOuvrir(const std::string&, const std::string&,
                                                     const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChoisitFichierAEnregistrer(const std::string&, const std::string&,
                                                          const std::string&) override {
        return std::nullopt;
    }
    void CopieTextePressePapier(const std::string&) override {}
    std::optional<int> ChoisitCouleurPalette(const std::string&, int) override {
        return std::nullopt;
    }
    std::optional<TailleImage> LitTailleImage(const std::string&) override { return std::nullopt; }
    int LitOrientationImage(const std::string&) override { return 1; }
    void LaisseEvenements() override {}
    bool OuvreEditeurTexte(const std::string&) override { return false; }
    bool OuvreDocument(const std::string&) override { return false; }
    std::optional<PixelsImage> ImagePressePapier() override { return std::nullopt; }
    std::optional<PixelsImage> LitPixelsImage(const std::string&) override { return std::nullopt; }
    bool EcritImage(const std::string&, const std::string&, int, int, int,
                    const std::uint8_t*) override {
        return false;
    }
    std::vector<LecteurMonte> Lecteurs() override { return {}; }
    std::optional<std::vector<std::string>> ContenuDossier(const std::string&, bool) override {
        return std::nullopt;
    }
    TailleImage TailleEcran() override { return {}; }
};

// A fresh session: tables, controls and functions as at start-up.
inline std::unique_ptr<Orvelle> Session(Plateforme& p) {
    auto o = std::make_unique<Orvelle>(p, "/nonexistent");
    o->textes.RemplitMessages();
    ConstruitTableFonctions(o->mesure, o->textes);
    AppliqueFonctionDemarrage(*o);
    return o;
}

// A broken property is a finding: said, then the fuzzer stops on the abort.
// The ordinary tests run the same properties and catch it instead.
inline void (*surEchec)(const char* quoi) = nullptr;
[[noreturn]] inline void Echec(const char* quoi) {
    if (surEchec) surEchec(quoi); // does not come back
    std::fprintf(stderr, "property broken: %s\n", quoi);
    std::abort();
}

// The properties, one per parser; each returns 0 as libFuzzer wants.
int ProprieteTrame(const std::uint8_t* donnees, std::size_t taille);
int ProprieteCSV(const std::uint8_t* donnees, std::size_t taille);
int ProprieteParametres(const std::uint8_t* donnees, std::size_t taille);
int ProprieteCalibrage(const std::uint8_t* donnees, std::size_t taille);
int ProprieteLangue(const std::uint8_t* donnees, std::size_t taille);
int ProprieteEnteteImage(const std::uint8_t* donnees, std::size_t taille);

} // namespace orv::fuzz
