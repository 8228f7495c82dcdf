#!/bin/sh
# installed-start.sh DEB_FOLDER BUILD_SAMPLES HAS_WEB_ENGINE(0|1) HAS_INTERFACE_FONT(0|1) START_REPORT
# Unpacks the package in DEB_FOLDER into a temporary root and checks what it
# installs: the files, the dependencies dpkg-shlibdeps found, a start of the
# installed program offscreen that keeps running, and that the program's start
# finds its samples, its web-view module and its interface font there:
# START_REPORT (tests/start), the same start with a report, is put beside
# the installed program, reports what it found once its window is painted,
# then leaves.
set -eu
deb_folder=$1 build_samples=$2 has_engine=$3 has_font=$4 start_report=$5
fail() { echo "FAIL: $*" >&2; exit 1; }

set -- "$deb_folder"/boxwright_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one package in $deb_folder, found: $*"
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
root=$(cd "$root" && pwd -P)
dpkg-deb -x "$deb" "$root"

for file in usr/bin/boxwright usr/share/applications/boxwright.desktop \
            usr/share/icons/hicolor/64x64/apps/boxwright.png usr/share/metainfo/org.example.Boxwright.metainfo.xml; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
diff -r "$build_samples" "$root/usr/share/boxwright/samples" || fail "the installed samples differ from the build's"

depends=$(dpkg-deb -f "$deb" Depends)
needed="libc6 libqt6widgets6"
[ "$has_engine" = 1 ] && needed="$needed libqt6webenginewidgets6"
for package in $needed; do
    case " $depends," in *[\ ,]"$package"[\ ,]*) ;; *) fail "Depends lacks $package: $depends" ;; esac
done

if [ "$has_engine" = 1 ]; then
    module=$(find "$root" -name 'libboxwright_webview.so')
    [ -n "$module" ] || fail "the package lacks the web-view module"
    expected_module="web-view-module $module"
else
    expected_module="web-view-module none: this build has no web engine"
fi

# The installed program itself loads and runs (its window's start is the start
# report's below, which is the same code with a report at the first frame).
version=$(cd / && env -u BOXWRIGHT_MODULE_DIR "$root/usr/bin/boxwright" --version) ||
    fail "the installed program did not run: $version"
echo "$version" | grep -q '^Boxwright ' || fail "the installed program said: $version"

cp "$start_report" "$root/usr/bin/boxwright-start-report"
out=$(cd / && env -u BOXWRIGHT_MODULE_DIR QT_QPA_PLATFORM=offscreen \
      timeout 60 "$root/usr/bin/boxwright-start-report") || fail "the program's start did not start and leave: $out"
echo "$out"
echo "$out" | grep -qxF "samples $root/usr/share/boxwright/samples" || fail "samples not found where installed"
echo "$out" | grep -qxF "$expected_module" || fail "expected: $expected_module"
if [ "$has_font" = 1 ]; then
    [ -f "$root/usr/share/boxwright/fonts/boxwright-ui-ja-LICENSE.txt" ] || fail "the interface font's licence is missing"
    expected_font="interface-font $root/usr/share/boxwright/fonts/boxwright-ui-ja.otf"
else
    expected_font="interface-font none"
fi
echo "$out" | grep -qxF "$expected_font" || fail "expected: $expected_font"
echo "$deb: installs and starts"
