#!/usr/bin/env bash
# Times the conversion engine on reference media (made once in <build>/bench-media): the seven
# audio outputs from a 1080p30 H.264/AAC file, the same audio from an audio-only file of the same
# length, a WAV three times as long, 720p -> MPEG-4 AVI 640x480 letterboxed and 1080p -> H.264
# 720p MP4. Prints wall time, realtime factor and peak memory per job and, when the ffmpeg
# command-line tool is on PATH, its wall time and peak memory for the same job (same codecs and
# settings, automatic thread counts as the engine uses) with the ratios, then the goal checks.
# Nothing else depends on that tool: without it the peer columns are left out.
#   bash bench/engine.sh [build-dir] [--quick] [--only job,job] [--no-peer]
# --quick uses 10-second media (what `make bench` runs); without it the media are 60 s (WAV 3 min).
set -euo pipefail
build=${1:-build}
shift || true
exec "$build/ConvertBench" --media "$build/bench-media" "$@"
