#!/usr/bin/env bash
# Starts the real program on a private X server (with a window manager and a
# notification area) and saves pictures of the configuration dialog in English,
# in German and in the Gravis layout, and of the auto configuration prompt in
# English and German, into docs/images/.
#
# Game Controllers wants a joypad, and SDL's virtual joysticks exist only in
# the process that makes them: the window test, which shows every window of
# the program in every shipped language at scale 1 and 1.5, draws them all on
# the same X server into window-pictures/ beside it, for a look; its Game
# Controllers, a virtual pad listed with its buttons held, becomes
# docs/images/game-controllers.png, and in German game-controllers-german.png.
# Usage: scripts/screenshots.sh [path/to/padrix [path/to/padrix_window_geometry_tests]]
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
windows=${2:-}
if [ -z "$windows" ]; then
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPADRIX_TESTS=ON \
        -DPADRIX_SANITIZE=ON -DPADRIX_WERROR=ON >/dev/null
    cmake --build build-test --target padrix_window_geometry_tests >/dev/null
    windows=build-test/tests/dialogs/padrix_window_geometry_tests
fi
padrix=$(realpath "$padrix")
windows=$(realpath "$windows")
review=$(dirname "$windows")/window-pictures
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

# Before the notification area starts: the test wants the stand-in window.
rm -rf "$review"
for scale in 1 1.5; do
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale PADRIX_WINDOW_PICTURES=$review \
        ASAN_OPTIONS=detect_leaks=0 "$windows" >"$work/windows-$scale.log" 2>&1 ||
        { cat "$work/windows-$scale.log"; exit 1; }
done
cp "$review/game-controllers-English-x1.png" "$out/game-controllers.png"
cp "$review/game-controllers-Deutsch-x1.png" "$out/game-controllers-german.png"

jwm >/dev/null 2>&1 &
pids+=($!)
trayer --edge bottom --align right --widthtype request >/dev/null 2>&1 &
pids+=($!)

# Waits for a window whose title is $1 and prints its id.
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }

# Writes the settings (language $1, Gravis layout $2), starts Padrix, opens the
# dialog with a double click on the icon (there is no emulator to start) and
# leaves it running.
start() {
    local language=$1 gravis=$2
    export XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_RUNTIME_DIR=$work/run
    rm -rf "$work/config" && mkdir -p "$XDG_CONFIG_HOME/Padrix" "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    {
        echo "[Custom]"
        echo "Lang=$(dirname "$padrix")/Padrix_$language.txt"
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
    # The dialog's caption is text 19 of the language file, its line 20.
    dialog=$(window "$(sed -n 20p "$(dirname "$padrix")/Padrix_$language.txt")")
    xdotool windowactivate --sync "$dialog" mousemove 0 0
    sleep 0.5  # the pictures are drawn
}

# Opens the auto configuration prompt from the dialog by keyboard (back from
# the first control: language list, Game Controllers, profile box, Save,
# "Auto...") and saves its picture as $2; its caption is line 56 of the
# language file $1.
prompt_picture() {
    local language=$1 picture=$2 prompt
    xdotool windowfocus --sync "$dialog" key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
    prompt=$(window "$(sed -n 56p "$(dirname "$padrix")/Padrix_$language.txt")")
    sleep 0.5
    import -window "$prompt" "$picture"
    xdotool windowfocus --sync "$prompt" key Escape
}

stop() {
    kill "$padrix_pid"
    wait "$padrix_pid" 2>/dev/null || true
}

start English 0
import -window "$dialog" "$out/config-dialog.png"
prompt_picture English "$out/auto-config.png"
stop

start Deutsch 0
import -window "$dialog" "$out/config-dialog-german.png"
prompt_picture Deutsch "$out/auto-config-german.png"
stop

start English 1
import -window "$dialog" "$out/config-dialog-gravis.png"
stop
echo "Saved: $(ls "$out"); every window for a look: $review"
