"""The device under test behind the board's host port, as VORN's board link uses it.

Every transfer goes to the board emulator that the VORN process registers as the built-in
module _vorn_board.
"""

import _vorn_board


class _Usb:
    """The emulated board holds no USB connection: there is nothing to release."""

    def disconnect(self):
        pass


class _PortBits:
    """The answer of one read: the port's bytes, least significant first."""

    def __init__(self, data):
        self._data = data

    def to_usb(self):
        return self._data


class XsDut:
    def __init__(self, xsusb_id=0, module_id=255, write_widths=(8,), read_widths=(8,)):
        self._xsusb = _Usb()
        _vorn_board.connect()

    def write(self, *fields):
        _vorn_board.write(*fields)

    def read(self):
        return _PortBits(_vorn_board.read())

    def _get_io_widths(self):
        return _vorn_board.io_widths()
