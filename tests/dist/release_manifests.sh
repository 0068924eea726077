#!/usr/bin/env bash
# The winget and Scoop manifests beside the release zip: each validates
# against its published schema (schemas/, SOURCES names where each came
# from), the winget files keep the rules that winget's own validation applies
# across them (one identifier and version, the file names, the folder), every
# hash is the zip's, every address the zip's at RELEASE_URL or its
# repository's, every executable one that the zip holds, and Scoop's update
# bot can follow the releases.
# shellcheck disable=SC2016 # $names in single quotes are jq's
. "$SOURCE_DIR/tests/lib.sh"
repository=https://git.example/ombex/ombex-plus schemas=$(dirname "$0")/schemas out=$work/out version=$(ombex_version)
packed "$out" RELEASE_URL="$repository/releases/download/v$version/"
zip=$(echo "$out"/*.zip) && url=$repository/releases/download/v$version/${zip##*/}
# Debian's validator, whatever other Python comes first on PATH.
validate() { /usr/bin/jsonschema -i "$1" "$schemas/$2"; }

# The three winget files, where the community repository keeps them.
folder=winget/manifests/o/OmbeX/OmbeX+/$version
listed=$(cd "$out" && find winget -type f | sort | tr '\n' ' ')
[ "$listed" = "$folder/OmbeX.OmbeX+.installer.yaml $folder/OmbeX.OmbeX+.locale.en-US.yaml $folder/OmbeX.OmbeX+.yaml " ] ||
    fail "the winget files are not $folder/OmbeX.OmbeX+{.installer,.locale.en-US,}.yaml but $listed"
for yaml in "$out/$folder"/*.yaml; do
    type=$(yq -r .ManifestType "$yaml") && yq . "$yaml" >"$work/$type.json"
    check "$type validates against winget's schema 1.12.0" validate "$work/$type.json" "manifest.$type.1.12.0.json"
    check "$type names its schema on its first line" \
        [ "$(head -1 "$yaml")" = "# yaml-language-server: \$schema=$(jq -r '."$id"' "$schemas/manifest.$type.1.12.0.json")" ]
done
cp "$out/scoop/ombex-plus.json" "$work/scoop.json"
check "scoop validates against Scoop's schema" validate "$work/scoop.json" scoop.json
check "scoop is indented by 4 spaces, as the buckets write" cmp -s <(jq --indent 4 . "$work/scoop.json") "$work/scoop.json"

prelude='def installers: .Installers[]; def each($field): . as $manifest | [installers | .[$field] // $manifest[$field]];
    def held: . as $path | $files | any(. == $path);'
files=$(unzip -Z1 "$zip" | jq -R 'gsub("/"; "\\")' | jq -s .)
holds() {  # manifest (its ManifestType, or scoop), jq test
    jq -e --arg version "$version" --arg hash "$(sha256sum "$zip" | cut -d' ' -f1)" --argjson files "$files" \
        --arg url "$url" --arg repository "$repository" --arg copyright "$(grep -m1 '^Copyright' "$ombex_root/LICENSE")" \
        --arg date "$(committed %F)" "$prelude ($2)" "$work/$1.json" >/dev/null
}
for m in version installer defaultLocale; do
    check "$m: PackageIdentifier OmbeX.OmbeX+ and the release's PackageVersion, as in the other files" \
        holds $m '.PackageIdentifier == "OmbeX.OmbeX+" and .PackageVersion == $version'
    check "$m: ManifestVersion 1.12.0, the newest that the community repository takes" holds $m '.ManifestVersion == "1.12.0"'
done
check "version: DefaultLocale en-US" holds version '.DefaultLocale == "en-US"'
check "installer: every installer is a zip that holds a portable program" \
    holds installer '(each("InstallerType") | all(. == "zip")) and (each("NestedInstallerType") | all(. == "portable"))'
check "installer: every InstallerSha256 is the zip's SHA-256" holds installer '[installers | .InstallerSha256 | ascii_downcase == $hash] | all'
check "installer: every InstallerUrl is the zip at RELEASE_URL" holds installer '[installers | .InstallerUrl == $url] | all'
check "installer: x86 runs OmbeX+.exe, x64 64-bit\\OmbeX+.exe, each by the command ombex-plus" \
    holds installer '[installers | [.Architecture, (.NestedInstallerFiles[] | .RelativeFilePath, .PortableCommandAlias)]] | sort == [["x64", "64-bit\\OmbeX+.exe", "ombex-plus"], ["x86", "OmbeX+.exe", "ombex-plus"]]'
check "installer: every nested file is in the zip" holds installer '[installers | .NestedInstallerFiles[].RelativeFilePath | held] | all'
check "installer: ReleaseDate is the day of the last commit" holds installer '.ReleaseDate == $date'
check "defaultLocale: PackageLocale en-US, licence MIT with LICENSE's copyright, tags" \
    holds defaultLocale '.PackageLocale == "en-US" and .License == "MIT" and .Copyright == $copyright and (.Tags | length > 0)'
check "defaultLocale: the publisher's, the package's, the licence's and the release notes' addresses are the repository's" \
    holds defaultLocale '[.PublisherUrl, .PackageUrl, .LicenseUrl, .ReleaseNotesUrl] ==
        [$repository, $repository, "\($repository)/blob/v\($version)/LICENSE", "\($repository)/releases/tag/v\($version)"]'

check "scoop: version, url and hash are the release's zip at RELEASE_URL" holds scoop '[.version, .url, .hash] == [$version, $url, $hash]'
check "scoop: homepage the repository, licence MIT" holds scoop '.homepage == $repository and .license == "MIT"'
check "scoop: 32bit's shortcut starts OmbeX+.exe, 64bit's 64-bit\\OmbeX+.exe" \
    holds scoop '(.architecture | [."32bit".shortcuts[0][0], ."64bit".shortcuts[0][0]]) == ["OmbeX+.exe", "64-bit\\OmbeX+.exe"]'
check "scoop: every shortcut's executable is in the zip" holds scoop '[.architecture[].shortcuts[][0] | held] | all'
check "scoop: checkver follows the repository's releases" holds scoop '.checkver == {github: $repository}'
check "scoop: autoupdate's url has \$version in the tag and the zip's name, and gives this release's for its version" \
    holds scoop '.autoupdate.url | ([scan("\\$version")] | length) == 2 and gsub("\\$version"; $version) == $url'
check "scoop: autoupdate takes the hash from the SHA256SUMS beside the zip" holds scoop '.autoupdate.hash == {url: "$baseurl/SHA256SUMS"}'
summary manifests
