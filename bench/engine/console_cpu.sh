#!/usr/bin/env bash
# CPU of the whole console process ovSenderUI while it sends 640x480 at 30 fps
# (x264 1 Mbit/s, Opus 64 kbit/s, the preview drawn into its panel) for 20 s.
# Runs inside a network namespace of its own, under Xvfb, with a temporary
# OSTREL_HOME; ConsoleStartShim starts the transmission. Reads the process's
# user and system time from /proc and checks from a receiver that it sent.
# Usage: bench/engine/console_cpu.sh [build folder] [compound]
# With "compound" it sends the image compound (1280x720 capture, 640x480
# base on the main port, 1280x720 additional on the sub port) instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$here/build/release}
mode=${2:-plain}
if [ "${OSTREL_IN_NAMESPACE:-}" != 1 ]; then
  exec unshare -rn env OSTREL_IN_NAMESPACE=1 bash "$0" "$build" "$mode"
fi
ip link set lo up
ip route add 224.0.0.0/4 dev lo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export OSTREL_HOME=$work/home XDG_RUNTIME_DIR=$work GST_REGISTRY=$work/registry.bin
mkdir -p "$OSTREL_HOME"
chmod 700 "$work"
unset OVSENDER_ENGINE
export OVSENDER_BENCH_PID_FILE=$work/pid OVSENDER_BENCH_GROUP=239.255.42.1 OVSENDER_BENCH_MODE=$mode

xvfb-run -a -s "-screen 0 1280x1024x24" env LD_PRELOAD="$build/lib/libconsole_start_shim.so" \
  "$build/bin/ovSenderUI" > "$work/console.log" 2>&1 &
runner=$!
for _ in $(seq 100); do [ -s "$work/pid" ] && break; sleep 0.1; done
pid=$(cat "$work/pid")
sleep 6  # start-up, the engine's first pipeline, the encoder's first seconds

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before=$(ticks "$pid")
start=$(date +%s.%N)
received=$(python3 - <<'PY'
import socket, struct, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("239.255.42.1", 5004))
s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, struct.pack("4s4s", socket.inet_aton("239.255.42.1"), socket.inet_aton("0.0.0.0")))
s.settimeout(0.5)
end, total = time.monotonic() + 20, 0
while time.monotonic() < end:
    try:
        total += len(s.recv(65536))
    except socket.timeout:
        pass
print(total * 8 // 20)
PY
)
after=$(ticks "$pid")
end=$(date +%s.%N)
hz=$(getconf CLK_TCK)
cpu=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" 'BEGIN {printf "%.1f", 100 * t / hz / (e - s)}')
threads=$(ls "/proc/$pid/task" | wc -l)
kill -TERM "$pid"
wait "$runner" || true
what="640x480 30 fps (x264 1 Mbit/s, Opus, X preview)"
[ "$mode" = compound ] && what="the image compound, 640x480 base + 1280x720 additional at 30 fps (x264, Opus, X preview)"
echo "Console ovSenderUI sending ${what}: ${cpu} % of one core over 20 s," \
  "${threads} threads; a receiver saw ${received} bit/s of video"
