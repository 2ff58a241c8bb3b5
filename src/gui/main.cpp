// orvelle: the measuring program's window.
#include "gui/Lancement.h"

int main(int argc, char** argv) {
    return orv::Programme(argc, argv);
}
