# Sourced by the benchmark scripts: makes the script's scratch folder, $work,
# removed at exit, and without a $DISPLAY starts a private Xvfb there, stopped
# at exit too, and exports its DISPLAY. Call start_scratch_and_display once.
work=
xvfb_pid=
stop_scratch_and_display() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  [ -z "$work" ] || rm -rf "$work"
}
start_scratch_and_display() {
  work=$(mktemp -d)
  trap stop_scratch_and_display EXIT
  [ -z "${DISPLAY:-}" ] || return 0
  exec 3<>"$work/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  local number=
  for _ in $(seq 50); do
    number=$(head -n1 "$work/displayfd" 2>/dev/null || true)
    [ -n "$number" ] && break
    sleep 0.1
  done
  [ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
}
