#!/bin/sh
# Stands in for c4.5.exe: records its arguments (each ended by a NUL byte)
# in $FAKE_C45_ARGS and prints the captured transcript $FAKE_C45_TRANSCRIPT.
: > "$FAKE_C45_ARGS"
for argument in "$@"; do
    printf '%s\0' "$argument" >> "$FAKE_C45_ARGS"
done
cat "$FAKE_C45_TRANSCRIPT"
