#!/bin/bash
# Tests one release archive the way docs/install.md has an admin use it:
# unpack it into an empty directory, check that it holds every file the
# guide names and nothing else, lay out a sensor directory as on a probe
# (the programs of bin/, the RFC library beside them, the profiles), with
# the package's simulated library in the place of SAP's, and run a profile
# check, the connection test and sensors there.
#
#   packaging/test-package.sh ARCHIVE                   a Linux archive, natively
#   packaging/test-package.sh --wine LOADER ARCHIVE     a Windows archive under Wine
#                                                       (WINEPREFIX as set by the caller)
#   packaging/test-package.sh --content-only ARCHIVE    unpack and check the files only
#                                                       (a 32-bit archive on a machine
#                                                       that cannot run 32-bit programs)
#
# Prints a line per check and ends with "N passed, N failed"; the exit
# status is 0 when nothing failed.
set -uo pipefail
REPO=$(cd "$(dirname "$0")/.." && pwd)

wine=()
run_programs=1
case ${1:-} in
  --wine) wine=("$2"); shift 2 ;;
  --content-only) run_programs=0; shift ;;
esac
[[ $# -eq 1 && -f $1 ]] || { echo "usage: $0 [--wine LOADER | --content-only] ARCHIVE" >&2; exit 2; }
archive=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

name=$(basename "$archive")
name=${name%.zip}
name=${name%.tar.gz}
version=${name#keldar-}
version=${version%%-*}
if [[ $name == *windows* ]]; then
  exe=.exe library=librfc32.dll
else
  exe='' library=librfccm.so
fi

passed=0
failed=0
check() {  # check NAME COMMAND...: one check, by the command's exit status
  local what=$1; shift
  if "$@"; then
    passed=$((passed + 1)); echo "ok    $what"
  else
    failed=$((failed + 1)); echo "FAIL  $what"
  fi
}

mkdir -p "$REPO/build"
WORK=$(mktemp -d "$REPO/build/package-test.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# --- Unpacked into an empty directory -----------------------------------------
mkdir "$WORK/unpacked"
check "$name unpacks" bash -c "cd '$WORK/unpacked' && cmake -E tar xf '$archive'"
root=$WORK/unpacked/$name

expected() {
  local p d
  printf '%s\n' README.md LICENSE lookups/keldar.grade.state.ovl \
    examples/PRD.P00 examples/QAS.P00 "examples/SAP Velquist.Gbl" \
    "simulator/$library" simulator/landscape.json simulator/SapRfc.ini simulator/README.txt
  for p in keldar keldar-quibbet keldar-pimtrel keldar-halvenor keldar-dravosk keldar-profile; do
    echo "bin/$p$exe"
  done
  for d in "$REPO"/docs/*.md; do echo "docs/$(basename "$d")"; done
  # Each document has its HTML copy.
  echo README.html
  for d in "$REPO"/docs/*.md; do echo "docs/$(basename "$d" .md).html"; done
}
files_match() {
  diff <(expected | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort)
}
check "holds exactly the files of the install guide" files_match
check "the README of the package is the repository's" cmp -s "$REPO/README.md" "$root/README.md"
check "the install guide is there" test -s "$root/docs/install.md"
check "the simulator's note says it is not SAP's library" \
  grep -q "NOT SAP'S RFC LIBRARY" "$root/simulator/README.txt"
check "the simulated library is not among the programs" test ! -e "$root/bin/$library"
# The HTML copies open offline: nothing is loaded from elsewhere, and the
# links between the documents lead to the copies.
html_offline() {
  local page
  for page in "$root"/README.html "$root"/docs/*.html; do
    grep -qi '<script\|<link\|src="http\|href="[^"#:]*\.md[#"]' "$page" && { echo "      $page"; return 1; }
    grep -q '<h1>' "$page" || { echo "      $page has no heading"; return 1; }
  done
  grep -q 'href="docs/install.html"' "$root/README.html"
}
check "the HTML documents open offline and link each other" html_offline

# The version resource of a Windows program: its strings are UTF-16.
utf16() {
  local text=$1 out="" i c
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    [[ $c == . ]] && c='\.'
    out+="$c"'\x00'
  done
  printf '%s' "$out"
}
version_resource() {
  LC_ALL=C grep -qaP "$(utf16 FileVersion)(\\x00)+$(utf16 "$version")\\x00\\x00" "$1"
}
if [[ -n $exe ]]; then
  for p in keldar keldar-profile; do
    check "$p$exe has the version resource $version" version_resource "$root/bin/$p$exe"
  done
fi

if [[ $run_programs -eq 0 ]]; then
  echo
  echo "$passed passed, $failed failed"
  [[ $failed -eq 0 ]]
  exit
fi

# --- The sensor directory, as the install guide lays it out --------------------
# bin/ into the sensor directory, the RFC library beside the programs (here
# the package's simulator, where a probe has SAP's), the profiles and the
# global file beside them, and the simulator's landscape as rfcsim.json.
probe=$WORK/EXEXML
mkdir "$probe"
cp "$root"/bin/* "$probe"/
cp "$root/simulator/$library" "$probe"/
cp "$root"/examples/* "$probe"/
cp "$root/simulator/landscape.json" "$probe/rfcsim.json"
# The demo profile with a wrong password, for the failing connection test.
printf '%s\n' Wrong999 | (cd "$probe" && "${wine[@]}" ./keldar-profile$exe create BAD \
  --extcompany Keldar --destination PRD --client 100 --user MONITOR --language E --mode R/3 \
  --hostname prdci01 --sysnr 00 --gwhost prdci01 --gwservice sapgw00 >/dev/null 2>&1)

# run STATUS PROGRAM ARGS...: runs a program of the sensor directory there;
# its standard output lands in $WORK/out.
run() {
  local status=$1 program=$2; shift 2
  (cd "$probe" && "${wine[@]}" "./$program$exe" "$@") >"$WORK/out" 2>"$WORK/err" </dev/null
  local rc=$?
  [[ $rc -eq $status ]] || { echo "      $program $*: status $rc, expected $status"; cat "$WORK/out" "$WORK/err"; return 1; }
}
out_has() {  # out_has LINE...: each line stands in the output, in this order
  local line rest
  rest=$(cat "$WORK/out")
  for line in "$@"; do
    [[ $rest == *"$line"* ]] || { echo "      missing: $line"; cat "$WORK/out"; return 1; }
    rest=${rest#*"$line"}
  done
}
prtg_result() {  # one PRTG result document with channels and no error
  local text
  text=$(cat "$WORK/out")
  [[ $text == $'\n<Prtg>\n'*'<Channel>'*'<Value>'*'</Prtg>' && $text != *'<Error>'* ]] ||
    { echo "      no PRTG result:"; cat "$WORK/out"; return 1; }
}

version_named() { run 0 keldar-profile --version && out_has "keldar-profile, SAP Keldar Vers $version / "; }
profile_checked() { run 0 keldar-profile check PRD && out_has "Profile PRD.P00 is complete."; }
connection_works() {
  run 0 keldar-profile test PRD &&
    out_has "System ID....: PRD" "Host.........: prdci01" "XAL version..: 1.0" "Monitor sets.: 2" \
      "Result.......: the connection works"
}
logon_refused() {
  run 2 keldar-profile test BAD &&
    out_has "Failed step..: open the connection (logon)" "Hint.........: The SAP system refused the logon" &&
    ! grep -q Wrong999 "$WORK/out"
}
local_sensor() { run 0 keldar PRD PRD_CPU && prtg_result; }
grades_sensor() { run 0 keldar PRD PRD_STATE && prtg_result && out_has "<CustomUnit>State</CustomUnit>"; }
global_sensor() { run 0 keldar GLOBAL CPU_ALL && prtg_result && out_has "NoSystems=2, Processed=2, Failed=0"; }
sibling() { run 0 keldar-halvenor PRD PRD_CPU && out_has "Statistic."; }
banner() { run 0 keldar PRD PRD_CPU "#" && out_has " SAP Keldar Vers $version / "; }

check "keldar-profile --version names $version" version_named
check "keldar-profile check accepts the example profile" profile_checked
check "keldar-profile test reports a working system" connection_works
check "keldar-profile test names the failing step and hides the password" logon_refused
check "a local sensor delivers its channels" local_sensor
check "a grades sensor delivers its State channels" grades_sensor
check "a global sensor measures both systems" global_sensor
check "a sibling binary prints its own format" sibling
check "trace mode shows the version in its banner" banner

echo
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
