"""Runs the real Orca (/usr/bin/orca) with its debug log readable while it runs.

Usage: /usr/bin/python3 orca_logged.py ORCA-ARGUMENTS... --debug-file FILE

Orca opens its debug file fully buffered, so what it speaks would reach the file only in blocks of
several kilobytes, long after the key. Here that one file is opened line-buffered instead.

Orca also refuses to start while another Orca of the same user runs, even one on another desktop
(say the developer's own, or a second test run). The test's Orca lives on a bus of its own, so that
check is left out.
"""

import builtins
import runpy
import sys

ORCA = "/usr/bin/orca"


def main():
    debug_file = sys.argv[sys.argv.index("--debug-file") + 1]
    real_open = builtins.open

    def open_line_buffered(file, mode="r", *args, **kwargs):
        if file == debug_file and "w" in mode:
            kwargs.pop("buffering", None)
            return real_open(file, mode, 1, *args[1:], **kwargs)
        return real_open(file, mode, *args, **kwargs)

    builtins.open = open_line_buffered
    sys.argv[0] = ORCA
    # Orca's launcher as a module, not as __main__, so that its check can be replaced before main().
    launcher = runpy.run_path(ORCA, run_name="orca_launcher")
    launcher["main"].__globals__["otherOrcas"] = lambda: []
    sys.exit(launcher["main"]())


if __name__ == "__main__":
    main()
