#!/usr/bin/env bash
# The set-up of ./run against a stub apt-get: a clean install, package indexes that fail to update,
# a 32-bit Wine that cannot be installed, and a toolchain that cannot be installed.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A machine with only the basic tools; apt-get "installs" a package by making stub commands for it.
make_machine() {
  rm -rf "$work/m" && mkdir -p "$work/m/bin" "$work/m/state"
  local c
  for c in bash grep find mkdir touch dirname sleep rm cat id chmod; do ln -s "$(command -v "$c")" "$work/m/bin/$c"; done
  cat >"$work/m/bin/apt-get" <<'STUB'
#!/bin/bash
state=$STUB_STATE
echo "apt-get $*" >>"$state/calls"
case "$1" in
  update)
    n=$(cat "$state/updates" 2>/dev/null || echo 0); echo $((n + 1)) >"$state/updates"
    [ "$n" -lt "${STUB_UPDATE_FAILS:-0}" ] && { echo "E: Some index files failed to download" >&2; exit 100; }
    exit 0 ;;
  install)
    shift
    pkgs=()
    for a in "$@"; do case "$a" in -*) ;; *) pkgs+=("$a") ;; esac; done
    for p in "${pkgs[@]}"; do
      if [ "$p" = wine32:i386 ] && [ "${STUB_WINE32:-ok}" = broken ]; then
        echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100
      fi
      if [ "$p" != wine32:i386 ] && [ "${STUB_TOOLCHAIN:-ok}" = broken ]; then
        echo "E: Unable to locate package $p" >&2; exit 100
      fi
    done
    for p in "${pkgs[@]}"; do
      echo "$p" >>"$state/installed"
      [ "$p" = wine32:i386 ] && continue
      for c in cmake ninja i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix i686-w64-mingw32-windres \
               x86_64-w64-mingw32-windres wine wineserver Xvfb xwd flock timeout; do
        printf '#!/bin/bash\n' >"$STUB_BIN/$c" && chmod +x "$STUB_BIN/$c"
      done
      touch "$state/convert" "$state/gtest" && chmod +x "$state/convert"
    done
    exit 0 ;;
esac
STUB
  cat >"$work/m/bin/dpkg-query" <<'STUB'
#!/bin/bash
grep -qx "${@: -1}" "$STUB_STATE/installed" 2>/dev/null && echo "install ok installed" && exit 0
exit 1
STUB
  cat >"$work/m/bin/dpkg" <<'STUB'
#!/bin/bash
[ "$1" = --print-foreign-architectures ] && cat "$STUB_STATE/arches" 2>/dev/null
[ "$1" = --add-architecture ] && echo "$2" >>"$STUB_STATE/arches"
exit 0
STUB
  chmod +x "$work/m/bin/"*
}

# Runs the set-up on the stub machine; prints its log, returns its status.
run_setup() {
  env -i PATH="$work/m/bin" STUB_BIN="$work/m/bin" STUB_STATE="$work/m/state" HOME="$work" \
    KORVANE_APT_RETRY_DELAY=0 KORVANE_SETUP_STAMP="$work/m/state/wine32-stamp" \
    SETUP_CONVERT="$work/m/state/convert" SETUP_GTEST="$work/m/state/gtest" "$@" \
    bash -c ". '$here/tools/setup' && setup" 2>&1
}

check() {  # check NAME CONDITION...
  local name=$1
  shift
  if "$@"; then echo "ok: $name"; else echo "FAILED: $name"; failures=$((failures + 1)); fi
}
installed() { grep -qx "$1" "$work/m/state/installed" 2>/dev/null; }
calls() { grep -c "^apt-get $1" "$work/m/state/calls" 2>/dev/null || true; }

# 1. Everything installs.
make_machine
out=$(run_setup); status=$?
check "clean install succeeds" [ "$status" = 0 ]
check "clean install has the 32-bit Wine" installed wine32:i386
check "clean install adds the i386 architecture" grep -qx i386 "$work/m/state/arches"
check "fonts-wine is installed (the caption glyph font)" installed fonts-wine
out=$(run_setup)
check "a second run installs nothing" [ "$(calls install)" = 2 ]

# 2. Some package indexes fail to update, every time: retried, then the install goes on.
make_machine
out=$(run_setup STUB_UPDATE_FAILS=99); status=$?
check "failed updates are retried three times" [ "$(calls update)" = 3 ]
check "failed updates do not stop the set-up" [ "$status" = 0 ]
check "failed updates still install the toolchain" installed cmake
check "failed updates are said once" grep -q "going on with the ones apt-get has" <<<"$out"
make_machine
run_setup STUB_UPDATE_FAILS=1 >/dev/null
check "an update that fails once is tried once more only" [ "$(calls update)" = 2 ]

# 3. The 32-bit Wine cannot be installed: everything else is, in one clear line, not retried today.
make_machine
out=$(run_setup STUB_WINE32=broken); status=$?
check "no 32-bit Wine: the set-up succeeds" [ "$status" = 0 ]
check "no 32-bit Wine: the toolchain is installed" installed wine
check "no 32-bit Wine: said in one line" [ "$(grep -c 'wine32:i386) could not be installed' <<<"$out")" = 1 ]
before=$(calls install)
run_setup STUB_WINE32=broken >/dev/null
check "no 32-bit Wine: not tried again on the next run" [ "$(calls install)" = "$before" ]

# 4. The toolchain itself cannot be installed: the set-up fails.
make_machine
out=$(run_setup STUB_TOOLCHAIN=broken); status=$?
check "no toolchain: the set-up fails" [ "$status" != 0 ]
check "no toolchain: says so" grep -q "set-up incomplete" <<<"$out"

echo "set-up checks: $failures failed"
[ "$failures" = 0 ]
