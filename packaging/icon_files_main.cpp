// Writes the program's dial icon as PNG files of the hicolor theme's sizes:
//   korvel-icon-files FOLDER  ->  FOLDER/NxN/apps/org.korvel.Korvel.png

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "app/ui/app_icon.h"

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: korvel-icon-files FOLDER\n", stderr);
        return 2;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(argv[1]).arg(size);
        if (!QDir().mkpath(folder) ||
            !korvel::applicationIconPixmap(size).save(folder + "/org.korvel.Korvel.png")) {
            std::fprintf(stderr, "korvel-icon-files: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
