# Sourced by wine-run and wine-session: the environment of the build's Wine prefix. A Japanese
# Windows: the locale ja_JP.UTF-8 (built into the prefix's folder, so that the machine needs no
# locale of its own) gives code page 932 and the Japanese LCID; no Mono or Gecko installer.
#   wine_env PREFIX
# The locale is given to Wine's processes alone ("${japanese[@]}" wine ...), not set in the shell,
# which would warn that it has no such locale of its own.
wine_env() {
    export WINEPREFIX=$(realpath -m "$1")
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset LANGUAGE
    japanese=(env "LOCPATH=$WINEPREFIX-locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
}

japanese_wine() {
    "${japanese[@]}" wine "$@"
}

# Makes the prefix on first use, once even when tests start at the same time: the Japanese
# locale, the prefix itself, font replacements that give "ＭＳ Ｐゴシック" and its kin the
# proportional IPA faces GDI would otherwise not pick, and a virtual desktop: Wine then manages
# the windows itself, at once, where with an X window manager every activation is a round trip
# (and without one Wine waits about two seconds for each). What a user sees under a window
# manager is checked apart from the tests.
wine_prefix() {
    [[ -f $WINEPREFIX/.kalpeno-ready ]] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [[ -f $WINEPREFIX/.kalpeno-ready ]] && exit 0
        if [[ ! -d $WINEPREFIX-locale/ja_JP.UTF-8 ]]; then
            mkdir -p "$WINEPREFIX-locale"
            localedef -i ja_JP -f UTF-8 "$WINEPREFIX-locale/ja_JP.UTF-8" ||
                { echo "wine: cannot build the ja_JP.UTF-8 locale" >&2; exit 1; }
        fi
        rm -rf "$WINEPREFIX"
        japanese_wine wineboot -i >/dev/null 2>&1 || { echo "wine: cannot make $WINEPREFIX" >&2; exit 1; }
        # Wine's own fonts (Tahoma, Marlett for the frames' buttons), which it finds only there.
        local font
        for font in /usr/share/wine/fonts/*.ttf; do
            [[ -e $font ]] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
        done
        local key='HKCU\Software\Wine\Fonts\Replacements' name
        for name in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do
            japanese_wine reg add "$key" /v "$name" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
        done
        for name in 'ＭＳ ゴシック' 'MS Gothic'; do
            japanese_wine reg add "$key" /v "$name" /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
        done
        japanese_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f \
            >/dev/null 2>&1
        japanese_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024 /f \
            >/dev/null 2>&1
        touch "$WINEPREFIX/.kalpeno-ready"
    ) 9>"$WINEPREFIX.lock"
}

# A prefix as a user's, with no virtual desktop: each window a window of the X server and its
# window manager (the real-input check, the start-up benchmark).
wine_desktop_prefix() {
    wine_prefix
    if [[ ! -f $WINEPREFIX/.kalpeno-no-desktop ]]; then
        japanese_wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
        touch "$WINEPREFIX/.kalpeno-no-desktop"
    fi
}
