#!/usr/bin/env bash
# Start-up to a shown window: ZQConnect (its login bar) against a bare Qt window, each started ROUNDS times
# under Xvfb; prints the medians and their ratio. Run after a build: bench/startup.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export ROUNDS=$rounds WORK=$work XDG_RUNTIME_DIR=$work/runtime
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    median() { sort -n | awk "{ a[NR] = \$1 } END { print a[int((NR + 1) / 2)] }"; }
    measure() {  # program, window title: milliseconds until the window is mapped
        for _ in $(seq "$ROUNDS"); do
            start=$(date +%s%N)
            (cd "$WORK" && exec "$1") & pid=$!
            deadline=$(( $(date +%s) + 60 ))
            until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
                [ "$(date +%s)" -lt $deadline ] || { echo "no window: $1" >&2; exit 1; }
            done
            echo $(( ($(date +%s%N) - start) / 1000000 ))
            kill $pid; wait $pid 2>/dev/null || true
        done | median
    }
    client=$(measure "'"$root"'/build/app/ZQConnect" "ZQ-Connect")
    bare=$(measure "'"$root"'/build/bench/bare_window" "Bare window")
    printf "start-up to a shown window: ZQConnect %s ms, bare Qt window %s ms, ratio %s\n" \
        "$client" "$bare" "$(awk "BEGIN { printf \"%.2f\", $client / $bare }")"
'
