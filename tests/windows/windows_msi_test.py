#!/usr/bin/python3
"""Bolvenda.msi as scripts/windows.sh builds it: its summary and tables read with msitools, and
msiexec under Wine installing and removing it silently, as a school's deployment does.

Usage: windows_msi_test.py tables|install|remove ROOT PREFIX
  tables   reads dist/windows/Bolvenda.msi with msiinfo, msidump and msiextract;
  install  makes PREFIX a fresh Wine prefix and installs into it: an older version of the same
           package, then Bolvenda.msi over it with DESKTOP_SHORTCUT=1, then the older one again,
           which must be refused; the installed game is then played by the real-window tests;
  remove   removes it again and looks for anything of ours left behind.
Exits 77 (skipped) where the package or Wine is missing.
"""

import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = PREFIX = ""
# Never to change: the installed rooms' copies are found by it, to be replaced.
UPGRADE_CODE = "{00DF37C8-2BEA-4B0C-A7E3-C1B22FFCFD10}"
OLDER = "0.9.0"
# Windows Installer's ERROR_INSTALL_FAILURE, as Wine's msiexec exits with it: its low byte.
REFUSED = 1603 & 0xFF


def dist(*names):
    return os.path.join(ROOT, "dist", "windows", *names)


def version():
    with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
        for line in f:
            if line.startswith("project(Bolvenda VERSION "):
                return line.split()[2]
    raise AssertionError("no version in CMakeLists.txt")


def table(msi, name):
    """A table as msiinfo exports it: one dict a row, by column name."""
    text = subprocess.run(["msiinfo", "export", msi, name], check=True, capture_output=True,
                          text=True).stdout
    lines = text.replace("\r\n", "\n").rstrip("\n").split("\n")
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:]]


def summary(msi):
    text = subprocess.run(["msiinfo", "suminfo", msi], check=True, capture_output=True,
                          text=True).stdout
    return dict(line.split(": ", 1) for line in text.splitlines() if ": " in line)


class Tables(unittest.TestCase):
    msi = ""

    @classmethod
    def setUpClass(cls):
        cls.msi = dist("Bolvenda.msi")
        cls.properties = {r["Property"]: r["Value"] for r in table(cls.msi, "Property")}

    def test_summary_names_an_italian_64_bit_package(self):
        info = summary(self.msi)
        self.assertEqual(info["Template"], "x64;1040")
        self.assertEqual(info["Subject"], "Bolvenda " + version())
        self.assertEqual(info["Author"], "Squadra Bolvenda")
        self.assertEqual(info["Source"].split()[0], "2", "compressed, long file names")
        # Its texts (the refusal's "più") in Windows' Western code page on any system.
        forced = subprocess.run(["msiinfo", "export", self.msi, "_ForceCodepage"], check=True,
                                capture_output=True, text=True).stdout
        self.assertEqual(forced.split()[0], "1252")

    def test_properties_name_the_game_for_the_installed_programs(self):
        p = self.properties
        self.assertEqual((p["ProductName"], p["Manufacturer"], p["ProductVersion"]),
                         ("Bolvenda", "Squadra Bolvenda", version()))
        self.assertEqual(p["ProductLanguage"], "1040")
        self.assertEqual(p["UpgradeCode"], UPGRADE_CODE)
        self.assertEqual(p["ALLUSERS"], "1", "installed for every user of the machine")
        self.assertEqual(p["ARPNOMODIFY"], "1")
        self.assertNotIn("ARPNOREMOVE", p)
        # The installed programs' icon is bolvenda.ico, byte for byte.
        icon = subprocess.run(["msiinfo", "extract", self.msi, "Icon." + p["ARPPRODUCTICON"]],
                              check=True, capture_output=True).stdout
        with open(os.path.join(ROOT, "scene", "assets", "bolvenda.ico"), "rb") as f:
            self.assertEqual(icon, f.read())

    def test_a_later_version_replaces_it_an_older_one_is_refused(self):
        rows = table(self.msi, "Upgrade")
        self.assertEqual({r["UpgradeCode"] for r in rows}, {UPGRADE_CODE})
        older = [r for r in rows if r["VersionMax"] == version() and not r["VersionMin"]]
        newer = [r for r in rows if r["VersionMin"] == version() and not r["VersionMax"]]
        self.assertEqual(len(older) + len(newer), len(rows))
        # Older ones found and removed (2: only detect; 0x200: the maximum included).
        [old] = older
        self.assertEqual(int(old["Attributes"]) & 0x202, 0)
        # Later ones only detected, and the launch condition then refuses with a message.
        [new] = newer
        self.assertEqual(int(new["Attributes"]) & 0x102, 2)
        [condition] = [r for r in table(self.msi, "LaunchCondition")
                       if r["Condition"] == "NOT " + new["ActionProperty"]]
        self.assertIn("versione più recente di Bolvenda", condition["Description"])
        actions = [r["Action"] for r in table(self.msi, "InstallExecuteSequence")]
        self.assertIn("RemoveExistingProducts", actions)

    def test_shortcuts_start_the_installed_program_with_the_game_icon(self):
        shortcuts = {r["Directory_"]: r for r in table(self.msi, "Shortcut")}
        self.assertEqual(set(shortcuts), {"ProgramMenuFolder", "DesktopFolder"})
        for where, s in shortcuts.items():
            self.assertEqual(s["Name"], "Bolvenda", where)
            self.assertEqual(s["Target"], "[#Bolvenda.exe]", where + ": not advertised")
            self.assertEqual(s["Icon_"], self.properties["ARPPRODUCTICON"], where)
            self.assertEqual(s["WkDir"], "INSTALLDIR", where)
        # The desktop's alone in a feature that DESKTOP_SHORTCUT=1 brings to the install level.
        features = {r["Feature"]: r for r in table(self.msi, "Feature")}
        owners = {r["Component_"]: r["Feature_"] for r in table(self.msi, "FeatureComponents")}
        desktop = owners[shortcuts["DesktopFolder"]["Component_"]]
        self.assertEqual([c for c, f in owners.items() if f == desktop],
                         [shortcuts["DesktopFolder"]["Component_"]])
        self.assertGreater(int(features[desktop]["Level"]), 1)
        self.assertNotEqual(features[desktop]["Level"], "0", "level 0 would block its removal")
        self.assertEqual([(r["Feature_"], r["Level"], r["Condition"])
                          for r in table(self.msi, "Condition")],
                         [(desktop, "1", "DESKTOP_SHORTCUT=1")])
        self.assertEqual(int(features[owners[shortcuts["ProgramMenuFolder"]["Component_"]]]
                             ["Level"]), 1)

    def test_installs_the_game_and_its_licences_under_64_bit_program_files_alone(self):
        directories = {r["Directory"]: r for r in table(self.msi, "Directory")}
        files = table(self.msi, "File")
        components = {r["Component"]: r for r in table(self.msi, "Component")}
        for c in components.values():
            self.assertEqual(int(c["Attributes"]) & 0x100, 0x100, c["Component"] + " is 64-bit")

        def folder(directory):
            row = directories[directory]
            name = row["DefaultDir"].split("|")[-1]
            if name == ".":  # a system folder, named by its id
                name = directory
            parent = row["Directory_Parent"]
            return name if parent == "TARGETDIR" else folder(parent) + "/" + name

        installed = {folder(components[f["Component_"]]["Directory_"]) + "/" +
                     f["FileName"].split("|")[-1] for f in files}
        shipped = {"ProgramFiles64Folder/Bolvenda/Bolvenda.exe"}
        shipped |= {"ProgramFiles64Folder/Bolvenda/licences/" + n
                    for n in os.listdir(dist("licences"))}
        self.assertEqual(installed, shipped)
        # Nothing runs of its own and nothing is fetched: no custom action, every file inside.
        self.assertEqual(table(self.msi, "CustomAction"), [])
        self.assertEqual(table(self.msi, "Binary"), [])
        self.assertTrue(all(m["Cabinet"].startswith("#") for m in table(self.msi, "Media")))
        # The files inside are those of dist/windows/, byte for byte.
        with tempfile.TemporaryDirectory() as out:
            subprocess.run(["msiextract", "-C", out, self.msi], check=True, capture_output=True)
            base = os.path.join(out, "Bolvenda")
            for name in ["Bolvenda.exe"] + ["licences/" + n for n in os.listdir(dist("licences"))]:
                self.assertTrue(filecmp.cmp(os.path.join(base, name), dist(name), shallow=False),
                                name)

    def test_msidump_reads_every_table(self):
        with tempfile.TemporaryDirectory() as out:
            # It writes the Icon table's streams into the folder it runs in.
            subprocess.run(["msidump", "-d", out, os.path.abspath(self.msi)], check=True,
                           capture_output=True, cwd=out)
            dumped = {n[:-4] for n in os.listdir(out) if n.endswith(".idt")}
        self.assertLessEqual({"Property", "Shortcut", "Upgrade", "Condition", "File", "Icon"},
                             dumped)


class Wine:
    """msiexec and reg in PREFIX, with a HOME of their own beside it: nothing reaches the
    tester's own folders or menus."""

    def __init__(self):
        self.home = PREFIX + "-home"
        self.env = dict(os.environ, WINEPREFIX=PREFIX, WINEARCH="win64", WINEDEBUG="-all",
                        HOME=self.home, WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        self.env.pop("DISPLAY", None)  # silent: no window is needed

    def run(self, *args, check=True):
        done = subprocess.run(["wine", *args], env=self.env, capture_output=True, text=True,
                              errors="replace", timeout=120)
        if check and done.returncode != 0:
            raise AssertionError(f"wine {' '.join(args)}: status {done.returncode}\n"
                                 + done.stderr[-2000:])
        return done

    def settle(self):
        """Waits until the prefix's registry is written to disk and Wine has gone."""
        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=120)

    def fresh(self):
        shutil.rmtree(PREFIX, ignore_errors=True)
        shutil.rmtree(self.home, ignore_errors=True)
        os.makedirs(self.home)
        self.run("wineboot.exe", "--init")
        self.settle()
        # A new prefix links the user's Desktop and documents to HOME; a removal that empties
        # the desktop would remove the folder behind the link. Plain folders instead.
        for user in os.listdir(self.drive_c("users")):
            for name in os.listdir(self.drive_c("users", user)):
                path = self.drive_c("users", user, name)
                if os.path.islink(path):
                    os.unlink(path)
                    os.mkdir(path)

    def drive_c(self, *names):
        return os.path.join(PREFIX, "drive_c", *names)

    def installed_programs(self):
        """The installed programs' entries named Bolvenda: {key: {value: data}}."""
        text = self.run("reg", "query",
                        r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall", "/s").stdout
        entries, key = {}, None
        for line in text.splitlines():
            if line.startswith("HKEY_"):
                key = line
                entries[key] = {}
            elif key and line.startswith("    "):
                name, _, data = line.strip().partition("    ")
                entries[key][name] = data.partition("    ")[2]
        return {k: v for k, v in entries.items() if v.get("DisplayName") == "Bolvenda"}

    def shortcuts(self, where):
        """Every Bolvenda.lnk in the all-users and the users' folders of that kind."""
        below = {"Desktop": ["Desktop"],
                 "Programs": ["AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                              "Programs"]}[where]
        folders = [self.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs")
                   if where == "Programs" else self.drive_c("users", "Public", "Desktop")]
        folders += [self.drive_c("users", u, *below) for u in os.listdir(self.drive_c("users"))
                    if u != "Public"]
        return [os.path.join(f, "Bolvenda.lnk") for f in folders
                if os.path.exists(os.path.join(f, "Bolvenda.lnk"))]


def files_below(folder):
    return {os.path.join(d, n) for d, dirs, names in os.walk(folder) for n in dirs + names}


class Install(unittest.TestCase):
    def test_silent_install_over_an_older_version_and_an_older_one_refused(self):
        wine = Wine()
        wine.fresh()
        with open(PREFIX + "-before.txt", "w") as f:
            f.write("\n".join(sorted(files_below(wine.drive_c()))))
        with tempfile.TemporaryDirectory() as work:
            older = os.path.join(work, "Bolvenda-" + OLDER + ".msi")
            subprocess.run([os.path.join(ROOT, "scripts", "msi.sh"), dist(), older, OLDER],
                           check=True, capture_output=True)
            wine.run("msiexec", "/i", older, "/qn")
            self.assertEqual(len(wine.shortcuts("Programs")), 1)
            self.assertEqual(wine.shortcuts("Desktop"), [], "no desktop shortcut unless asked")

            wine.run("msiexec", "/i", dist("Bolvenda.msi"), "/qn", "DESKTOP_SHORTCUT=1")
            self.expect_installed(wine)

            refused = wine.run("msiexec", "/i", older, "/qn", check=False)
            self.assertEqual(refused.returncode, REFUSED, "an older version installed over it")
            [entry] = wine.installed_programs().values()
            self.assertEqual(entry["DisplayVersion"], version())
        wine.settle()

    def expect_installed(self, wine):
        folder = wine.drive_c("Program Files", "Bolvenda")
        self.assertTrue(filecmp.cmp(os.path.join(folder, "Bolvenda.exe"),
                                    dist("Bolvenda.exe"), shallow=False))
        licences = os.path.join(folder, "licences")
        self.assertEqual(sorted(os.listdir(licences)), sorted(os.listdir(dist("licences"))))
        for name in os.listdir(licences):
            self.assertTrue(filecmp.cmp(os.path.join(licences, name), dist("licences", name),
                                        shallow=False), name)
        # One entry: the older version's was removed by the upgrade.
        entries = wine.installed_programs()
        self.assertEqual(len(entries), 1, entries)
        [(key, entry)] = entries.items()
        self.assertEqual(entry["Publisher"], "Squadra Bolvenda")
        self.assertEqual(entry["DisplayVersion"], version())
        self.assertEqual(entry["NoModify"], "0x1")
        self.assertIn("MsiExec.exe /X", entry["UninstallString"])
        # The entry's icon, as Windows Installer keeps it for the installed programs' list.
        code = key.rsplit("\\", 1)[1]
        with open(wine.drive_c("windows", "Installer", code, "bolvenda.ico"), "rb") as a, open(
                os.path.join(ROOT, "scene", "assets", "bolvenda.ico"), "rb") as b:
            self.assertEqual(a.read(), b.read())
        icon = "C:\\windows\\Installer\\" + code + "\\bolvenda.ico"
        products = wine.run("reg", "query", r"HKLM\Software\Classes\Installer\Products",
                            "/s").stdout
        self.assertIn("ProductIcon    REG_SZ    " + icon, products)
        # Windows puts both shortcuts in the all-users folders; Wine's msi still puts them in
        # the installing user's (its ProgramMenuFolder ignores ALLUSERS): one of either.
        for where in ("Programs", "Desktop"):
            [link] = wine.shortcuts(where)
            with open(link, "rb") as f:
                data = f.read()
            self.assertIn(b"C:\\Program Files\\Bolvenda\\Bolvenda.exe", data, link)
            self.assertIn(icon.encode("utf-16-le"), data, link + ": its icon")


class Remove(unittest.TestCase):
    def test_silent_removal_leaves_nothing_of_ours(self):
        wine = Wine()
        wine.run("msiexec", "/x", dist("Bolvenda.msi"), "/qn")
        wine.settle()
        self.assertEqual(wine.installed_programs(), {})
        with open(PREFIX + "-before.txt") as f:
            before = set(f.read().split("\n"))
        # Windows Installer's own cache folder may stay, empty; nothing else may be new.
        left = files_below(wine.drive_c()) - before - {wine.drive_c("windows", "Installer")}
        self.assertEqual(sorted(left), [])
        self.assertEqual(os.listdir(wine.drive_c("windows", "Installer")), [])
        # No key or value of ours in the registry: by name, upgrade code or product code
        # (the registry's files hold the codes both as written and as Windows packs them).
        marks = ["bolvenda"]
        product = {r["Property"]: r["Value"] for r in table(dist("Bolvenda.msi"), "Property")}
        for guid in (UPGRADE_CODE, product["ProductCode"]):
            code = guid.strip("{}").replace("-", "").lower()
            packed = "".join(code[i:i + n][::-1] for i, n in [(0, 8), (8, 4), (12, 4)])
            packed += "".join(code[i + 1] + code[i] for i in range(16, 32, 2))
            marks += [guid.strip("{}").lower(), packed]
        for hive in ("system.reg", "user.reg", "userdef.reg"):
            with open(os.path.join(PREFIX, hive), encoding="utf-8", errors="replace") as f:
                text = f.read().lower()
            for mark in marks:
                self.assertNotIn(mark, text, hive)


if __name__ == "__main__":
    step, ROOT, PREFIX = sys.argv[1], sys.argv[2], sys.argv[3]
    if not os.path.exists(dist("Bolvenda.msi")):
        print(dist("Bolvenda.msi"), "is not built (bash scripts/windows.sh builds it)")
        sys.exit(77)
    needed = ["msiinfo", "msidump", "msiextract"] + (["wine", "wixl"] if step != "tables" else [])
    if not all(shutil.which(t) for t in needed):
        print("missing:", " ".join(t for t in needed if not shutil.which(t)),
              "(scripts/install-deps.sh test installs them)")
        sys.exit(77)
    suite = {"tables": Tables, "install": Install, "remove": Remove}[step]
    tests = unittest.defaultTestLoader.loadTestsFromTestCase(suite)
    sys.exit(0 if unittest.TextTestRunner(verbosity=2).run(tests).wasSuccessful() else 1)
