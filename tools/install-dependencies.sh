#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that building and testing
# Quillmere need, and only those that are missing. Run as root.
set -euo pipefail

packages=(
    build-essential cmake g++
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libxcb1-dev
    # the end-to-end tests: a virtual display, input, window facts, pictures
    xvfb xdotool x11-utils imagemagick libx11-dev
    # Japanese texts on screen
    fonts-ipafont-gothic
    # file types kept in extended attributes
    attr
    # the sanitizer runtimes
    libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done

if [ "${#missing[@]}" -eq 0 ]; then
    echo "install-dependencies: everything is installed"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-dependencies: missing ${missing[*]}; run this as root" >&2
    exit 1
fi

echo "install-dependencies: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
