'''A StatusNotifierItem watcher with a host registered, as a panel with a tray runs one.

The parameter "host" (default true) says whether a host is registered from the start;
SetHostRegistered(b) on the mock interface registers or unregisters it later, with the watcher's
signals, as a panel that starts after the watcher (or quits) does.

It records every RegisterStatusNotifierItem call (the caller's bus name, the argument and the
caller's process id, asked of the bus at the time of the call: the caller may be gone when the
record is read) and lists the registered items. GetRegistrations() on the mock interface returns
the record as (sender, argument, process id).
'''

import dbus

from dbusmock import MOCK_IFACE

BUS_NAME = 'org.kde.StatusNotifierWatcher'
MAIN_OBJ = '/StatusNotifierWatcher'
MAIN_IFACE = 'org.kde.StatusNotifierWatcher'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.registrations = []
    mock.AddProperties(MAIN_IFACE, {
        'IsStatusNotifierHostRegistered': dbus.Boolean(parameters.get('host', True)),
        'ProtocolVersion': dbus.Int32(0),
        'RegisteredStatusNotifierItems': dbus.Array([], signature='s'),
    })


def set_host(mock, registered):
    mock.Set(MAIN_IFACE, 'IsStatusNotifierHostRegistered', dbus.Boolean(registered))
    mock.EmitSignal(MAIN_IFACE, 'StatusNotifierHostRegistered' if registered else 'StatusNotifierHostUnregistered',
                    '', [])


@dbus.service.method(MAIN_IFACE, in_signature='s', out_signature='')
def RegisterStatusNotifierHost(self, service):
    set_host(self, True)


@dbus.service.method(MOCK_IFACE, in_signature='b', out_signature='')
def SetHostRegistered(self, registered):
    set_host(self, bool(registered))


@dbus.service.method(MAIN_IFACE, in_signature='s', out_signature='', sender_keyword='sender')
def RegisterStatusNotifierItem(self, service, sender=None):
    bus = dbus.SessionBus()
    pid = bus.call_blocking('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                            'GetConnectionUnixProcessID', 's', [sender])
    self.registrations.append((str(sender), str(service), dbus.UInt32(pid)))
    # An item names its service, or only its path on the caller's connection.
    item = str(service) if str(service).startswith(':') or '.' in str(service) else str(sender) + str(service)
    items = [str(i) for i in self.Get(MAIN_IFACE, 'RegisteredStatusNotifierItems')]
    if item not in items:
        items.append(item)
        self.Set(MAIN_IFACE, 'RegisteredStatusNotifierItems', dbus.Array(items, signature='s'))
    self.EmitSignal(MAIN_IFACE, 'StatusNotifierItemRegistered', 's', [item])


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='a(ssu)')
def GetRegistrations(self):
    return dbus.Array(self.registrations, signature='(ssu)')
