#!/usr/bin/env bash
# End-to-end tests of the real Windows executables under Wine, in a
# throwaway prefix and a virtual X server.
#   tests/e2e/run.sh BUILD_DIR      (BUILD_DIR holds Orvane.exe, Orvane-Setup.exe, orvane-probe.exe)
# Screenshots of the running dock are kept beside BUILD_DIR in e2e-artifacts/
# (build/e2e-artifacts/ for build/windows): dock-wine.png at rest,
# dock-hover-wine.png with the pointer over its first icon.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)"
repo="$(cd "$(dirname "$0")/../.." && pwd)"
artifacts="$(dirname "$build")/e2e-artifacts"
mkdir -p "$artifacts"
. "$here/../../scripts/wine-env.sh"
# Mesa's compiled shaders outlive the throwaway prefix, so only the first
# run on a machine pays for compiling them.
export MESA_SHADER_CACHE_DIR="$(dirname "$build")/e2e-shader-cache"

passed=0
failed=0
check() {  # check "what" command...
  local what="$1"; shift
  if "$@"; then
    passed=$((passed + 1)); echo "  ok    $what"
  else
    failed=$((failed + 1)); echo "  FAIL  $what"
  fi
}
section() { echo "== $*"; }

probe() { wine "$build/orvane-probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
reg_query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
# "TYPE DATA" of one value, from `reg query KEY /v NAME` (runs of spaces become one).
reg_value() { reg_query "$1" /v "$2" | awk -v n="$2" '$1 == n { $1=""; sub(/^ +/, ""); print }'; }
has_line() { grep -qF -- "$2" <<<"$1"; }
lacks_line() { ! has_line "$@"; }
matches() { grep -qE -- "$2" <<<"$1"; }
wait_window() { probe wait-window OrvaneRenderWindow "${1:-30000}" >/dev/null; }
wait_gone() { probe wait-gone OrvaneRenderWindow "${1:-15000}" >/dev/null; }
# The value of KEY=... on the line of `probe dock-windows` output that starts with WHAT.
dock_field() { sed -n "s/^$2 .*\b$3=\([^ ]*\).*/\1/p" <<<"$1"; }
# Whether rect A (l,t,r,b) lies inside rect B.
rect_within() {
  local al at ar ab bl bt br bb
  IFS=, read -r al at ar ab <<<"$1"; IFS=, read -r bl bt br bb <<<"$2"
  [ -n "$al" ] && [ -n "$bl" ] && [ "$al" -ge "$bl" ] && [ "$at" -ge "$bt" ] && [ "$ar" -le "$br" ] && [ "$ab" -le "$bb" ]
}
rect_has_area() { local l t r b; IFS=, read -r l t r b <<<"$1"; [ -n "$b" ] && [ "$r" -gt "$l" ] && [ "$b" -gt "$t" ]; }
# The value of KEY=... in `probe window-state` output.
state_field() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" <<<"$1"; }
# Whether the dock has drawn its first frame: both windows are shown (until
# then they sit hidden, both at their creation rectangle) and the input
# window lies over the plate inside the render window.
dock_drawn() {
  local render input
  render="$(probe window-state OrvaneRenderWindow)"
  input="$(probe window-state OrvaneInputWindow)"
  matches "$render" '^visible=1 ' && matches "$input" '^visible=1 ' || return 1
  input="$(state_field "$input" rect)"
  rect_has_area "$input" && rect_within "$input" "$(state_field "$render" rect)"
}
# Waits up to 30 s for the dock's first frame.
dock_placed() {
  for _ in $(seq 1 60); do dock_drawn && return 0; sleep 0.5; done
  return 1
}
# Presses the keys in order and releases them in reverse, as a user types a
# shortcut (names or virtual-key codes, as `probe key` takes them).
press_keys() {
  local up=() key
  for key in "$@"; do up=("$key" "${up[@]}"); done
  probe key down "$@" >/dev/null && probe key up "${up[@]}" >/dev/null
}
# Waits up to 60 s for the log at $1 to report the dock created: a first
# start compiles its shaders, which takes many seconds on a busy machine.
wait_started() {
  for _ in $(seq 1 120); do grep -qF '] DockWindow created' "$1" 2>/dev/null && return 0; sleep 0.5; done
  return 1
}
# The menu window: its state, and waits of up to 4 s for it to show or hide.
menu_state() { probe window-state OrvaneContextMenu; }
menu_shown() { for _ in $(seq 1 40); do matches "$(menu_state)" '^visible=1 ' && return 0; sleep 0.1; done; return 1; }
menu_hidden() { for _ in $(seq 1 40); do matches "$(menu_state)" '^visible=0 ' && return 0; sleep 0.1; done; return 1; }
# Clicks the row whose top is TOP DIP below the plate's top (rows are 27 DIP, at scale 1).
menu_click() {
  local l t
  IFS=, read -r l t _ _ <<<"$(menu_state | sed -n 's/.* rect=\([-0-9,]*\).*/\1/p')"
  probe pointer click "$((l + 12 + 60))" "$((t + 12 + $1 + 13))" >/dev/null
}
# The notification panel: its state, and waits of up to 4 s for it to show or hide.
panel_state() { probe window-state OrvaneNotificationCenter; }
panel_shown() { for _ in $(seq 1 40); do matches "$(panel_state)" '^visible=1 ' && return 0; sleep 0.1; done; return 1; }
panel_hidden() { for _ in $(seq 1 40); do matches "$(panel_state)" '^visible=0 ' && return 0; sleep 0.1; done; return 1; }
# Starts Orvane on the data folder DATA_WIN with CONFIG_JSON as its
# config.json; its process id in dock_pid.
start_dock() {
  local data_unix_dir
  data_unix_dir="$(wine_unix_path "$1")"
  mkdir -p "$data_unix_dir"
  printf '%s' "$2" >"$data_unix_dir/config.json"
  ORVANE_DATA_DIR="$1" wine "$build/Orvane.exe" >/dev/null 2>&1 &
  dock_pid=$!
}
# The pinned items of a config.json, as written: "pinned":[...].
pinned_items() { grep -o '"pinned":\[[^]]*\]' "$1"; }
# Prints how many pixels of PNG inside RECT differ from the colour of the
# bare desktop at the screen's left edge, halfway down, as "N of M".
drawn_pixels() {
  local l t r b w h bg n
  IFS=, read -r l t r b <<<"$2"
  if ! rect_has_area "$2"; then echo "0 of 0"; return; fi
  w=$((r - l)) h=$((b - t))
  bg="$(convert "$1" -format '%[pixel:p{0,h/2}]' info: 2>/dev/null)"
  n="$(convert "$1" -crop "${w}x${h}+$l+$t" +repage -alpha off -fill black -opaque "$bg" -fill white +opaque black \
       -colorspace gray -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)"
  echo "${n:-0} of $((w * h))"
}

trap wine_env_stop EXIT
echo "e2e: preparing a Wine prefix"
wine_env_start
local_app="$(wine_getenv LOCALAPPDATA)"
roaming_app="$(wine_getenv APPDATA)"
desktop="$(wine_getenv USERPROFILE)\\Desktop"

# -----------------------------------------------------------------------------
section "first start with ORVANE_DATA_DIR"
data_win='C:\orvane-e2e-data'
data_unix="$(wine_unix_path "$data_win")"
ORVANE_DATA_DIR="$data_win" wine "$build/Orvane.exe" >/dev/null 2>&1 &
pid=$!
check "render window appears" wait_window
check "the log reports the dock created" wait_started "$data_unix/logs/orvane.log"
check "config.json written under the data folder" test -s "$data_unix/config.json"
config="$(cat "$data_unix/config.json" 2>/dev/null)"
check "config.json is compact and starts with configVersion 3" matches "$config" '^\{"configVersion":3,"iconSize":48(\.0)?,'
check "first-run pinned items present (calculator and settings)" has_line "$config" '"target":"ms-settings:"'
check "first-run widgets present" has_line "$config" '"id":"clock_1"'
check "no Orvane subfolder under the override" test ! -e "$data_unix/Orvane"
check "cache folder created" test -d "$data_unix/cache"
log_file="$data_unix/logs/orvane.log"
check "orvane.log written" test -s "$log_file"
log="$(cat "$log_file" 2>/dev/null)"
check "every log line has the [hh:mm:ss.mmm] form and ends in CR LF" \
  bash -c '! LC_ALL=C grep -avE "^\[[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}\] .*"$'"'\r'"'"$" "$1"' _ "$log_file"
check "log says Orvane starting..." has_line "$log" '] Orvane starting...'
check "log names the frame clock" matches "$log" '\] FrameClock: (DCompositionWaitForCompositorClock|DwmFlush)'
check "the software presenter draws without a graphics device" lacks_line "$log" '] GraphicsDevice created'
check "without a system compositor the software presenter takes over" \
  matches "$log" '\] CompositionHost: system compositor unavailable \(0x[0-9A-F]{8}\), using software presenter'
check "log says CompositionHost initialized" has_line "$log" '] CompositionHost initialized'

section "single instance"
start=$SECONDS
env ORVANE_DATA_DIR="$data_win" timeout 60 wine "$build/Orvane.exe" >/dev/null 2>&1
code=$?
check "second start exits with 0 (got $code)" test "$code" = 0
check "second start exits at once ($((SECONDS - start)) s)" test $((SECONDS - start)) -lt 15
check "first copy still running" kill -0 "$pid"

section "tagged copy beside the first"
tag_win='C:\orvane-e2e-tag'
ORVANE_INSTANCE_TAG=e2e ORVANE_DATA_DIR="$tag_win" wine "$build/Orvane.exe" >/dev/null 2>&1 &
tag_pid=$!
wait_started "$(wine_unix_path "$tag_win")/logs/orvane.log"
check "tagged copy runs beside the first" kill -0 "$tag_pid"
env ORVANE_INSTANCE_TAG=e2e ORVANE_DATA_DIR="$tag_win" timeout 60 wine "$build/Orvane.exe" >/dev/null 2>&1
code=$?
check "a second copy with the same tag exits with 0 (got $code)" test "$code" = 0
check "the first tagged copy is untouched" kill -0 "$tag_pid"
env ORVANE_INSTANCE_TAG= ORVANE_DATA_DIR="$data_win" timeout 60 wine "$build/Orvane.exe" >/dev/null 2>&1
code=$?
check "an empty tag counts as unset: exits with 0 (got $code)" test "$code" = 0

section "WM_CLOSE ends the program with exit code 0"
log_lines_before_close="$(wc -l <"$log_file")"
out1="$(probe close-window OrvaneRenderWindow 15000)"
out2="$(probe close-window OrvaneRenderWindow 15000)"
check "first close: exit=0 ($out1)" test "$out1" = "exit=0"
check "second close: exit=0 ($out2)" test "$out2" = "exit=0"
wait "$pid" 2>/dev/null; code=$?
check "wine reports exit code 0 for the untagged copy (got $code)" test "$code" = 0
wait "$tag_pid" 2>/dev/null
check "no render window left" wait_gone
close_log="$(tail -n +"$((log_lines_before_close + 1))" "$log_file" | tr -d '\r')"
check "the log shows the teardown beginning and then completing" \
  awk '/\] DockWindow: teardown begins$/ && !b { b = NR } /\] DockWindow: teardown complete$/ && b { c = NR }
       END { exit !(b && c) }' <<<"$close_log"

section "fatal error after the render window exists"
for mode in exception hresult; do
  out="$(env ORVANE_DATA_DIR="$data_win" ORVANE_TEST_FAIL_AFTER_WINDOW=$mode \
         wine "$build/orvane-probe.exe" fatal-box "$(winepath -w "$build/Orvane.exe")" 2000 30000 2>/dev/null | tr -d '\r')"
  check "$mode: the error box stays open until dismissed" has_line "$out" "box=stayed"
  check "$mode: caption is Orvane 启动失败" has_line "$out" "caption=Orvane 启动失败"
  check "$mode: exit code 1 after the box" has_line "$out" "exit=1"
  log="$(cat "$log_file" 2>/dev/null)"
  if [ "$mode" = exception ]; then
    check "$mode: logged as Fatal exception" has_line "$log" '] Fatal exception: Test failure after the render window was created'
  else
    check "$mode: logged as Fatal WinRT error 0x80070005" has_line "$log" '] Fatal WinRT error 0x80070005: '
  fi
done

# -----------------------------------------------------------------------------
section "drawing through Direct2D"
render_out="$(probe render)"
render_code=$?
while IFS= read -r line; do
  case "$line" in
    "ok   "*) check "${line#ok   }" true ;;
    "FAIL "*) check "${line#FAIL }" false ;;
  esac
done <<<"$render_out"
check "render probe ran its checks (exit $render_code)" matches "$render_out" '^ok '

# -----------------------------------------------------------------------------
section "window host"
surface_out="$(probe surface)"
surface_code=$?
while IFS= read -r line; do
  case "$line" in
    "ok   "*) check "${line#ok   }" true ;;
    "FAIL "*) check "${line#FAIL }" false ;;
  esac
done <<<"$surface_out"
check "window host probe ran its checks (exit $surface_code)" matches "$surface_out" '^ok '

# -----------------------------------------------------------------------------
section "wireless adapters on a machine without Wi-Fi, Bluetooth or radio service"
wireless="$(probe wireless)"
check "Wi-Fi reads as absent" has_line "$wireless" "wifi present=0 on=0 connected=0 networks=0"
check "Bluetooth reads as absent" has_line "$wireless" "bluetooth present=0 on=0 connected=0 devices=0"
check "radio lookup fails softly without the radio service" has_line "$wireless" "radio wifi found=0 present=0 on=0"
check "radio switch fails softly without the radio service" has_line "$wireless" "radio wifi set=0"
check "a join without a WLAN interface is refused" has_line "$wireless" "join=0"

# -----------------------------------------------------------------------------
section "system controls read the machine"
sysctl="$(probe sysctl)"
size="$(sed -n 's/^display=\([0-9]*x[0-9]*\)@[0-9]*$/\1/p' <<<"$sysctl")"
check "display mode read from EnumDisplaySettingsW ($size)" matches "$size" '^[1-9][0-9]*x[1-9][0-9]*$'
check "resolution list holds the current size, marked" has_line "$sysctl" "${size:-none}*"
monitor="$(sed -n 's/^monitor=//p' <<<"$sysctl")"
check "monitor named by EnumDisplayDevicesW ($monitor)" test -n "$monitor" -a "$monitor" != "内建显示器"
check "GetSystemPowerStatus answers" has_line "$sysctl" "power-status=ok"
check "battery reading is well formed" matches "$sysctl" '^battery=(none|[0-9]{1,3}%( charging)?)$'
check "recycle bin query answers" matches "$sysctl" '^recycle-bin=[0-9]+ items, [0-9]+ bytes$'
if has_line "$sysctl" "gamma-read=ok"; then
  check "night light tints the gamma ramp" has_line "$sysctl" "night-light=tinted"
  check "restore puts the gamma ramp back" has_line "$sysctl" "gamma-restore=restored"
else
  echo "  skip  gamma ramp round trip (this X server has no gamma ramp)"
fi

# -----------------------------------------------------------------------------
section "window tracker sees a running program"
wine notepad >/dev/null 2>&1 &
notepad_pid=$!
for _ in $(seq 1 100); do
  apps="$(probe apps 'C:\orvane-e2e-icons')"
  has_line "$apps" 'exe:c:\windows\system32\notepad.exe |' && break
  sleep 0.2
done
check "notepad is tracked under its lower-cased image path" has_line "$apps" 'exe:c:\windows\system32\notepad.exe | notepad | 1 | '
check "notepad's icon is extracted at 48 x 48" matches "$apps" 'notepad\.exe \| .* \| icon 48x48$'
check "the icon is cached as a %016llx.png file" \
  bash -c 'ls "$1" | grep -qE "^[0-9a-f]{16}\.png$"' _ "$(wine_unix_path 'C:\orvane-e2e-icons')"
wine taskkill /f /im notepad.exe >/dev/null 2>&1
wait "$notepad_pid" 2>/dev/null

section "launcher starts a program the tracker then lists"
launch_out="$(probe launch 'C:\windows\notepad.exe' 20000)"
check "the target is described as notepad.exe" has_line "$launch_out" 'described=notepad | C:\windows\notepad.exe | notepad.exe'
check "the launcher started it" has_line "$launch_out" 'launched=1'
check "the tracker lists it with one window ($(grep '^tracked=' <<<"$launch_out"))" \
  matches "$launch_out" '^tracked=exe:c:\\windows\\notepad\.exe \| notepad \| 1$'
check "it is brought to the front" has_line "$launch_out" 'activated=1 foreground=1'
check "it closes again" has_line "$launch_out" 'closed=1'

# -----------------------------------------------------------------------------
section "the dock magnifies under the pointer, launches on click, answers hotkeys and reorders by dragging"
pointer_win='C:\orvane-e2e-pointer'
pointer_unix="$(wine_unix_path "$pointer_win")"
# Two pinned items and no launcher button, so the first icon is notepad.
start_dock "$pointer_win" '{"configVersion":3,"showLaunchpadIcon":false,"pinned":[{"name":"Notepad","target":"C:\\windows\\notepad.exe"},{"name":"Regedit","target":"C:\\windows\\regedit.exe"}]}'
pointer_pid=$dock_pid
check "render window appears" wait_window
check "the first frame shows both windows and puts the input window over the plate" dock_placed
state="$(probe window-state OrvaneInputWindow)"
check "the input window is shown, not minimised, not activating, topmost ($state)" \
  matches "$state" '^visible=1 iconic=0 rect=[0-9]+,[0-9]+,[0-9]+,[0-9]+ exstyle=0x08200088$'
# The input window follows the dock as its springs settle; wait until it stays put.
rest=""
for _ in $(seq 1 60); do
  now="$(probe pointer rect)"
  [ "$now" = "$rest" ] && matches "$now" ',1080$' && break
  rest="$now"; sleep 0.5
done
check "the input window lies over the dock on the bottom edge ($rest)" matches "$rest" '^input=[0-9]+,[0-9]+,[0-9]+,1080$'
IFS=, read -r rest_l rest_t _ rest_b <<<"${rest#input=}"
# The first icon's centre: plate padding 12 and half an icon across, the
# edge margin, the padding and half an icon up (the defaults, at 100 %).
icon_x=$((rest_l + 12 + 24)); icon_y=$((rest_b - 10 - 7 - 24))
probe pointer move "$icon_x" "$icon_y" >/dev/null
sleep 1.5
hover="$(probe pointer rect)"
IFS=, read -r _ hover_t _ _ <<<"${hover#input=}"
check "under the pointer the icons grow: the input window reaches higher ($rest -> $hover)" test "${hover_t:-0}" -lt "$rest_t"
rm -f "$artifacts/dock-hover-wine.png"
import -window root "$artifacts/dock-hover-wine.png" 2>/dev/null
echo "  screenshot: $artifacts/dock-hover-wine.png"
probe pointer click "$icon_x" "$icon_y" >/dev/null
check "clicking the pinned notepad starts it" probe wait-window Notepad 20000
wine taskkill /f /im notepad.exe >/dev/null 2>&1
probe wait-gone Notepad 10000 >/dev/null
config_before="$(mktemp)"
cp "$pointer_unix/config.json" "$config_before"
dock_pid="$(probe window-pid OrvaneRenderWindow)"
# A right click on an item and one on the plate beside the icons; Escape
# dismisses whatever menu they open.
# Under Wine without a window manager a menu opened by a click can lose the
# activation to the X server's focus handling at once (and then closes):
# the click is repeated until the menu stays.
right_click_menu() {
  for _ in $(seq 1 5); do
    probe right-click "$1" "$2" >/dev/null
    menu_shown && sleep 0.5 && matches "$(menu_state)" '^visible=1 ' && return 0
  done
  return 1
}
check "a right click on an item opens its menu" right_click_menu "$icon_x" "$icon_y"
press_keys escape
check "Escape closes it" menu_hidden
check "a right click beside the icons opens a menu too" right_click_menu "$((rest_l + 4))" "$icon_y"
press_keys escape
check "and Escape closes it" menu_hidden
check "right clicks leave the dock running in the same process ($dock_pid)" \
  test -n "$dock_pid" -a "$(probe window-pid OrvaneRenderWindow)" = "$dock_pid"
check "right clicks leave config.json unchanged" cmp -s "$config_before" "$pointer_unix/config.json"
rm -f "$config_before"
probe pointer move 960 300 >/dev/null
sleep 1.5
check "with the pointer gone the dock rests again" test "$(probe pointer rect)" = "$rest"
stage_flag() { grep -o '"stageManagerEnabled":[a-z]*' "$pointer_unix/config.json"; }
check "the stage manager starts off" test "$(stage_flag)" != '"stageManagerEnabled":true'
press_keys ctrl alt s  # a global hotkey
for _ in $(seq 1 20); do [ "$(stage_flag)" = '"stageManagerEnabled":true' ] && break; sleep 0.2; done
check "Ctrl+Alt+S switches it on and the setting is saved ($(stage_flag))" test "$(stage_flag)" = '"stageManagerEnabled":true'
press_keys ctrl alt s
for _ in $(seq 1 20); do [ "$(stage_flag)" = '"stageManagerEnabled":false' ] && break; sleep 0.2; done
check "pressed again it is off ($(stage_flag))" test "$(stage_flag)" = '"stageManagerEnabled":false'
# Along the dock past the second item: the drag stays over the input
# window. (Dragging an item off the dock needs the captured pointer outside
# it, and Wine routes a held button's moves to a capturing window only while
# its thread owns the foreground, which the dock never takes.)
reordered='^"pinned":\[\{"name":"Regedit",.*\},\{"name":"Notepad",'
probe drag "$icon_x" "$icon_y" "$((icon_x + 150))" "$icon_y" >/dev/null
for _ in $(seq 1 20); do matches "$(pinned_items "$pointer_unix/config.json")" "$reordered" && break; sleep 0.2; done
check "dragging notepad past the second item puts it second and saves the order ($(pinned_items "$pointer_unix/config.json"))" \
  matches "$(pinned_items "$pointer_unix/config.json")" "$reordered"
out="$(probe close-window OrvaneRenderWindow 15000)"
check "closes with exit=0 ($out)" test "$out" = "exit=0"
wait "$pointer_pid" 2>/dev/null
check "its input window is gone ($(probe window-state OrvaneInputWindow))" test "$(probe window-state OrvaneInputWindow)" = absent

# -----------------------------------------------------------------------------
section "the dock's menus: item menu, power menu, global menu from the status-area icon"
menus_win='C:\orvane-e2e-menus'
menus_unix="$(wine_unix_path "$menus_win")"
# Items: 0 Notepad, 1 Regedit, 2 separator, 3 music, 4 Downloads, 5 tray, 6 power, 7 recycle bin.
start_dock "$menus_win" '{"configVersion":3,"showLaunchpadIcon":false,"smartHide":false,"pinned":[{"name":"Notepad","target":"C:\\windows\\system32\\notepad.exe"},{"name":"Regedit","target":"C:\\windows\\regedit.exe"}]}'
menus_pid=$dock_pid
check "render window appears" wait_window
check "the dock is drawn" dock_placed
menu_height() { local t b; IFS=, read -r _ t _ b <<<"$(menu_state | sed -n 's/.* rect=\([-0-9,]*\).*/\1/p')"; echo $((b - t)); }
menus_config="$menus_unix/config.json"
# Opens item INDEX's menu by the command message; tries again while
# something else (such as Wine's first status-area window) takes the
# activation from it at once.
open_item_menu() {
  for _ in $(seq 1 10); do
    probe dock-command 2 "$1" >/dev/null
    menu_shown && sleep 0.5 && matches "$(menu_state)" '^visible=1 ' && return 0
  done
  return 1
}
check "command 2 on the pinned notepad opens the item menu" open_item_menu 0
# Four rows (open, remove, custom icon, reveal) between 5 DIP paddings, 12 DIP of shadow round the plate.
check "the item menu is exactly as high as its rows ($(menu_height) px)" test "$(menu_height)" = $((5 + 4 * 27 + 5 + 24))
config_before="$(mktemp)"
cp "$menus_config" "$config_before"
press_keys escape
check "Escape closes the menu" menu_hidden

wine notepad >/dev/null 2>&1 &
check "notepad runs" probe wait-window Notepad 20000
# Once the tracker gives the pinned item its window, the menu lists it:
# window, separator, open, remove, custom icon, reveal, separator, close, force quit.
windowed_height=$((5 + 7 * 27 + 2 * 9 + 5 + 24))
open_windowed_menu() {
  for _ in $(seq 1 20); do
    open_item_menu 0 && [ "$(menu_height)" = "$windowed_height" ] && return 0
    press_keys escape; sleep 0.5
  done
  return 1
}
check "with notepad running the menu lists its window and the close rows ($windowed_height px)" open_windowed_menu
IFS=, read -r rest_l _ _ rest_b <<<"$(probe pointer rect | sed 's/^input=//')"
probe pointer click "$((rest_l + 4))" "$((rest_b - 10 - 7 - 24))" >/dev/null
check "a press on the dock beside the icons closes the menu" menu_hidden
check "config.json is unchanged by the closed menus" cmp -s "$config_before" "$menus_config"
rm -f "$config_before"
open_windowed_menu
menu_click $((27 + 9 + 4 * 27 + 9))  # 关闭窗口
check "关闭窗口 closes notepad" probe wait-gone Notepad 20000
wine notepad >/dev/null 2>&1 &
notepad_job=$!
probe wait-window Notepad 20000 >/dev/null
open_windowed_menu
menu_click $((27 + 9 + 4 * 27 + 9 + 27))  # 强制退出
for _ in $(seq 1 50); do kill -0 "$notepad_job" 2>/dev/null || break; sleep 0.2; done
check "强制退出 ends notepad's process" bash -c '! kill -0 "$1" 2>/dev/null' _ "$notepad_job"
check "and its window is gone" probe wait-gone Notepad 5000

# The power item is the one before the recycle bin at the dock's right end.
IFS=, read -r _ _ rest_r rest_b <<<"$(probe pointer rect | sed 's/^input=//')"
probe pointer click "$((rest_r - 12 - 24 - 56))" "$((rest_b - 10 - 7 - 24))" >/dev/null
check "a click on the power item opens the power menu ($(menu_shown; menu_height) px)" \
  test "$(menu_shown && menu_height)" = $((5 + 5 * 27 + 9 + 5 + 24))
menu_click $((3 * 27 + 9))  # 重新启动…
out="$(probe answer-box 'Orvane 电源中心' no 10000)"
check "重新启动… asks first, and is answered 否 ($out)" test "$out" = "answered=1"
sleep 1
check "the program keeps running" kill -0 "$menus_pid"

smart_flag() { grep -o '"smartHide":[a-z]*' "$menus_config"; }
probe pointer move 960 700 >/dev/null
probe status-icon 517 >/dev/null
check "a right click on the status-area icon opens the global menu" menu_shown
sleep 0.5
rm -f "$artifacts/menu-wine.png"
import -window root "$artifacts/menu-wine.png" 2>/dev/null
echo "  screenshot: $artifacts/menu-wine.png"
menu_click $((2 * 27 + 9 + 6 * 27 + 9 + 3 * 27))  # Dock 智能自动隐藏
for _ in $(seq 1 20); do [ "$(smart_flag)" = '"smartHide":true' ] && break; sleep 0.2; done
check "its smart-hide row switches smartHide on in config.json ($(smart_flag))" test "$(smart_flag)" = '"smartHide":true'
check "the menu closed after the choice" menu_hidden

open_item_menu 0
menu_click 27  # 从 Dock 中移除
for _ in $(seq 1 20); do matches "$(pinned_items "$menus_config")" '^"pinned":\[\{"name":"Regedit"' && break; sleep 0.2; done
check "从 Dock 中移除 takes notepad out of config.json ($(pinned_items "$menus_config"))" \
  matches "$(pinned_items "$menus_config")" '^"pinned":\[\{"name":"Regedit",[^]]*\}\]$'
out="$(probe close-window OrvaneRenderWindow 15000)"
check "closes with exit=0 ($out)" test "$out" = "exit=0"
wait "$menus_pid" 2>/dev/null

# -----------------------------------------------------------------------------
section "the notification center: command 5 and Ctrl+Alt+N toggle it, the quick note takes typed text"
notes_win='C:\orvane-e2e-notes'
notes_unix="$(wine_unix_path "$notes_win")"
start_dock "$notes_win" '{"configVersion":3,"smartHide":false,"quickNote":"备忘"}'
notes_pid=$dock_pid
check "render window appears" wait_window
check "the dock is drawn" dock_placed
# Opens the panel with command 5; tries again while something else (such
# as Wine's first status-area window) takes the activation from it at once.
open_panel() {
  for _ in $(seq 1 10); do
    matches "$(panel_state)" '^visible=1 ' || probe dock-command 5 0 >/dev/null
    panel_shown && sleep 0.5 && matches "$(panel_state)" '^visible=1 ' && return 0
  done
  return 1
}
# Clicks the panel's plate at (X, Y) DIP (scale 1, 14 DIP of shadow).
panel_click() {
  local l t
  IFS=, read -r l t _ _ <<<"$(state_field "$(panel_state)" rect)"
  probe pointer click "$((l + 14 + $1))" "$((t + 14 + $2))" >/dev/null
}
check "command 5 opens the panel" open_panel
# A 352 x 640 plate 10 DIP from the monitor's right and 34 from its top,
# with 14 DIP of shadow all round.
panel_rect="$(state_field "$(panel_state)" rect)"
check "the panel's window is the plate and its shadow at the top right ($panel_rect)" \
  test "$panel_rect" = "$((1920 - 10 - 352 - 14)),$((34 - 14)),$((1920 - 10 + 14)),$((34 + 640 + 14))"
sleep 0.5
rm -f "$artifacts/notifications-wine.png"
import -window root "$artifacts/notifications-wine.png" 2>/dev/null
echo "  screenshot: $artifacts/notifications-wine.png"
probe dock-command 5 0 >/dev/null
check "command 5 again closes it" panel_hidden
press_keys control alt n
check "Ctrl+Alt+N opens it" panel_shown
press_keys control alt n
check "Ctrl+Alt+N again closes it" panel_hidden
open_panel
press_keys escape
check "Escape closes it" panel_hidden

wine notepad >/dev/null 2>&1 &
check "notepad runs" probe wait-window Notepad 20000
open_panel
IFS=, read -r np_l np_t np_r np_b <<<"$(state_field "$(probe window-state Notepad)" rect)"
probe pointer click "$(((np_l + np_r) / 2))" "$(((np_t + np_b) / 2))" >/dev/null
check "a click on another window closes it" panel_hidden
probe close-window Notepad 10000 >/dev/null

notes_config="$notes_unix/config.json"
note_field() { grep -o '"quickNote":"[^"]*"' "$notes_config"; }
check "open for the note" open_panel
panel_click 250 108  # the widgets tab
panel_click 100 550  # the note card: editing starts
sleep 0.5
probe type 'abc 中文😀' >/dev/null
press_keys backspace  # takes the emoji whole
press_keys return
probe type 'z' >/dev/null
expected_note="$(printf '"quickNote":"备忘abc 中文\\nz"')"
for _ in $(seq 1 30); do [ "$(note_field)" = "$expected_note" ] && break; sleep 0.2; done
check "typed text, Backspace and Enter reach quickNote in config.json once each ($(note_field))" \
  test "$(note_field)" = "$expected_note"
check "config.json holds the note as valid UTF-8" iconv -f UTF-8 -t UTF-8 "$notes_config" -o /dev/null
sleep 0.5
rm -f "$artifacts/notifications-widgets-wine.png"
import -window root "$artifacts/notifications-widgets-wine.png" 2>/dev/null
echo "  screenshot: $artifacts/notifications-widgets-wine.png"
press_keys escape
sleep 0.3
check "Escape first ends the editing; the panel stays" matches "$(panel_state)" '^visible=1 '
press_keys escape
check "a second Escape closes it" panel_hidden

# Several polls have run by now (one every two seconds).
sleep 5
notes_log="$(cat "$notes_unix/logs/orvane.log")"
unavailable_lines="$(grep -c 'Notifications: .*SQLite' <<<"$notes_log")"
check "the log says once that the notification database cannot be read ($unavailable_lines line)" \
  test "$unavailable_lines" = 1
out="$(probe close-window OrvaneRenderWindow 15000)"
check "closes with exit=0 ($out)" test "$out" = "exit=0"
wait "$notes_pid" 2>/dev/null

# -----------------------------------------------------------------------------
section "the menu bar: a strip across the top, slots that open menus and surfaces, the window menu"
bar_win='C:\orvane-e2e-bar'
bar_unix="$(wine_unix_path "$bar_win")"
start_dock "$bar_win" '{"configVersion":3,"smartHide":false,"menuBarEnabled":true,"menuBarReserveTop":true}'
bar_pid=$dock_pid
check "render window appears" wait_window
check "the dock is drawn" dock_placed
bar_state() { probe window-state OrvaneMenuBar; }
bar_shown() { for _ in $(seq 1 60); do matches "$(bar_state)" '^visible=1 ' && return 0; sleep 0.1; done; return 1; }
check "the menu bar shows" bar_shown
bar_rect="$(state_field "$(bar_state)" rect)"
check "it spans the top of the screen, 28 px high ($bar_rect)" test "$bar_rect" = "0,0,1920,28"
bar_ex="$(state_field "$(bar_state)" exstyle)"
check "it is a topmost tool window that never takes the focus ($bar_ex)" \
  test $((bar_ex & 0x08000088)) = $((0x08000088))
# Wine registers the application bar but never changes the work area.
check "its strip of the work area is registered" \
  has_line "$(cat "$bar_unix/logs/orvane.log")" '] Menu bar: its strip of the work area is reserved'
# Clicks the middle of the bar's slot of KIND (1 user, 3 window, 13 clock ...).
slot_click() {
  local out l w
  out="$(probe menubar-slot "$1")"
  l="$(sed -n 's/^left=\([0-9-]*\) .*/\1/p' <<<"$out")"
  w="$(sed -n 's/.* width=\([0-9]*\) .*/\1/p' <<<"$out")"
  [ -n "$l" ] && [ -n "$w" ] && probe pointer click "$((l + w / 2))" 14 >/dev/null
}
check "the slot query finds the clock at the right end ($(probe menubar-slot 13))" \
  matches "$(probe menubar-slot 13)" '^left=1[0-9]{3} width=1[0-9]{2} bottom=28$'

wine notepad >/dev/null 2>&1 &
check "notepad runs" probe wait-window Notepad 20000
sleep 1
check "notepad has the foreground ($(probe foreground))" test "$(probe foreground)" = "class=Notepad"
probe pointer click 900 14 >/dev/null
sleep 0.5
check "a click on the bar leaves notepad in front ($(probe foreground))" test "$(probe foreground)" = "class=Notepad"

# Opens the window menu with notepad in front; tries again while Wine
# hands the activation elsewhere at once (a click on a window that never
# activates leaves Wine without a foreground window now and then).
open_window_menu() {
  for _ in $(seq 1 8); do
    probe activate Notepad >/dev/null
    sleep 0.3
    slot_click 3
    menu_shown && sleep 0.5 && matches "$(menu_state)" '^visible=1 ' && return 0
    press_keys escape
  done
  return 1
}
check "the window slot opens the window menu" open_window_menu
press_keys escape
menu_hidden
probe close-window Notepad 10000 >/dev/null

open_panel_from_clock() {
  for _ in $(seq 1 8); do
    slot_click 13
    panel_shown && sleep 0.5 && matches "$(panel_state)" '^visible=1 ' && return 0
  done
  return 1
}
check "the clock slot opens the notification center" open_panel_from_clock
probe dock-command 5 0 >/dev/null
panel_hidden

slot_click 1
check "the user slot opens the logo menu" menu_shown
sleep 0.5
rm -f "$artifacts/menubar-wine.png"
import -window root "$artifacts/menubar-wine.png" 2>/dev/null
echo "  screenshot: $artifacts/menubar-wine.png"
menu_click 0  # 关于 Orvane v3.0 (...)
out="$(probe answer-box '关于 Orvane v3.0' ok 10000)"
check "关于 shows the about box, and it closes ($out)" test "$out" = "answered=1"

slot_click 1
menu_shown
menu_click $((2 * 27 + 9 + 3 * 27 + 9 + 3 * 27))  # 重新启动…
out="$(probe answer-box '重新启动' no 10000)"
check "重新启动… asks first, and is answered 否 ($out)" test "$out" = "answered=1"
sleep 1
check "the program keeps running" kill -0 "$bar_pid"

slot_click 1
menu_shown
menu_click $((2 * 27 + 9 + 3 * 27 + 9 + 5 * 27 + 9))  # 退出 Orvane
for _ in $(seq 1 100); do kill -0 "$bar_pid" 2>/dev/null || break; sleep 0.1; done
wait "$bar_pid" 2>/dev/null
code=$?
check "退出 Orvane ends the program with 0 (got $code)" test "$code" = 0

nobar_win='C:\orvane-e2e-nobar'
start_dock "$nobar_win" '{"configVersion":3,"menuBarEnabled":false}'
nobar_pid=$dock_pid
wait_window
dock_placed
sleep 2
check "with menuBarEnabled false no bar window shows ($(bar_state))" bash -c '! grep -q "^visible=1 " <<<"$1"' _ "$(bar_state)"
out="$(probe close-window OrvaneRenderWindow 15000)"
check "closes with exit=0 ($out)" test "$out" = "exit=0"
wait "$nobar_pid" 2>/dev/null

# -----------------------------------------------------------------------------
section "silent install"
install_win="$local_app\\Programs\\Orvane"
install_unix="$(wine_unix_path "$install_win")"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg add "$run_key" /v Orvane /t REG_SZ /d '"C:\old\Orvane.exe"' /f >/dev/null 2>&1
timeout 120 wine "$build/Orvane-Setup.exe" /S >/dev/null 2>&1
code=$?
check "setup /S exits with 0 (got $code)" test "$code" = 0
check "Orvane.exe written byte for byte" cmp -s "$build/Orvane.exe" "$install_unix/Orvane.exe"
check "uninstaller is a copy of the setup program" cmp -s "$build/Orvane-Setup.exe" "$install_unix/Orvane-Uninstall.exe"
for lnk in "$desktop\\Orvane.lnk" "$roaming_app\\Microsoft\\Windows\\Start Menu\\Programs\\Orvane.lnk"; do
  info="$(probe shortcut "$lnk")"
  check "shortcut $lnk targets the program" has_line "$info" "target=$install_win\\Orvane.exe"
  check "shortcut $lnk starts in the install folder" has_line "$info" "workdir=$install_win"
  check "shortcut $lnk has the description" has_line "$info" "description=Orvane - 原生 macOS 风格桌面套件"
  check "shortcut $lnk uses the program icon" has_line "$info" "icon=$install_win\\Orvane.exe,0"
done
expect_value() {  # name type data
  local line; line="$(reg_value "$uninstall_key" "$1")"
  check "uninstall value $1 = $2 $3 (got: $line)" test "$line" = "$2 $3"
}
expect_value DisplayName REG_SZ "Orvane"
expect_value DisplayVersion REG_SZ "3.0.0"
expect_value Publisher REG_SZ "Lumaro"
expect_value InstallLocation REG_SZ "$install_win"
expect_value DisplayIcon REG_SZ "$install_win\\Orvane.exe,0"
expect_value UninstallString REG_SZ "\"$install_win\\Orvane-Uninstall.exe\" /uninstall"
expect_value EstimatedSize REG_DWORD "0x400"
expect_value NoModify REG_DWORD "0x1"
expect_value NoRepair REG_DWORD "0x1"
check "silent install leaves no Run value (an old one is removed)" test -z "$(reg_value "$run_key" Orvane)"
check "the installed program was started" wait_window
first_pid="$(probe window-pid OrvaneRenderWindow)"
sleep 1
check "without ORVANE_DATA_DIR the log is under Local AppData" test -s "$(wine_unix_path "$local_app\\Orvane\\logs\\orvane.log")"
check "without ORVANE_DATA_DIR config.json is under Roaming AppData" test -s "$(wine_unix_path "$roaming_app\\Orvane\\config.json")"

section "the dock runs from the installer"
# The windows exist seconds before the first frame places them over the dock.
check "the dock places its input window over the plate" dock_placed
sleep 2  # let the dock settle and draw
dock="$(probe dock-windows)"
render_rect="$(dock_field "$dock" OrvaneRenderWindow rect)"
input_rect="$(dock_field "$dock" OrvaneInputWindow rect)"
monitor_rect="$(sed -n 's/^monitor=//p' <<<"$dock")"
check "render window: visible, layered, click-through, topmost ($(grep '^OrvaneRenderWindow' <<<"$dock"))" \
  matches "$dock" '^OrvaneRenderWindow title=Orvane visible=1 exstyle=0x082800A8 '
check "input window: visible, not activating, topmost ($(grep '^OrvaneInputWindow' <<<"$dock"))" \
  matches "$dock" '^OrvaneInputWindow title=OrvaneInput visible=1 exstyle=0x08200088 '
IFS=, read -r ml mt mr mb <<<"$monitor_rect"
IFS=, read -r rl rt rr rb <<<"$render_rect"
check "render window spans the monitor's width and touches its bottom ($render_rect on $monitor_rect)" \
  test -n "$rb" -a "$rl" = "$ml" -a "$rr" = "$mr" -a "$rb" = "$mb" -a "${rt:-$mb}" -lt "$mb"
check "input window has an area ($input_rect)" rect_has_area "$input_rect"
check "input window lies within the render window ($input_rect in $render_rect)" rect_within "$input_rect" "$render_rect"
for query in 13 14 15; do
  out="$(probe dock-command "$query" 0)"
  check "query $query answers 0 while its surface is missing ($out)" test "$out" = "result=0"
done
config_unix="$(wine_unix_path "$roaming_app\\Orvane\\config.json")"
config_before="$(mktemp)"
cp "$config_unix" "$config_before" 2>/dev/null
for action in 1 0; do
  for index in 4294967295 18446744073709551615 999999; do
    out="$(probe dock-command "$action" "$index")"
    check "action $action on item $index does nothing ($out)" test "$out" = "result=0"
  done
done
sleep 1
check "the dock process is still the same ($first_pid)" test "$(probe window-pid OrvaneRenderWindow)" = "$first_pid"
check "config.json unchanged by the commands" cmp -s "$config_before" "$config_unix"
rm -f "$config_before"
dock_after="$(probe dock-windows)"
check "the windows did not move or change" test "$dock_after" = "$dock"
check "the drop target was registered" bash -c '! grep -q "RegisterDragDrop failed" "$1"' _ \
  "$(wine_unix_path "$local_app\\Orvane\\logs\\orvane.log")"
for change in display theme; do
  out="$(probe dock-notify "$change")"
  check "a $change change is answered ($out)" test "$out" = "answered=1"
done
sleep 1
check "after a display and a theme change the dock stands where it stood" test "$(probe dock-windows)" = "$dock"
shot="$artifacts/dock-wine.png"
rm -f "$shot"
import -window root "$shot" 2>/dev/null
echo "  screenshot: $shot"
shot_info="$(identify -format '%m %wx%h' "$shot" 2>/dev/null)"
check "the screenshot is a PNG of the screen's size ($shot_info)" test "$shot_info" = "PNG $((mr - ml))x$((mb - mt))"
drawn="$(drawn_pixels "$shot" "$input_rect")"
check "the dock's plate is drawn: $drawn pixels differ from the bare desktop" \
  test "${drawn%% of *}" -gt 0 -a "${drawn%% of *}" -ge "$(( ${drawn##* of } / 4 ))"

section "installing again while Orvane runs"
timeout 120 wine "$build/Orvane-Setup.exe" /S >/dev/null 2>&1
code=$?
check "second setup /S exits with 0 (got $code)" test "$code" = 0
check "program file rewritten" cmp -s "$build/Orvane.exe" "$install_unix/Orvane.exe"
check "a new copy runs" wait_window
second_pid="$(probe window-pid OrvaneRenderWindow)"
check "the running copy was closed and replaced ($first_pid -> $second_pid)" test -n "$second_pid" -a "$first_pid" != "$second_pid"

section "silent uninstall"
# The setup program gives a running copy two seconds to close; let this one
# finish starting first (its input window moves over the dock on the first frame).
dock_placed || true
wine reg add "$run_key" /v Orvane /t REG_SZ /d "\"$install_win\\Orvane.exe\"" /f >/dev/null 2>&1
timeout 120 wine "$install_unix/Orvane-Uninstall.exe" /uninstall /S >/dev/null 2>&1
code=$?
check "uninstall exits with 0 (got $code)" test "$code" = 0
check "Orvane was closed" wait_gone
check "Run value removed" test -z "$(reg_value "$run_key" Orvane)"
check "desktop shortcut removed" test ! -e "$(wine_unix_path "$desktop\\Orvane.lnk")"
check "Start-menu shortcut removed" test ! -e "$(wine_unix_path "$roaming_app\\Microsoft\\Windows\\Start Menu\\Programs\\Orvane.lnk")"
check "program file removed" test ! -e "$install_unix/Orvane.exe"
check "uninstall key removed" bash -c '! wine reg query "$1" >/dev/null 2>&1' _ "$uninstall_key"
check "uninstaller kept" test -e "$install_unix/Orvane-Uninstall.exe"

# -----------------------------------------------------------------------------
# A file another process holds open without sharing (a running copy that did
# not close, a virus scanner) can be neither replaced nor deleted.
hold_release="$(mktemp -u /tmp/orvane-e2e-release.XXXXXX)"
hold_out="$(mktemp)"
hold_file() {  # hold_file WINDOWS_PATH: returns once the probe holds it
  rm -f "$hold_release"; : >"$hold_out"
  wine "$build/orvane-probe.exe" hold-file "$1" "$(winepath -w "$hold_release")" 120000 >"$hold_out" 2>/dev/null &
  hold_pid=$!
  for _ in $(seq 1 150); do grep -q '^held=' "$hold_out" && break; sleep 0.2; done
  grep -q '^held=1' "$hold_out"
}
release_file() { touch "$hold_release"; wait "$hold_pid" 2>/dev/null; rm -f "$hold_release"; }

section "an install that cannot replace the program keeps the old one"
old_program="$(mktemp)"
cp "$build/orvane-probe.exe" "$install_unix/Orvane.exe"  # stands in for an earlier version
cp "$install_unix/Orvane.exe" "$old_program"
check "the old Orvane.exe is held open" hold_file "$install_win\\Orvane.exe"
timeout 120 wine "$build/Orvane-Setup.exe" /S >/dev/null 2>&1
code=$?
check "setup /S exits with 1 (got $code)" test "$code" = 1
check "the old Orvane.exe is kept byte for byte" cmp -s "$old_program" "$install_unix/Orvane.exe"
check "no temporary program file is left" test ! -e "$install_unix/Orvane.exe.tmp"
check "no uninstall entry is written" bash -c '! wine reg query "$1" >/dev/null 2>&1' _ "$uninstall_key"
check "nothing was started" bash -c '! "$@" >/dev/null 2>&1' _ wine "$build/orvane-probe.exe" wait-window OrvaneRenderWindow 2000
release_file
rm -f "$old_program"

section "an uninstall that cannot remove the program keeps its entry"
wine reg add "$uninstall_key" /v DisplayName /t REG_SZ /d Orvane /f >/dev/null 2>&1
check "Orvane.exe is held open" hold_file "$install_win\\Orvane.exe"
# The setup's log goes to the debugger output, which Wine prints on the "seh" channel.
uninstall_debug="$(mktemp)"
WINEDEBUG=-all,warn+seh timeout 120 wine "$install_unix/Orvane-Uninstall.exe" /uninstall /S >/dev/null 2>"$uninstall_debug"
code=$?
check "uninstall exits with 2 (got $code)" test "$code" = 2
check "the uninstall key is kept" bash -c 'wine reg query "$1" >/dev/null 2>&1' _ "$uninstall_key"
check "the program file is still there" test -e "$install_unix/Orvane.exe"
check "the uninstaller logs that the program file stays" \
  grep -aqF 'Setup: could not remove '"${install_win//\\/\\\\}"'\\Orvane.exe, uninstall entry kept' "$uninstall_debug"
rm -f "$uninstall_debug"
release_file
timeout 120 wine "$install_unix/Orvane-Uninstall.exe" /uninstall /S >/dev/null 2>&1
code=$?
check "once the file is free, uninstalling again exits with 0 (got $code)" test "$code" = 0
check "and removes the program file" test ! -e "$install_unix/Orvane.exe"
check "and the uninstall key" bash -c '! wine reg query "$1" >/dev/null 2>&1' _ "$uninstall_key"
rm -f "$hold_out"

# -----------------------------------------------------------------------------
section "weather for a second city that cannot be fetched"
j1_win="$(winepath -w "$repo/tests/unit/data/weather/complete.json" 2>/dev/null)"
weather="$(probe weather-cities "$j1_win" 北京 上海)"
check "the first city is fetched ($(grep '^first-valid' <<<"$weather"))" has_line "$weather" "first-valid=1"
check "the second city's failure shows that city ($(grep '^second-city' <<<"$weather"))" \
  has_line "$weather" "second-city=上海"
check "offline, not the first city's weather ($(grep '^second-valid' <<<"$weather"))" \
  bash -c 'grep -qx "second-valid=0" <<<"$1" && grep -qx "second-temperature=--" <<<"$1" && grep -qx "second-description=离线（点击刷新）" <<<"$1"' _ "$weather"

# -----------------------------------------------------------------------------
section "a gamma ramp an earlier run left tinted"
gamma_win='C:\orvane-e2e-gamma'
gamma_unix="$(wine_unix_path "$gamma_win")"
mkdir -p "$gamma_unix"
# The file the night light keeps while a tint is on: "OVGAMMA1" and 768
# little-endian entries (here the identity ramp).
python3 -c 'import struct,sys; sys.stdout.buffer.write(b"OVGAMMA1" + struct.pack("<768H", *([i * 257 for i in range(256)] * 3)))' \
  >"$gamma_unix/gamma-ramp.bin"
ORVANE_DATA_DIR="$gamma_win" wine "$build/Orvane.exe" >/dev/null 2>&1 &
gamma_pid=$!
check "render window appears" wait_window
gamma_log="$(cat "$gamma_unix/logs/orvane.log" 2>/dev/null)"
if has_line "$sysctl" "gamma-read=ok"; then
  check "the saved ramp is written back at start" has_line "$gamma_log" "NightLight: restored the gamma ramp"
  check "and its file removed" test ! -e "$gamma_unix/gamma-ramp.bin"
else
  # Without a ramp on this X server the file must wait for a start that can write it.
  check "without a gamma ramp the saved one waits for the next start" \
    has_line "$gamma_log" "NightLight: the gamma ramp an earlier run left tinted could not be restored yet"
  check "and its file is kept" test -s "$gamma_unix/gamma-ramp.bin"
fi
probe close-window OrvaneRenderWindow 30000 >/dev/null
wait "$gamma_pid" 2>/dev/null || true

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
