#!/usr/bin/env bash
# Pictures of the viewer's windows over the demo data at 100 % and 200 % scaling, drawn on a
# virtual display: screenshot.sh BUILD DEMO OUT
set -euo pipefail
build=$1
demo=$2
out=$3
mkdir -p "$out"
shoot() {
    xvfb-run -a -s "-screen 0 2400x1800x24" env QT_QPA_PLATFORM=xcb "$@"
}
shoot "$build/src/tools/orvikel-screenshot" "$demo" "$out"
shoot env QT_SCALE_FACTOR=2 "$build/src/tools/orvikel-screenshot" "$demo" "$out" -200
