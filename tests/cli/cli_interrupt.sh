#!/usr/bin/env bash
# Ctrl+C during a transfer of four files from the simulated gauge (on the real clock): the
# transfer stops where it is, the gauge is released and korvel-cli exits with 130; during the
# upgrade's firmware download it is not honoured.
set -u
cli=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/log" "$work/pc" "$work/home"
for name in A B C D; do
    cp "$source/resources/samples/PIPE-A.CSV" "$work/log/$name.CSV"
done
cd "$work"
HOME=$work/home XDG_CONFIG_HOME='' XDG_DOCUMENTS_DIR='' \
    "$cli" --folder pc --simulated-gauge log gauge read A.CSV B.CSV C.CSV D.CSV 2>err &
pid=$!
for _ in $(seq 200); do
    grep -q "file 2 of 4" err && break
    sleep 0.05
done
kill -INT "$pid"
wait "$pid"
status=$?
fail() {
    echo "$1"
    cat err
    exit 1
}
[ "$status" -eq 130 ] || fail "exit $status, expected 130"
grep -Eq "^status: Transfer cancelled\. [12] of 4 files done: A\.CSV" err || fail "no cancel status"
[ -f pc/A.CSV ] || fail "A.CSV was not kept"
[ ! -e pc/C.CSV ] && [ ! -e pc/D.CSV ] || fail "the transfer went on after Ctrl+C"

# Ctrl+C once the upgrade sends the firmware (it can no longer be cancelled then): the upgrade
# runs to its end and korvel-cli exits with 0.
cp "$source/resources/firmware/quenboot.bin" "$work/"
HOME=$work/home XDG_CONFIG_HOME='' XDG_DOCUMENTS_DIR='' \
    "$cli" --simulated-gauge log --boot-mode gauge upgrade \
    "$source/resources/firmware/KQ77-demo-firmware.bin" 2>err &
pid=$!
for _ in $(seq 600); do
    grep -q "^status: Downloading file" err && break
    sleep 0.05
done
sleep 1
kill -INT "$pid"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "upgrade: exit $status, expected 0"
grep -q "^status: Software upgrade complete" err || fail "the upgrade did not complete"
