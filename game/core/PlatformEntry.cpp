// The platform entry: hands the command line to the game.
#include "Main.h"

int main(int argc, char** argv) {
    return gameMain(argc, argv);
}
