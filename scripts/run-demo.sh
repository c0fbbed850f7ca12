#!/usr/bin/env bash
# Starts the viewer on the demo data folder. The first start writes a settings file beside the
# viewer that points at the demo folder, so the meetings show at once; a settings file the user
# already has is left alone. Without a display, the demo's first race goes to the terminal.
set -euo pipefail
build=$1
demo=$(cd "$2" && pwd)
viewer="$build/src/gui/OrviKELViewer"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are empty): showing the demo's first race here instead."
    exec "$build/src/tools/orvikel-dump" --data "$demo" --meeting 1 --grid
fi

ini="$(dirname "$viewer")/OrviKV.ini"
if [ ! -e "$ini" ]; then
    # The settings file is Shift-JIS text, like every file the viewer reads.
    printf '[Dir]\r\nKelDir=%s/\r\n[Options]\r\nUS=1\r\n' "$demo" | iconv -f UTF-8 -t CP932 >"$ini"
fi
exec "$viewer"
