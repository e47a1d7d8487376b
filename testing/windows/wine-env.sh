# Sourced by wine-run and wine-session: the environment of the build's Wine prefix. A Japanese
# Windows: the locale ja_JP.UTF-8 (built into the prefix's folder, so that the machine needs no
# locale of its own) gives code page 932 and the Japanese LCID; no Mono or Gecko installer.
#   wine_env PREFIX
wine_env() {
    export WINEPREFIX=$(realpath -m "$1")
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LOCPATH=$WINEPREFIX-locale LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    unset LANGUAGE
}

# Makes the prefix on first use, once even when tests start at the same time: the Japanese
# locale, the prefix itself, and font replacements that give "ＭＳ Ｐゴシック" and its kin the
# proportional IPA faces GDI would otherwise not pick.
wine_prefix() {
    [[ -f $WINEPREFIX/.kalpeno-ready ]] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [[ -f $WINEPREFIX/.kalpeno-ready ]] && exit 0
        if [[ ! -d $LOCPATH/ja_JP.UTF-8 ]]; then
            mkdir -p "$LOCPATH"
            localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" ||
                { echo "wine: cannot build the ja_JP.UTF-8 locale" >&2; exit 1; }
        fi
        rm -rf "$WINEPREFIX"
        wine wineboot -i >/dev/null 2>&1 || { echo "wine: cannot make $WINEPREFIX" >&2; exit 1; }
        local key='HKCU\Software\Wine\Fonts\Replacements' name
        for name in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do
            wine reg add "$key" /v "$name" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
        done
        for name in 'ＭＳ ゴシック' 'MS Gothic'; do
            wine reg add "$key" /v "$name" /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
        done
        touch "$WINEPREFIX/.kalpeno-ready"
    ) 9>"$WINEPREFIX.lock"
}
