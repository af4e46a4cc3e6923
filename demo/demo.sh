#!/usr/bin/env bash
# The main job in one run: imports the demo settings (a Windows regedit
# export) into a fresh hive under the build folder and shows, on the demo's
# virtual printers, what a host application would get.
#   bash demo/demo.sh BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
quorprn="$build/tools/quorprn"
hive="$build/demo/registry.db"
mkdir -p "$build/demo"
rm -f "$hive" "$hive-wal" "$hive-shm" "$hive-journal"

# The label printer is redirected: its port and the session part of its name
# change from one log-on to the next, so its settings are stored as
# "Label Printer!Redirected".
options=(--registry "$hive" --spooler "$here/printers.json"
         --redirect-port 'rdp-session' --redirect-remove ' \(session [0-9]+\)')
export QUORPRN_LOCALE_DIR="${QUORPRN_LOCALE_DIR:-$here/../resources/locale}"

step() {
  printf '\n\033[1m$ quorprn %s\033[0m\n' "$*"
  "$quorprn" "${options[@]}" "$@"
  local rc=$?
  printf '(exit status %d)\n' "$rc"
  return 0
}

step reg import "$here/demo.reg"
step printers
step show 販売管理 月次請求
echo
echo "# A stored form: printer, paper, bin and colours all come from the settings."
step lookup 販売管理 月次請求 0 "$here/forms/invoice.TPT" 請求書
echo
echo "# A form with no stored settings: the template file names the paper (143)."
step lookup 販売管理 月次請求 0 "$here/forms/invoice.TPT" 見積書
echo
echo "# A printer set that was never stored: the default printer stands in (140)."
step lookup 販売管理 月次請求 7 "$here/forms/invoice.TPT" 納品書
echo
echo "# The redirected label printer; --use-template reads the paper from a template"
echo "# that ships only encoded (.TPTX)."
step lookup 販売管理 月次請求 1 "$here/forms/label.TPT" ラベル --use-template
