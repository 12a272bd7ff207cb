#!/usr/bin/env bash
# Installs the page tests' npm packages into FOLDER, exactly as package-lock.json pins them; once
# per change of the lock file.
set -euo pipefail
cd "$1"
if ! cmp -s package-lock.json node_modules/.corvane-lock 2>/dev/null; then
  timeout 240 npm ci --no-audit --no-fund --loglevel=error
  cp package-lock.json node_modules/.corvane-lock
fi
