'''A desktop settings portal that knows one preference: the colour scheme.

Parameters: {"color-scheme": 0 | 1 | 2}. SetColorScheme(u) on the mock interface changes it and
emits SettingChanged like the real portal.
'''

import dbus

from dbusmock import MOCK_IFACE

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.Settings'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.color_scheme = int(parameters.get('color-scheme', 0))
    mock.AddMethods(MAIN_IFACE, [
        ('Read', 'ss', 'v',
         'if args[0] == "org.freedesktop.appearance" and args[1] == "color-scheme":\n'
         '    ret = dbus.UInt32(self.color_scheme, variant_level=2)\n'
         'else:\n'
         '    raise dbus.exceptions.DBusException("no such setting", '
         'name="org.freedesktop.portal.Error.NotFound")'),
    ])


@dbus.service.method(MOCK_IFACE, in_signature='u', out_signature='')
def SetColorScheme(self, scheme):
    self.color_scheme = int(scheme)
    self.EmitSignal(MAIN_IFACE, 'SettingChanged', 'ssv',
                    ['org.freedesktop.appearance', 'color-scheme', dbus.UInt32(scheme, variant_level=1)])
