# Sourced by the Wine scripts: picks the Wine loader and server for a build.
# usage: . cmake/wine-env.sh LOADER   (wine for 32-bit programs, wine64 for 64-bit)
case "${1:-wine}" in
  wine64)
    wine_loader=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    ;;
  *)
    wine_loader=wine
    unset WINESERVER
    ;;
esac
wine_server="${WINESERVER:-wineserver}"
