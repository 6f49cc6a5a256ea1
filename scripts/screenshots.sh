#!/usr/bin/env bash
# Makes the README's pictures, doc/images/*.png, again from batch runs of the program: the
# sample map after a sine path and a run with the scanner's rays, a large map drawn here and
# fitted to the window, an occupancy map imported and run through, the two curve tools'
# plots, and the Python example's plan and run. Each run works in a folder of its own
# with inputs made here, so the pictures change only when the program does.
# BUILD names the build folder (default build); the program is built there first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD:-build}

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target tav1 >/dev/null
tav1=$(realpath "$build/tav1")
images=$root/doc/images
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$images"

# run NAME SIZE: runs the script on standard input in $work/NAME (made beforehand) on a view of
# SIZE, and keeps the picture NAME.png it writes. A message box or a script error on the way
# means the picture is not the one meant: it stops the script.
run() {
    if ! (cd "$work/$1" && "$tav1" --batch - --fast --size "$2" >log.txt 2>&1) || [ -s "$work/$1/log.txt" ]; then
        echo "screenshots.sh: the run for $1.png went wrong:" >&2
        cat "$work/$1/log.txt" >&2
        exit 1
    fi
    cp "$work/$1/$1.png" "$images/"
}

# The sample map: start and end picked by double-click, a full sine, a run with the rays drawn.
mkdir "$work/main-view"
cp example/mapa.bmp example/tav.ini "$work/main-view/"
run main-view 800x600 <<'SCRIPT'
ClearStartEnd
DoubleClick 170 250
DoubleClick 620 360
StartCiel
Settings amplitude=40 delay=10 scannerTrace=1
Sin2Pi
Animuj
Screen main-view.png
SCRIPT

# A 4000 x 3000 warehouse, a run down its main aisle, then the whole map in the window.
mkdir "$work/large-map"
python3 scripts/make_warehouse_map.py "$work/large-map/warehouse.png"
cat >"$work/large-map/tav.ini" <<'INI'
[TAV]
Dialogs=0
Default=1
Bitmapa=warehouse.png
[DefaultValues]
DosahScanerra=400
df_Str=24
StartPossitionX=300
StartPossitionY=1500
EndPossitionX=3700
EndPossitionY=1500
INI
run large-map 800x600 <<'SCRIPT'
StartCiel
Settings amplitude=120 delay=10 scannerTrace=1
Sin2Pi
Animuj
FitToWindow
Screen large-map.png
SCRIPT

# The example lab, an occupancy map as mapping tools save one, imported over the sample map and
# run through its door with the scanner's rays.
mkdir "$work/occupancy-map"
python3 scripts/make_occupancy_map.py "$work/occupancy-map"
cp example/mapa.bmp example/tav.ini "$work/occupancy-map/"
run occupancy-map 800x600 <<'SCRIPT'
ImportMap lab.yaml
ClearStartEnd
DoubleClick 150 260
DoubleClick 560 200
StartCiel
Settings amplitude=40 delay=10 scannerTrace=1
Sin2Pi
Animuj
Screen occupancy-map.png
SCRIPT

# The curve tools on an empty canvas (the map dialog that opens at start is cancelled): a circle
# of 24 points written and plotted with their numbers, and the double integration of samples of
# a circular motion started at rest, which traces a cycloid.
for name in curve-circle curve-integration; do
    mkdir "$work/$name"
    printf '[Velmora]\nDialogs=1\nMessageBox=0\n[TAV]\nDialogs=1\n' >"$work/$name/tav.ini"
done
run curve-circle 420x420 <<'SCRIPT'
CurveSettings valueCount=24 radius10=15 curveStartX=210 curveStartY=210 numbers=1 squaresEllipses=1
SaveCircle circle.dat
LoadData circle.dat
Screen curve-circle.png
SCRIPT
python3 - "$work/curve-integration/samples.dat" <<'PY'
import math
import sys

period, count, radius = 0.02, 150, 30
omega = 4 * math.pi / (count * period)
with open(sys.argv[1], "w") as out:
    for k in range(1, count + 1):
        angle = omega * k * period
        out.write("%.4f %.4f\n" % (-radius * omega ** 2 * math.cos(angle), radius * omega ** 2 * math.sin(angle)))
PY
run curve-integration 420x420 <<'SCRIPT'
CurveSettings samplingPeriod=0.02 curveStartX=200 curveStartY=20 incrementalEllipse=1 preciseIntegration=1
Algoritmus samples.dat
Screen curve-integration.png
SCRIPT

# The Python example's picture: a path planned through the lab, run with the module.
cmake --build "$build" --target tav1_python >/dev/null
modules=$(realpath "$build/python")
mkdir "$work/plan-and-run"
(cd "$work/plan-and-run" && PYTHONPATH="$modules" MPLBACKEND=Agg /usr/bin/python3 \
    "$root/example/plan_and_run.py" --picture "$images/plan-and-run.png" >/dev/null)
# The closed loop's examples: the sine followed by three cart lengths, and a fleet avoiding walls.
(cd "$work" && PYTHONPATH="$modules" MPLBACKEND=Agg /usr/bin/python3     "$root/example/follow_sine.py" --picture "$images/follow-sine.png" >/dev/null)
(cd "$work" && PYTHONPATH="$modules" MPLBACKEND=Agg /usr/bin/python3     "$root/example/avoid.py" --picture "$images/avoid.png" >/dev/null)
(cd "$work" && PYTHONPATH="$modules" MPLBACKEND=Agg /usr/bin/python3 \
    "$root/example/localize.py" --picture "$images/localize.png" >/dev/null)

if command -v optipng >/dev/null; then
    optipng -quiet -o5 -strip all "$images"/*.png
fi
ls -l "$images"/*.png
