#!/usr/bin/env bash
# Fails when a source file includes a header of a folder above its own. The
# folders of the program, top down; folders on one line stand side by side
# and include neither each other nor anything above them. Tests and tools
# stand above all of them and are not checked. Checks the tree it is part
# of, or the one named as its argument.
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

declare -A rank
n=${#LAYERS[@]}
for i in "${!LAYERS[@]}"; do
  for folder in ${LAYERS[$i]}; do rank[$folder]=$((n - i)); done
done

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
    if [ "$top" = "$folder" ]; then continue; fi
    if [ -z "${rank[$top]:-}" ] || [ "${rank[$top]}" -ge "${rank[$folder]}" ]; then
      echo "$file:$line: $folder/ includes $target, which is not below it" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" \
             --include='*.h' --include='*.cpp' --include='*.rc' || true)
done
[ "$status" -eq 0 ] && echo "Layers: no folder includes one above it"
exit "$status"
