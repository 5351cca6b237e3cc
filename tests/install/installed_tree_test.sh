#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks what a desktop
# and a user get from it. Prints "N passed, N failed".
set -u
build=${1:?usage: installed_tree_test.sh BUILD_DIR}
id=example.korvex.KorvexMouse
work=$(mktemp -d)
prefix=$work/prefix
vmouse_pid=""
cleanup() {
  if [ -n "$vmouse_pid" ]; then kill "$vmouse_pid" 2>/dev/null; wait "$vmouse_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
check() {  # check NAME COMMAND...
  local name=$1
  shift
  if "$@" >"$work/out" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    sed 's/^/  /' "$work/out"
  fi
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "0 passed, 1 failed"
  exit 1
fi

check "executables in bin/" test -x "$prefix/bin/korvex" -a -x "$prefix/bin/korvexctl" -a -x "$prefix/bin/korvex-vmouse"
check "data under share/korvex" test -f "$prefix/share/korvex/config.xml" -a -f "$prefix/share/korvex/language/1041.lan"
check "no data beside the executables" test ! -e "$prefix/bin/config.xml"
check "desktop entry validates" desktop-file-validate "$prefix/share/applications/$id.desktop"
check "metainfo validates" appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
for size in 16 22 24 32 48 64 128 256; do
  check "icon ${size}x${size}" test -s "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
check "scalable icon" grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
check "udev rule" grep -q 'TAG+="uaccess"' "$prefix/lib/udev/rules.d/70-korvex-mouse.rules"
check "manual page" bash -c "gzip -dc '$prefix/share/man/man1/korvexctl.1.gz' | grep -q '^.SH EXIT STATUS'"

# The installed korvexctl, started from elsewhere, finds its data through
# ../share/korvex and reaches the virtual mouse.
socket=$work/vm.sock
"$prefix/bin/korvex-vmouse" serve --socket "$socket" >"$work/vmouse.log" 2>&1 &
vmouse_pid=$!
for _ in $(seq 100); do [ -S "$socket" ] && break; sleep 0.05; done
export KORVEX_VMOUSE=$socket XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
cd "$work"
"$prefix/bin/korvexctl" devices >"$work/devices" 2>&1
rc=$?
check "installed korvexctl devices exits 0" test "$rc" -eq 0
check "installed korvexctl lists the wireless mouse" grep -q 'Korvex K3 Wireless' "$work/devices"
# Without its shipped files it says so, rather than running on nothing.
mv "$prefix/share/korvex" "$prefix/share/korvex.away"
"$prefix/bin/korvexctl" devices >"$work/devices" 2>&1
rc=$?
check "korvexctl without shipped files exits 5" test "$rc" -eq 5
mv "$prefix/share/korvex.away" "$prefix/share/korvex"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
