"""VORN's stand-in for the board maker's xstools package.

It answers only where the maker's package is not installed (VORN appends this folder to the
end of sys.path) and drives the board emulator built into the VORN process.
"""
