#!/usr/bin/env bash
# Installs a build into a temporary prefix and proves that a host can use
# what was installed: the example host is configured with find_package
# against that prefix only, built and run on a fresh hive with the demo
# printers; the pkg-config file is checked by compiling the same host with
# it; the installed command imports the demo and finds its dialog module.
#   examples/check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check-install.sh BUILD_DIR}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in "$prefix/bin/quorprn" "$prefix/include/quorprn/quorprn/QuorPrn.h" \
         "$prefix/include/quorprn/meraprn/CPrnDevMode.h" "$prefix/share/man/man1/quorprn.1" \
         "$prefix/share/quorprn/locale" "$prefix/lib/pkgconfig/quorprn.pc" \
         "$prefix/lib/cmake/QuorPrn/QuorPrnConfig.cmake" "$prefix/lib/quorprn/quorprn-dialogs.so"; do
  [ -e "$f" ] || { echo "check-install: missing $f" >&2; exit 1; }
done
ls "$prefix"/lib/libquorprn.so* >/dev/null

cmake -S "$top/examples/host" -B "$tmp/host" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$tmp/host" >/dev/null

PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --exists quorprn
# shellcheck disable=SC2046
g++ -std=c++20 -o "$tmp/host-pc" "$top/examples/host/host.cpp" \
  $(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs quorprn) -Wl,-rpath,"$prefix/lib"

export QUORPRN_REGISTRY="$tmp/registry.db"
export QUORPRN_SPOOLER="$top/demo/printers.json"
export QUORPRN_LOCALE_DIR="$prefix/share/quorprn/locale"
"$prefix/bin/quorprn" reg import "$top/demo/demo.reg" >/dev/null
# The command loads its dialogs only for a dialog verb: without a display the
# loaded dialog must answer 114 (no display), not fail to load.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quorprn" --json dialog printer SALES DAILY 0 \
  >"$tmp/dialog.json" 2>&1 || status=$?
grep -q '"result": 114' "$tmp/dialog.json" || {
  echo "check-install: the installed command's dialog did not answer 114 (status $status):" >&2
  cat "$tmp/dialog.json" >&2; exit 1; }
# Without a display the host's printer dialog answers at once instead of
# waiting for a user.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tmp/host/quorprn_host" "Office Laser" "$top/demo/forms/invoice.TPT"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tmp/host-pc" "Office Laser" "$top/demo/forms/invoice.TPT" >/dev/null
echo "check-install: the installed package builds and runs a host"
