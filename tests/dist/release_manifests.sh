#!/usr/bin/env bash
# The winget and Scoop manifests beside the release zip: what the published
# schemas (winget 1.28.0, Scoop's schema.json) require of them, written out
# here as checks of their own, and every hash the zip's, every address the
# zip's at RELEASE_URL, every executable one that the zip holds.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out

version=$(sed -n 's/^#define OMBEX_VERSION *"\(.*\)"$/\1/p' "$SOURCE_DIR/res/version.h")
RELEASE_URL=https://downloads.example/ombex/ "$SOURCE_DIR/scripts/dist" "$out" >/dev/null
zip=$out/OmbeX+-$version.zip
[ -f "$zip" ] || { echo "FAIL: no $(basename "$zip"), named after res/version.h"; exit 1; }
# Each winget manifest as JSON, named after its ManifestType.
for yaml in "$out"/winget/*.yaml; do
    yq . "$yaml" >"$work/manifest.json"
    mv "$work/manifest.json" "$work/$(jq -r .ManifestType "$work/manifest.json").json"
done
cp "$out/scoop/ombex-plus.json" "$work/scoop.json"

# What each check may use: the schemas' patterns, and the facts of the zip.
prelude='
def needs($names): ($names - keys) == [];
def within($names): (keys - $names) == [];
def text($least; $most): type == "string" and length >= $least and length <= $most;
def sha256: type == "string" and test("^[A-Fa-f0-9]{64}$");
def url: type == "string" and test("^([Hh][Tt][Tt][Pp][Ss]?)://.+$") and length <= 2048;
def winget_version: type == "string" and (split(".") | map(tonumber)) >= [1, 28, 0];
def identifier: test("^[^\\.\\s\\\\/:\\*\\?\"<>\\|\\x01-\\x1f]{1,32}(\\.[^\\.\\s\\\\/:\\*\\?\"<>\\|\\x01-\\x1f]{1,32}){1,7}$");
def ours: .PackageIdentifier == "OmbeX.OmbeX+" and .PackageVersion == $version;
def installers: .Installers[];
def each($field): . as $manifest | [installers | .[$field] // $manifest[$field]];
def held: . as $path | $files | any(. == $path);
'
files=$(unzip -Z1 "$zip" | tr / '\\' | jq -R . | jq -s .)
hash=$(sha256sum "$zip" | cut -d' ' -f1)
winget=$(ls "$out/winget" | tr '\n' ' ')
passed=0 failed=0
check() {  # manifest (its ManifestType, or scoop), what the check asks, jq test
    if [ -f "$work/$1.json" ] &&
        jq -e --arg version "$version" --arg hash "$hash" --argjson files "$files" --arg winget "$winget" \
            --arg url "https://downloads.example/ombex/OmbeX%2B-$version.zip" \
            "$prelude ($3)" "$work/$1.json" >/dev/null; then
        passed=$((passed + 1))
    else
        echo "FAIL: $1: $2"
        failed=$((failed + 1))
    fi
}

# Winget finds the three files of one version by these names.
check version "the winget manifests are named after PackageIdentifier" \
    '$winget == "\(.PackageIdentifier).installer.yaml \(.PackageIdentifier).locale.\(.DefaultLocale).yaml \(.PackageIdentifier).yaml "'
for m in version installer defaultLocale; do
    check $m "PackageIdentifier and PackageVersion are the release's" 'ours and (.PackageIdentifier | identifier)'
    check $m "ManifestVersion is 1.28.0 or newer" '.ManifestVersion | winget_version'
done
check version "has every field the schema requires" \
    'needs(["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"])'
check version "DefaultLocale en-US" '.DefaultLocale == "en-US"'
check installer "has every field the schema requires" \
    'needs(["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"])'
check installer "every installer is a zip, of the schema's InstallerTypes" \
    'each("InstallerType") | all(. == "zip") and all(IN("msix", "msi", "appx", "exe", "zip", "inno", "nullsoft", "wix", "burn", "pwa", "portable", "font"))'
check installer "every installer holds a portable program, of the schema's NestedInstallerTypes" \
    'each("NestedInstallerType") | all(. == "portable") and all(IN("msix", "msi", "appx", "exe", "inno", "nullsoft", "wix", "burn", "portable", "font"))'
check installer "every installer has the fields the schema requires" \
    '[installers | needs(["Architecture", "InstallerUrl", "InstallerSha256"])] | all'
check installer "every Architecture is one of the schema's" \
    '[installers | .Architecture | IN("x86", "x64", "arm", "arm64", "neutral")] | all'
check installer "one installer for x86 and one for x64" '[installers | .Architecture] | sort == ["x64", "x86"]'
check installer "every InstallerSha256 is the zip's SHA-256" \
    '[installers | .InstallerSha256 | sha256 and ascii_downcase == $hash] | all'
check installer "every InstallerUrl is the zip at RELEASE_URL, + as %2B" '[installers | .InstallerUrl | url and . == $url] | all'
check installer "x86 runs OmbeX+.exe from the zip, x64 64-bit\\OmbeX+.exe" \
    '[installers | [.Architecture, (.NestedInstallerFiles | map(.RelativeFilePath))]] | sort == [["x64", ["64-bit\\OmbeX+.exe"]], ["x86", ["OmbeX+.exe"]]]'
check installer "every nested file is in the zip" '[installers | .NestedInstallerFiles[].RelativeFilePath | held] | all'
check defaultLocale "has every field the schema requires" \
    'needs(["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License", "ShortDescription", "ManifestType", "ManifestVersion"])'
check defaultLocale "PackageLocale en-US" '.PackageLocale == "en-US"'
check defaultLocale "Publisher, PackageName, License and ShortDescription of the schema's lengths" \
    '(.Publisher | text(2; 256)) and (.PackageName | text(2; 256)) and (.License | text(3; 512)) and (.ShortDescription | text(3; 256))'
check defaultLocale "the licence is MIT" '.License == "MIT"'
check defaultLocale "PackageUrl is an address" '.PackageUrl | url'

check scoop "has only the schema's fields, version among them" \
    'needs(["version"]) and within(["##", "_comment", "architecture", "autoupdate", "bin", "persist", "checkver", "cookie", "depends", "description", "env_add_path", "env_set", "extract_dir", "extract_to", "hash", "homepage", "innosetup", "installer", "license", "msi", "notes", "post_install", "pre_install", "psmodule", "shortcuts", "suggest", "uninstaller", "url", "version"])'
check scoop "version is the release's, of the schema's pattern" '.version == $version and (.version | test("^[\\w\\-.+_]+$"))'
check scoop "hash is the zip's SHA-256" '.hash | sha256 and . == $hash'
check scoop "url is the zip at RELEASE_URL, + as %2B" '.url == $url and (.url | test("\\$") | not)'
check scoop "homepage and licence MIT" '(.homepage | url) and .license == "MIT"'
check scoop "architectures 32bit and 64bit only" '.architecture | keys == ["32bit", "64bit"]'
check scoop "every architecture has a Start-menu shortcut of 2 to 4 strings" \
    '[.architecture[] | .shortcuts | length >= 1 and all(length >= 2 and length <= 4 and all(type == "string"))] | all'
check scoop "32bit's shortcut starts OmbeX+.exe, 64bit's 64-bit\\OmbeX+.exe" \
    '(.architecture | [."32bit".shortcuts[0][0], ."64bit".shortcuts[0][0]]) == ["OmbeX+.exe", "64-bit\\OmbeX+.exe"]'
check scoop "every shortcut's executable is in the zip" '[.architecture[].shortcuts[][0] | held] | all'

echo "manifests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
