#!/usr/bin/env bash
# Runs COMMAND [ARG ...] when this machine runs 32-bit (i386) programs, which
# the 32-bit wine needs; elsewhere the test is skipped (exit 77) and says why.
source "$(dirname "$0")/../scripts/wine-env.sh"
skip_without_i386
exec "$@"
