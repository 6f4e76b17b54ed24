#!/usr/bin/env bash
# Writes resources/toolbar/{open,save}-{16,32}.rgba: the style's images of the open and save
# buttons (the toolkit's own, the same on every platform), as raw premultiplied RGBA bytes, a
# row after another from the top, so that start-up shows them without decoding a PNG.
#   bash resources/toolbar-icons.sh    (needs qtbase5-dev and g++)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/dump.cpp" <<'CPP'
#include <QApplication>
#include <QFile>
#include <QImage>
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    for (const char *name : {"open", "save"}) {
        for (int size : {16, 32}) {
            const QImage image = QImage(QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-%1-%2.png")
                                            .arg(QLatin1String(name)).arg(size))
                                     .convertToFormat(QImage::Format_RGBA8888_Premultiplied);
            if (image.size() != QSize(size, size))
                return 1;
            QFile out(QStringLiteral("%1/%2-%3.rgba").arg(argv[1], QLatin1String(name)).arg(size));
            if (!out.open(QIODevice::WriteOnly))
                return 1;
            for (int row = 0; row < size; ++row)
                out.write(reinterpret_cast<const char *>(image.constScanLine(row)), size * 4);
        }
    }
    return 0;
}
CPP
g++ -std=c++17 -fPIC "$scratch/dump.cpp" -o "$scratch/dump" $(pkg-config --cflags --libs Qt5Widgets)
QT_QPA_PLATFORM=offscreen "$scratch/dump" "$here/toolbar"
ls -l "$here/toolbar"
