#!/usr/bin/env bash
# Builds the static Qt for the Windows program once and prints the folder it is installed in.
#
# The source is Debian's own qt6-base, the same version as the host tools in qt6-base-dev-tools, fetched
# with apt's source mechanism through a private apt configuration (the machine's sources, as deb-src), so
# the machine's apt setup is left as it was and apt checks the download against the signed index.
#
# The result lands in a cache outside any build folder, keyed by Qt's version, the configure options
# below, the toolchain file and the compiler, and is built again only when one of those changes.
#   scripts/windows-qt.sh            build when needed, print the prefix
#   VEXOREL_QT_CACHE=/some/folder    where the cache lives (default: ~/.cache/vexorel)
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
toolchain="$here/cmake/mingw-w64-x86_64.cmake"
cache="${VEXOREL_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vexorel}"
jobs="$(nproc)"

host_version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"   # e.g. 6.4.2+dfsg-10
qt_version="${host_version%%+*}"

# A small program: everything Vexorel does not use is off. Widgets, the Windows and offscreen platforms,
# PNG and the test library (the window tests run under Wine too) stay. Without OpenGL, the Windows
# platform's dynamic-GL check must be off too; tablet support needs wintab.h, which MinGW lacks.
options=(
  -DCMAKE_BUILD_TYPE=MinSizeRel
  -DCMAKE_CXX_FLAGS=-ffunction-sections\ -fdata-sections
  -DCMAKE_C_FLAGS=-ffunction-sections\ -fdata-sections
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_static_runtime=ON
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_system_libb2=OFF
)

compiler="$(x86_64-w64-mingw32-g++-posix --version | head -n1)"
key="$(printf '%s\n' "$host_version" "${options[@]}" "$compiler" | cat - "$toolchain" "$0" | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw-$key"

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/work-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial"

# The machine's own sources, turned into source entries, in an apt configuration of our own.
found=0
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed 's/^Types:.*$/Types: deb-src/' "$f" > "$work/apt/sources.list.d/$(basename "$f")"
  found=1
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list > "$work/apt/sources.list.d/vexorel-src.list"
  [ -s "$work/apt/sources.list.d/vexorel-src.list" ] && found=1
fi
if [ "$found" = 0 ]; then
  echo "windows-qt: no apt sources found to fetch Qt's source from" >&2
  exit 1
fi
apt_private=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$work/apt/sources.list.d"
             -o "Dir::State::Lists=$work/apt/lists" -o APT::Sandbox::User=root)
echo "windows-qt: fetching qt6-base $host_version source" >&2
apt-get "${apt_private[@]}" -qq update >&2
(cd "$work" && apt-get "${apt_private[@]}" -qq source "qt6-base=$host_version" >&2)
src="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)"

echo "windows-qt: building Qt $qt_version for Windows into $prefix (about 30 minutes on 2 cores)" >&2
cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
  "${options[@]}" >"$work/configure.log" 2>&1 || { tail -n 60 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 || { tail -n 60 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >"$work/install.log" 2>&1 || { tail -n 60 "$work/install.log" >&2; exit 1; }
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
