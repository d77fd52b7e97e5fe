# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run in stages: stage NAME COMMAND... runs the command as one stage,
# saying when it starts and how long it took, wall clock and processor time of all its processes
# (on a busy machine the second tells what it would take on a quiet one), or that it failed; it
# keeps the times for stage_summary.
stage_times=()

stage_clock() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# stage_cpu VARIABLE: the processor seconds, user and system, of every process this shell has
# waited for (`times` run in this shell itself: a subshell would count only its own).
stage_cpu() {
  local file
  file=$(mktemp)
  times >"$file"
  printf -v "$1" '%s' "$(tail -n 1 "$file" | awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/)
                                                   printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }')"
  rm -f "$file"
}

stage() {
  local name=$1 start=$SECONDS cpu cpu_end status
  shift
  stage_cpu cpu
  echo "==> $name: started at $(date +%H:%M:%S)"
  # In a subshell of its own with errexit on, so that a stage that is a function of the script
  # stops at its first failing command too.
  set +e
  (set -e; "$@")
  status=$?
  set -e
  stage_cpu cpu_end
  local took=$((SECONDS - start)) used=$((cpu_end - cpu))
  if [ $status -ne 0 ]; then
    echo "==> $name: FAILED (exit status $status) after $(stage_clock $took)"
    exit $status
  fi
  echo "==> $name: done in $(stage_clock $took) (processor time $(stage_clock $used))"
  stage_times+=("$(printf '%-20s %8s  (processor %s)' "$name" "$(stage_clock $took)" \
    "$(stage_clock $used)")")
}

stage_summary() {
  echo "==> all stages passed in $(stage_clock $SECONDS):"
  printf '      %s\n' "${stage_times[@]}"
}
