#!/usr/bin/env bash
# Times the conversion engine on reference media (made once in <build>/bench-media): the seven
# audio outputs from a 1080p30 H.264/AAC file, the same audio from an audio-only file of the same
# length, a WAV three times as long, 720p -> MPEG-4 AVI 640x480 letterboxed and 1080p -> H.264
# 720p MP4. Prints wall time, realtime factor and peak memory per job, and the same for the
# ffmpeg command-line tool when it is installed.
#   bash bench/engine.sh [build-dir] [--quick] [--only job,job] [--no-peer]
# --quick uses 10-second media (what `make bench` runs); without it the media are 60 s (WAV 3 min).
set -euo pipefail
build=${1:-build}
shift || true
exec "$build/ConvertBench" --media "$build/bench-media" "$@"
