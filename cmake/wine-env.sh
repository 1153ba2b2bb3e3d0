# Sourced by the Wine scripts: picks the Wine loader and server for a build.
# usage: . cmake/wine-env.sh LOADER   (wine for 32-bit programs, wine64 for 64-bit)
# 32-bit programs run natively or emulated, as cmake/wine-arch.sh says (or
# QB_WINE32, which the scripts set once for all their programs); both have
# the native 64-bit server, which serves 32-bit programs as well.
export WINESERVER=/usr/lib/wine/wineserver64
case "${1:-wine}" in
  wine64)
    wine_loader=/usr/lib/wine/wine64
    wine_server="$WINESERVER"
    ;;
  *)
    if [ -z "${QB_WINE32:-}" ]; then
      QB_WINE32="$(bash "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh" 2>/dev/null)"
      export QB_WINE32
    fi
    if [ "$QB_WINE32" = emulated ]; then
      wine_loader="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine32-emulated/wine"
      wine_server="${wine_loader%/wine}/wineserver"
    else
      wine_loader=/usr/lib/wine/wine
      wine_server="$WINESERVER"
    fi
    ;;
esac
