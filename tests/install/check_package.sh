#!/usr/bin/env bash
# Builds the Debian packages from the build folder with cpack, checks what
# each holds and depends on, and runs the packaged programs from an
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
cli="$work/out/kestrune-cli_${version}_amd64.deb"
gui="$work/out/kestrune_${version}_amd64.deb"
prom="$work/out/kestrune-prometheus_${version}_all.deb"
for deb in "$cli" "$gui" "$prom"; do
  [ -f "$deb" ] || { ls -R "$work/out"; fail "no $deb"; }
done
[ "$(ls "$work/out"/*.deb | wc -l)" -eq 3 ] || fail "more packages than three: $(ls "$work/out")"

files_of() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|'; }
has_files() {  # DEB FILE...: the package holds each FILE
  local deb=$1 f
  shift
  files_of "$deb" >"$work/files"
  for f in "$@"; do grep -qx "$f" "$work/files" || fail "$(basename "$deb") lacks $f"; done
}
has_files "$cli" /usr/bin/kestrune-cli /usr/share/man/man1/kestrune-cli.1.gz \
  /usr/libexec/kestrune/kestrune-dmi-export /usr/lib/systemd/system/kestrune-dmi-export.service \
  /usr/share/man/man8/kestrune-dmi-export.8.gz \
  /usr/share/doc/kestrune-cli/copyright /usr/share/doc/kestrune-cli/changelog.gz
has_files "$gui" /usr/bin/kestrune /usr/bin/kestdbbr \
  /usr/share/applications/org.example.kestrune.desktop \
  /usr/share/applications/org.example.kestrune.kestdbbr.desktop \
  /usr/share/metainfo/org.example.kestrune.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/org.example.kestrune.svg \
  /usr/share/icons/hicolor/48x48/apps/org.example.kestrune.png \
  /usr/share/icons/hicolor/256x256/apps/org.example.kestrune.png \
  /usr/share/man/man1/kestrune.1.gz /usr/share/man/man1/kestdbbr.1.gz \
  /usr/share/doc/kestrune/copyright /usr/share/doc/kestrune/changelog.gz
has_files "$prom" /usr/lib/systemd/system/kestrune-prometheus.service \
  /usr/lib/systemd/system/kestrune-prometheus.timer \
  /usr/share/doc/kestrune-prometheus/copyright /usr/share/doc/kestrune-prometheus/changelog.gz
# No file in two packages, nothing from the build or test tree, nothing
# outside /usr.
for deb in "$cli" "$gui" "$prom"; do files_of "$deb"; done >"$work/all"
[ -z "$(sort "$work/all" | uniq -d)" ] || fail "files in two packages: $(sort "$work/all" | uniq -d)"
if grep -qv '^/usr/' "$work/all"; then fail "files outside /usr: $(grep -v '^/usr/' "$work/all")"; fi
if grep -qiE 'test|gtest|bench|\.a$|\.h$' "$work/all"; then fail "test or build files packaged"; fi

# Control fields. kestrune-cli needs no Qt and no X; kestrune has the Qt and
# JPEG libraries that shlibdeps found, and brings kestrune-cli of its own
# version, as kestrune-prometheus does with the node exporter.
field() { dpkg-deb -f "$1" "$2"; }
depends_cli=$(field "$cli" Depends)
for lib in libstdc++6 libc6 init-system-helpers; do
  grep -q "$lib" <<<"$depends_cli" || fail "kestrune-cli: Depends lacks $lib: $depends_cli"
done
! grep -qiE 'qt|libx|libgl|libjpeg|libxcb|libfontconfig' <<<"$depends_cli" || fail "kestrune-cli depends on: $depends_cli"
depends_gui=$(field "$gui" Depends)
for lib in "kestrune-cli (= $version)" libqt6widgets6 libstdc++6 libc6 libjpeg62-turbo; do
  grep -qF "$lib" <<<"$depends_gui" || fail "kestrune: Depends lacks $lib: $depends_gui"
done
depends_prom=$(field "$prom" Depends)
for dep in "kestrune-cli (= $version)" prometheus-node-exporter init-system-helpers; do
  grep -qF "$dep" <<<"$depends_prom" || fail "kestrune-prometheus: Depends lacks $dep: $depends_prom"
done
[ "$(field "$prom" Architecture)" = all ] || fail "kestrune-prometheus is not Architecture: all"
for deb in "$cli" "$gui" "$prom"; do
  [ "$(field "$deb" Section)" = utils ] || fail "$deb: section"
  field "$deb" Maintainer | grep -q '@' || fail "$deb: maintainer"
  [ "$(field "$deb" Version)" = "$version" ] || fail "$deb: version"
done
[ "$(field "$gui" Package)" = kestrune ] || fail "package name"
synopses=$(for deb in "$cli" "$gui" "$prom"; do field "$deb" Description | head -1; done | sort -u | wc -l)
[ "$synopses" -eq 3 ] || fail "the packages' summaries are not their own"

# The maintainer scripts enable, start, stop and forget each package's unit
# the Debian way, start or stop nothing where systemd is not running, and take
# away what the unit wrote. The window program's package has none.
scripts_of() {  # DEB UNIT STOPPED WRITTEN
  local deb=$1 unit=$2 stopped=$3 written=$4 dir="$work/control-$(basename "$1")"
  dpkg-deb -e "$deb" "$dir"
  for script in postinst prerm postrm; do
    [ -x "$dir/$script" ] || fail "$deb: no executable $script"
    sh -n "$dir/$script" || fail "$deb: $script: syntax"
    ! grep -q '@' "$dir/$script" || fail "$deb: $script: $(grep '@' "$dir/$script")"
  done
  grep -qx "unit=$unit" "$dir/postinst" || fail "$deb: postinst unit: $(grep '^unit=' "$dir/postinst")"
  grep -qx "unit=$unit" "$dir/postrm" || fail "$deb: postrm unit"
  grep -q 'deb-systemd-helper enable' "$dir/postinst" || fail "$deb: postinst does not enable the unit"
  grep -q 'deb-systemd-invoke restart' "$dir/postinst" || fail "$deb: postinst does not start the unit"
  grep -qF "deb-systemd-invoke stop $stopped " "$dir/prerm" || fail "$deb: prerm does not stop $stopped"
  grep -q 'deb-systemd-helper purge' "$dir/postrm" || fail "$deb: postrm does not purge the unit's state"
  grep -qF "rm -f $written" "$dir/postrm" || fail "$deb: postrm leaves $written"
  for script in postinst prerm; do
    grep -q '\[ -d /run/systemd/system \]' "$dir/$script" || fail "$deb: $script runs systemd where it is not running"
  done
}
scripts_of "$cli" kestrune-dmi-export.service kestrune-dmi-export.service /run/kestrune/smbios.bin
scripts_of "$prom" kestrune-prometheus.timer "kestrune-prometheus.timer kestrune-prometheus.service" \
  /var/lib/prometheus/node-exporter/kestrune.prom
dpkg-deb -e "$gui" "$work/control-gui"
[ -z "$(ls "$work/control-gui" | grep -vx -e control -e md5sums)" ] || fail "kestrune has maintainer scripts"
# Lintian finds no error and no warning.
if command -v lintian >/dev/null; then
  out=$(lintian "$cli" "$gui" "$prom" 2>/dev/null) || fail "lintian: $out"
  [ -z "$out" ] || fail "lintian says: $out"
fi

for deb in "$cli" "$gui" "$prom"; do dpkg-deb -x "$deb" "$work/root"; done
# kestrune-cli links no Qt or X library.
! ldd "$work/root/usr/bin/kestrune-cli" | grep -qiE 'qt|libx|libgl' || fail "kestrune-cli links: $(ldd "$work/root/usr/bin/kestrune-cli")"
# The timer's service runs the packaged program into the collector's folder.
unit="$work/root/usr/lib/systemd/system/kestrune-prometheus.service"
grep -qx 'ExecStart=/usr/bin/kestrune-cli --format prometheus -o /var/lib/prometheus/node-exporter/kestrune.prom' "$unit" ||
  fail "ExecStart: $(grep ExecStart "$unit")"
grep -qx 'ReadWritePaths=/var/lib/prometheus/node-exporter' "$unit" || fail "the service may write elsewhere"
grep -qx 'After=kestrune-dmi-export.service' "$unit" || fail "the service does not wait for the DMI export"
grep -qx 'WantedBy=timers.target' "$work/root/usr/lib/systemd/system/kestrune-prometheus.timer" || fail "timer install"

# The packaged programs run from an extracted copy; kestrune needs no display
# to say its version.
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
echo "packages: $(wc -l <"$work/all") files; kestrune-cli Depends: $depends_cli"
exit 0
