#include "interface/TablesTextes.h"

namespace orv {

namespace {
const std::string kVide;
size_t Rang(Table t) {
    return static_cast<size_t>(t);
}
} // namespace

TablesTextes::TablesTextes() {
    for (Table t : {Table::MSG, Table::MNU, Table::MSTAT, Table::MNUSTAT, Table::TINTAVAL})
        tables_[Rang(t)].resize(static_cast<size_t>(IndexMax(t)) + 1);
}

int TablesTextes::IndexMax(Table t) {
    // Menu texts go beyond the first 256: the program's own texts added since.
    return t == Table::MNUSTAT ? 120 : t == Table::MNU ? 399 : 255;
}

const std::string& TablesTextes::Lit(Table t, int i) const {
    const auto& v = tables_[Rang(t)];
    if (i < 0 || i >= static_cast<int>(v.size())) return kVide;
    return v[static_cast<size_t>(i)];
}

bool TablesTextes::Fixe(Table t, int i, std::string texte) {
    auto& v = tables_[Rang(t)];
    if (i < 0 || i >= static_cast<int>(v.size())) return false;
    // "***" marks the texts of the tables (work to finish, a prompt to close):
    // it is theirs, not the user's.
    for (auto p = texte.find("***"); p != std::string::npos; p = texte.find("***", p))
        texte.erase(p, 3);
    v[static_cast<size_t>(i)] = std::move(texte);
    return true;
}

} // namespace orv
