#!/usr/bin/env bash
# Installs the Debian packages the fuzz build needs beyond the usual ones, only when one is missing: clang,
# the sanitizer and libFuzzer runtimes (libclang_rt.fuzzer, libclang_rt.asan) and llvm-symbolizer for
# readable stacks.
set -euo pipefail

packages=(clang libclang-rt-14-dev llvm)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
