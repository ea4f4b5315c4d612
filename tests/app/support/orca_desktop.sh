#!/usr/bin/env bash
# Runs a command on a desktop where the screen reader Orca listens, as on a blind person's
# desktop: a window manager, a session bus with the accessibility bus on it, and Orca speaking
# into its log rather than a sound card. Every utterance lands in LOG as "SPEECH OUTPUT: '…'".
# Usage (on a display, under dbus-run-session): orca_desktop.sh HOME LOG COMMAND [ARGUMENT…]
# HOME is a throw-away home for Orca's settings. Runs COMMAND with its arguments beside Orca, which
# is listening once it has said something, ends Orca and the window manager after it, and exits
# with COMMAND's code.
set -u
home=$1 log=$2
shift 2
mkdir -p "$home/.local/share/orca"
cat > "$home/.local/share/orca/orca-customizations.py" <<'SETTINGS'
import orca.settings
orca.settings.enableSpeech = True
orca.settings.speechServerFactory = None
orca.settings.speechFactoryModules = []
orca.settings.enableBraille = False
orca.settings.enableSound = False
orca.settings.enableTutorialMessages = False
# What is spoken is read while Orca runs: a line is written out as it ends.
import orca.debug
if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
SETTINGS
openbox >/dev/null 2>&1 & wm=$!
# Orca has a session of its own, so that ending it ends all it started; its number is left in
# HOME/orca.pid for whoever must end a session that never ends.
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    setsid orca --debug-file "$log" >"$home/orca.out" 2>&1 & reader=$!
echo "$reader" > "$home/orca.pid"
ending() {
    kill -TERM -- -"$reader" "$wm" 2>/dev/null
    for _ in $(seq 30); do kill -0 -- -"$reader" 2>/dev/null || break; sleep 0.1; done
    kill -KILL -- -"$reader" 2>/dev/null
    wait "$reader" "$wm" 2>/dev/null
}
trap 'kill -KILL "$command" 2>/dev/null; ending; exit 143' TERM INT HUP
"$@" & command=$!
wait "$command"
code=$?
ending
exit $code
