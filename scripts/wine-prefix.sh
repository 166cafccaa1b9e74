# Sourced by the scripts that run the Windows program under Wine. With WORK
# set to a scratch folder: a Wine prefix of its own in $WORK/prefix, quiet,
# with ALSA pointed at a null device (Wine's sound then renders into
# nothing). make_wine_prefix makes it (about 15 s); end_wine stops what
# Wine left running.
export WINEPREFIX=$WORK/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" ALSA_CONFIG_PATH=$WORK/asound.conf
unset WAYLAND_DISPLAY
printf 'pcm.!default { type null }\n' >"$ALSA_CONFIG_PATH"
make_wine_prefix() { (wine wineboot --init && wineserver -w) >/dev/null 2>&1; }
end_wine() { wineserver -k >/dev/null 2>&1 || true; }
