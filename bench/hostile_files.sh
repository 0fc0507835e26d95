#!/bin/bash
# Runs every command that reads a file on a pipe, a link to /dev/zero and a sparse 100 MB file in
# place of that file, and prints time, peak memory and the first line of its error beside the run on
# a normal file. Uses the programs of build/bin; needs /usr/bin/time.
set -eu
. "$(dirname "$0")/cli_workspace.sh"
P=PROJECTS/K/ParGen.xml
cp $P good.xml
./vo40913-cli build K >/dev/null
cp PROJECTS/K/bin/bankK.bin good.bin
cp "$Bin/LANGUAGE/English.lng" good.lng

measure() {
    local Label="$1"
    shift
    /usr/bin/time -f "%e s  %M KiB  exit %x" -o time.txt "$@" >/dev/null 2>err.txt || true
    printf '%-16s %-30s %s\n' "$Label" "$(tail -1 time.txt)" "$(head -1 err.txt | cut -c1-100)"
}

for Kind in normal fifo zero large; do
    rm -f $P x.lng x.bin
    case $Kind in
    normal) cp good.xml $P; cp good.lng x.lng; cp good.bin x.bin ;;
    fifo) mkfifo $P x.lng x.bin ;;
    zero) for F in $P x.lng x.bin; do ln -s /dev/zero $F; done ;;
    large) truncate -s 100M $P x.lng x.bin ;;
    esac
    for Command in show check build; do measure "$Kind $Command" timeout 10 ./vo40913-cli $Command K; done
    measure "$Kind set" timeout 10 ./vo40913-cli set K TO_RTU=5
    measure "$Kind lang" timeout 10 ./vo40913-cli lang x.lng
    measure "$Kind inspect" timeout 10 ./vo40913-cli inspect x.bin
done
