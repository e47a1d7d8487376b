#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing.
# This is the one place that names packages. Safe to run again and again.
#
#   tools/setup.sh            build, test and run (the default)
#   tools/setup.sh fuzz       the libFuzzer toolchain for `make fuzz`
#   tools/setup.sh bench      what `make bench` needs on top of the default
#   tools/setup.sh package    what `make package` and `make package-test` need on top of it
#   tools/setup.sh peers      other calculators, for comparison in `make bench-peers`
#   tools/setup.sh realworld  a real X session, input method and screen-reader client for
#                             `make check-input-method`
#   tools/setup.sh windows    the MinGW-w64 cross compiler and Wine, for the Windows build and its
#                             tests (`make test` runs them)
#   tools/setup.sh windows-package  NSIS on top of it, for `make windows-package`
#   tools/setup.sh cleanroot  debootstrap, for `make test-clean-root`
set -euo pipefail

# at-spi2-core, python3-pyatspi and the session bus: the test that drives the program as a
# screen reader does
base=(cmake ninja-build g++ make
      qt6-base-dev qt6-svg-dev libfontconfig-dev libicu-dev libgtest-dev
      fonts-ipafont-gothic xvfb xauth x11-utils
      desktop-file-utils appstream
      at-spi2-core python3-pyatspi dbus-bin dbus-daemon
      openbox python3-xlib)  # the monkey: a window manager, and X from Python
# CPack's Debian generator runs dpkg-shlibdeps and file; lintian checks the package
package=(dpkg-dev file lintian)
fuzz=(clang libclang-rt-14-dev)
bench=(libbenchmark-dev libx11-dev libxtst-dev libxdamage-dev valgrind)
realworld=(xvfb xauth x11-utils openbox xdotool imagemagick dbus at-spi2-core
           python3-pyatspi ibus ibus-mozc)
# GoogleTest's sources, built with the cross compiler; the Japanese locale's sources and Wine's own
# fonts (Tahoma, and Marlett for the window frames' buttons) for Wine
windows=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wine fonts-wine googletest locales)
# NSIS for the installer (make windows-package)
windows_package=(nsis)
cleanroot=(debootstrap)
# xcalc as its users see it: with its bitmap and its fonts (the key labels)
peers=(x11-apps xbitmaps xfonts-base xfonts-75dpi galculator speedcrunch kcalc gnome-calculator qalculate-gtk)

packages=()
for group in "${@:-base}"; do
    case "$group" in
        base) packages+=("${base[@]}") ;;
        fuzz) packages+=("${base[@]}" "${fuzz[@]}") ;;
        bench) packages+=("${base[@]}" "${bench[@]}") ;;
        package) packages+=("${base[@]}" "${package[@]}") ;;
        peers) packages+=("${peers[@]}") ;;
        realworld) packages+=("${base[@]}" "${realworld[@]}") ;;
        windows) packages+=("${windows[@]}") ;;
        windows-package) packages+=("${windows[@]}" "${windows_package[@]}") ;;
        cleanroot) packages+=("${cleanroot[@]}") ;;
        *) echo "setup.sh: unknown group '$group'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

# Another apt run (an automatic update, a second set-up) may hold the package lock: wait for it,
# as long as apt's lock timeout, rather than fail. apt itself waits for the dpkg lock; the lists
# and archive locks it gives up on at once, so a run that failed on a lock is tried again.
lock_wait=600
apt_get() {
    local deadline=$((SECONDS + lock_wait)) log status
    log=$(mktemp)
    while :; do
        status=0
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o "DPkg::Lock::Timeout=$lock_wait" \
            "$@" 2>"$log" || status=$?
        cat "$log" >&2
        if [[ $status -eq 0 ]] || ! grep -q -E 'Could not get lock|Unable to (acquire|lock)' "$log" ||
            [[ $SECONDS -ge $deadline ]]; then
            rm -f "$log"
            return "$status"
        fi
        echo "setup.sh: another apt run holds the package lock; waiting" >&2
        sleep 5
    done
}

echo "setup.sh: installing ${missing[*]}"
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
