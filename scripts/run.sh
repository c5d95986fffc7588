#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then starts the designer. Arguments
# are handed to zolt (for example a project file to open, or --no-browser).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec out/app/zolt "$@"
