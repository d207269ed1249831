#!/usr/bin/env bash
# Installs the npm packages of the OPC UA test peer (tests/opcua/peer) exactly as its lockfile
# pins them; a stamp of the lockfile's hash skips the install, and the network, once current.
set -euo pipefail
peer="$(cd "$(dirname "$0")/.." && pwd)/tests/opcua/peer"
stamp="$peer/node_modules/.modulation-lock-sha256"
hash=$(sha256sum "$peer/package-lock.json" | cut -d' ' -f1)
[ -f "$stamp" ] && [ "$(cat "$stamp")" = "$hash" ] && exit 0
echo "Installing the OPC UA test peer's packages"
(cd "$peer" && npm ci --no-audit --no-fund --loglevel=error)
echo "$hash" >"$stamp"
