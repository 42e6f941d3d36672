#!/usr/bin/python3
"""Bolvenda.exe as scripts/windows.sh builds it, read back with pefile and icoutils' wrestool:
what it imports, its resources, its version record, its icon and its manifest.

Usage: windows_exe_test.py EXE ICO; exits 77 (skipped) where EXE has not been built.
"""

import os
import subprocess
import sys
import unittest
from collections import Counter

EXE = ICO = ""

# DLLs every Windows installation has; SDL2, FreeType and the compiler's runtime are inside.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
    "oleaut32.dll", "imm32.dll", "winmm.dll", "version.dll", "setupapi.dll", "msvcrt.dll",
    "shlwapi.dll", "comctl32.dll",
}
ICON, GROUP_ICON, VERSION, MANIFEST = 3, 14, 16, 24


class BuiltExe(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        import pefile

        cls.pe = pefile.PE(EXE)

    def resources(self, wanted=None):
        """(type, id, language, bytes) of every resource, in the directory's order; a resource
        named by text has the name in place of its id."""
        found = []
        for kind in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            for entry in kind.directory.entries:
                for language in entry.directory.entries:
                    where = language.data.struct
                    found.append((kind.id, entry.id if entry.name is None else str(entry.name),
                                  language.id, self.pe.get_data(where.OffsetToData, where.Size)))
        return [r for r in found if wanted is None or r[0] == wanted]

    def test_is_a_64_bit_windows_program_importing_only_windows_own_dlls(self):
        self.assertEqual(self.pe.OPTIONAL_HEADER.Magic, 0x20B, "PE32+")
        self.assertEqual(self.pe.FILE_HEADER.Machine, 0x8664, "x86-64")
        self.assertEqual(self.pe.OPTIONAL_HEADER.Subsystem, 2,
                         "a console program opens a console window beside the game")
        dlls = [d.dll.decode() for d in self.pe.DIRECTORY_ENTRY_IMPORT]
        dlls += [d.dll.decode() for d in getattr(self.pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])]
        self.assertIn("KERNEL32.dll", dlls, "the import table was not read")
        for dll in dlls:
            self.assertIn(dll.lower(), SYSTEM_DLLS, dll + " is no system DLL")

    def test_holds_the_icon_the_manifest_and_the_version_record_and_nothing_else(self):
        # The pictures of the one icon, its group, the manifest and the version record.
        with open(ICO, "rb") as f:
            icon = f.read()
        pictures = int.from_bytes(icon[4:6], "little")
        self.assertEqual(Counter(r[0] for r in self.resources()),
                         Counter({ICON: pictures, GROUP_ICON: 1, VERSION: 1, MANIFEST: 1}))

    def test_version_record_is_exactly_the_designs(self):
        [(_, ident, language, record)] = self.resources(VERSION)
        self.assertEqual(ident, 1)
        self.assertEqual(language, 0x0410,
                         "the record is filed under another language than its strings")
        [fixed] = self.pe.VS_FIXEDFILEINFO
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (1 << 16, 0), "1.0.0.0")
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (1 << 16, 0))
        [children] = self.pe.FileInfo
        self.assertEqual(sorted(c.Key for c in children), [b"StringFileInfo", b"VarFileInfo"])
        strings, variables = sorted(children, key=lambda c: c.Key)
        self.assertEqual([t.LangID for t in strings.StringTable], [b"041004B0"])
        entries = strings.StringTable[0].entries
        self.assertEqual(entries, {b"ProductName": b"Bolvenda", b"InternalName": b"Bolvenda",
                                   b"OriginalFilename": b"Bolvenda.exe",
                                   b"FileVersion": b"1.00", b"ProductVersion": b"1.00"})
        # pefile keeps the entries by key: an entry there twice shows in the bytes alone.
        for key in entries:
            self.assertEqual(record.count(key.decode().encode("utf-16-le") + b"\0\0"), 1, key)
        [translation] = variables.Var
        self.assertEqual(translation.entry, {b"Translation": "0x0410 0x04b0"})
        self.assertEqual(translation.ValueLength, 4, "one language and code page")
        # Its own header, then the one Var: no other key beside the translation.
        self.assertEqual(variables.Length, 32 + translation.Length)

    def test_its_icon_is_bolvenda_ico_byte_for_byte(self):
        self.assertEqual(len(self.resources(GROUP_ICON)), 1)
        # wrestool puts the group and the pictures it names back together as an .ico file.
        rebuilt = subprocess.run(["wrestool", "--extract", "--type=14", EXE], check=True,
                                 capture_output=True).stdout
        with open(ICO, "rb") as f:
            icon = f.read()
        # wrestool 0.32 counts the group's own bytes into the file's length once more and
        # leaves them zero at the end; the icon's directory ends the file before them.
        self.assertEqual(rebuilt[:len(icon)], icon)
        self.assertEqual(rebuilt[len(icon):], bytes(len(rebuilt) - len(icon)))

    def test_its_manifest_declares_per_monitor_dpi_awareness(self):
        [(_, ident, _, manifest)] = self.resources(MANIFEST)
        self.assertEqual(ident, 1, "Windows reads the process's manifest from id 1 only")
        text = manifest.decode()
        self.assertIn(">PerMonitorV2, PerMonitor</dpiAwareness>", text)
        self.assertIn(">true/pm</dpiAware>", text)


if __name__ == "__main__":
    EXE, ICO = sys.argv[1], sys.argv[2]
    if not os.path.exists(EXE):
        print(EXE, "is not built (bash scripts/windows.sh builds it)")
        sys.exit(77)
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
