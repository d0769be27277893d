#!/usr/bin/env bash
# The Windows program as a user meets it: quorvane.exe under Wine on an X
# server of its own (Xvfb), found by its caption, driven with real key
# presses (xdotool, through XTest) and checked on the pixels of the X screen
# (ImageMagick's import). Shell tools rather than a C++ X client: they are
# Debian packages already needed to look at the program, and what they read
# is what a person would see on the screen.
#
#   program-test.sh BUILD_DIR [SCREENSHOT.png]
#
# The client area's place and size, and the system font's line height, are
# asked of the window system by quorvane_client_probe.exe; every expected
# position follows from them by the program's formulas. Each wait has a
# time-out. Xvfb, the program and wineserver are ended whatever happens, and
# several copies can run at once: each has its own display and prefix.
set -uo pipefail

build=$(realpath "$1")
screenshot=${2:-}
exe="$build/quorvane.exe"
probe="$build/tests/quorvane_client_probe.exe"
wine=/usr/lib/wine/wine64

work=$(mktemp -d "$build/wine-program.XXXXXX")
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
program_pid=""

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    [ -d "$WINEPREFIX" ] && wineserver -w 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
check() { # description, then a command that succeeds when the check holds
    local description=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok      $description"
    else
        failed=$((failed + 1))
        echo "FAILED  $description"
    fi
}

# Polls a command every 0.2 s until it succeeds or `seconds` have passed.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.2
    done
}

finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

# --- what the executable needs --------------------------------------------

imports_are_system_dlls() {
    local dlls
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
    echo "        imports: $(echo $dlls)"
    [ -n "$dlls" ] && ! grep -qvxE 'kernel32\.dll|user32\.dll|gdi32\.dll|msvcrt\.dll' <<<"$dlls"
}
check "quorvane.exe imports only system DLLs" imports_are_system_dlls

# --- the X server and the prefix --------------------------------------------

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
display_known() { [ -s "$work/display" ]; }
if ! wait_until 20 display_known; then
    echo "Xvfb did not start"
    failed=$((failed + 1))
    finish
fi
export DISPLAY=":$(head -n1 "$work/display")"

# No window manager here: Wine must not wait for one on every close.
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
wineserver -w

# --- the program starts -----------------------------------------------------

"$wine" "$exe" >/dev/null 2>&1 &
program_pid=$!

window=""
find_window() { window=$(xdotool search --name '^Quorvane$' 2>/dev/null | head -n1) && [ -n "$window" ]; }
check "a window captioned Quorvane opens" wait_until 30 find_window
[ -z "$window" ] && finish

outer_size_is_1000_by_700() {
    local geometry
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^\s*Geometry: //p')
    echo "        outer size: $geometry"
    [ "$geometry" = "1000x700" ]
}
check "the window's outer size is 1000 x 700" outer_size_is_1000_by_700

read -r left top W H L charWidth minimised < <("$wine" "$probe" | tr -d '\r')
echo "        client area: ${W} x ${H} at ($left, $top); system font line height $L, character width $charWidth"
client_is_inside_the_frame() { [ "$W" -gt 0 ] && [ "$W" -lt 1000 ] && [ "$H" -gt 0 ] && [ "$H" -lt 700 ]; }
check "the client area is the outer size less the frame" client_is_inside_the_frame
check "started plainly, the window is shown, not minimised" test "$minimised" -eq 0

# --- the screen, read from the X server -------------------------------------

shot="$work/shot.png"
take_shot() { import -window root "$shot" 2>/dev/null; }

# The colour names of client pixels: pixel X Y [X Y ...]
pixels() {
    local format=""
    while [ $# -gt 0 ]; do
        format+="%[pixel:p{$((left + $1)),$((top + $2))}] "
        shift 2
    done
    convert "$shot" -format "$format" info:
}
pixel() { pixels "$1" "$2" | tr -d ' '; }

# How many client pixels of a box are ink (not white) or red: count KIND X Y W H
count() {
    local test
    case $1 in
    ink) test='r<0.9||g<0.9||b<0.9' ;;
    red) test='r>0.7&&g<0.35&&b<0.35' ;;
    blue) test='r<0.2&&g<0.2&&b>0.8' ;;
    green) test='r<0.2&&g>0.3&&g<0.5&&b<0.2' ;;
    magenta) test='r>0.8&&g<0.2&&b>0.8' ;;
    esac
    convert "$shot" -crop "${4}x${5}+$((left + $2))+$((top + $3))" +repage -fx "$test" \
        -format '%[fx:round(mean*w*h)]' info:
}

base=$((3 * H / 4))
peak_top=$((base - H / 2))
x0=$((W / 4))
pulse=$(awk -v w="$W" 'BEGIN { printf "%d", w * 0.01 }')
period=$(awk -v w="$W" 'BEGIN { printf "%d", w * 0.05 }')

first_pulse_is() { take_shot && [ "$(pixel $((x0 + pulse / 2)) "$peak_top")" = "$1" ]; }
check "the first repaint draws the envelope" wait_until 20 first_pulse_is "srgb(0,0,0)"

heading_is_drawn() {
    local ink
    ink=$(count ink $((W / 2 - 120)) 5 240 50)
    echo "        heading: $ink ink pixels around ($((W / 2)), 5)"
    [ "$ink" -gt 500 ] && [ "$(count ink 0 5 $((W / 2 - 150)) 50)" -lt 20 ]
}
check "the heading is centred at the top" heading_is_drawn

credit_is_drawn() {
    [ "$(count ink $((W - 310)) 5 300 "$L")" -gt 50 ] && [ "$(count ink $((W - 9)) 5 9 "$L")" -eq 0 ]
}
check "the credit line ends 10 pixels from the right edge" credit_is_drawn

instruction_lines_are_drawn() {
    local ok=0 row
    for row in 6 5 4 3; do
        [ "$(count red "$charWidth" $((H - row * L)) 300 "$L")" -gt 30 ] || ok=1
    done
    for row in 6 5 4 3 2; do
        [ "$(count red $((W / 2)) $((H - row * L)) 300 "$L")" -gt 30 ] || ok=1
    done
    [ "$(count red $((W / 2)) $((H - 7 * L)) 300 "$L")" -eq 0 ] || ok=1
    [ "$(count red 0 $((H - 6 * L)) "$charWidth" $((5 * L)))" -eq 0 ] || ok=1
    return $ok
}
check "nine red instruction lines sit above the bottom, one line apart" instruction_lines_are_drawn

envelope_is_where_the_formulas_put_it() {
    local points=() expected=() i start
    for i in 0 1 2 3 4; do
        start=$((x0 + i * period))
        points+=("$start" $(((peak_top + base) / 2)) $((start + pulse / 2)) "$peak_top")
        points+=($((start + pulse + 2)) "$peak_top" $((start + (pulse + period) / 2)) "$base")
        expected+=(black black white black)
    done
    points+=($((x0 + 5 * period + 3)) "$base" $((x0 - 3)) "$base" "$x0" $((peak_top - 3)))
    expected+=(white white white)
    local seen
    seen=$(pixels "${points[@]}")
    local colours=()
    read -r -a colours <<<"$seen"
    for i in "${!expected[@]}"; do
        local want=${expected[$i]}
        local got=${colours[$i]}
        [ "$want" = black ] && want="srgb(0,0,0)"
        [ "$want" = white ] && want="srgb(255,255,255)"
        if [ "$got" != "$want" ]; then
            echo "        point ${points[$((2 * i))]},${points[$((2 * i + 1))]}: $got, expected $want"
            return 1
        fi
    done
}
echo "        envelope: from ($x0, $base), tops at $peak_top, pulses $pulse wide every $period"
check "the black envelope: five pulses from (W/4, 3H/4), tops at 3H/4 - H/2" envelope_is_where_the_formulas_put_it

if [ -n "$screenshot" ]; then
    convert "$shot" -crop "${W}x${H}+${left}+${top}" +repage "$screenshot"
fi

# F1 also makes Wine send WM_HELP, which default processing must shrug off.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key F1
check "F1 turns the envelope red" wait_until 10 first_pulse_is "srgb(255,0,0)"
peak_label_is_red() { [ "$(count red $((W / 5 - 80)) "$peak_top" 80 30)" -gt 50 ]; }
check "F1 draws the red Peak label" peak_label_is_red
xdotool key F1
check "F1 again turns it back to black" wait_until 10 first_pulse_is "srgb(0,0,0)"

# --- the keyboard commands --------------------------------------------------

# The pulse's place and size as the rules leave them, by the program's formulas.
widened=$(awk -v w="$W" 'BEGIN { printf "%d", w * 0.01 + 3 }')
lengthened=$(awk -v w="$W" 'BEGIN { printf "%d", w * 0.05 + 2 }')
pulse_top_ends_at() { # last inked column of the first pulse's top
    take_shot && [ "$(pixel $((x0 + $1 - 1)) "$peak_top")" = "srgb(0,0,0)" ] &&
        [ "$(pixel $((x0 + $1 + 2)) "$peak_top")" = "srgb(255,255,255)" ]
}
xdotool key Up Up Up
check "Up three times widens the pulse to trunc(0.01 W + 3) = $widened" wait_until 10 pulse_top_ends_at "$widened"
second_pulse_starts_at() {
    take_shot && [ "$(pixel $((x0 + $1)) $(((peak_top + base) / 2)))" = "srgb(0,0,0)" ] &&
        [ "$(pixel $((x0 + $1 - 3)) $(((peak_top + base) / 2)))" = "srgb(255,255,255)" ]
}
xdotool key Right Right
check "Right twice lengthens the period to trunc(0.05 W + 2) = $lengthened" \
    wait_until 10 second_pulse_starts_at "$lengthened"

train=$((5 * lengthened))
quasi_peak_shown() {
    take_shot && [ "$(count blue "$x0" $((peak_top - 2)) "$train" $((H / 2)))" -gt 150 ] &&
        [ "$(count green "$x0" "$peak_top" "$train" $((H / 2)))" -gt 150 ] &&
        [ "$(count blue $((W / 5 - 170)) $((H / 4 + H / 8)) 170 30)" -gt 50 ] &&
        [ "$(count green $((W / 5 - 120)) $((H / 4 + H / 8 + 25)) 120 30)" -gt 10 ]
}
average_shown() {
    take_shot && [ "$(count magenta "$x0" "$peak_top" "$train" $((H / 2 + 2)))" -gt 200 ] &&
        [ "$(count magenta $((W / 5 - 130)) $((base - H / 4)) 130 30)" -gt 50 ]
}
no_detector_colour_left() {
    take_shot && [ "$(count blue 0 0 "$W" "$H")" -eq 0 ] && [ "$(count green 0 0 "$W" "$H")" -eq 0 ] &&
        [ "$(count magenta 0 0 "$W" "$H")" -eq 0 ]
}
xdotool key F2
check "F2 draws the blue quasi-peak curve, the green metered line and both labels" wait_until 10 quasi_peak_shown
xdotool key F3
check "F3 draws the magenta average line and its label" wait_until 10 average_shown
xdotool key Up
check "an arrow key keeps both traces in their colours" wait_until 10 quasi_peak_shown
check "... and the average with them" average_shown
xdotool key F2 F3
check "F2 and F3 again take every trace and label off" wait_until 10 no_detector_colour_left

dialog=""
find_dialog() { dialog=$(xdotool search --name '^Dialog$' 2>/dev/null | head -n1) && [ -n "$dialog" ]; }
dialog_gone() { ! xdotool search --name '^Dialog$' >/dev/null 2>&1; }
xdotool key F4
check "F4 opens the supporting-text dialog" wait_until 20 find_dialog
if [ -n "$dialog" ]; then
    xdotool key Escape
    sleep 0.5 # nothing to wait for: the dialog must simply still be there
    check "Escape leaves it open" find_dialog
    xdotool key Return
    check "Enter closes it" wait_until 20 dialog_gone
fi

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key F2 F3
check "the program takes keys again after the dialog" wait_until 10 quasi_peak_shown
xdotool key F5
default_screen_is_back() {
    first_pulse_is "srgb(0,0,0)" && pulse_top_ends_at "$pulse" && no_detector_colour_left
}
check "F5 clears the traces and brings back the default pulse" wait_until 20 default_screen_is_back
xdotool key F3
check "after F5, F3 shows the average with a coloured label" wait_until 10 average_shown

# --- closing -------------------------------------------------------------

xdotool key alt+F4
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
check "Alt+F4 closes the window and ends the program" wait_until 20 program_ended
if program_ended; then
    wait "$program_pid"
    code=$?
    program_pid=""
    echo "        exit code: $code"
    check "the exit code is 0" test "$code" -eq 0
fi
no_window_left() { ! xdotool search --name '^Quorvane$' >/dev/null 2>&1; }
check "no window is left" no_window_left

# --- the show state the process was started with ------------------------

# start /min sets STARTF_USESHOWWINDOW with a minimising show state.
"$wine" start /wait /min /unix "$exe" >/dev/null 2>&1 &
program_pid=$!
probe_says_minimised() {
    local fields=()
    read -r -a fields < <("$wine" "$probe" 2>/dev/null | tr -d '\r')
    [ "${fields[6]:-0}" -eq 1 ]
}
check "started with start /min, the window opens minimised" wait_until 30 probe_says_minimised
"$wine" "$probe" close >/dev/null 2>&1
check "asked to close, the minimised program ends" wait_until 20 program_ended
if program_ended; then
    wait "$program_pid"
    code=$?
    program_pid=""
    check "its exit code is 0" test "$code" -eq 0
fi

finish
