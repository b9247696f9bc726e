#!/bin/sh
# Stands in for c4.5.exe: records its arguments (each ended by a NUL byte)
# in $FAKE_C45_ARGS and prints the captured transcript $FAKE_C45_TRANSCRIPT.
# With $FAKE_C45_LINGER set it prints one line, starts a long sleep, writes
# the sleep's process id to that file and waits, as a long run would;
# with $FAKE_C45_LEAVE set it leaves such a sleep behind and goes on.
# With $FAKE_C45_ENV set it writes its folder, its OMP_NUM_THREADS and its
# open descriptors there; $FAKE_C45_STDERR is printed on standard error and
# $FAKE_C45_STATUS is its exit status.
: > "$FAKE_C45_ARGS"
for argument in "$@"; do
    printf '%s\0' "$argument" >> "$FAKE_C45_ARGS"
done
if [ -n "${FAKE_C45_ENV:-}" ]; then
    { pwd; echo "threads ${OMP_NUM_THREADS:-unset}"; ls /proc/$$/fd; } > "$FAKE_C45_ENV"
fi
if [ -n "${FAKE_C45_IGNORE_TERM:-}" ]; then
    trap '' TERM
fi
if [ -n "${FAKE_C45_LINGER:-}" ]; then
    echo "working"
    sleep 60 &
    echo $! > "$FAKE_C45_LINGER"
    wait
fi
if [ -n "${FAKE_C45_LEAVE:-}" ]; then
    sleep 60 &
    echo $! > "$FAKE_C45_LEAVE"
fi
if [ -n "${FAKE_C45_DELAY:-}" ]; then
    sleep "$FAKE_C45_DELAY"
fi
cat "$FAKE_C45_TRANSCRIPT"
if [ -n "${FAKE_C45_STDERR:-}" ]; then
    printf '%s\n' "$FAKE_C45_STDERR" >&2
fi
exit "${FAKE_C45_STATUS:-0}"
