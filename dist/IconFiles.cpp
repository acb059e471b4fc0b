// glimmerscout-icons DIR: writes the program's icon into DIR in the hicolor
// theme's layout (DIR/16x16/apps/glimmerscout.png, ...), drawn from its artwork.
#include "app/Artwork.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: glimmerscout-icons DIR\n");
        return 2;
    }
    for (int side : IconSides) {
        const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(side);
        if (!QDir().mkpath(folder) || !IconPicture(side).save(folder + "/glimmerscout.png")) {
            std::fprintf(stderr, "glimmerscout-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
