#!/bin/sh
# Stands in for c4.5.exe: records its arguments (each ended by a NUL byte)
# in $FAKE_C45_ARGS and prints the captured transcript $FAKE_C45_TRANSCRIPT.
# With $FAKE_C45_LINGER set it prints one line, starts a long sleep, writes
# the sleep's process id to that file and waits, as a long run would.
: > "$FAKE_C45_ARGS"
for argument in "$@"; do
    printf '%s\0' "$argument" >> "$FAKE_C45_ARGS"
done
if [ -n "${FAKE_C45_LINGER:-}" ]; then
    echo "working"
    sleep 60 &
    echo $! > "$FAKE_C45_LINGER"
    wait
fi
cat "$FAKE_C45_TRANSCRIPT"
