# Shared by ./run and ./test: installs the Debian packages the build needs and builds the project.
# Source it from the repository root.

ZQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZQ_BUILD="$ZQ_ROOT/build"

ZQ_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-httpserver-dev qt6-websockets-dev
    zlib1g-dev libcrypt-dev libsqlite3-dev sqlite3 openssl
    qt6-webengine-dev
    xvfb xauth xdotool libgl1-mesa-dri fonts-dejavu-core
)

zq_install_packages() {
    local missing=()
    local package
    for package in "${ZQ_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

zq_build() {
    cmake -S "$ZQ_ROOT" -B "$ZQ_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$ZQ_BUILD" -j "$(nproc)"
}

# Qt wants a private runtime folder; without one it warns on every start.
zq_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d /tmp/zq-runtime.XXXXXX)
        chmod 700 "$XDG_RUNTIME_DIR"
        export XDG_RUNTIME_DIR
    fi
}
