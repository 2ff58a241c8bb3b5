// The five text tables every run-time text comes from: messages, menu texts,
// statistics texts, statistics-tool captions and colour-panel captions. Filled
// with the built-in French texts at start-up; a language file replaces entries.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace orv {

enum class Table { MSG, MNU, MSTAT, MNUSTAT, TINTAVAL };

class TablesTextes {
public:
    TablesTextes();

    // Entry of a table; the empty text for an index never set or out of range.
    const std::string& Msg(int i) const { return Lit(Table::MSG, i); }
    const std::string& Mnu(int i) const { return Lit(Table::MNU, i); }
    const std::string& Mstat(int i) const { return Lit(Table::MSTAT, i); }
    const std::string& MnuStat(int i) const { return Lit(Table::MNUSTAT, i); }
    const std::string& Tintaval(int i) const { return Lit(Table::TINTAVAL, i); }
    const std::string& Lit(Table t, int i) const;

    // Sets an entry, without the "***" markers the texts carry; false (nothing
    // changed) when the index is outside the table.
    bool Fixe(Table t, int i, std::string texte);
    // Highest index of a table (255; 399 for MNU, 120 for MNUSTAT).
    static int IndexMax(Table t);

    // Fills every table with the built-in French texts, entries 141-148 built
    // from 56-61 and their column descriptors.
    void RemplitMessages();

private:
    std::array<std::vector<std::string>, 5> tables_;
};

} // namespace orv
