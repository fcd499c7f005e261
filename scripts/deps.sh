# Sourced by the scripts: installs the Debian/Ubuntu packages Kestrane needs
# when any is missing. As root (or through sudo) it runs apt-get; otherwise it
# prints the exact command and stops.
kestrane_install() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local command="apt-get install -y --no-install-recommends ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive $command
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    echo "Installing: ${missing[*]}"
    sudo apt-get update -qq && sudo DEBIAN_FRONTEND=noninteractive $command
  else
    echo "Kestrane needs these packages. Run as root:"
    echo "  apt-get update && $command"
    exit 1
  fi
}

# What every build needs: compiler, CMake, Ninja, Qt 6 Widgets, libjpeg, GoogleTest, and
# gettext's msgfmt and xgettext for the message catalogues (Qt's own catalogues translate
# its dialogs).
KESTRANE_BUILD_PACKAGES=(g++ cmake ninja-build ccache pkg-config qt6-base-dev libgl-dev
  libjpeg-dev libgtest-dev libgmock-dev fonts-liberation gettext qt6-translations-l10n)
# What the fuzz targets need besides: clang and its libFuzzer runtime.
KESTRANE_FUZZ_PACKAGES=(clang libclang-rt-dev)
