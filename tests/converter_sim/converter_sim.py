#!/usr/bin/python3
"""Simulated Modbus RTU <-> Modbus ASCII converter on pseudo-terminals.

The converter reads its configuration from bankK.bin / bank.bin in --bin DIR, exposes one
pseudo-terminal per side (symlinked to --rtu-link / --ascii-link) and forwards requests from
the side where it is a slave to the side where it is the master. A program that opens a link
with the wrong speed or stop bits only gets garbage, as on a real line.

Optionally (--field-slave) a pymodbus server plays the device behind the converter.
"""

import argparse
import asyncio
import fcntl
import logging
import math
import os
import random
import select
import signal
import struct
import sys
import termios
import threading
import time
import tty
import zlib
from dataclasses import dataclass

from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
from pymodbus.server.async_io import ModbusSerialServer
from pymodbus.transaction import ModbusAsciiFramer, ModbusRtuFramer

BAUD_TABLE = (1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200)
DATA_BITS_TABLE = (5, 6, 7, 8)
PARITY_CODES = {0: "N", 1: "O", 2: "E"}
STOP_CODES = {0: 1, 2: 2}
GATEWAY_TARGET_FAILED = 0x0B
MAX_BUFFER = 512
MAX_ASCII_FRAME = 513  # ':' + 2 * (1 + 253 + 1) hex digits + CR LF
SILENCE_FLOOR = 0.005  # Python on a pty cannot keep 3.5 character times at high speed
PATIENT_SILENCE = 0.05  # a known function still short of its length gets longer to finish


def log(message):
    name = os.path.basename(sys.argv[0]) or "converter_sim"
    print(f"{name}[{os.getpid()}]: {message}", file=sys.stderr, flush=True)


# --------------------------------------------------------------------------- framing


def crc16(data):
    crc = 0xFFFF
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def rtu_frame(adu):
    return bytes(adu) + struct.pack("<H", crc16(adu))


def rtu_crc_ok(frame):
    return len(frame) >= 4 and crc16(frame[:-2]) == struct.unpack_from("<H", frame, len(frame) - 2)[0]


def lrc(data):
    return -sum(data) & 0xFF


def ascii_frame(adu):
    return b":" + (bytes(adu) + bytes([lrc(adu)])).hex().upper().encode() + b"\r\n"


def ascii_decode(frame):
    """ADU (address + PDU) of a complete ':'..CR LF frame, None if malformed or the LRC is wrong."""
    if not (frame.startswith(b":") and frame.endswith(b"\r\n")):
        return None
    body = frame[1:-2]
    if len(body) < 6 or len(body) % 2 or body.strip(b"0123456789ABCDEF"):
        return None
    raw = bytes.fromhex(body.decode())
    return raw[:-1] if sum(raw) & 0xFF == 0 else None


KNOWN_FUNCTIONS = (1, 2, 3, 4, 5, 6, 15, 16)


def rtu_expected_length(buf, requests):
    """Frame length implied by the function code, None while it cannot be told yet (or never)."""
    if len(buf) < 2:
        return None
    function = buf[1]
    if requests:
        if function in (1, 2, 3, 4, 5, 6):
            return 8
        if function in (15, 16):
            return 9 + buf[6] if len(buf) > 6 else None
        return None
    if function & 0x80:
        return 5
    if function in (1, 2, 3, 4):
        return 5 + buf[2] if len(buf) > 2 else None
    if function in (5, 6, 15, 16):
        return 8
    return None


class RtuReceiver:
    """Cuts a byte stream into RTU frames and yields the ADUs whose CRC checks.

    A frame ends on silence or as soon as the function-code length rules say it is complete and
    the CRC agrees, so pty/scheduler jitter cannot split a frame that arrives in pieces.
    """

    def __init__(self, line, requests, name):
        self.requests = requests
        self.name = name
        char = line.char_bits() / line.baud
        self.gap = max(1.75e-3 if line.baud > 19200 else 3.5 * char, SILENCE_FLOOR)
        self.buf = b""
        self.last = 0.0

    def reset(self):
        self.buf = b""

    def _silence(self):
        expected = rtu_expected_length(self.buf, self.requests)
        if expected is None:
            unfinished = len(self.buf) < 2 or self.buf[1] in KNOWN_FUNCTIONS
        else:
            unfinished = len(self.buf) < expected
        return max(self.gap, PATIENT_SILENCE) if unfinished else self.gap

    def deadline(self):
        return self.last + self._silence() if self.buf else None

    def feed(self, data, now):
        frames = []
        if self.buf and now - self.last >= self._silence():
            if rtu_crc_ok(self.buf):
                frames.append(self.buf[:-2])
            else:
                log(f"{self.name}: dropped {len(self.buf)} bytes (bad CRC or incomplete): {self.buf.hex()}")
            self.buf = b""
        if data:
            self.buf += data
            self.last = now
            if len(self.buf) > MAX_BUFFER:
                log(f"{self.name}: {len(self.buf)} bytes without a frame, resynchronising")
                self.buf = b""
        while self.buf:
            expected = rtu_expected_length(self.buf, self.requests)
            if expected is None or len(self.buf) < expected:
                break
            if rtu_crc_ok(self.buf[:expected]):
                frames.append(self.buf[: expected - 2])
            else:  # the length is known, so a good frame right behind it need not be lost
                log(f"{self.name}: dropped frame with bad CRC: {self.buf[:expected].hex()}")
            self.buf = self.buf[expected:]
        return frames


class AsciiReceiver:
    """Collects ':' .. CR LF frames; a ':' always starts over, as on a real ASCII line."""

    def __init__(self, name):
        self.name = name
        self.buf = bytearray()

    def reset(self):
        self.buf.clear()

    def deadline(self):
        return None

    def feed(self, data, now):
        frames = []
        for byte in data:
            if byte == 0x3A:
                self.buf[:] = b":"
                continue
            if not self.buf:
                continue
            self.buf.append(byte)
            if self.buf.endswith(b"\r\n"):
                adu = ascii_decode(bytes(self.buf))
                if adu is None:
                    log(f"{self.name}: dropped malformed frame or bad LRC: {bytes(self.buf)!r}")
                else:
                    frames.append(adu)
                self.buf.clear()
            elif len(self.buf) >= MAX_ASCII_FRAME:
                log(f"{self.name}: frame too long, resynchronising")
                self.buf.clear()
        return frames


# --------------------------------------------------------------------------- configuration


class ConfigError(Exception):
    pass


@dataclass(frozen=True)
class Line:
    baud: int
    parity: str  # "N", "O" or "E", as pyserial spells it
    data_bits: int
    stop_bits: int

    def char_bits(self):
        return 1 + self.data_bits + (self.parity != "N") + self.stop_bits

    def __str__(self):
        return f"{self.baud} {self.data_bits}{self.parity}{self.stop_bits}"


@dataclass(frozen=True)
class Config:
    mode: int  # 0: RTU slave <-> ASCII master, 1: ASCII slave <-> RTU master
    rtu: Line
    ascii: Line
    rtu_rs485: bool
    ascii_rs485: bool
    rtu_timeout_ms: int
    ascii_timeout_ms: int


def _code(table, value, what):
    if value not in table:
        raise ConfigError(f"{what}: invalid code {value}")
    return table[value]


def _read(path, size):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as exc:
        raise ConfigError(str(exc)) from exc
    if len(data) != size:
        raise ConfigError(f"{path}: {len(data)} bytes, expected {size}")
    return data


def load_bankk(path):
    data = _read(path, 2048)
    (stored,) = struct.unpack_from("<I", data, 2044)
    if sum(data[:2044]) & 0xFFFFFFFF != stored:
        raise ConfigError(f"{path}: checksum {stored:#x} does not match contents")

    def slot(n):
        (baud,) = struct.unpack_from("<I", data, 400 + 4 * n)
        bits = data[436 + n]
        if baud == 0 or bits not in (7, 8):
            raise ConfigError(f"{path}: slot {n}: baud {baud}, {bits} data bits")
        parity = _code(PARITY_CODES, data[424 + n], f"{path}: slot {n} parity")
        return Line(baud, parity, bits, _code(STOP_CODES, data[430 + n], f"{path}: slot {n} stop bits"))

    flags = data[1339]
    rtu_rs485, ascii_rs485 = bool(flags & 2), bool(flags & 4)
    rtu_timeout, ascii_timeout = struct.unpack_from("<HH", data, 1772)
    return Config(
        mode=flags & 1,
        rtu=slot(0 if rtu_rs485 else 3),
        ascii=slot(2 if ascii_rs485 else 3),
        rtu_rs485=rtu_rs485,
        ascii_rs485=ascii_rs485,
        rtu_timeout_ms=rtu_timeout,
        ascii_timeout_ms=ascii_timeout,
    )


def load_bank(path):
    data = _read(path, 19)
    (header,) = struct.unpack_from("<I", data, 0)
    if header != 4:
        raise ConfigError(f"{path}: header {header}, expected 4")

    def line(side, baud, parity, bits, stop):
        return Line(
            _code(dict(enumerate(BAUD_TABLE)), data[baud], f"{path}: {side} baud"),
            _code(PARITY_CODES, data[parity], f"{path}: {side} parity"),
            _code(dict(enumerate(DATA_BITS_TABLE)), data[bits], f"{path}: {side} data bits"),
            _code(STOP_CODES, data[stop], f"{path}: {side} stop bits"),
        )

    for offset, what in ((4, "mode"), (5, "RTU interface"), (10, "ASCII interface")):
        _code({0: 0, 1: 1}, data[offset], f"{path}: {what}")
    return Config(
        mode=data[4],
        rtu=line("RTU", 6, 7, 15, 16),
        ascii=line("ASCII", 11, 12, 17, 18),
        rtu_rs485=data[5] == 1,
        ascii_rs485=data[10] == 1,
        rtu_timeout_ms=struct.unpack_from("<H", data, 8)[0],
        ascii_timeout_ms=struct.unpack_from("<H", data, 13)[0],
    )


def load_config(bin_dir, variant="ethernet"):
    # The variant without Ethernet port keeps data-bit bytes in bankK.bin that do not describe
    # its lines, so everything for it comes from bank.bin.
    if variant == "serial":
        return load_bank(os.path.join(bin_dir, "bank.bin"))
    return load_bankk(os.path.join(bin_dir, "bankK.bin"))


# --------------------------------------------------------------------------- pseudo-terminals

_SPEEDS = {getattr(termios, n): int(n[1:]) for n in dir(termios) if n[0] == "B" and n[1:].isdigit()}
_TCGETS2 = 0x802C542A  # asm-generic value; other architectures fall back to the table
_TERMIOS2 = struct.Struct("4IB19B2I")


def peer_settings(slave_fd):
    """(speed, two stop bits) last set on the slave end by whoever opened it."""
    attrs = termios.tcgetattr(slave_fd)
    two_stop = bool(attrs[2] & termios.CSTOPB)
    if attrs[5] in _SPEEDS:
        return _SPEEDS[attrs[5]], two_stop
    try:  # custom speed (BOTHER) is only visible through termios2
        raw = fcntl.ioctl(slave_fd, _TCGETS2, bytes(_TERMIOS2.size))
        return _TERMIOS2.unpack(raw)[-1], two_stop
    except OSError:
        return -1, two_stop


def mangle(data, tx_baud, rx_baud):
    """What a UART at rx_baud makes of data sent at tx_baud: about as many characters, all wrong."""
    n = round(len(data) * rx_baud / tx_baud) if tx_baud > 0 and rx_baud > 0 else len(data)
    n = min(max(n, 1), MAX_BUFFER)
    seed = zlib.crc32(data) ^ (rx_baud << 1) ^ tx_baud
    out = bytearray(random.Random(seed).randbytes(n))
    if rtu_crc_ok(out):  # a valid frame by chance would make the mismatch invisible
        out[-1] ^= 0xFF
    return bytes(out)


def make_link(link, target):
    if os.path.lexists(link) and not os.path.islink(link):
        raise FileExistsError(f"{link} exists and is not a symlink; not replacing it")
    tmp = f"{link}.{os.getpid()}.tmp"
    os.symlink(target, tmp)
    os.replace(tmp, link)


class PtyPort:
    """One pseudo-terminal pair: the peer opens the slave end (through an optional symlink).

    Our own fd on the slave end keeps the pair usable after the peer closes and lets us read the
    peer's line settings; a pty keeps speed and CSTOPB but not parity or character size.
    """

    def __init__(self, name, line, link=None):
        self.name = name
        self.line = line
        self.link = link
        self.master, self.slave = os.openpty()
        tty.setraw(self.master)  # reaches the slave's termios: no echo, no line editing
        attrs = termios.tcgetattr(self.slave)
        attrs[4] = attrs[5] = termios.B0  # "nobody configured this line yet"
        termios.tcsetattr(self.slave, termios.TCSANOW, attrs)
        os.set_blocking(self.master, False)
        self.pts = os.ttyname(self.slave)
        self._seen = None
        if link:
            make_link(link, self.pts)

    def mismatch(self):
        """The peer's (speed, two stop bits) if they differ from the line's, else None."""
        speed, two_stop = peer_settings(self.slave)
        bad = speed != self.line.baud or two_stop != (self.line.stop_bits == 2)
        if (speed, two_stop) != self._seen and speed != 0:
            verdict = "mismatch, the peer will see garbage" if bad else "ok"
            stops = 2 if two_stop else 1
            log(f"{self.name}: peer at {speed} baud, {stops} stop bits, line {self.line}: {verdict}")
        self._seen = speed, two_stop
        return (speed, two_stop) if bad else None

    def read(self):
        try:
            return os.read(self.master, 4096)
        except (BlockingIOError, InterruptedError):
            return b""

    def write(self, data):
        try:
            os.write(self.master, data)
        except BlockingIOError:  # nobody drains the slave end; a real line would lose it too
            log(f"{self.name}: output buffer full, {len(data)} bytes lost")

    def close(self):
        if self.link and os.path.islink(self.link) and os.readlink(self.link) == self.pts:
            os.unlink(self.link)
        os.close(self.master)
        os.close(self.slave)


class Side(PtyPort):
    """One converter port with its framing; `faces_master` is the side the PC talks to."""

    def __init__(self, name, framing, line, link, faces_master):
        super().__init__(name, line, link)
        self.framing = framing
        self.faces_master = faces_master
        # The side facing the PC receives requests; the other receives answers.
        if framing == "rtu":
            self.receiver = RtuReceiver(line, requests=faces_master, name=name)
        else:
            self.receiver = AsciiReceiver(name)

    def encode(self, adu):
        return rtu_frame(adu) if self.framing == "rtu" else ascii_frame(adu)

    def receive(self, data, now):
        if data:
            peer = self.mismatch()
            if peer:
                self.receiver.reset()
                seen = mangle(data, peer[0], self.line.baud)
                log(f"{self.name}: {len(data)} bytes at wrong line settings, {len(seen)} bytes of garbage")
                if self.faces_master:  # make the PC see CRC errors rather than silence
                    self.write(mangle(seen, self.line.baud, peer[0]))
                return []
        return self.receiver.feed(data, now)

    def send(self, adu):
        data = self.encode(adu)
        peer = self.mismatch()
        if peer and peer[0] == 0:  # nobody has opened this side yet: nothing to pile up for later
            log(f"{self.name}: nobody listening, {adu.hex()} lost")
            return
        self.write(mangle(data, self.line.baud, peer[0]) if peer else data)


# --------------------------------------------------------------------------- field device


class FixedAsciiFramer(ModbusAsciiFramer):
    """pymodbus' ASCII framer with two server-side faults fixed.

    The stock one leaves a frame with a bad LRC at the head of its buffer, so every later frame
    is checked against it and the server goes deaf; and a frame for another unit discards
    whatever follows it in the same read.
    """

    def checkFrame(self):
        while True:
            start = self._buffer.find(b":")
            end = self._buffer.find(b"\r\n", max(start, 0))
            if start < 0 or end < 0:
                self._buffer = self._buffer[start:] if start >= 0 else b""
                return False
            start = self._buffer.rfind(b":", 0, end)
            self._buffer = self._buffer[start:]
            end -= start
            adu = ascii_decode(self._buffer[: end + 2])
            if adu is not None:
                self._header = {"lrc": adu[-1], "len": end, "uid": adu[0]}
                return True
            self._buffer = self._buffer[end + 2 :]

    def processIncomingPacket(self, data, callback, unit, **kwargs):
        units = unit if isinstance(unit, (list, tuple)) else [unit]
        self.addToFrame(data)
        while self.isFrameReady() and self.checkFrame():
            if not self._validate_unit_id(units, kwargs.get("single", False)):
                self.advanceFrame()
                continue
            result = self.decoder.decode(self.getFrame())
            if result is not None:
                self.populateResult(result)  # takes the unit id from the header advanceFrame clears
            self.advanceFrame()
            if result is not None:
                callback(result)


class FixedRtuFramer(ModbusRtuFramer):
    """pymodbus' RTU framer, except that a frame with a bad CRC or for another unit no longer
    discards the frames behind it in the same read (it cannot use silence to tell them apart).
    """

    def processIncomingPacket(self, data, callback, unit, **kwargs):
        units = unit if isinstance(unit, (list, tuple)) else [unit]
        self.addToFrame(data)
        while self.isFrameReady():
            if self.checkFrame() and self._validate_unit_id(units, kwargs.get("single", False)):
                self._process(callback)
            elif self._header["len"] > 0:
                self.advanceFrame()
            else:
                self.resetFrame()
                break


FRAMERS = {"rtu": FixedRtuFramer, "ascii": FixedAsciiFramer}


def field_context(unit, registers_from):
    """Register a holds (K + a) & 0xFFFF; coils and discrete inputs are 1 at even addresses."""
    words = [(registers_from + a) & 0xFFFF for a in range(65536)]
    bits = [a % 2 == 0 for a in range(65536)]
    slave = ModbusSlaveContext(
        di=ModbusSequentialDataBlock(0, bits),
        co=ModbusSequentialDataBlock(0, list(bits)),
        hr=ModbusSequentialDataBlock(0, words),
        ir=ModbusSequentialDataBlock(0, list(words)),
        zero_mode=True,  # otherwise pymodbus shifts every address by one
    )
    return ModbusServerContext(slaves={unit: slave}, single=False)


def quiet_pymodbus(debug):
    logging.basicConfig(format="%(name)s: %(message)s")
    logging.getLogger("pymodbus").setLevel(logging.DEBUG if debug else logging.CRITICAL)


class FieldDevice:
    """A pymodbus serial server with one unit, run on its own asyncio loop in a thread."""

    def __init__(self, port, framing, line, unit, registers_from=0):
        self.kwargs = dict(
            context=field_context(unit, registers_from),
            framer=FRAMERS[framing],
            port=port,
            baudrate=line.baud,
            # A pty cannot keep 7 data bits or parity, and the C library turns a tcsetattr()
            # asking only for those into EINVAL, which pyserial hits when it reconfigures.
            bytesize=8,
            parity="N",
            stopbits=line.stop_bits,
            # Broadcast needs 0 in the unit list, and then pymodbus lets every unit id through
            # and answers unknown ones with its own 0x0B unless told to ignore them.
            broadcast_enable=True,
            ignore_missing_slaves=True,
        )
        self.ready = threading.Event()
        self.error = None
        self._loop = None
        self._stop = None
        self._thread = threading.Thread(target=lambda: asyncio.run(self._serve()), daemon=True)

    async def _serve(self):
        self._loop = asyncio.get_running_loop()
        self._stop = asyncio.Event()
        server = ModbusSerialServer(**self.kwargs)
        try:
            await server.start()
            if server.transport is None:  # pymodbus logs and swallows most open errors
                raise OSError(f"cannot open {self.kwargs['port']}")
        except Exception as exc:  # reported to the starting thread
            self.error = exc
            self.ready.set()
            return
        self.ready.set()
        await self._stop.wait()
        await server.shutdown()

    def start(self, timeout=10):
        self._thread.start()
        if not self.ready.wait(timeout):
            raise TimeoutError("field device did not start")
        if self.error:
            raise self.error

    def stop(self):
        if self._loop and self._thread.is_alive():
            self._loop.call_soon_threadsafe(self._stop.set)
            self._thread.join(2)


# --------------------------------------------------------------------------- converter


class Converter:
    """Forwards requests from the upstream side (the PC's) to the downstream side, one at a time."""

    def __init__(self, cfg, rtu_link, ascii_link):
        self.rtu = Side("RTU", "rtu", cfg.rtu, rtu_link, faces_master=cfg.mode == 0)
        try:
            self.ascii = Side("ASCII", "ascii", cfg.ascii, ascii_link, faces_master=cfg.mode == 1)
        except OSError:
            self.rtu.close()
            raise
        self.sides = (self.rtu, self.ascii)
        self.upstream, self.downstream = (self.rtu, self.ascii) if cfg.mode == 0 else (self.ascii, self.rtu)
        timeout_ms = cfg.ascii_timeout_ms if cfg.mode == 0 else cfg.rtu_timeout_ms
        self.timeout = timeout_ms / 1000
        self.pending = None  # (request ADU, sent at, give up at)

    def close(self):
        for side in self.sides:
            side.close()

    def run(self):
        poller = select.poll()
        for side in self.sides:
            poller.register(side.master, select.POLLIN)
        while True:
            deadlines = [d for d in (s.receiver.deadline() for s in self.sides) if d is not None]
            if self.pending:
                deadlines.append(self.pending[2])
            wait = None
            if deadlines:
                wait = max(0, math.ceil((min(deadlines) - time.monotonic()) * 1000))
            ready = {fd for fd, _ in poller.poll(wait)}
            now = time.monotonic()
            for side in self.sides:
                data = side.read() if side.master in ready else b""
                for adu in side.receive(data, now):
                    self.on_frame(side, adu, now)
            if self.pending and now >= self.pending[2]:
                self.on_timeout()

    def on_frame(self, side, adu, now):
        if side is self.upstream:
            if self.pending:
                log(f"busy, request {adu.hex()} ignored")
                return
            self.downstream.receiver.reset()  # leftovers must not merge with the answer
            self.downstream.send(adu)
            if adu[0] == 0:
                log(f"{side.name}->{self.downstream.name} broadcast fc {adu[1]:02x}, no answer expected")
            else:
                self.pending = (adu, now, now + self.timeout)
            return
        request = self.pending[0] if self.pending else None
        if request is None or adu[0] != request[0] or adu[1] & 0x7F != request[1]:
            log(f"{side.name}: unexpected answer {adu.hex()} ignored")
            return
        self.upstream.send(adu)
        took = (now - self.pending[1]) * 1000
        log(
            f"{self.upstream.name}->{side.name} unit {adu[0]} fc {request[1]:02x}: "
            f"{len(request)}-byte request, {len(adu)}-byte answer after {took:.0f} ms"
        )
        self.pending = None

    def on_timeout(self):
        request = self.pending[0]
        self.pending = None
        self.upstream.send(bytes([request[0], request[1] | 0x80, GATEWAY_TARGET_FAILED]))
        log(
            f"{self.upstream.name}->{self.downstream.name} unit {request[0]} fc {request[1]:02x}: "
            f"no answer within {self.timeout * 1000:.0f} ms, exception 0x0B"
        )


# --------------------------------------------------------------------------- main


def write_ready(path):
    tmp = f"{path}.tmp"
    with open(tmp, "w") as f:
        f.write("ready\n")
    os.replace(tmp, path)


def remove(path):
    if path and os.path.lexists(path):
        os.unlink(path)


def install_stop_handlers():
    def stop(signum, frame):
        raise SystemExit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True, help="folder with bankK.bin and bank.bin")
    parser.add_argument("--variant", choices=("ethernet", "serial"), default="ethernet")
    parser.add_argument("--rtu-link", required=True)
    parser.add_argument("--ascii-link", required=True)
    parser.add_argument("--field-slave", type=int, metavar="N", help="unit id of a simulated field device")
    parser.add_argument("--field-registers-from", type=int, default=0, metavar="K")
    parser.add_argument("--ready-file")
    parser.add_argument("--debug", action="store_true", help="show pymodbus' own log")
    args = parser.parse_args(argv)

    quiet_pymodbus(args.debug)
    try:
        cfg = load_config(args.bin, args.variant)
    except ConfigError as exc:
        log(f"bad configuration: {exc}")
        return 2
    remove(args.ready_file)
    install_stop_handlers()
    log(
        f"{args.variant} variant, mode {cfg.mode}: RTU {cfg.rtu} {'RS485' if cfg.rtu_rs485 else 'RS232'} "
        f"timeout {cfg.rtu_timeout_ms} ms, ASCII {cfg.ascii} {'RS485' if cfg.ascii_rs485 else 'RS232'} "
        f"timeout {cfg.ascii_timeout_ms} ms"
    )
    converter = field = None
    try:
        converter = Converter(cfg, args.rtu_link, args.ascii_link)
        if args.field_slave is not None:
            down = converter.downstream
            unit, first = args.field_slave, args.field_registers_from
            field = FieldDevice(down.link, down.framing, down.line, unit, first)
            field.start()
            log(f"field device unit {args.field_slave} on {down.link} ({down.name})")
        if args.ready_file:
            write_ready(args.ready_file)
        converter.run()
    except (OSError, TimeoutError) as exc:
        log(f"error: {exc}")
        return 1
    finally:
        if field:
            field.stop()
        if converter:
            converter.close()
        remove(args.ready_file)
    return 0


if __name__ == "__main__":
    sys.exit(main())
