# Sourced by the command-line benchmarks: a fresh folder, removed on exit, with a copy of
# build/bin/vo40913-cli and the configuration K (MODE_DEV=1); the script continues inside it and
# finds the built programs in $Bin.
Bin="$(cd "$(dirname "$0")/.." && pwd)/build/bin"
Work=$(mktemp -d)
trap 'rm -rf "$Work"' EXIT
cp "$Bin/vo40913-cli" "$Work/"
cd "$Work"
./vo40913-cli new K >/dev/null
./vo40913-cli set K MODE_DEV=1
