# Shell functions the scripts share; they source this file.

# Qt warns "QStandardPaths: XDG_RUNTIME_DIR not set" before anything else a program prints
# when the variable is missing (a root shell, a container, a session without a login). Then
# the programs get BUILD_DIR/xdg-runtime, mode 0700 as Qt wants it; CMake gives the tests the
# same folder.
#   use_private_runtime_dir BUILD_DIR
use_private_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        XDG_RUNTIME_DIR="$(cd "$1" && pwd)/xdg-runtime"
        export XDG_RUNTIME_DIR
        mkdir -p "$XDG_RUNTIME_DIR"
        chmod 0700 "$XDG_RUNTIME_DIR"
    fi
}

# The panel size an example states in its "// size: WxH" line; nothing when it states none
# or cannot be read (ewo-preview then says what is wrong with the file).
#   example_size EXAMPLE.ctl
example_size() {
    if [ -r "$1" ]; then
        sed -n '/^\/\/ size: /{s|^// size: \([0-9]*x[0-9]*\)$|\1|p;q}' "$1"
    fi
}
