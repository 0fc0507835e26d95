#!/bin/bash
# SIGKILL at a random moment of "update", "restore" or "set", ROUNDS times (default 500), each
# followed by a "set" that must take the configuration's lock. Counts torn files (a ParGen.xml,
# history.jsonl line or image that does not read whole), launches of the updater without their
# record in the history, and writers that found a lock they could not take.
# Uses build/bin/vo40913-cli; a pseudo-terminal serves as the serial port.
set -u
Rounds=${1:-500}
. "$(dirname "$0")/cli_workspace.sh"
./vo40913-cli set K Device_Type_Type=0 >/dev/null
mkdir -p MASTER && echo firmware > MASTER/sim40913.sim
python3 -c 'import os,pty,time,sys
m,s=pty.openpty(); os.symlink(os.ttyname(s), sys.argv[1]); os.close(s); time.sleep(3600)' "$Work/ttyUSB0" &
Pty=$!
trap 'kill $Pty 2>/dev/null; rm -rf "$Work"' EXIT
for _ in $(seq 100); do [ -e ttyUSB0 ] && break; sleep 0.05; done
printf '#!/bin/sh\necho launch >> "%s/launches.log"\nsleep 0.2\n' "$Work" > Ser_40913_Update
chmod +x Ser_40913_Update
Update() { ./vo40913-cli update K --port "$Work/ttyUSB0" --option 2 "$@"; }
Update >/dev/null 2>&1
./vo40913-cli set K TO_RTU=1500 >/dev/null
Update >/dev/null 2>&1
Torn=0 Stuck=0 Killed=0
for I in $(seq 1 "$Rounds"); do
    Ids=($(./vo40913-cli history --json K | python3 -c 'import json,sys
print(" ".join([r["id"] for r in json.load(sys.stdin)["records"] if r["kind"] == "update"][-2:]))'))
    case $((RANDOM % 3)) in
    0) Update >/dev/null 2>&1 & ;;
    1) ./vo40913-cli restore K "${Ids[$((RANDOM % 2))]}" >/dev/null 2>&1 & ;;
    2) ./vo40913-cli set K TO_ASCII=$((100 + I)) >/dev/null 2>&1 & ;;
    esac
    Pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % 120)))"
    kill -KILL $Pid 2>/dev/null && Killed=$((Killed + 1))
    wait $Pid 2>/dev/null
    if ! ./vo40913-cli set K TO_RTU=$((1000 + I)) >/dev/null 2>err; then
        Stuck=$((Stuck + 1))
        sed 's/^/  round '"$I"': /' err
    fi
    python3 - "$Work/PROJECTS/K" <<'PY' || Torn=$((Torn + 1))
import json, sys, xml.etree.ElementTree as ET
k = sys.argv[1]
ET.parse(k + "/ParGen.xml")
for line in open(k + "/History/history.jsonl", encoding="utf-8"):
    if line.strip():
        json.loads(line)
bank, bankk = open(k + "/bin/bank.bin", "rb").read(), open(k + "/bin/bankK.bin", "rb").read()
assert len(bank) == 19 and len(bankk) == 2048
assert sum(bankk[:2044]) == int.from_bytes(bankk[2044:], "little")
PY
done
sleep 0.5
Launches=$(wc -l < launches.log)
Records=$(./vo40913-cli history --json K | python3 -c 'import json,sys
print(sum(1 for r in json.load(sys.stdin)["records"] if r["kind"] == "update"))')
Lost=$((Launches > Records ? Launches - Records : 0))
echo "rounds $Rounds: killed $Killed, torn files $Torn, updater launches $Launches, update records $Records, launches without a record $Lost, writers that could not take the lock $Stuck"
