#!/usr/bin/python3
"""A pymodbus serial slave behind a pseudo-terminal, for testing a master's framing directly.

pymodbus needs a device path of its own, so it gets one pty pair and the program under test
another (symlinked to --link); a copy loop joins them. The loop also plays the line: a program
that opens the link with the wrong speed or stop bits only gets garbage back.
"""

import argparse
import select
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

from converter_sim import (  # noqa: E402
    FieldDevice,
    Line,
    PtyPort,
    install_stop_handlers,
    log,
    mangle,
    quiet_pymodbus,
    remove,
    write_ready,
)


def bridge(pc, device):
    poller = select.poll()
    poller.register(pc.master, select.POLLIN)
    poller.register(device.master, select.POLLIN)
    while True:
        for fd, _ in poller.poll():
            data = pc.read() if fd == pc.master else device.read()
            if not data:
                continue
            peer = pc.mismatch()
            if peer is None:
                (device if fd == pc.master else pc).write(data)
            elif fd == pc.master:  # what the slave's UART makes of it, answered with more noise
                pc.write(mangle(mangle(data, peer[0], pc.line.baud), pc.line.baud, peer[0]))
            else:
                pc.write(mangle(data, pc.line.baud, peer[0]))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--framer", choices=("rtu", "ascii"), required=True)
    parser.add_argument("--link", required=True, help="symlink the program under test opens")
    parser.add_argument("--slave", type=int, required=True, metavar="N", help="unit id")
    parser.add_argument("--baud", type=int, required=True)
    parser.add_argument("--parity", choices=("N", "E", "O"), default="N")
    parser.add_argument("--stop", type=int, choices=(1, 2), default=1)
    parser.add_argument("--registers-from", type=int, default=0, metavar="K")
    parser.add_argument("--ready-file")
    parser.add_argument("--debug", action="store_true", help="show pymodbus' own log")
    args = parser.parse_args(argv)

    quiet_pymodbus(args.debug)
    # Data bits cannot be told apart on a pty; use what each framing normally runs with.
    line = Line(args.baud, args.parity, 8 if args.framer == "rtu" else 7, args.stop)
    remove(args.ready_file)
    install_stop_handlers()
    pc = device = field = None
    try:
        pc = PtyPort("PC", line, args.link)
        device = PtyPort("slave", line)
        field = FieldDevice(device.pts, args.framer, line, args.slave, args.registers_from)
        field.start()
        log(f"{args.framer} slave unit {args.slave} at {line} on {args.link}")
        if args.ready_file:
            write_ready(args.ready_file)
        bridge(pc, device)
    except (OSError, TimeoutError) as exc:
        log(f"error: {exc}")
        return 1
    finally:
        if field:
            field.stop()
        for port in (device, pc):
            if port:
                port.close()
        remove(args.ready_file)
    return 0


if __name__ == "__main__":
    sys.exit(main())
