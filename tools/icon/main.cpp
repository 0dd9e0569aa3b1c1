// cockpix-icongen OUTDIR: writes the program's icon as OUTDIR/cockpix.svg and as
// OUTDIR/cockpix-<N>.png at the sizes desktops look for, so that no picture has to live in
// the repository.

#include "base/gui/programicon.h"

#include <QFile>
#include <QString>

#include <cstdio>
#include <string>

namespace {

constexpr int kPngSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool writeSvg(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(cockpix::programIconSvg().toUtf8()) >= 0 && file.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(argc == 2 ? stdout : stderr,
                     "Usage: cockpix-icongen OUTDIR\n"
                     "Writes OUTDIR/cockpix.svg and OUTDIR/cockpix-<N>.png.\n");
        return argc == 2 ? 0 : 64;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!writeSvg(dir + QStringLiteral("/cockpix.svg"))) {
        std::fprintf(stderr, "cockpix-icongen: cannot write %s/cockpix.svg\n", argv[1]);
        return 1;
    }
    for (int size : kPngSizes) {
        const QString path = dir + QStringLiteral("/cockpix-%1.png").arg(size);
        if (!cockpix::programIconImage(size).save(path, "PNG")) {
            std::fprintf(stderr, "cockpix-icongen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
