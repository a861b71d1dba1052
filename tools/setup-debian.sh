#!/usr/bin/env bash
# Installs what building and testing Ostrel Sender needs on Debian 12, skipping
# what is already there so repeated runs are quick. Needs root (or sudo).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fontconfig
  xvfb xauth
  # The real engine: GStreamer with the test sources, x264/VP8/VP9/Opus, RTP,
  # UDP, the X preview and screen capture; libav decodes H.264 in its tests,
  # iproute2 and util-linux give them their own network namespace.
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev libx11-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
  gstreamer1.0-libav gstreamer1.0-x gstreamer1.0-tools gstreamer1.0-alsa gstreamer1.0-pulseaudio
  iproute2 util-linux
  # Checking the installed desktop entry and metainfo; dpkg-shlibdeps works
  # out the Debian package's library dependencies.
  desktop-file-utils appstream dpkg-dev
  # The plugin benchmark sets FFmpeg's nearest filters beside ours.
  libavfilter-dev libavutil-dev
  # The fuzz targets build with clang's libFuzzer.
  clang-14 libclang-rt-14-dev
  # What a screen reader finds: a private session bus and the AT-SPI bus.
  dbus at-spi2-core python3-dbus
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
