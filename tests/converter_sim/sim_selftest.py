#!/usr/bin/python3
"""Self-test of converter_sim.py and direct_slave.py.

Builds configuration files, starts the simulators on real pseudo-terminals and talks to them
with pymodbus' serial client, as the PC would. Exit status 0 when every check passes.
"""

import logging
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
from contextlib import contextmanager
from dataclasses import dataclass

import serial
from pymodbus.client import ModbusSerialClient
from pymodbus.pdu import ExceptionResponse
from pymodbus.transaction import ModbusAsciiFramer, ModbusRtuFramer

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # no __pycache__ in the source tree
import converter_sim as sim  # noqa: E402

PYTHON = "/usr/bin/python3"
L = sim.Line
# Written wherever the variant under test must not look: using it breaks the line check and
# makes the gateway time-out outlast the client's.
DECOY = L(1200, "O", 7, 2)
DECOY_TIMEOUT_MS = 5000
CLIENT_TIMEOUT_S = 2  # pymodbus truncates the time-out to whole seconds
UNKNOWN_UNIT = 99

failures = []


def check(group, name, fn, *args):
    start = time.monotonic()
    try:
        fn(*args)
    except Exception:  # every failure is reported, the run goes on
        failures.append(f"{group}: {name}\n{traceback.format_exc()}")
        verdict = "FAIL"
    else:
        verdict = "ok  "
    print(f"{verdict} {group}: {name} ({time.monotonic() - start:.2f} s)", flush=True)


def read_text(path):
    with open(path, errors="replace") as f:
        return f.read()


def eq(got, want):
    assert got == want, f"got {got!r}, want {want!r}"


# --------------------------------------------------------------------------- fixtures


@dataclass(frozen=True)
class Case:
    variant: str
    mode: int
    rtu: sim.Line
    ascii: sim.Line
    rtu_485: bool
    ascii_485: bool
    timeout_ms: int  # of the side the converter is master on; the other one gets the decoy
    unit: int
    registers_from: int
    note: str

    @property
    def name(self):
        return f"{self.variant} mode {self.mode}, {self.note}"

    def config(self):
        return sim.Config(
            mode=self.mode,
            rtu=self.rtu,
            ascii=self.ascii,
            rtu_rs485=self.rtu_485,
            ascii_rs485=self.ascii_485,
            rtu_timeout_ms=self.timeout_ms if self.mode == 1 else DECOY_TIMEOUT_MS,
            ascii_timeout_ms=self.timeout_ms if self.mode == 0 else DECOY_TIMEOUT_MS,
        )


def bankk_image(cfg, slots):
    img = bytearray(2048)
    for n in range(6):
        line = slots.get(n, DECOY)
        struct.pack_into("<I", img, 400 + 4 * n, line.baud)
        img[424 + n] = "NOE".index(line.parity)
        img[430 + n] = 0 if line.stop_bits == 1 else 2
        img[436 + n] = line.data_bits
    img[1339] = cfg.mode | cfg.rtu_rs485 << 1 | cfg.ascii_rs485 << 2
    struct.pack_into("<HH", img, 1772, cfg.rtu_timeout_ms, cfg.ascii_timeout_ms)
    struct.pack_into("<I", img, 2044, sum(img[:2044]))
    return bytes(img)


def bank_image(cfg):
    def codes(line):
        return sim.BAUD_TABLE.index(line.baud), "NOE".index(line.parity)

    def shape(line):
        return sim.DATA_BITS_TABLE.index(line.data_bits), 0 if line.stop_bits == 1 else 2

    return struct.pack(
        "<IBB2BHB2BH4B",
        4,
        cfg.mode,
        cfg.rtu_rs485,
        *codes(cfg.rtu),
        cfg.rtu_timeout_ms,
        cfg.ascii_rs485,
        *codes(cfg.ascii),
        cfg.ascii_timeout_ms,
        *shape(cfg.rtu),
        *shape(cfg.ascii),
    )


def write_fixture(folder, case):
    """The case's settings in the file its variant reads, decoys in the other one."""
    cfg = case.config()
    decoy = sim.Config(1 - cfg.mode, DECOY, DECOY, False, False, DECOY_TIMEOUT_MS, DECOY_TIMEOUT_MS)
    if case.variant == "ethernet":
        slots = {0 if cfg.rtu_rs485 else 3: cfg.rtu, 2 if cfg.ascii_rs485 else 3: cfg.ascii}
        assert cfg.rtu_rs485 or cfg.ascii_rs485 or cfg.rtu == cfg.ascii, "both sides share slot 3"
        bankk, bank = bankk_image(cfg, slots), bank_image(decoy)
    else:
        bankk, bank = bankk_image(decoy, {}), bank_image(cfg)
    os.makedirs(folder, exist_ok=True)
    for name, data in (("bankK.bin", bankk), ("bank.bin", bank)):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


CASES = [
    # variant, mode, RTU line, ASCII line, RTU on RS485, ASCII on RS485, time-out, unit, K, note
    Case("ethernet", 0, L(19200, "N", 8, 1), L(9600, "E", 7, 1), True, False, 300, 1, 0, "RTU on RS485"),
    Case("ethernet", 1, L(38400, "N", 8, 2), L(38400, "N", 8, 2), False, False, 300, 17, 40000, "one slot"),
    Case("serial", 0, L(57600, "E", 8, 1), L(4800, "O", 7, 2), False, True, 250, 5, 100, "ASCII on RS485"),
    Case("serial", 1, L(115200, "N", 8, 1), L(2400, "N", 7, 1), True, True, 250, 247, 65000, "both RS485"),
]


def patched(folder, name, offset, value, fix_checksum=False):
    path = os.path.join(folder, name)
    with open(path, "rb") as f:
        img = bytearray(f.read())
    img[offset] = value
    if fix_checksum:
        struct.pack_into("<I", img, 2044, sum(img[:2044]))
    with open(path, "wb") as f:
        f.write(img)


def read_back(folder, case):
    eq(sim.load_config(folder, case.variant), case.config())


def rejected(folder, variant):
    try:
        sim.load_config(folder, variant)
    except sim.ConfigError:
        return
    raise AssertionError("accepted")


BAD_CONFIGS = [  # (what, case index, file, offset, value, fix checksum)
    ("bankK.bin checksum stale", 0, "bankK.bin", 400, 0x55, False),
    ("bankK.bin stop-bit code 1", 0, "bankK.bin", 430, 1, True),
    ("bankK.bin 6 data bits", 1, "bankK.bin", 439, 6, True),
    ("bank.bin header not 4", 2, "bank.bin", 0, 5, False),
    ("bank.bin baud index 8", 2, "bank.bin", 6, 8, False),
    ("bank.bin mode 2", 3, "bank.bin", 4, 2, False),
]


# --------------------------------------------------------------------------- framing units


def test_codecs():
    eq(sim.crc16(b"123456789"), 0x4B37)
    eq(sim.rtu_frame(bytes.fromhex("010300000001")), bytes.fromhex("010300000001840a"))
    eq(sim.ascii_frame(bytes.fromhex("010300000001")), b":010300000001FB\r\n")
    eq(sim.ascii_decode(b":010300000001FB\r\n"), bytes.fromhex("010300000001"))


REQ = sim.rtu_frame(bytes.fromhex("110300000002"))
REQ16 = sim.rtu_frame(bytes.fromhex("1110000a00020400010002"))
ODD = sim.rtu_frame(bytes.fromhex("1111"))  # report slave id: no length rule, ends on silence
BAD = REQ[:-1] + bytes([REQ[-1] ^ 1])
RTU_FEEDS = [  # (name, [(time, bytes)], expected ADUs); times are fed in, nothing sleeps
    ("split request completes by length", [(0, REQ[:3]), (0.02, REQ[3:7]), (0.04, REQ[7:])], [REQ[:-2]]),
    ("two requests in one read", [(0, REQ16 + REQ)], [REQ16[:-2], REQ[:-2]]),
    ("unknown function ends on silence", [(0, ODD), (0.001, b""), (1, b"")], [ODD[:-2]]),
    ("bad CRC dropped, next frame kept", [(0, BAD + REQ)], [REQ[:-2]]),
    ("stale bytes do not merge", [(0, REQ[:5]), (1, REQ)], [REQ[:-2]]),
    ("overflow resynchronises", [(0, bytes(600)), (1, REQ)], [REQ[:-2]]),
]
ASCII_FEEDS = [
    ("split frame", [b":0103000000", b"01FB\r", b"\n"], [bytes.fromhex("010300000001")]),
    ("':' starts over", [b":0103:010300000001FB\r\n"], [bytes.fromhex("010300000001")]),
    ("bad LRC dropped", [b":010300000001FC\r\n:010300000001FB\r\n"], [bytes.fromhex("010300000001")]),
    ("lower-case hex rejected", [b":01030000000afb\r\n"], []),
]


def test_rtu_feed(feeds, want):
    rx = sim.RtuReceiver(L(19200, "N", 8, 1), requests=True, name="test")
    got = []
    for now, data in feeds:
        got += rx.feed(data, now)
    eq(got, want)


def test_ascii_feed(feeds, want):
    rx = sim.AsciiReceiver("test")
    eq([adu for data in feeds for adu in rx.feed(data, 0)], want)


# --------------------------------------------------------------------------- processes


@contextmanager
def running(script, args, ready, log_path):
    """Start a simulator, wait for its ready file, and always stop it again."""
    with open(log_path, "wb") as log_file:
        command = [PYTHON, os.path.join(HERE, script), *args, "--ready-file", ready]
        proc = subprocess.Popen(command, stderr=log_file)
    try:
        deadline = time.monotonic() + 15
        while not os.path.exists(ready):
            if proc.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError(f"{script} did not get ready:\n{read_text(log_path)}")
            time.sleep(0.02)
        yield proc
    finally:
        if proc.poll() is None:
            proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def stops_cleanly(proc, links):
    proc.send_signal(signal.SIGTERM)
    eq(proc.wait(5), 0)
    eq([link for link in links if os.path.lexists(link)], [])


class Peer:
    """The PC's end of one link: pymodbus' client, or a raw port for what the client hides."""

    def __init__(self, link, framing, line, unit, registers_from):
        self.link, self.framing, self.line, self.unit, self.k = link, framing, line, unit, registers_from
        self.encode = sim.rtu_frame if framing == "rtu" else sim.ascii_frame
        # Only speed and stop bits survive on a pty; asking for 7 data bits or parity on a
        # reopen fails with EINVAL, so the PC side runs 8N with the configured stop bits.
        self.client = ModbusSerialClient(
            port=link,
            framer=ModbusRtuFramer if framing == "rtu" else ModbusAsciiFramer,
            baudrate=line.baud,
            stopbits=line.stop_bits,
            timeout=CLIENT_TIMEOUT_S,
        )

    def words(self, address, count):
        return [(self.k + a) & 0xFFFF for a in range(address, address + count)]

    def exchange(self, frames, size, baud=None, stop=None):
        """Raw frames out; back comes what arrives until `size` bytes or a short quiet spell."""
        self.client.close()  # termios is per tty: two openers would fight over it
        baud, stop = baud or self.line.baud, stop or self.line.stop_bits
        with serial.Serial(self.link, baudrate=baud, stopbits=stop, timeout=CLIENT_TIMEOUT_S) as port:
            for frame in frames:
                port.write(frame)
            got = port.read(1)
            port.timeout = 0.2  # pyserial's inter_byte_timeout does not end a read early
            while got and len(got) < size:
                more = port.read(min(max(port.in_waiting, 1), size - len(got)))
                if not more:
                    break
                got += more
            return got

    def read_request(self, unit, address=0, count=1):
        return self.encode(struct.pack(">BBHH", unit, 3, address, count))

    def corrupt(self, frame):
        i = 3 if self.framing == "rtu" else 8  # a byte / hex digit of the start address
        return frame[:i] + (b"1" if frame[i] != ord("1") else b"2") + frame[i + 1 :]

    def valid_frame(self, data):
        return sim.rtu_crc_ok(data) if self.framing == "rtu" else sim.ascii_decode(data) is not None


def ok(response):
    assert not response.isError(), response
    return response


def op_read_holding(p):
    eq(ok(p.client.read_holding_registers(10, 4, slave=p.unit)).registers, p.words(10, 4))


def op_read_input_top(p):
    eq(ok(p.client.read_input_registers(65534, 2, slave=p.unit)).registers, p.words(65534, 2))


def op_read_bits(p):
    eq(ok(p.client.read_coils(0, 5, slave=p.unit)).bits[:5], [True, False, True, False, True])
    eq(ok(p.client.read_discrete_inputs(3, 3, slave=p.unit)).bits[:3], [False, True, False])


def op_writes(p):
    ok(p.client.write_register(20, 0xBEEF, slave=p.unit))
    ok(p.client.write_registers(30, [1, 2, 3], slave=p.unit))
    ok(p.client.write_coil(1, True, slave=p.unit))
    eq(ok(p.client.read_holding_registers(20, 1, slave=p.unit)).registers, [0xBEEF])
    eq(ok(p.client.read_holding_registers(30, 3, slave=p.unit)).registers, [1, 2, 3])
    eq(ok(p.client.read_coils(1, 1, slave=p.unit)).bits[0], True)


def op_gateway_exception(p):
    response = p.client.read_holding_registers(0, 1, slave=UNKNOWN_UNIT)
    assert isinstance(response, ExceptionResponse), response
    eq((response.original_code, response.exception_code), (3, sim.GATEWAY_TARGET_FAILED))


def answer_first(p, frames, address=40, value=None):
    """Sends frames followed by a read of `address`; the first bytes back must answer that read."""
    value = p.words(address, 1)[0] if value is None else value
    want = p.encode(struct.pack(">BBBH", p.unit, 3, 2, value))
    eq(p.exchange([*frames, p.read_request(p.unit, address)], len(want)), want)


def op_broadcast(p):
    answer_first(p, [p.encode(struct.pack(">BBHH", 0, 6, 40, 0x1234))], value=0x1234)


def op_unknown_unit_silent(p):
    answer_first(p, [p.read_request(UNKNOWN_UNIT)], address=50)


def op_corrupted_ignored(p):
    answer_first(p, [p.corrupt(p.read_request(p.unit, 50))], address=50)


def garbage_only(p, baud, stop):
    got = p.exchange([p.read_request(p.unit)], 512, baud=baud, stop=stop)
    assert got, "silence instead of garbage"
    assert not p.valid_frame(got), f"valid frame {got!r} at the wrong line settings"


def op_wrong_baud(p):
    garbage_only(p, 9600 if p.line.baud != 9600 else 19200, None)


def op_wrong_stop_bits(p):
    garbage_only(p, None, 3 - p.line.stop_bits)


CONVERTER_OPS = [
    ("read holding registers", op_read_holding),
    ("read input registers at the top of the map", op_read_input_top),
    ("read coils and discrete inputs", op_read_bits),
    ("write registers and coil, read back", op_writes),
    ("unknown unit: exception 0x0B from the converter", op_gateway_exception),
    ("broadcast forwarded, never answered", op_broadcast),
    ("corrupted request ignored", op_corrupted_ignored),
    ("wrong baud: garbage only", op_wrong_baud),
    ("wrong stop bits: garbage only", op_wrong_stop_bits),
    ("answers again at the right settings", op_read_holding),
]
DIRECT_OPS = [
    ("read holding registers", op_read_holding),
    ("write registers and coil, read back", op_writes),
    ("other unit ids get no answer", op_unknown_unit_silent),
    ("corrupted request ignored, next one answered", op_corrupted_ignored),
    ("wrong baud: garbage only", op_wrong_baud),
    ("answers again at the right settings", op_read_holding),
]
DIRECT_CASES = [("rtu", L(19200, "E", 8, 1), 3, 1000), ("ascii", L(9600, "N", 7, 2), 3, 1000)]


def run_case(group, script, args, tmp, peer, ops, links):
    """Starts one simulator, runs the table of operations against it, then stops it."""
    tag = os.path.basename(links[0])
    try:
        ready, log_path = os.path.join(tmp, f"{tag}.ready"), os.path.join(tmp, f"{tag}.log")
        with running(script, args, ready, log_path) as proc:
            try:
                for name, op in ops:
                    check(group, name, op, peer)
            finally:
                peer.client.close()
            check(group, "stops cleanly on SIGTERM", stops_cleanly, proc, links)
    except RuntimeError as exc:
        failures.append(f"{group}: {exc}")
        print(f"FAIL {group}: did not start", flush=True)


def main():
    logging.basicConfig(level=logging.CRITICAL)  # the client logs every expected failure
    sim.log = lambda message: None  # so do the receivers tested in-process
    started = time.monotonic()
    check("framing", "known vectors", test_codecs)
    for name, feeds, want in RTU_FEEDS:
        check("rtu receiver", name, test_rtu_feed, feeds, want)
    for name, feeds, want in ASCII_FEEDS:
        check("ascii receiver", name, test_ascii_feed, feeds, want)

    with tempfile.TemporaryDirectory(prefix="converter_sim-") as tmp:
        for i, case in enumerate(CASES):
            folder = os.path.join(tmp, f"case{i}")
            write_fixture(folder, case)
            check("config", case.name, read_back, folder, case)
        for what, i, name, offset, value, fix in BAD_CONFIGS:
            folder = os.path.join(tmp, f"bad{offset}{name}")
            write_fixture(folder, CASES[i])
            patched(folder, name, offset, value, fix)
            check("config rejects", what, rejected, folder, CASES[i].variant)

        for i, case in enumerate(CASES):
            rtu, asc = os.path.join(tmp, f"rtu{i}"), os.path.join(tmp, f"ascii{i}")
            args = ["--bin", os.path.join(tmp, f"case{i}"), "--variant", case.variant, "--rtu-link", rtu]
            args += ["--ascii-link", asc, "--field-slave", str(case.unit)]
            args += ["--field-registers-from", str(case.registers_from)]
            link, framing, line = (rtu, "rtu", case.rtu) if case.mode == 0 else (asc, "ascii", case.ascii)
            peer = Peer(link, framing, line, case.unit, case.registers_from)
            links = [link, asc if link == rtu else rtu]
            run_case(f"converter {case.name}", "converter_sim.py", args, tmp, peer, CONVERTER_OPS, links)

        for framing, line, unit, k in DIRECT_CASES:
            link = os.path.join(tmp, f"direct-{framing}")
            args = ["--framer", framing, "--link", link, "--slave", str(unit), "--baud", str(line.baud)]
            args += ["--parity", line.parity, "--stop", str(line.stop_bits), "--registers-from", str(k)]
            peer = Peer(link, framing, line, unit, k)
            run_case(f"direct {framing}", "direct_slave.py", args, tmp, peer, DIRECT_OPS, [link])

        for failure in failures:
            print(f"\n{failure}", file=sys.stderr)
        if failures:
            for log_name in sorted(n for n in os.listdir(tmp) if n.endswith(".log")):
                print(f"--- {log_name}\n{read_text(os.path.join(tmp, log_name))}", file=sys.stderr)
    verdict = "FAILED" if failures else "passed"
    print(f"{verdict}: {len(failures)} failure(s), {time.monotonic() - started:.1f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
