// Writes the program's icon as a PNG for the desktop entry:
//   kwicon SIZE FILE
// It is drawn by the same code as the windows' icon, so the build ships no
// image file of its own.

#include "platform/ui/ToolIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    const int size = argc == 3 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    if (size <= 0) {
        std::fprintf(stderr, "usage: kwicon SIZE FILE\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !kw::ui::programImage(size).save(file, "PNG")) {
        std::fprintf(stderr, "kwicon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
