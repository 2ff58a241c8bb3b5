#!/usr/bin/env bash
# Builds the Debian package and checks it as a user would get it: unpacked into
# a temporary folder, both programs start, the shipped files are found from the
# programs' own folder, and the desktop entry and AppStream description validate.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev desktop-file-utils appstream
cmake --preset release >/dev/null
cmake --build --preset release --target package
deb=$(ls -t build/release/orvelle_*.deb | head -n 1)
dpkg-deb --info "$deb"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/racine"
usr="$tmp/racine/usr"
id=org.orvelle.Orvelle
for f in bin/orvelle bin/orvelle-cli libexec/orvelle/orvelle-sources lib/orvelle/orvelle-camera.so \
         share/orvelle/Zelk2_en.lng share/orvelle/avert_de.txt \
         share/orvelle/exemples/spores.png share/orvelle/exemples/defaut_en.png \
         share/orvelle/ZelkA_fr.pdf share/orvelle/Doc2_en.pdf \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/icons/hicolor/256x256/apps/$id.png share/man/man1/orvelle-cli.1.gz \
         share/man/man1/orvelle.1.gz share/doc/orvelle/copyright; do
    [ -f "$usr/$f" ] || { echo "paquet.sh: $f is missing from $deb" >&2; exit 1; }
done

"$usr/bin/orvelle-cli" --version
QT_QPA_PLATFORM=offscreen "$usr/bin/orvelle" --version
# The window's helpers: the search for sources (SANE told of no backend, so
# that nothing of this machine is probed) and the camera module, whose
# libraries resolve.
mkdir -p "$tmp/sane" && : > "$tmp/sane/dll.conf"
SANE_CONFIG_DIR="$tmp/sane" QT_QPA_PLATFORM=offscreen "$usr/libexec/orvelle/orvelle-sources"
if ldd "$usr/lib/orvelle/orvelle-camera.so" | grep -q "not found"; then
    echo "paquet.sh: the camera module's libraries are not all found" >&2
    exit 1
fi
desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml"

# The unpacked orvelle-cli reads a French export in English: the English
# language file is found in ../share/orvelle beside it.
mkdir -p "$tmp/home"
printf '%s\r\n' "Fonction : mesure Spore 2D" "2 mesures" "LISTE=" \
    "N°; Long.; Larg.; Q; V; img; comment; " "1; 10; 5; 2; 130; 1; ; " "2; 12; 6; 2; 226; 1; ; " \
    | iconv -f UTF-8 -t CP1252 > "$tmp/spores.csv"
"$usr/bin/orvelle-cli" --home "$tmp/home" --lang en results "$tmp/spores.csv" > "$tmp/resultats.txt"
grep -q "^Current image:" "$tmp/resultats.txt" \
    || { echo "paquet.sh: the unpacked orvelle-cli did not find its language files" >&2; exit 1; }
echo "paquet.sh: $deb is sound"
