#!/usr/bin/env bash
# Installs the build into a scratch folder and checks what a desktop needs of it: the program and
# the desktop program beside their engine library and manuals, the command link, a desktop entry
# that validates, the project file type with its globs and icons, a headless run of the installed
# program and its hand-over to the desktop program.
set -euo pipefail
build=$1
examples=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" > "$root/install.log"

fail() { echo "FAILED: $*"; exit 1; }
for file in lib/tolvane2023/tolvane2023 lib/tolvane2023/tolvane2023-desktop \
            lib/tolvane2023/Tolvane2023_DLL.so \
            "lib/tolvane2023/Tolvane 2023 Users Manual.pdf" \
            "lib/tolvane2023/Tolvane 2023 Technical Manual.pdf" \
            share/applications/tolvane2023.desktop share/mime/packages/tolvane2023.xml \
            share/icons/hicolor/scalable/apps/tolvane2023.svg \
            share/icons/hicolor/48x48/apps/tolvane2023.png \
            share/icons/hicolor/48x48/mimetypes/application-x-tolvane-project.png \
            share/doc/tolvane2023/users-manual.md; do
  [ -s "$root/usr/$file" ] || fail "$file is not installed"
done
[ "$(readlink "$root/usr/bin/tolvane2023")" = ../lib/tolvane2023/tolvane2023 ] ||
  fail "bin/tolvane2023 is not a link to the program"
head -c 5 "$root/usr/lib/tolvane2023/Tolvane 2023 Users Manual.pdf" | grep -q '%PDF-' ||
  fail "the user's manual is not a PDF file"

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$root/usr/share/applications/tolvane2023.desktop" ||
    fail "the desktop entry does not validate"
fi
if command -v update-mime-database > /dev/null; then
  update-mime-database "$root/usr/share/mime"
  for glob in '*.tv9d' '*.tv8d' '*.tvd'; do
    grep -qF "application/x-tolvane-project:$glob" "$root/usr/share/mime/globs" ||
      fail "no file type for $glob"
  done
fi

# The installed program runs a project without a display.
mkdir "$root/run"
cp "$examples/sand-over-clay.tv9d" "$root/run/"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tolvane2023" --run "$root/run/sand-over-clay.tv9d" \
  > "$root/run.log" || fail "the installed program did not run the example: $(cat "$root/run.log")"
[ -s "$root/run/sand-over-clay.tv9o" ] || fail "no report from the installed program"
# The command hands what is not --run or --batch to the desktop program installed beside it.
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tolvane2023" --help > "$root/help.log" ||
  fail "the installed program did not print its usage"
grep -q -- '--plots FILE' "$root/help.log" ||
  fail "the installed program did not hand --help to the desktop program: $(cat "$root/help.log")"
echo "installation checked"
