#!/usr/bin/env bash
# The winget and Scoop manifests beside the release zip: each validates
# against its published schema (schemas/, SOURCES names where each came
# from), the winget files keep the rules that winget's own validation applies
# across them, every hash, address and executable is the release's, and
# Scoop's update bot can follow the releases.
# shellcheck disable=SC2016 # $names in single quotes are jq's
. "$SOURCE_DIR/tests/lib.sh"
repository=https://git.example/ombex/ombex-plus schemas=$(dirname "$0")/schemas out=$work/out version=$(ombex_version)
packed "$out" RELEASE_URL="$repository/releases/download/v$version/"
zip=$(echo "$out"/*.zip) && url=$repository/releases/download/v$version/${zip##*/}
# Debian's validator, whatever other Python comes first on PATH.
validate() { /usr/bin/jsonschema -i "$1" "$schemas/$2"; }

# The three winget files, where the community repository keeps them, of
# manifest version 1.12.0, the newest that it takes.
stem=winget/manifests/o/OmbeX/OmbeX+/$version/OmbeX.OmbeX+
check "the winget files are $stem{.installer,.locale.en-US,}.yaml" \
    diff <(cd "$out" && find winget -type f | sort) <(printf '%s\n' "$stem"{.installer,.locale.en-US,}.yaml)
for yaml in "$out/$stem"*.yaml; do
    type=$(yq -r .ManifestType "$yaml") && schema=manifest.$type.1.12.0.json && yq . "$yaml" >"$type.json"
    check "$type validates against winget's schema 1.12.0" validate "$type.json" "$schema"
    check "$type names its schema on its first line" \
        [ "$(head -1 "$yaml")" = "# yaml-language-server: \$schema=$(jq -r '."$id"' "$schemas/$schema")" ]
done
cp "$out/scoop/ombex-plus.json" scoop.json
check "scoop validates against Scoop's schema" validate scoop.json scoop.json
check "scoop is indented by 4 spaces, as the buckets write" cmp -s <(jq --indent 4 . scoop.json) scoop.json

prelude='def installers: .Installers[];
    def each($field): . as $manifest | [installers | .[$field] // $manifest[$field]];
    def held: . as $path | $files | any(. == $path);
    def runs: [installers | [.Architecture, (.NestedInstallerFiles[] | .RelativeFilePath, .PortableCommandAlias)]];'
files=$(unzip -Z1 "$zip" | jq -R 'gsub("/"; "\\")' | jq -s .)
holds() {  # manifest (its ManifestType, or scoop), jq test
    jq -e --arg version "$version" --arg hash "$(sha256sum "$zip" | cut -d' ' -f1)" --argjson files "$files" \
        --arg url "$url" --arg repository "$repository" --arg date "$(committed %F)" \
        --arg copyright "$(grep -m1 '^Copyright' "$ombex_root/LICENSE")" "$prelude ($2)" "$1.json" >/dev/null
}
while read -r manifest test; do
    check "$manifest: $test" holds "$manifest" "$test"
done <<'EOF'
version [.PackageIdentifier, .PackageVersion, .ManifestVersion] == ["OmbeX.OmbeX+", $version, "1.12.0"]
installer [.PackageIdentifier, .PackageVersion, .ManifestVersion] == ["OmbeX.OmbeX+", $version, "1.12.0"]
defaultLocale [.PackageIdentifier, .PackageVersion, .ManifestVersion] == ["OmbeX.OmbeX+", $version, "1.12.0"]
version .DefaultLocale == "en-US"
installer (each("InstallerType") | all(. == "zip")) and (each("NestedInstallerType") | all(. == "portable"))
installer [installers | .InstallerSha256 | ascii_downcase == $hash] | all
installer [installers | .InstallerUrl == $url] | all
installer runs | sort == [["x64", "64-bit\\OmbeX+.exe", "ombex-plus"], ["x86", "OmbeX+.exe", "ombex-plus"]]
installer [installers | .NestedInstallerFiles[].RelativeFilePath | held] | all
installer .ReleaseDate == $date
defaultLocale .PackageLocale == "en-US" and .License == "MIT" and .Copyright == $copyright and (.Tags | length > 0)
defaultLocale [.PublisherUrl, .PackageUrl] == [$repository, $repository]
defaultLocale .LicenseUrl == "\($repository)/blob/v\($version)/LICENSE"
defaultLocale .ReleaseNotesUrl == "\($repository)/blob/v\($version)/CHANGELOG.md"
scoop [.version, .url, .hash] == [$version, $url, $hash]
scoop .homepage == $repository and .license == "MIT"
scoop .architecture | [."32bit".shortcuts[0][0], ."64bit".shortcuts[0][0]] == ["OmbeX+.exe", "64-bit\\OmbeX+.exe"]
scoop [.architecture[].shortcuts[][0] | held] | all
scoop .checkver == {github: $repository}
scoop .autoupdate.url | ([scan("\\$version")] | length) == 2 and gsub("\\$version"; $version) == $url
scoop .autoupdate.hash == {url: "$baseurl/SHA256SUMS"}
EOF
