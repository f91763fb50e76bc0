#!/bin/sh
# Fails when a plain C++ core library includes a Qt header.
src="$1"
hits=$(grep -rn -E '#[[:space:]]*include[[:space:]]*[<"]Q' "$src/astro" "$src/ephemlib" "$src/catalog" \
       "$src/chart" "$src/settings" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "Qt included in a core library:"
  echo "$hits"
  exit 1
fi
echo "core libraries are free of Qt"
