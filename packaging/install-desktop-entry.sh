#!/bin/sh
# Adds Velkar to the desktop's application menu from wherever this folder
# lies: writes velkar.desktop with the absolute paths of the program, its
# folder and its icon into the user's applications folder
# (${XDG_DATA_HOME:-~/.local/share}/applications). Run it again after moving
# the folder; "--remove" takes the entry away again.
set -eu

here=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd -P)
applications=${XDG_DATA_HOME:-$HOME/.local/share}/applications
entry=$applications/velkar.desktop

case ${1:-} in
  --remove)
    rm -f -- "$entry"
    echo "removed $entry"
    exit 0
    ;;
  "") ;;
  *)
    echo "usage: $0 [--remove]" >&2
    exit 2
    ;;
esac

for file in Velkar velkar.desktop velkar.png; do
  if [ ! -e "$here/$file" ]; then
    echo "$0: $here/$file is missing" >&2
    exit 1
  fi
done

# A value of the desktop entry format: a backslash is written twice.
string_value() {
  printf '%s' "$1" | sed 's/\\/\\\\/g'
}

# The program as one argument of Exec: in double quotes, with " ` $ and \
# escaped by a backslash, then as a string value (backslashes doubled once
# more), and % written twice.
exec_argument() {
  quoted=$(printf '%s' "$1" | sed -e 's/[\\"`$]/\\&/g' -e 's/%/%%/g')
  string_value "\"$quoted\""
}

case $here in
  *'
'*)
    echo "$0: the folder's path holds a line break, which a desktop entry cannot hold" >&2
    exit 1
    ;;
esac

mkdir -p -- "$applications"
tmp=$entry.tmp.$$
trap 'rm -f -- "$tmp"' EXIT
{
  grep -v -e '^Exec=' -e '^TryExec=' -e '^Icon=' -e '^Path=' "$here/velkar.desktop"
  printf 'Exec=%s\n' "$(exec_argument "$here/Velkar")"
  printf 'TryExec=%s\n' "$(string_value "$here/Velkar")"
  printf 'Path=%s\n' "$(string_value "$here")"
  printf 'Icon=%s\n' "$(string_value "$here/velkar.png")"
} >"$tmp"
chmod 644 -- "$tmp"
mv -f -- "$tmp" "$entry"
trap - EXIT
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database -q -- "$applications" || true
fi
echo "wrote $entry"
