# Shell functions the scripts share; they source this file.

# The panel size an example states in its "// size: WxH" line; nothing when it states none
# or cannot be read (ewo-preview then says what is wrong with the file).
#   example_size EXAMPLE.ctl
example_size() {
    if [ -r "$1" ]; then
        sed -n '/^\/\/ size: /{s|^// size: \([0-9]*x[0-9]*\)$|\1|p;q}' "$1"
    fi
}
