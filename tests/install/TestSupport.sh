# Shared by the install and package checks (sourced, not run).

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

need_tool() {
  command -v "$1" >/dev/null 2>&1 ||
    fail "$1 is missing (package $2; scripts/bootstrap.sh installs it)"
}

# A two-second 8 kHz mono 16-bit WAV file of noise, written without any media tool.
make_wav() {
  local rate=8000 bytes=$((8000 * 2 * 2))
  le32() {
    local v=$1
    printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $(((v >> 8) & 255)))"
    printf "\\x$(printf %02x $(((v >> 16) & 255)))\\x$(printf %02x $(((v >> 24) & 255)))"
  }
  {
    printf 'RIFF'; le32 $((36 + bytes)); printf 'WAVEfmt '; le32 16
    printf '\x01\x00\x01\x00'; le32 $rate; le32 $((rate * 2)); printf '\x02\x00\x10\x00'
    printf 'data'; le32 $bytes; head -c $bytes /dev/urandom
  } >"$1"
}

# Runs an installed zelta-convert ($1) the way a user of a fresh account does: no ZELTA_HOME, an
# empty home folder ($2). Checks that it finds its catalogue and converts one file to MP3.
check_installed_converter() {
  local convert=$1 home=$2 version=$3
  mkdir -p "$home"
  local run=(env -u ZELTA_HOME -u XDG_CONFIG_HOME HOME="$home")
  local shown
  shown=$("${run[@]}" "$convert" --version) || fail "$convert --version failed"
  [ "$shown" = "zelta-convert $version" ] || fail "$convert --version says '$shown'"
  # Profile 100 comes from the catalogue only: the installed data folder was found.
  "${run[@]}" "$convert" --list-profiles | grep -q $'^100\t' ||
    fail "$convert does not find the installed catalogue"
  make_wav "$home/tone.wav"
  "${run[@]}" "$convert" --profile 0 --output "$home/out" "$home/tone.wav" ||
    fail "$convert could not convert a WAV file"
  [ -s "$home/out/tone_(new).mp3" ] || fail "no MP3 file written by $convert"
}
