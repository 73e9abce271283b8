#!/usr/bin/env bash
# Keeps the host layer's interface apart from its internals: outside platform/
# (and its own tests in tests/platform/), a file may include only the headers
# in platform/include/platform/, as "platform/<Name>.h". Fails listing every
# include of an internal header, and every include that breaks the layering
# of support/ and render/ below.
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
# support/ stands on nothing of the program's, and render/ takes from model/
# only the model itself; its general-purpose pieces come from support/.
while IFS=: read -r file line text; do
  echo "$file:$line: support/ includes the program's own ${text#*#include }" >&2
  status=1
done < <(git ls-files 'support/*.cpp' 'support/*.h' |
  xargs grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(model|render|framework|app|platform|tools)/' || true)
while IFS=: read -r file line text; do
  echo "$file:$line: render/ includes ${text#*#include }, which is not the model itself" >&2
  status=1
done < <(git ls-files 'render/*.cpp' 'render/*.h' |
  xargs grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"model/' |
  grep -vE '"model/(Model|Vertex|Edge|Face)\.h"' || true)
[ $status -eq 0 ] && echo "includes: only the host layer's interface is used outside it; support/ and render/ keep to their own"
exit $status
