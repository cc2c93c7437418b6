#!/usr/bin/env bash
# The Debian package, made as the README says (cpack -G DEB in a build tree; the README's is the
# release build of ./run, this test's the build it tests, already built) and checked as a
# packager would: it holds exactly what the install rules install, its control fields name the
# package and what it needs, and the files it brings pass the desktop's own validators.
#   package_test.sh BUILD_DIR VERSION PYTHON_PACKAGE(ON/OFF)
set -u
build=$1
version=$2
python=${3:-OFF}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
step() { "$@" >"$work/step.log" 2>&1 || { cat "$work/step.log"; fail "$*"; }; }

step cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake"
deb="$work/out/kvt_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $deb"

# Contents: what the install rules install, and among it everything a user needs.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/packaged"
step cmake --install "$build" --prefix "$work/installed/usr"
(cd "$work/installed" && find . ! -type d | sed 's|^\./||' | sort) >"$work/installed.txt"
diff "$work/installed.txt" "$work/packaged" || fail "the package differs from the install rules"
for file in usr/bin/kvt usr/bin/kvt-batch usr/share/applications/kvt.desktop \
  usr/share/mime/packages/kvt.xml usr/share/metainfo/local.kvt.Kvt.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/kvt.svg usr/share/man/man1/kvt.1.gz \
  usr/share/man/man1/kvt-batch.1.gz usr/share/kvt/examples/default.kvt \
  usr/share/kvt/examples/bilinear.kvt usr/share/doc/kvt/copyright; do
  grep -qx "$file" "$work/packaged" || fail "the package lacks $file"
done

# Control fields: the run-time dependencies are computed from the binaries, plus what Qt loads.
[ "$(dpkg-deb -f "$deb" Package)" = kvt ] || fail "Package is not kvt"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6widgets6 qt6-qpa-plugins fonts-ipafont-gothic; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done

# The installed files as the desktop reads them.
root="$work/root"
dpkg-deb -x "$deb" "$root"
step desktop-file-validate "$root/usr/share/applications/kvt.desktop"
grep -qx 'Exec=kvt %f' "$root/usr/share/applications/kvt.desktop" || fail "Exec does not take a file"
step appstreamcli validate --no-net "$root/usr/share/metainfo/local.kvt.Kvt.metainfo.xml"
mkdir -p "$work/mime/packages" && cp "$root/usr/share/mime/packages/kvt.xml" "$work/mime/packages/"
step update-mime-database "$work/mime"
grep -q ':application/x-kvt-parameters:\*\.kvt' "$work/mime/globs2" || fail "*.kvt has no MIME type"
for page in kvt kvt-batch; do
  zcat "$root/usr/share/man/man1/$page.1.gz" >"$work/$page.1"
  warnings=$(groff -ww -man -Tutf8 -z "$work/$page.1" 2>&1)
  [ -z "$warnings" ] || fail "groff warns about $page.1: $warnings"
  warnings=$(LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page.1: $warnings"
done

# The programs run from the package, and the manual names every option kvt-batch offers.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/kvt" --version)" = "kvt $version" ] ||
  fail "the packaged kvt does not tell its version"
for option in $("$root/usr/bin/kvt-batch" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  grep -q -- "${option//-/\\\\-}" "$work/kvt-batch.1" || fail "kvt-batch.1 does not explain $option"
done
cp "$root/usr/share/kvt/examples/default.kvt" "$work/"
(cd "$work" && "$root/usr/bin/kvt-batch" default.kvt) | grep -q '^default.kvt: 432 steps' ||
  fail "the packaged kvt-batch does not run the packaged example"
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/kvt-batch" --figures svg default.kvt \
  >/dev/null) && [ -s "$work/default.load-slip.svg" ] ||
  fail "the packaged kvt-batch does not find its figure module"

# The Python package where Debian's Python finds it, and the Python it is built for recommended.
if [ "$python" = ON ]; then
  site=usr/lib/python3/dist-packages/kvt
  grep -qx "$site/__init__.py" "$work/packaged" || fail "the package lacks $site/__init__.py"
  grep -qx "$site/_core\.cpython-.*\.so" "$work/packaged" || fail "the package lacks kvt._core"
  grep -q 'python3-pandas' <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "pandas is not recommended"
  PYTHONPATH="$root/usr/lib/python3/dist-packages" PYTHONNOUSERSITE=1 /usr/bin/python3 -c '
import kvt, sys
run = kvt.run(kvt.Case.from_file(sys.argv[1]))
assert kvt.__file__.startswith(sys.argv[2]) and run.steps == 432, (kvt.__file__, run)
' "$work/default.kvt" "$root" || fail "the packaged Python package does not run the example"
fi
echo "package $(basename "$deb"): ok"
