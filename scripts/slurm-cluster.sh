#!/usr/bin/env bash
# A one-node Slurm cluster in a folder of its own, for the tests: no
# systemd, nothing in /etc, on 127.0.0.1 whatever the host name resolves to.
# munged with its own key and socket, slurmctld and
# slurmd with their own ports, so that two clusters can run side by side.
#   slurm-cluster.sh start DIR   starts it; prints the line that points the
#                                clients at it (export SLURM_CONF=...)
#   slurm-cluster.sh stop DIR    stops its daemons and waits until they are gone
set -euo pipefail
command=${1:-} dir=${2:-}
case "$command:$dir" in
  start:?* | stop:?*) ;;
  *) echo "usage: slurm-cluster.sh start|stop DIR" >&2; exit 2 ;;
esac
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

# A daemon is alive while its /proc entry is there and not a zombie
# (daemons reparented to a PID 1 that does not reap stay zombies).
alive() {
  local pid=$1 state
  [ -r "/proc/$pid/stat" ] || return 1
  state=$(sed 's/^[^)]*) \(.\).*/\1/' "/proc/$pid/stat" 2>/dev/null) || return 1
  [ "$state" != Z ]
}

if [ "$command" = stop ]; then
  for name in slurmd slurmctld munged; do
    pid=$(cat "$dir/run/$name.pid" 2>/dev/null || true)
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do alive "$pid" || break; sleep 0.1; done
    if alive "$pid"; then kill -9 "$pid" 2>/dev/null || true; fi
    rm -f "$dir/run/$name.pid"
  done
  exit 0
fi

mkdir -p "$dir/etc" "$dir/munge/key" "$dir/munge/run" "$dir/spool/ctld" "$dir/spool/d" \
  "$dir/log" "$dir/run"
chmod 700 "$dir/munge/key"
chmod 755 "$dir/munge" "$dir/munge/run"
key="$dir/munge/key/munge.key"
[ -s "$key" ] || { dd if=/dev/urandom of="$key" bs=1024 count=1 status=none; chmod 400 "$key"; }
socket="$dir/munge/run/munge.socket"
munged --force --key-file="$key" --socket="$socket" --pid-file="$dir/run/munged.pid" \
  --log-file="$dir/log/munged.log" --seed-file="$dir/munge/seed"

port=$((20000 + ($$ * 2) % 20000))
host=$(hostname -s)
memory=$(awk '/MemTotal/ { print int($2 / 1024) - 512 }' /proc/meminfo)
cat >"$dir/etc/slurm.conf" <<CONF
ClusterName=quorbel
SlurmctldHost=$host(127.0.0.1)
SlurmUser=root
SlurmctldPort=$port
SlurmdPort=$((port + 1))
AuthType=auth/munge
AuthInfo=socket=$socket
CredType=cred/munge
StateSaveLocation=$dir/spool/ctld
SlurmdSpoolDir=$dir/spool/d
SlurmctldPidFile=$dir/run/slurmctld.pid
SlurmdPidFile=$dir/run/slurmd.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
SchedulerParameters=batch_sched_delay=0
DependencyParameters=kill_invalid_depend
MinJobAge=300
JobCompType=jobcomp/filetxt
JobCompLoc=$dir/log/jobcomp.txt
MpiDefault=none
ReturnToService=2
SlurmdParameters=config_overrides
NodeName=$host NodeAddr=127.0.0.1 NodeHostname=$host CPUs=$(nproc) RealMemory=$memory State=UNKNOWN
PartitionName=main Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF="$dir/etc/slurm.conf"
slurmctld -f "$SLURM_CONF"
slurmd -f "$SLURM_CONF"
for _ in $(seq 100); do
  state=$(sinfo -h -o %T 2>/dev/null || true)
  [ "$state" = idle ] && break
  sleep 0.1
done
[ "${state:-}" = idle ] || { echo "slurm-cluster: the node did not come up (${state:-no answer}); see $dir/log" >&2; "$0" stop "$dir"; exit 1; }
echo "export SLURM_CONF=$SLURM_CONF"
