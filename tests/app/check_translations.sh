#!/bin/sh
# Fails when a label in the sources has no translation in the .ts file, or a
# translation is left for a label that is gone. lupdate works on a copy, so
# the checked-in file is never touched.
#   check_translations.sh LUPDATE TS_FILE COPY SOURCE...
set -eu
lupdate=$1 ts=$2 copy=$3
shift 3
cp "$ts" "$copy"
"$lupdate" -locations none "$@" -ts "$copy" >/dev/null
if grep -B1 -E '<translation type="(unfinished|vanished|obsolete)"' "$copy"; then
    echo "$ts is out of date: build the update_translations target and translate the above" >&2
    exit 1
fi
