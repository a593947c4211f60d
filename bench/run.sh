#!/usr/bin/env bash
# Runs every benchmark program of the build folder given as $1 and keeps the results as JSON
# in that folder (bench-<name>.json) next to the console table, then the engine's conversion
# timings on short media (bench/engine.sh runs them on the full reference media), then the
# zelta-convert batch timing (BatchBench, media made in <build>/bench-batch-media), the big
# batch of 2,000 short files under an open-file limit (BigBatchBench), the same files through
# the main window, offscreen (WindowBatchBench), and zelta-convert side by side with the ffmpeg
# program on 720p and 1080p H.264/AAC to MP3 (FfmpegCompareBench), the fault run: 200
# batches stopped by signals at random moments and runs racing into one folder (FaultBench),
# whole libraries with the folder tree kept, against ffmpeg two at a time (LibraryBench; the
# FLAC samples come from Debian's sonic-pi-samples, installed here when apt-get can), and
# loudness normalisation of a 3-minute FLAC, its measuring pass alone and the ffmpeg program's
# two loudnorm passes side by side (LoudnessBench).
set -euo pipefail
build=${1:-build}
for src in "$(dirname "$0")"/*Bench.cpp; do
  name=$(basename "$src" .cpp)
  # The conversion timings are not a benchmark-library program; engine.sh runs them below.
  [ "$name" = ConvertBench ] && continue
  [ "$name" = BatchBench ] && continue
  [ "$name" = BigBatchBench ] && continue
  [ "$name" = WindowBatchBench ] && continue
  [ "$name" = FfmpegCompareBench ] && continue
  [ "$name" = FaultBench ] && continue
  [ "$name" = LoudnessBench ] && continue
  [ "$name" = LibraryBench ] && continue
  echo "== $name"
  "$build/$name" --benchmark_out="$build/bench-$name.json" --benchmark_out_format=json
done
echo "== ConvertBench (quick)"
bash "$(dirname "$0")/engine.sh" "$build" --quick
echo "== BatchBench"
"$build/BatchBench" --media "$build/bench-batch-media"
echo "== BigBatchBench"
"$build/BigBatchBench" --media "$build/bench-bigbatch-media"
echo "== WindowBatchBench"
"$build/WindowBatchBench" --media "$build/bench-bigbatch-media"
echo "== FfmpegCompareBench"
"$build/FfmpegCompareBench" --media "$build/bench-ffmpeg-media"
echo "== FaultBench"
"$build/FaultBench" --media "$build/bench-fault-media"
echo "== LoudnessBench"
"$build/LoudnessBench" --media "$build/bench-loudness-media"
echo "== LibraryBench"
if [ ! -d /usr/share/sonic-pi/samples ] && [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  apt-get install -y -q sonic-pi-samples >/dev/null 2>&1 ||
    echo "sonic-pi-samples cannot be installed: its comparison is skipped"
fi
"$build/LibraryBench" --media "$build/bench-library-media"
