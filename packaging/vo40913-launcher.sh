#!/bin/sh
# Installed as /usr/bin/vo40913-configurator and /usr/bin/vo40913-cli: runs the program of that
# name from the user's own copy of the installed folder. The program keeps its configurations
# (PROJECTS) and settings (Vorlent.xml) beside its executable, and the installed folder under /opt
# is not the user's to write.
set -eu
INSTALLED="$(dirname "$(readlink -f "$0")")/../../opt/vo40913"
COPY="${XDG_DATA_HOME:-$HOME/.local/share}/vo40913"
mkdir -p "$COPY"
# Files that are new in the installation, or newer than the user's copies (a package upgrade),
# are copied; the user's configurations, settings and own files stay as they are.
cp -R -u --preserve=mode,timestamps "$INSTALLED/." "$COPY/"
exec "$COPY/$(basename "$0")" "$@"
