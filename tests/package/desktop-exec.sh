#!/bin/sh
# desktop-exec.sh FILE KEY: the value of KEY in a desktop entry as a program
# would receive it. For Exec, the first argument of the command line. String
# values have their doubled backslashes undone first; an Exec argument is then
# unquoted the way the format says, which for a double-quoted argument is the
# way sh unquotes it, and %% stands for %.
set -eu
line=$(grep -m 1 "^$2=" "$1") || { echo "no $2= in $1" >&2; exit 1; }
value=$(printf '%s' "${line#*=}" | sed 's/\\\\/\\/g')
if [ "$2" = Exec ]; then
  value=$(printf '%s' "$value" | sed 's/%%/%/g')
  eval "set -- $value"
  value=$1
fi
printf '%s' "$value"
