#!/usr/bin/env bash
# Keeps the host layer's interface apart from its internals: outside platform/
# (and its own tests in tests/platform/), a file may include only the headers
# in platform/include/platform/, as "platform/<Name>.h". Fails listing every
# include of an internal header.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
while IFS=: read -r file line text; do
  header=$(sed -E 's/.*#include "(platform\/[^"]*)".*/\1/' <<<"$text")
  if [ ! -f "platform/include/$header" ]; then
    echo "$file:$line: includes $header, an internal header of the host layer" >&2
    status=1
  fi
done < <(git ls-files '*.cpp' '*.h' | grep -vE '^(platform|tests/platform)/' |
  xargs grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform/' || true)
[ $status -eq 0 ] && echo "includes: only the host layer's interface is used outside it"
exit $status
