// Which programs may open a text file for the user: $VISUAL, then $EDITOR, then
// the desktop's default opener. Each is a program and its own arguments; the
// file's path is added as one more argument, so no shell ever reads it.
#pragma once

#include <string>
#include <vector>

namespace orv {

struct CommandeEditeur {
    std::string programme;
    std::vector<std::string> arguments; // the path follows them
};

// The candidates in the order they are tried. A variable is split at blanks
// ("code -w" gives the program "code" and the argument "-w"); double or single
// quotes keep blanks inside one word. Unset or blank variables are skipped;
// "xdg-open" always comes last.
std::vector<CommandeEditeur> CommandesEditeur(const std::string& visual, const std::string& editor);

} // namespace orv
