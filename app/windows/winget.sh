#!/usr/bin/env bash
# Writes the winget manifests (ManifestVersion 1.6.0) of the downloads in a Windows build
# folder into its winget/ folder: the version file, the installers (MSI, NSIS setup, portable
# zip) with their SHA-256, and the package's texts in English (the default) and Hungarian.
#   winget.sh WINDOWS_BUILD_FOLDER
set -euo pipefail
build=$(realpath "$1")
cpack_value() { sed -n "s/^set($1 \"\\(.*\\)\")\$/\\1/p" "$build/CPackConfig.cmake"; }
version=$(cpack_value CPACK_PACKAGE_VERSION) package=$(cpack_value CPACK_PACKAGE_FILE_NAME)
name=$(cpack_value CPACK_PACKAGE_NAME)
publisher=$(cpack_value CPACK_PACKAGE_VENDOR)
msi=$build/$package.msi setup=$build/$package-setup.exe zip=$build/$package.zip
for file in "$msi" "$setup" "$zip"; do
    [ -f "$file" ] || { echo "winget.sh: $file is missing; build the downloads first" >&2; exit 1; }
done
sha() { sha256sum "$1" | cut -d' ' -f1 | tr a-f A-F; }
product=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }')
id=Levelwise.Levelwise
# Where a release's files are published, one folder a version.
url=https://levelwise.org/download/$version
out=$build/winget
mkdir -p "$out"
header() { # TYPE
    printf '# Written by app/windows/winget.sh\n'
    printf 'PackageIdentifier: %s\nPackageVersion: "%s"\n' "$id" "$version"
}
{
    header
    printf 'DefaultLocale: en-US\nManifestType: version\nManifestVersion: 1.6.0\n'
} >"$out/$id.yaml"
{
    header
    cat <<EOF2
MinimumOSVersion: 10.0.0.0
Installers:
  - Architecture: x64
    InstallerType: msi
    Scope: machine
    InstallerUrl: $url/$(basename "$msi")
    InstallerSha256: $(sha "$msi")
    ProductCode: "$product"
    UpgradeBehavior: install
  - Architecture: x64
    InstallerType: nullsoft
    Scope: machine
    InstallerUrl: $url/$(basename "$setup")
    InstallerSha256: $(sha "$setup")
    AppsAndFeaturesEntries:
      - DisplayName: $name
        Publisher: $publisher
        DisplayVersion: "$version"
        ProductCode: $name
  - Architecture: x64
    InstallerType: zip
    NestedInstallerType: portable
    NestedInstallerFiles:
      - RelativeFilePath: Levelwise.exe
        PortableCommandAlias: levelwise
    InstallerUrl: $url/$(basename "$zip")
    InstallerSha256: $(sha "$zip")
ManifestType: installer
ManifestVersion: 1.6.0
EOF2
} >"$out/$id.installer.yaml"
locale() { # LOCALE TYPE SHORT_DESCRIPTION DESCRIPTION
    header
    cat <<EOF2
PackageLocale: $1
Publisher: $publisher
PackageName: $name
License: MIT
Copyright: $(cpack_value CPACK_LEVELWISE_COPYRIGHT)
ShortDescription: "$3"
Description: "$4"
Tags:
  - trading
  - fibonacci
ManifestType: $2
ManifestVersion: 1.6.0
EOF2
}
locale en-US defaultLocale "$(cpack_value CPACK_PACKAGE_DESCRIPTION_SUMMARY)" \
    "$(cpack_value CPACK_LEVELWISE_DESCRIPTION)" >"$out/$id.locale.en-US.yaml"
locale hu-HU locale "$(cpack_value CPACK_LEVELWISE_SUMMARY_HU)" \
    "$(cpack_value CPACK_LEVELWISE_DESCRIPTION_HU)" >"$out/$id.locale.hu-HU.yaml"
echo "winget manifests in $out"
