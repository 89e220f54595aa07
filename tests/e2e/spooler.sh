# A real spooler for the print tests: cupsd (ours unless one is running already) with a cups-pdf
# queue named $queue on Letter paper as the default printer while the test runs, and helpers to
# read what reached it. Source it after lib.sh, e2e_start_x and e2e_workdir, with $queue set; it
# installs an EXIT trap that removes the queue and what it printed and stops what it started.

# lpstat -r exits 0 either way; only its text tells.
spooler_up() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
previous_default=""
cupsd_pid=""
print_cleanup() {
  if spooler_up; then
    cancel -a -x "$queue" 2>/dev/null || true
    lpadmin -x "$queue" 2>/dev/null || true
    [ -n "$previous_default" ] && lpadmin -d "$previous_default" 2>/dev/null || true
  fi
  [ -n "${marker:-}" ] && [ -n "${out_dir:-}" ] && find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$marker" -delete 2>/dev/null
  if [ -n "$cupsd_pid" ]; then kill "$cupsd_pid" 2>/dev/null || true; wait "$cupsd_pid" 2>/dev/null || true; fi
  e2e_cleanup
}
trap print_cleanup EXIT

if ! spooler_up; then
  mkdir -p /run/cups
  /usr/sbin/cupsd -f </dev/null >"$e2e_work/cupsd.log" 2>&1 &
  cupsd_pid=$!
  for _ in $(seq 1 100); do spooler_up && break; sleep 0.1; done
  spooler_up || e2e_fail "cupsd did not start: $(cat "$e2e_work/cupsd.log")"
fi
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
lpadmin -p "$queue" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>/dev/null
# Letter, not A4, as this queue's paper: what is printed must come out on the printer's own
# paper.
lpadmin -p "$queue" -o PageSize=Letter
lpadmin -d "$queue"

# cups-pdf writes into the job owner's home (Out in cups-pdf.conf).
out_dir=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -n 1)
out_dir=${out_dir:-'${HOME}/PDF'}
out_dir=${out_dir//'${HOME}'/$HOME}
mkdir -p "$out_dir"
marker="$e2e_work/before-print"
touch "$marker"
sleep 1 # newer-than needs a later second on some file systems

# Every job the queue ever had, done or not: a job that came and went still counts.
job_count() { lpstat -W all -o "$queue" 2>/dev/null | wc -l; }
newest_pdf() { find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$marker" -printf '%T@ %p\n' | sort -n | tail -n 1 | cut -d' ' -f2-; }
pdf_count() { find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$marker" | wc -l; }
wait_jobs() {
  for _ in $(seq 1 600); do [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && return 0; sleep 0.1; done
  e2e_fail "the job did not finish: $(lpstat -o "$queue")"
}
