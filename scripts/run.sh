#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then starts the designer. Arguments
# are handed to zolt (a project file to open, --no-browser, ...). Without
# arguments it opens a copy of the sample project (out/Sample), so the sample
# in examples/ stays as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ $# -eq 0 ]; then
  [ -d out/Sample ] || cp -r examples/Sample out/Sample
  set -- out/Sample/Sample.rwp
fi
exec out/app/zolt "$@"
