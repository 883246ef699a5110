#!/usr/bin/env bash
# Start-up benchmark (not a test): time from exec until the first top-level window is mapped
# and viewable, and peak resident memory (VmHWM) one second later, for Levelwise beside the
# floor of an X program (xlogo), the floor of a Qt Widgets program (qt_floor) and three desktop
# calculators, in interleaved runs; then Levelwise's logged phases. The X11 helper (xprobe) and
# qt_floor are taken from the test build.
#   bench/startup.sh [RUNS] [LEVELWISE] [TEST_BUILD] [EARLIER_LEVELWISE]
# An earlier build given as the fourth argument runs in the same rounds, for a before-and-after.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages xvfb x11-utils x11-apps galculator gnome-calculator qalculate-gtk \
    dbus-daemon libx11-dev
runs=${1:-7}
levelwise=${2:-build/release/app/levelwise}
xprobe=${3:-build/test}/tools/xprobe/xprobe
qt_floor=${3:-build/test}/bench/qt_floor
[ -x "$levelwise" ] || { echo "no $levelwise: run tools/run.sh first" >&2; exit 1; }
for helper in "$xprobe" "$qt_floor"; do
    [ -x "$helper" ] || { echo "no $helper: run tools/test.sh first" >&2; exit 1; }
done

source tests/xvfb.sh
levelwise_start_xvfb 1280x1024
xvfb=$LEVELWISE_XVFB_PID
results=$(mktemp)
phases=$(mktemp)
trap 'kill $xvfb 2>/dev/null || true; rm -f "$results" "$phases"' EXIT

programs=(levelwise qt-floor xlogo galculator gnome-calculator qalculate-gtk)
declare -A command=([levelwise]=$levelwise [qt-floor]=$qt_floor [xlogo]=xlogo [galculator]=galculator
                    [gnome-calculator]=gnome-calculator [qalculate-gtk]=qalculate-gtk)
if [ -n "${4:-}" ]; then
    [ -x "$4" ] || { echo "no earlier build at $4" >&2; exit 1; }
    programs=(levelwise levelwise-earlier "${programs[@]:1}")
    command[levelwise-earlier]=$4
fi
# One warm-up start each, so every program meets a warm file cache.
for program in "${programs[@]}"; do
    dbus-run-session -- "$xprobe" launch 200 ${command[$program]} >/dev/null 2>&1 || true
done
for run in $(seq "$runs"); do
    for program in "${programs[@]}"; do
        line=$(dbus-run-session -- "$xprobe" launch 1000 ${command[$program]} 2>/dev/null | grep mapped_ms)
        echo "$program $line" >>"$results"
    done
done

# Where Levelwise's own start goes: the phases it logs when asked, from separate runs so the
# logging does not touch the timed ones above.
for run in $(seq "$runs"); do
    QT_LOGGING_RULES=levelwise.startup.debug=true dbus-run-session -- \
        "$xprobe" launch 200 "$levelwise" 2>&1 >/dev/null | grep '^levelwise.startup:' >>"$phases"
done

python3 - "$results" "$phases" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, _, ms, _, kib = line.split()
    rows.setdefault(name, []).append((float(ms), int(kib) / 1024))
print(f"{'program':18} {'runs':>4} {'median ms':>10} {'min-max ms':>16} {'median MiB':>11} {'min-max MiB':>14}")
med = {}
for name, values in rows.items():
    times = [t for t, _ in values]; mem = [m for _, m in values]
    med[name] = (statistics.median(times), statistics.median(mem))
    print(f"{name:18} {len(values):>4} {med[name][0]:>10.1f} {min(times):>7.1f}-{max(times):<8.1f}"
          f" {med[name][1]:>11.1f} {min(mem):>6.1f}-{max(mem):<7.1f}")
lw = med["levelwise"]
for name, (t, m) in med.items():
    if name != "levelwise":
        print(f"levelwise / {name}: time {lw[0] / t:.2f}, memory {lw[1] / m:.2f}")
phases = {}
for line in open(sys.argv[2]):
    step, ms = line.split(":", 1)[1].rsplit(":", 1)
    phases.setdefault(step.strip(), []).append(float(ms.split()[0]))
print("levelwise phases, ms from main() (median, min-max):")
for step, values in phases.items():
    print(f"  {step:20} {statistics.median(values):6.1f} {min(values):6.1f}-{max(values):.1f}")
PY
