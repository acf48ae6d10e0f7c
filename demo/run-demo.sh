#!/bin/bash
# make demo: runs a few representative commands against a build, each with a
# label, the command line as typed and what it prints, in a scratch directory
# that plays the sensor directory of a PRTG probe.
#
#   demo/run-demo.sh [BIN-DIR]        (default build/bin)
#
# To add an entry, append a "show" line below: show LABEL COMMAND [ARGS...]
# (use "show_stdin TEXT LABEL COMMAND..." for a command that reads standard
# input).
set -uo pipefail
cd "$(dirname "$0")/.."
REPO=$PWD
BIN=$(cd "${1:-build/bin}" && pwd)
for program in keldar keldar-halvenor keldar-dravosk keldar-profile; do
  [[ -x $BIN/$program ]] || { echo "demo: $BIN/$program is not built (make build)" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/keldar-demo.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
PATH=$BIN:$PATH

bold=$'\e[1m' dim=$'\e[2m' off=$'\e[0m'
[[ -t 1 ]] || bold='' dim='' off=''
entry=0

# show LABEL COMMAND...: runs COMMAND and shows its output and exit status.
show() {
  local label=$1; shift
  entry=$((entry + 1))
  printf '\n%s%d. %s%s\n' "$bold" "$entry" "$label" "$off"
  printf '%s$ %s%s\n' "$dim" "$(quote "$@")" "$off"
  "$@"
  printf '%s(exit status %d)%s\n' "$dim" $? "$off"
}

# show_stdin TEXT LABEL COMMAND...: the same with TEXT on standard input.
show_stdin() {
  local text=$1 label=$2; shift 2
  entry=$((entry + 1))
  printf '\n%s%d. %s%s\n' "$bold" "$entry" "$label" "$off"
  printf '%s$ echo %q | %s%s\n' "$dim" "$text" "$(quote "$@")" "$off"
  printf '%s\n' "$text" | "$@"
  printf '%s(exit status %d)%s\n' "$dim" $? "$off"
}

quote() {
  local out="" a
  for a in "$@"; do
    if [[ $a =~ ^[A-Za-z0-9_./:=,@%+-]+$ ]]; then out+=" $a"; else out+=" '$a'"; fi
  done
  printf '%s' "${out# }"
}

echo "Keldar demo in $WORK (programs from $BIN)"

# --- Profiles ---------------------------------------------------------------

show_stdin Secret01 "Scramble a password for a profile's \"Password...:\" line" \
  keldar-profile scramble

show_stdin Secret01 "Create the system profile PRD.P00 with one local sensor" \
  keldar-profile create PRD --extcompany Keldar --destination PRD --client 100 \
  --user MONITOR --language E --mode R/3 --hostname prdci01 --sysnr 00 \
  --gwhost prdci01 --gwservice sapgw00 --description "Production ERP" \
  --mon "CPU_Sensor=MONITOR=Operating:System,MSET=SAP:CCMS:Monitor:Templates,VALUE=18"

show "The profile as written" cat PRD.P00

show "Check the profile as the sensor reads it" keldar-profile check PRD

# --- Start-phase errors -------------------------------------------------------

show "No profile argument: the PRTG error document" keldar

show "A profile but no sensor name" keldar PRD

show "A sensor that the profile does not define" keldar PRD Disk_Space

show "A profile that does not exist" keldar QAS CPU_Sensor

# --- Runs with the simulated RFC library ---------------------------------------

# The simulated library beside the sensor reads its SAP landscape from
# rfcsim.json in the working directory.
cp "$REPO/examples/landscape.json" rfcsim.json

show "A local sensor: the value of the CPU Utilization node (MTUID 18)" \
  keldar PRD MONITOR=Operating:System,MSET=SAP:CCMS:Monitor:Templates,VALUE=18

show "The same in trace mode: the run's progress around the result" \
  keldar PRD MONITOR=Operating:System,MSET=SAP:CCMS:Monitor:Templates,VALUE=18 "#"

show "The stored sensor of the profile, from the Halvenor sibling binary" keldar-halvenor PRD CPU_Sensor

cp PRD.P00 WRONG.P00
sed -i "s|^Password...: .*|Password...: $(printf 'NotTheOne1\n' | keldar-profile scramble)|" WRONG.P00
show "A profile with a wrong password: the connection does not open" keldar WRONG CPU_Sensor

mkdir -p alone
cp "$BIN/keldar" alone/
show "A copy of the sensor without the RFC library beside it" alone/keldar PRD CPU_Sensor

# --- The example configuration (examples/) --------------------------------------

mkdir -p example
cp "$REPO"/examples/*.P00 "$REPO/examples/SAP Velquist.Gbl" example/
cp "$REPO/examples/landscape.json" example/rfcsim.json
cd example
show "The monitor sets of PRD" keldar PRD MONITOR-SETS
show "The monitor trees of a monitor set" keldar PRD MONITOR-SET=SAP:CCMS:Monitor:Templates
show "A value sensor of examples/PRD.P00: CPU Utilization" keldar PRD PRD_CPU
show "A group sensor of examples/PRD.P00: the Dialog values" keldar PRD PRD_DIALOG
show "A state sensor of examples/PRD.P00: grades of Entire System" keldar PRD PRD_STATE
show "One State channel per monitor of the set (monitor-set mode with GRADES)" keldar-dravosk PRD \
  MSET=SAP:CCMS:Monitor:Templates,GRADES
show "The grades of the children of one node (docs/guide.md)" keldar-dravosk PRD \
  "MONITOR=Entire:System,MSET=SAP:CCMS:Monitor:Templates,GRADE=3 ID=prdci01_PRD_00"
show "A state sensor with TIMED: the Syslog node's grade and its last state change" keldar PRD \
  MONITOR=Syslog,MSET=SAP:CCMS:Monitor:Templates,GROUP=24,TIMED
show "An alert sensor with NOTE: the newest syslog alert as the message, Halvenor mode" \
  keldar-halvenor PRD "MONITOR=Syslog,MSET=SAP:CCMS:Monitor:Templates,GRADE=25,LAST,NOTE ID=R3Syslog"
show "A global sensor of examples/SAP Velquist.Gbl, over PRD and QAS" keldar GLOBAL CPU_ALL
show "The global grade sensor in trace mode" keldar GLOBAL DIALOG_ALL "#"
show "A direct definition, Dravosk mode" keldar-dravosk PRD \
  MONITOR=Dialog:Overview,MSET=SAP:CCMS:Monitor:Templates,GROUP=5
cd ..

# --- A failure of the RFC library itself -----------------------------------------

mkdir -p fatal
cp PRD.P00 fatal/
sed 's|"sid": "PRD",|"sid": "PRD", "faults": {"BAPI_XMI_LOGON": {"fatal": "RfcReceive"}},|' \
  "$REPO/examples/landscape.json" >fatal/rfcsim.json
cd fatal
show "The RFC library fails on its own: the RFC error block, exit status 1" keldar PRD CPU_Sensor
cd ..

echo
echo "End of the demo. More in README.md; the messages are explained in docs/messages.md."
