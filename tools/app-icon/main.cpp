// vesko-app-icon <folder>: writes the application icon in the sizes a desktop looks
// for, as <folder>/<n>x<n>/apps/vesko-editor.png (the layout of the hicolor theme).

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "ui/images.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vesko-app-icon <folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!root.mkpath(folder) ||
            !vesko::ui::AppPixmap(size).save(root.filePath(folder + "/vesko-editor.png"))) {
            std::fprintf(stderr, "cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
