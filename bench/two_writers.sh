#!/bin/bash
# Two "set"s on different fields of one configuration at once, ROUNDS times (default 200): counts the
# changes reported as saved but lost, and the exits that are neither 0 nor 1 with the lock message.
# Uses build/bin/vo40913-cli.
set -u
Rounds=${1:-200}
. "$(dirname "$0")/cli_workspace.sh"
Saved=0 Busy=0 Other=0 Lost=0
for I in $(seq 1 "$Rounds"); do
    ./vo40913-cli set K TO_RTU=$I 2>err1 & P1=$!
    ./vo40913-cli set K TO_ASCII=$I 2>err2 & P2=$!
    wait $P1; R1=$?
    wait $P2; R2=$?
    Shown=$(./vo40913-cli show K)
    for Side in "1 $R1 TO_RTU" "2 $R2 TO_ASCII"; do
        set -- $Side
        if [ "$2" = 0 ]; then
            Saved=$((Saved + 1))
            grep -qx "$3=$I" <<<"$Shown" || Lost=$((Lost + 1))
        elif [ "$2" = 1 ] && grep -q "in use by another program" err$1; then
            Busy=$((Busy + 1))
        else
            Other=$((Other + 1))
        fi
    done
done
echo "rounds $Rounds: exits 0 $Saved, exits 1 with the lock message $Busy, other exits $Other, changes lost $Lost"
