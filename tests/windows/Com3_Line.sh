#!/bin/sh
# Makes COM3 of the tests' wine prefix a line that opens (the pseudo-terminal multiplexer), so that
# the update command's port check finds a port there, whatever serial ports this machine has.
set -eu
: "${HOME:=$(getent passwd "$(id -u)" | cut -d: -f6)}"
PREFIX="${WINEPREFIX:-$HOME/.cache/vo40913-wine}"
mkdir -p "$PREFIX/dosdevices"
ln -sfn /dev/ptmx "$PREFIX/dosdevices/com3"
