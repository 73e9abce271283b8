# Sourced by the benchmark scripts: without a $DISPLAY, starts a private Xvfb
# and exports its DISPLAY. Call start_private_display WORK, where WORK is the
# script's temporary folder; the server's process id is left in xvfb_pid for
# the script's cleanup to stop (empty when a display was already there).
xvfb_pid=
start_private_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  exec 3<>"$1/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  local number=
  for _ in $(seq 50); do
    number=$(head -n1 "$1/displayfd" 2>/dev/null || true)
    [ -n "$number" ] && break
    sleep 0.1
  done
  [ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
}
