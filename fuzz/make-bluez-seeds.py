#!/usr/bin/env python3
"""Writes the seed corpus of bluez_fuzzer (fuzz/corpus/bluez/) in the fuzzer's step format: the trees
the BlueZ central's tests use (a GATT Battery service, a battery BlueZ reads itself, one device on two
adapters), each followed by the finders' requests and a few changes."""
import pathlib
import struct

PATHS = ["hci0", "dev", "service", "char11", "char14", "hci1", "hci1dev", "dev2", "root", "empty"]
IFACES = ["Adapter1", "Device1", "GattService1", "GattCharacteristic1", "Battery1", "Properties"]
PROPS = ["Powered", "Connected", "Address", "UUIDs", "Name", "Alias", "UUID", "Device", "Service", "Value",
         "Flags", "Percentage", "Primary"]
TEXTS = ["battery", "level", "180F", "2A19", "addr", "ADDR", "notify", "read", "indicate", "Keyboard",
         "devpath", "servicepath", "empty"]

TREE, ADDED, REMOVED, CHANGED, RETRIEVE, SERVICES, CHARACTERISTICS, READ, CANCEL, EVENTS = range(10)


def name(table, key):
    return bytes([table.index(key)])


def text(s):
    b = s.encode()
    return bytes([0xF0, len(b)]) + b


def boolean(v): return bytes([0, int(v)])
def u8(v): return bytes([1, v])
def string(key): return bytes([9]) + name(TEXTS, key)
def path(key): return bytes([10]) + name(PATHS, key)
def strings(*keys): return bytes([11, len(keys)]) + b"".join(name(TEXTS, k) for k in keys)
def raw(b): return bytes([12, len(b)]) + b
def i64(v): return bytes([6]) + struct.pack(">q", v)


def props(**kv):
    return bytes([len(kv)]) + b"".join(name(PROPS, k) + v for k, v in kv.items())


def interfaces(**kv):
    return bytes([len(kv)]) + b"".join(name(IFACES, k) + v for k, v in kv.items())


def tree(*objects):
    return bytes([TREE, len(objects)]) + b"".join(name(PATHS, p) + i for p, i in objects)


def changed(p, iface, props_, removed=()):
    return (bytes([CHANGED]) + name(PATHS, p) + name(IFACES, iface) + props_ + bytes([len(removed)])
            + b"".join(name(IFACES, r) for r in removed))


adapter = ("hci0", interfaces(Adapter1=props(Powered=boolean(True))))
device = ("dev", interfaces(Device1=props(Address=string("ADDR"), Connected=boolean(True),
                                          UUIDs=strings("battery"), Name=string("Keyboard"))))
discover = bytes([RETRIEVE, 1, EVENTS, EVENTS, SERVICES, 0, EVENTS, CHARACTERISTICS, 0, EVENTS, READ, EVENTS])

seeds = {
    "gatt-battery": tree(adapter, device,
                         ("service", interfaces(GattService1=props(UUID=string("battery"), Device=path("dev")))),
                         ("char11", interfaces(GattCharacteristic1=props(
                             UUID=string("level"), Service=path("service"), Flags=strings("read", "notify"),
                             Value=raw(b"\x55")))))
    + discover + changed("char11", "GattCharacteristic1", props(Value=raw(b"\x40"))) + bytes([READ, EVENTS]),
    "battery1": tree(adapter, ("dev", interfaces(
        Device1=props(Address=string("addr"), Connected=boolean(True), UUIDs=strings("180F")),
        Battery1=props(Percentage=u8(77)))))
    + discover + changed("dev", "Battery1", props(Percentage=i64(-3)))
    + bytes([REMOVED]) + name(PATHS, "dev") + bytes([1]) + name(IFACES, "Battery1") + bytes([READ, EVENTS, CANCEL, 0, EVENTS]),
    "two-adapters": tree(adapter, ("hci1", interfaces(Adapter1=props(Powered=boolean(False)))), device,
                         ("hci1dev", interfaces(Device1=props(Address=string("addr"), Connected=boolean(True),
                                                              UUIDs=strings("battery")))))
    + discover + changed("hci0", "Adapter1", props(Powered=boolean(False))) + bytes([EVENTS]),
}

# The tables above name the fuzzer's dictionaries by position; keep them in its order.
out = pathlib.Path(__file__).resolve().parent / "corpus" / "bluez"
out.mkdir(parents=True, exist_ok=True)
for file, data in seeds.items():
    (out / file).write_bytes(data)
