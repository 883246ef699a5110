"""The winget manifests of a Windows build, read as winget reads them: YAML that parses, one
identifier and version across the files, each installer's SHA-256 that of the file built, and
the MSI's product code that of its Property table.
    winget_test.py WINDOWS_BUILD_FOLDER"""
import glob
import hashlib
import os
import re
import subprocess
import sys

import yaml

build = sys.argv[1]
failures = 0


def check(ok, what):
    global failures
    print(("ok: " if ok else "FAILED: ") + what)
    failures += 0 if ok else 1


def cpack(name):
    text = open(os.path.join(build, "CPackConfig.cmake"), encoding="utf-8").read()
    return re.search(r'^set\(%s "(.*)"\)$' % name, text, re.M).group(1)


manifests = {}
for path in sorted(glob.glob(os.path.join(build, "winget", "*.yaml"))):
    with open(path, encoding="utf-8") as f:
        manifests[os.path.basename(path)] = yaml.safe_load(f)
kinds = sorted(m["ManifestType"] for m in manifests.values())
check(kinds == ["defaultLocale", "installer", "locale", "version"], "manifests: %s" % kinds)
for name, m in manifests.items():
    check(m["PackageIdentifier"] == "Levelwise.Levelwise" and m["PackageVersion"] == cpack("CPACK_PACKAGE_VERSION")
          and m["ManifestVersion"] == "1.6.0", "%s: identifier, version %s, manifest 1.6.0" % (name, m["PackageVersion"]))
default = [m for m in manifests.values() if m["ManifestType"] == "defaultLocale"]
version = [m for m in manifests.values() if m["ManifestType"] == "version"]
check(len(default) == 1 and version and version[0]["DefaultLocale"] == default[0]["PackageLocale"],
      "the version file names the default locale's file")

installers = next(m for m in manifests.values() if m["ManifestType"] == "installer")["Installers"]
check(sorted(i["InstallerType"] for i in installers) == ["msi", "nullsoft", "zip"], "an MSI, a setup and a zip")
for installer in installers:
    file = os.path.join(build, installer["InstallerUrl"].rsplit("/", 1)[1])
    with open(file, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest().upper()
    check(installer["InstallerSha256"] == digest, "%s: SHA-256 of %s" % (installer["InstallerType"], os.path.basename(file)))
    if installer["InstallerType"] == "msi":
        table = subprocess.run(["msiinfo", "export", file, "Property"], capture_output=True, text=True, check=True).stdout
        code = re.search(r"^ProductCode\t(\S+)", table, re.M).group(1)
        check(installer["ProductCode"] == code, "msi: ProductCode %s as in the package" % code)
    if installer["InstallerType"] == "nullsoft":
        key = installer["AppsAndFeaturesEntries"][0]["ProductCode"]
        check(key == cpack("CPACK_PACKAGE_INSTALL_REGISTRY_KEY"), "nullsoft: the uninstall key %s" % key)
sys.exit(1 if failures else 0)
