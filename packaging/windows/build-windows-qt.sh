#!/usr/bin/env bash
# Builds Qt 5.15.8 qtbase for 64-bit Windows with Debian 12's MinGW-w64 from Debian's own
# source package (with its security patches), shared, release, into <target>/qt5-mingw64:
# the same kit as ../shared/windows-qt/ holds. About 25 minutes on 2 cores; needs root
# (or sudo) for the packages and the deb-src entries.
#   bash packaging/windows/build-windows-qt.sh <target folder>
set -euo pipefail
target=$(mkdir -p "${1:?usage: build-windows-qt.sh <target folder>}" && cd "$1" && pwd)
prefix=$target/qt5-mingw64
work=$target/work
version=5.15.8+dfsg-11+deb12u3
source "$(dirname "$0")/../common.sh"

as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  dpkg-dev build-essential perl python3 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  mingw-w64-x86-64-dev qttranslations5-l10n xz-utils
# The source package needs deb-src entries: the machine's own apt sources, as deb-src.
if ! grep -rqs '^deb-src\|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  for f in /etc/apt/sources.list.d/*.sources; do
    if [ -f "$f" ]; then sed 's/^Types:.*/Types: deb-src/' "$f"; echo; fi
  done | as_root tee /etc/apt/sources.list.d/tallowin-qt-src.sources >/dev/null
  if [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/tallowin-qt-src.list >/dev/null || true
  fi
  as_root apt-get update -qq
fi

rm -rf "$work" "$prefix"; mkdir -p "$work"; cd "$work"
apt-get source --download-only "qtbase-opensource-src=$version"
dpkg-source -x "qtbase-opensource-src_$version.dsc" src
# Debian's source leaves out the Wintab header (pen tablets): build the Windows platform
# plugin without Wintab; mouse, keyboard and Windows Ink pen input stay.
sed -i 's/^qtConfig(tabletevent) {/false {/' src/src/plugins/platforms/windows/windows.pri
sed -i 's/#if QT_CONFIG(tabletevent)/#if 0 \/\/ no Wintab header in this source tree/' \
  src/src/plugins/platforms/windows/qwindowscontext.cpp
mkdir build; cd build
../src/configure -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
  -prefix "$prefix" -release -opensource -confirm-license -shared \
  -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-openssl \
  -no-sql-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql -no-sql-ibase \
  -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -no-freetype -no-fontconfig \
  -platform linux-g++ -silent
make -j"$(nproc)"
make install
cd "$prefix"
rm -rf doc
strip bin/moc bin/uic bin/rcc bin/qmake bin/qlalr bin/qvkgen bin/tracegen
x86_64-w64-mingw32-strip --strip-unneeded bin/*.dll $(find plugins -name '*.dll')
# The toolkit's catalogues; qt_fr.qm and its kind load the four module catalogues.
mkdir -p translations
cp /usr/share/qt5/translations/qt_??.qm /usr/share/qt5/translations/qt_??_??.qm \
   /usr/share/qt5/translations/qtbase_*.qm /usr/share/qt5/translations/qtscript_*.qm \
   /usr/share/qt5/translations/qtmultimedia_*.qm /usr/share/qt5/translations/qtxmlpatterns_*.qm translations/
printf '[Paths]\nPrefix=..\n' > bin/qt.conf
rm -rf "$work"
