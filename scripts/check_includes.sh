#!/usr/bin/env bash
# Include directions of the boundary-layer library.  Its folders are layers,
#   core < report < setup < march < session,
# and a file includes only headers of its own folder and the folders below
# it.  The front ends (app, ui, cli, polar, plot, aerofoil) include of the
# library only the session's interface: session/session.h and the headers
# it includes itself.  Prints every include that breaks this and fails.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(core report setup march session)
rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}
includes() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"; }

bad=0
for file in boundary_layer/*/*.h boundary_layer/*/*.cpp; do
  from=$(basename "$(dirname "$file")")
  own=$(rank "$from")
  while IFS= read -r header; do
    to=$(rank "${header%%/*}")
    if [ "$to" -gt "$own" ]; then
      echo "$file includes $header: ${header%%/*}/ lies above $from/" >&2
      bad=1
    fi
  done < <(includes "$file")
done

interface=$(printf '%s\n' session/session.h $(includes boundary_layer/session/session.h))
for file in $(find app ui cli polar plot aerofoil -name '*.h' -o -name '*.cpp'); do
  while IFS= read -r header; do
    [ "$(rank "${header%%/*}")" -ge 0 ] || continue
    if ! grep -qxF "$header" <<<"$interface"; then
      echo "$file includes $header: a front end sees only the session's interface" >&2
      bad=1
    fi
  done < <(includes "$file")
done

[ $bad = 0 ] && echo "include directions hold"
exit $bad
