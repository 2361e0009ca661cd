#!/usr/bin/env bash
# Regenerates the example library: short spoken prompts in wave/ (made with espeak-ng, converted
# with sox to the accepted mono formats), the archive station.arh and the playlist station.pla.
# The output is the same on every run with the same espeak-ng and sox.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null || { echo "make-examples.sh needs $tool" >&2; exit 1; }
done

# file name | rate | bits | spoken text
voices=(
    "door-open.wav|8000|8|Door open"
    "door-closed.wav|8000|16|Door closed"
    "doors-closing.wav|11025|16|Doors closing"
    "lift-arriving.wav|12000|16|Lift arriving"
    "going-up.wav|16000|16|Going up"
    "going-down.wav|16000|16|Going down"
    "mind-the-step.wav|8000|8|Mind the step"
    "fire-alarm.wav|22050|16|Fire alarm"
    "leave-building.wav|24000|16|Please leave the building"
    "all-clear.wav|32000|16|All clear"
    "test-alarm.wav|44100|16|This is a test"
    "welcome.wav|48000|16|Welcome"
)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
rm -rf wave
mkdir -p wave
for entry in "${voices[@]}"; do
    IFS='|' read -r file rate bits text <<<"$entry"
    espeak-ng -s 150 -w "$scratch/speech.wav" "$text"
    # -D: no dither, so the files come out the same on every run.
    sox -V1 "$scratch/speech.wav" -D -c 1 -r "$rate" -b "$bits" "wave/$file"
done

# The files are INI text with CR LF line ends, as the editor writes them.
crlf() { printf '%s\r\n' "$@"; }

# One voice group: number, file name, voice name, description.
group() { crlf "$1.FileName=$2" "$1.Filepath=${2:+wave/}" "$1.VoiceName=$3" "$1.Descripition=$4"; }

{
    crlf "[Version]" "VersionInfo=V1.01 Build 02022010 "
    crlf "[Class]" "TotalClass=3" "ArchiveName=Station" "1.Name=Doors" "2.Name=Spare" "3.Name=Alarms"
    crlf "[~Doors]"
    group 1 door-open.wav "Door open" "Front door opening"
    group 2 door-closed.wav "Door closed" ""
    group 3 doors-closing.wav "Doors closing" "Lift doors"
    group 4 lift-arriving.wav "Lift arriving" "Lift hall"
    group 5 going-up.wav "Going up" ""
    group 6 going-down.wav "Going down" ""
    group 7 mind-the-step.wav "Mind the step" "Platform edge"
    crlf "[~Alarms]"
    group 1 fire-alarm.wav "Fire alarm" "Leave the building"
    group 2 leave-building.wav "Leave the building" "Evacuation"
    group 3 all-clear.wav "All clear" "End of alarm"
    group 4 test-alarm.wav "Test alarm" "Weekly test"
    group 5 welcome.wav "Welcome" "Entrance"
} >station.arh

# The playlist: slots with gaps between them, every one of the 245 groups written.
declare -A slots=(
    [1]="welcome.wav|Welcome|Entrance"
    [2]="door-open.wav|Door open|Front door opening"
    [3]="door-closed.wav|Door closed|"
    [10]="lift-arriving.wav|Lift arriving|Lift hall"
    [11]="going-up.wav|Going up|"
    [12]="going-down.wav|Going down|"
    [40]="fire-alarm.wav|Fire alarm|Leave the building"
    [41]="leave-building.wav|Leave the building|Evacuation"
    [99]="all-clear.wav|All clear|End of alarm"
    [245]="mind-the-step.wav|Mind the step|Platform edge"
)
{
    crlf "[~station]"
    for n in $(seq 1 245); do
        IFS='|' read -r file name description <<<"${slots[$n]:-||}"
        group "$n" "$file" "$name" "$description"
    done
} >station.pla

du -sh wave
