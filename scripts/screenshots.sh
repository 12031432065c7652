#!/usr/bin/env bash
# Starts the real program on a private X server (with a window manager and a
# notification area) and saves pictures of the configuration dialog in both
# pad layouts and of the Game Controllers window into docs/images/.
# Usage: scripts/screenshots.sh [path/to/padrix]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
command -v import >/dev/null || {
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends imagemagick
}

padrix=${1:-}
if [ -z "$padrix" ]; then
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPADRIX_TESTS=OFF >/dev/null
    cmake --build build-release --target padrix >/dev/null
    padrix=build-release/src/app/padrix
fi
padrix=$(realpath "$padrix")
out=$(realpath docs/images)
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

export DISPLAY=:$((90 + RANDOM % 100))
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
jwm >/dev/null 2>&1 &
pids+=($!)
trayer --edge bottom --align right --widthtype request >/dev/null 2>&1 &
pids+=($!)

# Waits for a window whose title is $1 and prints its id.
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }

# Writes the settings, starts Padrix, opens the dialog with a double click on
# the icon (there is no emulator to start) and leaves it running.
start() {
    local gravis=$1
    export XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_RUNTIME_DIR=$work/run
    rm -rf "$work/config" && mkdir -p "$XDG_CONFIG_HOME/Padrix" "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    {
        echo "[Custom]"
        echo "Lang=$(dirname "$padrix")/Padrix_English.txt"
        echo "VGSStartUp=False"
        echo "Last=3"
        echo "Gravis=$gravis"
        local keys=(74 73 50 75 76 48 38 40 37 39 13 49 57 66 112 113 114 115 116 117 118 119 120 121)
        for i in "${!keys[@]}"; do echo "$i=${keys[$i]}"; done
    } >"$XDG_CONFIG_HOME/Padrix/Padrix.ini"
    "$padrix" >/dev/null 2>&1 &
    padrix_pid=$!
    local icon
    icon=$(xdotool search --sync --classname padrix | head -1)
    sleep 1  # the notification area embeds the icon
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 60 1
    dialog=$(window "SideWinder Config")
    xdotool windowactivate --sync "$dialog" mousemove 0 0
    sleep 0.5  # the pictures are drawn
}

stop() {
    kill "$padrix_pid"
    wait "$padrix_pid" 2>/dev/null || true
}

start 0
import -window "$dialog" "$out/config-dialog.png"
# From the first pad button, Shift+Tab twice reaches "Game Controllers...".
xdotool key --window "$dialog" shift+Tab shift+Tab space
controllers=$(window "Game Controllers")
sleep 0.5
import -window "$controllers" "$out/game-controllers.png"
stop

start 1
import -window "$dialog" "$out/config-dialog-gravis.png"
stop
echo "Saved: $(ls "$out")"
