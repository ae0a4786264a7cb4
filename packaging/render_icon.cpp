// Writes the program's icon as PNG files for the desktop's menus, from the same drawing as the
// window and tray icon: render_icon FOLDER SIZE... writes FOLDER/SIZExSIZE/apps/voxclock.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>

#include "ui/pictures.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icon FOLDER SIZE...\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        vox::paintAppIcon(painter, size);
        painter.end();
        const QString folder = root + QStringLiteral("/%1x%1/apps").arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/voxclock.png"))) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
