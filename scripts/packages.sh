# Sourced by the scripts: installs the Debian packages the project needs, through sudo when not
# run as root, and says nothing when everything is already present.

AGENDRIX_PACKAGES=(
    g++ cmake ninja-build pkg-config clang-format
    qt6-base-dev libgl-dev libxcb1-dev fonts-liberation fonts-dejavu-core
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick openbox x11-utils x11-xserver-utils
    chromium poppler-utils cups printer-driver-cups-pdf
    shared-mime-info xdg-utils desktop-file-utils
)

# What scripts/run needs to build and start the program.
AGENDRIX_RUN_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev fonts-liberation fonts-dejavu-core
    shared-mime-info xdg-utils desktop-file-utils)

agendrix_missing_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    printf '%s\n' "${missing[@]}"
}

agendrix_install_packages() {
    local missing
    mapfile -t missing < <(agendrix_missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] || [ -z "${missing[0]}" ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
