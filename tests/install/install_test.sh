#!/usr/bin/env bash
# install_test.sh [--deb] BUILD BINDIR LIBDIR MODULEDIR DATADIR DOCDIR
# With --deb the tree checked is the Debian package's, unpacked with dpkg-deb.
from_deb=0
if [ "${1:-}" = --deb ]; then from_deb=1; shift; fi
set -uo pipefail
build=$1 bindir=$2 libdir=$3 moduledir=$4 datadir=$5 docdir=$6
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A prefix that is not the configured one: everything must find everything
# relative to where it lies, not where the build folder was.
if [ "$from_deb" -eq 1 ]; then
  prefix=/usr
  (cd "$build" && cpack -G DEB -B "$root/package") > "$root/install.log" 2>&1 ||
    { cat "$root/install.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
  deb=$(ls "$root"/package/*.deb)
  depends=$(dpkg-deb -f "$deb" Depends)
  for p in libqt6widgets6 libgstreamer1.0-0 libgstreamer-plugins-base1.0-0 gstreamer1.0-plugins-good; do
    case "$depends" in *"$p"*) ;; *) fail "package does not depend on $p: $depends" ;; esac
  done
  dpkg-deb -x "$deb" "$root/unpacked"
  top=$root/unpacked$prefix
else
  prefix=/opt/ostrel-test
  DESTDIR=$root cmake --install "$build" --prefix "$prefix" > "$root/install.log" 2>&1 ||
    { cat "$root/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
  top=$root$prefix
fi

for f in "$bindir/ovSenderUI" "$bindir/ovregsvr" "$bindir/ovpropframe" \
         "$libdir/libovSender.so" "$libdir/libostrel_platform_services.so" \
         "$moduledir/stereopair.so" "$moduledir/fxbank.so" "$moduledir/quadview.so" "$moduledir/holdqueue.so" \
         "$datadir/applications/org.ostrel.Sender.desktop" "$datadir/metainfo/org.ostrel.Sender.metainfo.xml" \
         "$docdir/README.md" "$docdir/engine/README.md"; do
  [ -f "$top/$f" ] || fail "missing $f"
done
# Every note of docs/ goes along, so the README's references hold.
src=$(cd "$(dirname "$0")/../.." && pwd)
for f in "$src"/docs/*.md "$src"/docs/*.png; do
  [ -f "$f" ] || continue
  cmp -s "$f" "$top/$docdir/docs/$(basename "$f")" || fail "docs/$(basename "$f") is not installed in $docdir/docs"
done
[ "$from_deb" -eq 1 ] || [ -d "$top/$datadir/ostrel/languages" ] || fail "missing $datadir/ostrel/languages"
for size in 16 24 32 48 64; do
  icon=$top/$datadir/icons/hicolor/${size}x${size}/apps/ostrel-sender.png
  [ -f "$icon" ] || { fail "missing ${size}x${size} icon"; continue; }
  # Width and height sit big-endian at bytes 16..23 of a PNG.
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "icon for ${size}x${size} is $dims"
done
# Nothing the programs need may be taken from the build folder.
for f in "$bindir/ovSenderUI" "$bindir/ovregsvr" "$bindir/ovpropframe" "$moduledir/fxbank.so" \
         "$libdir/gstreamer-1.0/libgstostrel.so"; do
  [ -f "$top/$f" ] || continue
  if readelf -d "$top/$f" | grep -E 'R(UN)?PATH' | grep -q "$build"; then fail "$f still points into the build folder"; fi
  if ldd "$top/$f" | grep -E 'libovSender|libostrel_platform' | grep -vq "$top"; then
    fail "$f does not load our libraries from the installed folder: $(ldd "$top/$f" | grep -E 'ovSender|ostrel')"
  fi
done

if command -v desktop-file-validate > /dev/null; then
  out=$(desktop-file-validate "$top/$datadir/applications/org.ostrel.Sender.desktop" 2>&1) || fail "desktop-file-validate: $out"
else
  echo "desktop-file-validate not installed; desktop entry not checked"
fi
if command -v appstreamcli > /dev/null; then
  out=$(appstreamcli validate --no-net "$top/$datadir/metainfo/org.ostrel.Sender.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
else
  echo "appstreamcli not installed; metainfo not checked"
fi

# Whether a library was built with a sanitizer. ldd's whole output is taken
# first: under pipefail, grep -q quitting at its match would fail the pipe.
sanitizer_build() {
  local needed
  needed=$(ldd "$1" 2> /dev/null || true)
  grep -qE 'lib[at]san' <<< "$needed"
}

# Python cannot load a sanitizer build's library (its runtime must come first).
if command -v python3 > /dev/null && ! sanitizer_build "$top/$libdir/libostrel_platform_services.so"; then
  mkdir -p "$root/fresh"
  OSTREL_HOME=$root/fresh python3 "$(dirname "$0")/first_use.py" "$top/$libdir/libostrel_platform_services.so" \
    > "$root/first_use.log" 2>&1 || fail "no installed module registered on first use: $(cat "$root/first_use.log")"
  grep -q "$top/$moduledir/holdqueue.so" "$root/fresh/registry.txt" 2> /dev/null ||
    fail "the registry does not name the installed holdqueue.so"
fi

# The installed GStreamer plugin, found only where it was installed: the
# build folder's copy and the user's plugins stay out (GST_PLUGIN_PATH and
# the system path name only the installed folder and GStreamer's own), a
# private registry file keeps the user's cache out of it, and a fresh
# OSTREL_HOME means its modules must register on first use.
plugin=$top/$libdir/gstreamer-1.0/libgstostrel.so
gst_system=$(pkg-config --variable=pluginsdir gstreamer-1.0 2> /dev/null || true)
if [ ! -f "$build/bin/libgstostrel.so" ]; then
  echo "no plugin built; installed plugin not checked"
elif [ ! -f "$plugin" ]; then
  fail "missing $libdir/gstreamer-1.0/libgstostrel.so"
elif ! command -v gst-inspect-1.0 > /dev/null || ! command -v gst-launch-1.0 > /dev/null; then
  echo "gst-inspect-1.0 or gst-launch-1.0 not installed; installed plugin not checked"
elif sanitizer_build "$plugin"; then
  # gst-inspect cannot load a sanitizer build (its runtime must come first).
  echo "sanitizer build; installed plugin not checked"
else
  mkdir -p "$root/gst-home"
  in_gst() {
    env GST_PLUGIN_PATH="$1" GST_PLUGIN_SYSTEM_PATH="$gst_system" GST_REGISTRY="$root/gst-registry-$2.bin" \
        OSTREL_HOME="$root/gst-home" "${@:3}"
  }
  elements() { grep -oE '^ +ostrel[a-z]+:' | tr -d ' :' | sort; }
  installed=$(in_gst "$top/$libdir/gstreamer-1.0" installed gst-inspect-1.0 ostrel 2> "$root/gst.log")
  built=$(in_gst "$build/bin" built gst-inspect-1.0 ostrel 2>> "$root/gst.log")
  # The same elements as the build's plugin: one missing means its module
  # was not found from the installed folder.
  [ -n "$(echo "$installed" | elements)" ] && [ "$(echo "$installed" | elements)" = "$(echo "$built" | elements)" ] ||
    fail "the installed plugin offers [$(echo "$installed" | elements | tr '\n' ' ')] instead of [$(echo "$built" | elements | tr '\n' ' ')]: $(cat "$root/gst.log")"
  echo "$installed" | grep -q "Filename *$plugin" ||
    fail "gst-inspect did not load the installed plugin: $(echo "$installed" | grep Filename)"
  properties=$(in_gst "$top/$libdir/gstreamer-1.0" installed gst-inspect-1.0 ostrelgreenshift 2>&1)
  echo "$properties" | grep -q 'video-colour' || fail "ostrelgreenshift shows no video-colour property: $properties"
  rm -f "$root/gst-home/registry.txt"
  out=$(in_gst "$top/$libdir/gstreamer-1.0" installed timeout 60 gst-launch-1.0 -q videotestsrc num-buffers=3 \
        ! video/x-raw,format=BGR,width=64,height=48 ! ostrelgreenshift ! fakesink 2>&1) ||
    fail "a pipeline through the installed ostrelgreenshift failed: $out"
  grep -q "$top/$moduledir/stereopair.so" "$root/gst-home/registry.txt" 2> /dev/null ||
    fail "the installed plugin did not register the installed stereopair.so: $(cat "$root/gst-home/registry.txt" 2>&1)"
fi

# The installed console starts on the simulated engine and ends cleanly on
# SIGTERM; an early end means it could not start (a missing library, say).
home=$root/home
mkdir -p "$home"
OVSENDER_ENGINE=simulated QT_QPA_PLATFORM=offscreen OSTREL_HOME=$home HOME=$home \
  "$top/$bindir/ovSenderUI" > "$root/console.log" 2>&1 &
pid=$!
sleep 3
if kill -0 "$pid" 2> /dev/null; then
  kill -TERM "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || fail "installed console ended with status $status on SIGTERM"
else
  wait "$pid"
  fail "installed console ended by itself with status $?: $(cat "$root/console.log")"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed layout and console start are right"
