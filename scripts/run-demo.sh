#!/usr/bin/env bash
# Shows the demo data folder: for now the meetings and races on the terminal.
set -euo pipefail
build=$1
demo=$2
"$build/src/tools/orvikel-dump" --data "$demo" --meeting 1 --race 1 --out "$build" || true
