// Writes the program's icon as a PNG file of the given size, for the desktop's icon theme.
// It draws with the same code as the window icon, so the menu and the window show one picture.

#include "widgets/WindowIcon.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: poruka-icon SIZE FILE.png   (SIZE from 16 to 1024)\n");
        return 2;
    }
    if (!DrawWindowIcon(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "poruka-icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
