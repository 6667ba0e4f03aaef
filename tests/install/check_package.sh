#!/usr/bin/env bash
# Builds the Debian package from the build folder with cpack, checks what it
# holds and what it depends on, and runs the packaged programs from an
# extracted copy.
# Usage: check_package.sh BUILD_DIR VERSION
set -u
build=$1
version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d /tmp/kest-deb-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/out/kestrune_${version}_amd64.deb"
[ -f "$deb" ] || { ls -R "$work/out"; fail "no $deb"; }

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for f in /usr/bin/kestrune /usr/bin/kestrune-cli /usr/bin/kestdbbr \
         /usr/share/applications/org.example.kestrune.desktop \
         /usr/share/applications/org.example.kestrune.kestdbbr.desktop \
         /usr/share/metainfo/org.example.kestrune.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/org.example.kestrune.svg \
         /usr/share/icons/hicolor/48x48/apps/org.example.kestrune.png \
         /usr/share/icons/hicolor/256x256/apps/org.example.kestrune.png \
         /usr/share/man/man1/kestrune.1.gz /usr/share/man/man1/kestrune-cli.1.gz \
         /usr/share/man/man1/kestdbbr.1.gz \
         /usr/share/doc/kestrune/copyright /usr/share/doc/kestrune/changelog.gz \
         /usr/libexec/kestrune/kestrune-dmi-export /usr/lib/systemd/system/kestrune-dmi-export.service \
         /usr/share/man/man8/kestrune-dmi-export.8.gz; do
  grep -qx "$f" "$work/files" || fail "package lacks $f"
done
# Nothing from the build or test tree, nothing outside /usr.
if grep -v '^/usr/' "$work/files" | grep -qv '^/$'; then fail "files outside /usr: $(grep -v '^/usr/' "$work/files")"; fi
if grep -qiE 'test|gtest|bench|\.a$|\.h$' "$work/files"; then fail "test or build files packaged"; fi

# Control fields: shlibdeps found the Qt and C++ libraries.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libstdc++6 libc6 libjpeg62-turbo; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "section"
dpkg-deb -f "$deb" Maintainer | grep -q '@' || fail "maintainer"
[ "$(dpkg-deb -f "$deb" Package)" = kestrune ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"

# The maintainer scripts enable, start, stop and forget the export unit the
# Debian way, and start or stop nothing where systemd is not running.
dpkg-deb -e "$deb" "$work/control"
for script in postinst prerm postrm; do
  [ -x "$work/control/$script" ] || fail "no executable $script"
  sh -n "$work/control/$script" || fail "$script: syntax"
done
grep -q 'deb-systemd-helper enable' "$work/control/postinst" || fail "postinst does not enable the unit"
grep -q 'deb-systemd-invoke restart' "$work/control/postinst" || fail "postinst does not start the unit"
grep -q 'deb-systemd-invoke stop' "$work/control/prerm" || fail "prerm does not stop the unit"
grep -q 'deb-systemd-helper purge' "$work/control/postrm" || fail "postrm does not purge the unit's state"
for script in postinst prerm; do
  grep -q '\[ -d /run/systemd/system \]' "$work/control/$script" || fail "$script runs systemd where it is not running"
done
grep -q 'init-system-helpers' <<<"$(dpkg-deb -f "$deb" Depends)" || fail "Depends lacks init-system-helpers"
# Lintian finds no error and no warning.
if command -v lintian >/dev/null; then
  out=$(lintian "$deb" 2>/dev/null) || fail "lintian: $out"
  [ -z "$out" ] || fail "lintian says: $out"
fi

# The packaged programs run from an extracted copy; kestrune needs no display
# to say its version.
dpkg-deb -x "$deb" "$work/root"
out=$(cd / && "$work/root/usr/bin/kestrune-cli" --version) || fail "kestrune-cli --version exit"
[ "$out" = "kestrune-cli $version" ] || fail "kestrune-cli --version: $out"
out=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/kestrune" --version) ||
  fail "kestrune --version exit"
[ "$out" = "kestrune $version" ] || fail "kestrune --version: $out"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/kestdbbr" --help) || fail "kestdbbr --help exit"
grep -q '^Usage: kestdbbr' <<<"$out" || fail "kestdbbr --help: $out"
out=$("$work/root/usr/libexec/kestrune/kestrune-dmi-export" --help) || fail "kestrune-dmi-export --help exit"
grep -q 'kestrune-dmi-export' <<<"$out" || fail "kestrune-dmi-export --help: $out"
# The unit names the packaged program (check_files.sh verifies the unit).
unit="$work/root/usr/lib/systemd/system/kestrune-dmi-export.service"
grep -qx 'ExecStart=/usr/libexec/kestrune/kestrune-dmi-export' "$unit" || fail "ExecStart: $(grep ExecStart "$unit")"
# Stripped programs.
file "$work/root/usr/bin/kestrune-cli" | grep -q 'not stripped' && fail "kestrune-cli is not stripped"
echo "package $deb: $(wc -l <"$work/files") entries, Depends: $depends"
exit 0
