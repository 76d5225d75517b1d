#!/bin/sh
# Runs a validating tool on a file; exits 77 (skipped) when the tool is missing.
tool="$1"
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "$tool is not installed: check skipped"
  exit 77
fi
exec "$@"
