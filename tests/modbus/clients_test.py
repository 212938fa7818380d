#!/usr/bin/python3
"""The Modbus clients of Debian, mbpoll and python3-pymodbus, against
kivo-batch serve on 127.0.0.1: a PV read and compared with the memory, a
setpoint written and seen in the plant, the loop handed to an external
controller, illegal addresses and values answered with their exception,
and the server stopped by SIGTERM.

    clients_test.py KIVO_BATCH PROJECT.smp
Every process and request has a timeout; the server stops by itself after
90 s at the latest."""
import re
import signal
import subprocess
import sys
import time
import unittest

from pymodbus.client import ModbusTcpClient
from pymodbus.constants import Endian
from pymodbus.payload import BinaryPayloadBuilder, BinaryPayloadDecoder

BATCH, PROJECT = sys.argv[1], sys.argv[2]
LOOP = 2000  # controller 1's block
AUTOMATIC, SETPOINT, OUTPUT, PV, SETPOINT_FLOAT, OUTPUT_FLOAT, PV_FLOAT = 1, 3, 4, 5, 6, 8, 10
ILLEGAL_ADDRESS, ILLEGAL_VALUE = 2, 3


def float_registers(x):
    builder = BinaryPayloadBuilder(byteorder=Endian.Big, wordorder=Endian.Big)
    builder.add_32bit_float(x)
    return builder.to_registers()


# One plant for all: the numbers in the names keep the order, the plant at
# rest first.
class Served(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Controller 1's scale, as the map of the project gives it.
        text = subprocess.run([BATCH, "serve", PROJECT, "--map", "--english"], capture_output=True, text=True,
                              timeout=30, check=True).stdout
        found = re.search(r"^  controller 1: 2000 .*\[.* (\S+)\.\.(\S+)\]$", text, re.M)
        cls.scale = (float(found.group(1)), float(found.group(2)))
        cls.server = subprocess.Popen(
            [BATCH, "serve", PROJECT, "--modbus", "127.0.0.1:0", "--duration", "90", "--english"],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        line = cls.server.stdout.readline()
        found = re.search(r"Listening on 127\.0\.0\.1:(\d+) ", line)
        if not found:
            cls.server.kill()
            raise RuntimeError("kivo-batch serve said: " + line + cls.server.stderr.read())
        cls.port = int(found.group(1))
        cls.client = ModbusTcpClient("127.0.0.1", port=cls.port, timeout=3)
        if not cls.client.connect():
            cls.server.kill()
            raise RuntimeError("pymodbus cannot connect")

    @classmethod
    def tearDownClass(cls):
        cls.client.close()
        # Stopped as a service manager stops it: a clean end and its summary.
        cls.server.send_signal(signal.SIGTERM)
        out, err = cls.server.communicate(timeout=10)
        if cls.server.returncode != 0 or "Stopped after" not in out or err:
            raise AssertionError(f"after SIGTERM: exit {cls.server.returncode}, stdout {out!r}, stderr {err!r}")

    def mbpoll(self, address, *values, kind="4"):
        """mbpoll on one address from 0, floats high word first; its exit
        code, the values it read and its error text."""
        args = ["mbpoll", "-m", "tcp", "-p", str(self.port), "-0", "-1", "-B", "-o", "2", "-t", kind,
                "-r", str(address), "127.0.0.1", *[str(v) for v in values]]
        done = subprocess.run(args, capture_output=True, text=True, timeout=15)
        read = [float(v) for v in re.findall(r"^\[\d+\]:\s+(\S+)", done.stdout, re.M)]
        return done.returncode, read, done.stderr

    def read(self, address, count=1):
        r = self.client.read_holding_registers(address, count, slave=1)
        self.assertFalse(r.isError(), f"read {address}: {r}")
        return r.registers

    def read_float(self, address):
        decoder = BinaryPayloadDecoder.fromRegisters(self.read(address, 2), byteorder=Endian.Big, wordorder=Endian.Big)
        return decoder.decode_32bit_float()

    def write(self, address, values):
        return self.client.write_registers(address, values, slave=1)

    def until(self, condition, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if condition():
                return True
            time.sleep(0.2)
        return False

    def test_1_pv_read_by_mbpoll_is_the_memory(self):
        # The plant rests at the state its file holds: the memory as
        # kivo-batch simulate computes it.
        memory = subprocess.run([BATCH, "simulate", PROJECT, "--duration", "1", "--print", "M21,M101"],
                                capture_output=True, text=True, timeout=30, check=True).stdout.splitlines()[-1]
        m21, m101 = (float(v) for v in memory.split(",")[1:])
        self.assertEqual(self.mbpoll(21), (0, [round(m21 * 100)], ""))
        self.assertEqual(self.mbpoll(101), (0, [round(m101 * 100)], ""))
        self.assertEqual(self.mbpoll(LOOP + PV), (0, [round(m101 * 100)], ""))
        start, end = self.scale
        rc, read, _ = self.mbpoll(LOOP + PV_FLOAT, kind="4:float")
        self.assertEqual(rc, 0)
        self.assertAlmostEqual(read[0], start + (end - start) * m101 / 100, places=3)
        self.assertAlmostEqual(self.read_float(1000 + 2 * 20), start + (end - start) * m21 / 100, places=3)

    def test_2_setpoint_written_is_seen_in_the_plant(self):
        self.assertFalse(self.write(LOOP + AUTOMATIC, [1]).isError())
        before = self.read(21)[0]
        start, end = self.scale
        self.assertFalse(self.write(LOOP + SETPOINT_FLOAT, float_registers(start + 0.8 * (end - start))).isError())
        self.assertEqual(self.mbpoll(LOOP + SETPOINT), (0, [8000], ""))
        # The controller writes it to M61 at its next step, and the PV follows.
        self.assertTrue(self.until(lambda: self.read(61)[0] == 8000, 5))
        self.assertTrue(self.until(lambda: self.read(21)[0] > before + 1000, 30), self.read(21))
        # mbpoll writes too.
        self.assertEqual(self.mbpoll(LOOP + SETPOINT, 6000)[0], 0)
        self.assertEqual(self.read(LOOP + SETPOINT), [6000])

    def test_3_an_external_controller_takes_the_loop_in_manual(self):
        self.assertFalse(self.write(LOOP + AUTOMATIC, [1]).isError())
        refused = self.write(LOOP + OUTPUT_FLOAT, float_registers(70))
        self.assertTrue(refused.isError())
        self.assertEqual(refused.exception_code, ILLEGAL_VALUE)
        self.assertFalse(self.write(LOOP + AUTOMATIC, [0]).isError())
        self.assertFalse(self.write(LOOP + OUTPUT_FLOAT, float_registers(70)).isError())
        self.assertEqual(self.read(LOOP + OUTPUT), [7000])
        self.assertTrue(self.until(lambda: self.read(1)[0] == 7000, 5))  # M1, the loop's MV
        self.assertEqual(self.mbpoll(LOOP + OUTPUT, 6500)[0], 0)
        self.assertTrue(self.until(lambda: self.read(1)[0] == 6500, 5))
        self.assertFalse(self.write(LOOP + AUTOMATIC, [1]).isError())

    def test_4_illegal_addresses_and_values_answer_their_exception(self):
        cases = [  # what, the request, the exception
            ("read outside the map", lambda: self.client.read_holding_registers(500, 1, slave=1), ILLEGAL_ADDRESS),
            ("read across the end", lambda: self.client.read_holding_registers(120, 10, slave=1), ILLEGAL_ADDRESS),
            ("write the PV", lambda: self.client.write_register(LOOP + PV, 10, slave=1), ILLEGAL_ADDRESS),
            ("write a process output", lambda: self.client.write_register(21, 10, slave=1), ILLEGAL_ADDRESS),
            ("controller 2 is not there", lambda: self.client.write_register(2103, 10, slave=1), ILLEGAL_ADDRESS),
            ("half a float", lambda: self.client.write_register(LOOP + SETPOINT_FLOAT, 0, slave=1), ILLEGAL_ADDRESS),
            ("setpoint above 100 %", lambda: self.client.write_register(LOOP + SETPOINT, 10001, slave=1), ILLEGAL_VALUE),
            ("automatic 2", lambda: self.client.write_register(LOOP + AUTOMATIC, 2, slave=1), ILLEGAL_VALUE),
            ("switch not on the diagram", lambda: self.client.write_coil(11, True, slave=1), ILLEGAL_ADDRESS),
        ]
        for what, request, code in cases:
            with self.subTest(what):
                r = request()
                self.assertTrue(r.isError(), r)
                self.assertEqual(r.exception_code, code)
        rc, _, err = self.mbpoll(500)
        self.assertNotEqual(rc, 0)
        self.assertIn("Illegal data address", err)
        rc, _, err = self.mbpoll(LOOP + PV, 10)
        self.assertNotEqual(rc, 0)
        self.assertIn("Illegal data address", err)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
