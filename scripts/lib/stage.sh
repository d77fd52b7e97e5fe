# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run in stages: stage NAME COMMAND... runs the command as one stage,
# saying when it starts and how long it took (or that it failed), and keeps the times for
# stage_summary.
stage_times=()

stage_clock() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

stage() {
  local name=$1 start=$SECONDS status
  shift
  echo "==> $name: started at $(date +%H:%M:%S)"
  # In a subshell of its own with errexit on, so that a stage that is a function of the script
  # stops at its first failing command too.
  set +e
  (set -e; "$@")
  status=$?
  set -e
  local took=$((SECONDS - start))
  if [ $status -ne 0 ]; then
    echo "==> $name: FAILED (exit status $status) after $(stage_clock $took)"
    exit $status
  fi
  echo "==> $name: done in $(stage_clock $took)"
  stage_times+=("$(printf '%-22s %s' "$name" "$(stage_clock $took)")")
}

stage_summary() {
  echo "==> all stages passed in $(stage_clock $SECONDS):"
  printf '      %s\n' "${stage_times[@]}"
}
