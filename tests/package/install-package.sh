#!/usr/bin/env bash
# Makes the Debian package of this build, installs it with apt as a user
# would, starts the installed program the way its desktop entry does on a
# private X server, runs a whole generation, ends the program, removes the
# package and looks for anything of it left behind.
#   install-package.sh BUILD_FOLDER VERSION DESKTOP_ID PROGRAM_FOLDER
# Exits 77 (skipped) without root or password-free sudo, and when a leafwright
# package is already installed: the test would replace and then remove it.
set -euo pipefail
build=$1
version=$2
app_id=$3
program_folder=$4 # where the package puts the program, such as /usr/lib/x86_64-linux-gnu/leafwright

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
started=$EPOCHREALTIME
step() { awk -v from="$started" -v now="$EPOCHREALTIME" -v what="$*" \
    'BEGIN { printf "[%5.1f s] %s\n", now - from, what }'; }
# Unpacked, configured or on its way there: anything but absent or only its
# configuration files left.
package_present() {
    local status
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' leafwright 2>/dev/null || true)
    [[ -n ${status:1:1} && ${status:1:1} != [nc] ]]
}

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    sudo -n true 2>/dev/null || skip "installing a package needs root or password-free sudo"
    as_root=(sudo -n)
fi
if package_present; then
    installed=$(dpkg-query -W -f='${Version}' leafwright)
    skip "leafwright $installed is installed here; remove it first (apt-get remove leafwright)"
fi
for tool in cpack dpkg-deb apt-get Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh --test)"
done

# Everything of this run lives in one folder: the package, the user's home,
# the working folder and the X server's display number.
work=$(mktemp -d /tmp/leafwright-package-test.XXXXXXXX)
# apt reads a local package as its own unprivileged user.
chmod 755 "$work"
program_pid=
xvfb_pid=
we_installed=false

# The processes whose command line names a folder of this run: the office
# the program started keeps its profile under the run's home.
processes_of_this_run() {
    local entry command_line
    for entry in /proc/[0-9]*; do
        command_line=$(tr '\0' ' ' 2>/dev/null <"$entry/cmdline") || continue
        [[ $command_line == *"$work/"* ]] && echo "${entry#/proc/}"
    done
    return 0
}

cleanup() {
    local rc=$?
    set +e
    if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
        kill -KILL "$program_pid"
        wait "$program_pid" 2>/dev/null
    fi
    for pid in $(processes_of_this_run); do
        kill -KILL "$pid" 2>/dev/null
    done
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    if $we_installed && package_present; then
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq \
            -o DPkg::Lock::Timeout=300 leafwright >/dev/null
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT

# --- the package, made afresh from this build into this run's folder
step "making the package"
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
shopt -s nullglob
debs=("$work/package"/*.deb)
shopt -u nullglob
((${#debs[@]} == 1)) || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
deb=${debs[0]}
[[ $(basename "$deb") == "leafwright_${version}_$(dpkg --print-architecture).deb" ]] ||
    fail "unexpected package name $(basename "$deb")"
chmod 644 "$deb"
step "made $(basename "$deb"), $(stat -c %s "$deb") bytes"

# Every entry belongs to root, with the modes Debian expects.
dpkg-deb -c "$deb" >"$work/contents"
awk '$2 != "root/root" { print "not owned by root: " $0; bad = 1 }
     $1 ~ /^d/ && $1 != "drwxr-xr-x" { print "directory mode: " $0; bad = 1 }
     $1 ~ /^-/ && $1 != "-rw-r--r--" && $1 != "-rwxr-xr-x" { print "file mode: " $0; bad = 1 }
     END { exit bad }' "$work/contents" || fail "wrong owner or mode in the package"
expected=(
    ./usr/bin/leafwright
    ".$program_folder/leafwright"
    ".$program_folder/leafwright-office.so"
    ./usr/share/leafwright/HAND-M.CUR
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    ./usr/share/man/man1/leafwright.1.gz
    ./usr/share/doc/leafwright/changelog.gz
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for path in "${expected[@]}"; do
    awk -v path="$path" '$NF == path || ($(NF - 1) == "->" && $(NF - 2) == path) { found = 1 }
        END { exit !found }' "$work/contents" || fail "the package lacks $path"
done
# The program's folder holds the program and its engine module; data lives
# under /usr/share.
in_program_folder=$(awk -v folder=".$program_folder/" '$1 !~ /^d/ && index($NF, folder) == 1 {
    print substr($NF, length(folder) + 1) }' "$work/contents" | sort | tr '\n' ' ')
[[ $in_program_folder == "leafwright leafwright-office.so " ]] ||
    fail "the program's folder holds: $in_program_folder"
[[ $(awk -v path=".$program_folder/leafwright" '$NF == path { print $1 }' "$work/contents") == \
    -rwxr-xr-x ]] ||
    fail "the program is not executable"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in "libreoffice-writer | libreoffice-writer-nogui" \
    "libreoffice-draw | libreoffice-draw-nogui" "libreoffice-calc | libreoffice-calc-nogui" \
    fonts-liberation2 libqt6widgets6 libuno-cppu3 \
    libcups2; do
    [[ ", $depends," == *", $needed"[,\ ]* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *cups* ]] || fail "Recommends lacks cups"

# --- installed with apt, which resolves what it depends on
step "installing with apt"
we_installed=true
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    -o DPkg::Lock::Timeout=300 "$deb" >"$work/apt-install.log" 2>&1 ||
    { cat "$work/apt-install.log"; fail "apt-get install failed"; }
[[ $(dpkg-query -W -f='${db:Status-Abbrev}|${Version}' leafwright) == "ii |$version" ]] ||
    fail "leafwright $version is not installed after apt-get install"
dpkg -L leafwright >"$work/files"

# --- started as its desktop entry says, with nothing of this build in reach
desktop_file=/usr/share/applications/$app_id.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop_file" | head -n 1)
read -r -a command <<<"${exec_line//%[fFuUik]/}"
user_path=/usr/bin:/bin
program=$(PATH=$user_path command -v "${command[0]}") || fail "Exec=$exec_line is not on the PATH"
[[ $(readlink -f "$program") == "$program_folder/leafwright" ]] ||
    fail "Exec=$exec_line starts $(readlink -f "$program"), not the installed program"

mkdir -p "$work/home" "$work/temp" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

step "starting $exec_line on display $DISPLAY"
env -i HOME="$work/home" PATH="$user_path" DISPLAY="$DISPLAY" LANG=C.UTF-8 \
    XDG_RUNTIME_DIR="$work/runtime" TEMP="$work/temp" TMPDIR="$work/tmp" \
    LEAFWRIGHT_REPORT_READY=1 "${command[@]}" >"$work/program.out" 2>"$work/program.err" &
program_pid=$!
show_program_output() {
    echo "--- program output"
    cat "$work/program.out" "$work/program.err"
    echo "--- visible windows"
    for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "$window $(xdotool getwindowname "$window")"
    done
}
wait_for() { # seconds, then a command that succeeds when the wait is over
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    until "$@"; do
        kill -0 "$program_pid" 2>/dev/null || { show_program_output; fail "the program ended"; }
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}
leafwright_windows() { xdotool search --onlyvisible --name '^Leafwright$' 2>/dev/null || true; }
main_window_shown() {
    main=$(leafwright_windows)
    main=${main%%$'\n'*}
    [[ -n $main ]]
}
wait_for 60 grep -qx ready "$work/program.out" || { show_program_output; fail "no ready report"; }
wait_for 20 main_window_shown || { show_program_output; fail "no main window"; }
step "main window $main is up"

# The buttons where the main window has them, in pixels of its client area.
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; }
settings=$work/home/.config/Tessaly/Leafwright.conf
settings_hold_sample() { grep -q "Little Tool Shed" "$settings" 2>/dev/null; }
click 400 55 # Load Sample/Example Data
wait_for 10 settings_hold_sample ||
    { show_program_output; fail "the sample data did not reach $settings"; }
click 268 21 # Start Creating Template
preview_shown() {
    local windows
    windows=$(leafwright_windows)
    [[ -n $windows ]] && ! grep -qx "$main" <<<"$windows"
}
wait_for 120 preview_shown || { show_program_output; fail "no preview window after the run"; }
step "preview window is up, the main window hidden"

shopt -s nullglob
documents=("$work/temp"/tmpout*.doc)
shopt -u nullglob
((${#documents[@]} == 1)) || fail "working folder holds: $(ls -A "$work/temp")"
[[ $(head -c 4 "${documents[0]}" | od -An -tx1 | tr -d ' \n') == d0cf11e0 ]] ||
    fail "${documents[0]} is no Word 97-2003 document"
if command -v catdoc >/dev/null; then
    text=$(catdoc "${documents[0]}")
    [[ $text == *"Little Tool Shed"* ]] || fail "the brochure lacks the sample data"
fi
[[ -n $(processes_of_this_run) ]] || fail "no office process of this run was found"

# Ended as a desktop session ends it; it stops its office and removes its
# working files.
kill -TERM "$program_pid"
deadline=$((SECONDS + 30))
while kill -0 "$program_pid" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.2; done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not end on SIGTERM"
exit_code=0
wait "$program_pid" || exit_code=$?
program_pid=
((exit_code == 0)) || { show_program_output; fail "the program ended with $exit_code"; }
deadline=$((SECONDS + 10))
while [[ -n $(processes_of_this_run) ]] && ((SECONDS < deadline)); do sleep 0.2; done
[[ -z $(processes_of_this_run) ]] || fail "processes left running: $(processes_of_this_run)"
left=$(find "$work/temp" "$work/tmp" -mindepth 1)
[[ -z $left ]] || fail "files left: $left"
step "the program ended, leaving no process and no working file"

# --- removed, leaving nothing of it; folders other packages hold stay
step "removing with apt"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q \
    -o DPkg::Lock::Timeout=300 leafwright >"$work/apt-remove.log" 2>&1 ||
    { cat "$work/apt-remove.log"; fail "apt-get remove failed"; }
we_installed=false
package_present && fail "leafwright is still installed"
left=()
while IFS= read -r path; do
    [[ $path == /. ]] && continue
    [[ -e $path || -L $path ]] || continue
    if [[ -d $path && ! -L $path ]] && dpkg-query -S "$path" >/dev/null 2>&1; then
        continue
    fi
    left+=("$path")
done <"$work/files"
((${#left[@]} == 0)) || fail "left after removal: ${left[*]}"
step "removed; none of its $(wc -l <"$work/files") paths is left"
