#!/usr/bin/env bash
# Builds the Debian package and tries it the way a new user would: installs it
# with apt into a fresh Debian 12 root (debootstrap; kept in build/debian-root
# for the next run), checks a style file with it, starts the program as an
# ordinary user with the desktop entry's command line and that file, asks
# xdg-mime for the file's type and man for the manual page.
# Needs root (chroot) and the Debian archive.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh package-check
bash scripts/build.sh
(cd "${BUILD_DIR:-build}" && cpack >/dev/null)
deb=$(ls -t "${BUILD_DIR:-build}"/trevix-style-editor_*.deb | head -n1)
root=$(realpath -m "${DEBIAN_ROOT:-${BUILD_DIR:-build}/debian-root}")

if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "Creating a Debian 12 root in $root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
fi
# What a booted system has: /proc, and a shared-memory folder that everyone
# may write (the preview's web engine needs it).
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
mountpoint -q "$root/dev/shm" || mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
trap 'umount "$root/dev/shm" "$root/proc"' EXIT

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

cp "$deb" "$root/tmp/package.deb"
apt_log=$(dirname "$root")/package-check-apt.log
in_root apt-get update -qq
in_root apt-get install -y -qq /tmp/package.deb xdg-utils libfile-mimeinfo-perl man-db >"$apt_log" 2>&1 ||
  { cat "$apt_log"; exit 1; }
echo "Installed: $(in_root dpkg-query -W -f='${Package} ${Version}' trevix-style-editor)"

# A user of its own, with a home and a style file to open.
rm -rf "$root/tmp/user" && mkdir -p "$root/tmp/user"
printf '&bgColor=0x000000\r\n&titleText=From the package\r\n' >"$root/tmp/user/chart.stl"
chown -R 65534:65534 "$root/tmp/user"
as_user() { chroot --userspec=65534:65534 "$root" env -i PATH=/usr/bin:/bin HOME=/tmp/user "$@"; }

echo "Checking the style file against the installed profile:"
as_user trevix-style-editor --check /tmp/user/chart.stl
echo "no problems"

command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/trevix-style-editor.desktop")
command=${command/\%F//tmp/user/chart.stl}
echo "Starting: $command"
set +e
as_user QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 timeout 15 $command
status=$?
set -e
[ "$status" -eq 124 ] || { echo "the program ended by itself with $status"; exit 1; }
echo "Still running after 15 s; the user's folder:"
ls -l "$root/tmp/user/.local/share/Melbrin/TrevixStyleEditor/"
# Opening a style file rewrites the working copy with the file's values.
grep -q '^&titleText=From the package' "$root/tmp/user/.local/share/Melbrin/TrevixStyleEditor/style.txt" ||
  { echo "the program did not open the style file it was started with"; exit 1; }
echo "The file was opened: style.txt holds its values"

type=$(as_user xdg-mime query filetype /tmp/user/chart.stl)
echo "xdg-mime query filetype chart.stl: $type"
[ "$type" = application/x-trevix-style ]

page=$(as_user MANPAGER=cat MANWIDTH=80 man trevix-style-editor)
echo "man trevix-style-editor:"
echo "$page" | sed -n '1,6p'
grep -q -- '--check' <<<"$page" || { echo "the manual page does not show the options"; exit 1; }
echo "package check passed"
