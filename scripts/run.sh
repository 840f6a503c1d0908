#!/usr/bin/env bash
# Sets up, builds and starts the editor on the bundled sample profile.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
exec "${BUILD_DIR:-build}/bin/TrevixStyleEditor" "$@"
