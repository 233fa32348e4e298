#!/usr/bin/env bash
# The application's rooms depend one way: main -> main window -> documents -> document
# window -> the rooms below it. A header of an upper room may be included only by the
# files of that room and of the rooms above it; anything else reaching up fails here.
# Usage: one_way_includes.sh [source root]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
app="$root/src/app"

# header, then the files (relative to src/app) that may include it
rules=(
  "MainWindow.h|MainWindow.cpp MainShortcuts.cpp MainPreferences.cpp main.cpp"
  "Documents.h|Documents.cpp DocumentsRecovery.cpp DocumentsSession.cpp DocumentsReopen.cpp MainWindow.cpp MainWindow.h MainShortcuts.cpp MainPreferences.cpp main.cpp"
)

failed=0
for rule in "${rules[@]}"; do
  header="${rule%%|*}"
  allowed=" ${rule#*|} "
  while IFS= read -r file; do
    name="${file#"$app"/}"
    [ "$name" = "$header" ] && continue
    case "$allowed" in *" $name "*) continue ;; esac
    echo "${file#"$root"/} includes app/$header, which lies above it" >&2
    failed=1
  done < <(grep -rlE "#include +\"app/$header\"" "$root/src" || true)
done
exit "$failed"
