#!/usr/bin/env bash
# Fails when a source file includes a header of a folder above its own. The
# folders of the program, top down; folders on one line stand side by side
# and include neither each other nor anything above them. The Config
# window's own folders are layers in the same way inside configui/. Tests
# and tools stand above all of them and are not checked. Checks the tree it
# is part of, or the one named as its argument.
set -euo pipefail
cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}"

LAYERS=(
  "app"
  "configui views"
  "logging"
  "slots"
  "config"
  "link frame"
  "base"
)

# The sub-folders of configui/, top down.
CONFIGUI_LAYERS=(
  "window"
  "pages"
  "engine"
)

declare -A rank sub_rank
n=${#LAYERS[@]}
for i in "${!LAYERS[@]}"; do
  for folder in ${LAYERS[$i]}; do rank[$folder]=$((n - i)); done
done
n=${#CONFIGUI_LAYERS[@]}
for i in "${!CONFIGUI_LAYERS[@]}"; do
  for folder in ${CONFIGUI_LAYERS[$i]}; do sub_rank[$folder]=$((n - i)); done
done

# Inside configui/: whether the including file's sub-folder stands above
# the included header's (or is the same).
configui_include_ok() { # file target
  local from=${1#configui/} to=${2#configui/}
  from=${from%%/*}; to=${to%%/*}
  [ "$from" = "$to" ] && return 0
  [ -n "${sub_rank[$from]:-}" ] && [ -n "${sub_rank[$to]:-}" ] && [ "${sub_rank[$from]}" -gt "${sub_rank[$to]}" ]
}

status=0
for folder in "${!rank[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}; line=${rest%%:*}
    target=$(sed -E 's/^[^"]*"([^"]+)".*/\1/' <<<"${rest#*:}")
    # Includes without a folder are the file's own neighbours.
    [[ "$target" == */* ]] || continue
    top=${target%%/*}
    if [ "$top" = "$folder" ]; then
      if [ "$folder" = configui ] && ! configui_include_ok "$file" "$target"; then
        echo "$file:$line: includes $target, which is not below its own folder in configui/" >&2
        status=1
      fi
      continue
    fi
    if [ -z "${rank[$top]:-}" ] || [ "${rank[$top]}" -ge "${rank[$folder]}" ]; then
      echo "$file:$line: $folder/ includes $target, which is not below it" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" \
             --include='*.h' --include='*.cpp' --include='*.rc' || true)
done
[ "$status" -eq 0 ] && echo "Layers: no folder includes one above it"
exit "$status"
