#!/usr/bin/env bash
# Checks the picker's OpenGL ES pass on a machine with an NVIDIA GPU reached
# through EGL's device platform: builds only what the check needs in the
# release preset, runs the EAGLContext tests and the picker's GL cases with a
# GL context required (the GL/CPU agreement test prints its rates and the
# renderer), then the GL extraction benchmark beside the CPU one. Made to
# finish within five minutes; each step has its own time limit.
#
#   scripts/gpu-check.sh      # from anywhere in the repository
#   MIREL_EGL_PLATFORM=surfaceless scripts/gpu-check.sh   # the same on Mesa
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in cmake ninja g++ pkg-config timeout; do
  command -v "$tool" >/dev/null || { echo "gpu-check: $tool is missing (scripts/install-deps installs it)" >&2; exit 2; }
done
if command -v nvidia-smi >/dev/null; then
  nvidia-smi --query-gpu=name,driver_version --format=csv,noheader
else
  echo "gpu-check: no nvidia-smi here; going on with whatever EGL offers" >&2
fi

export MIREL_EGL_PLATFORM="${MIREL_EGL_PLATFORM:-device}"
export MIREL_REQUIRE_GL=1
jobs="$(nproc)"

echo "== configure and build (release)"
timeout 60 cmake --preset release >/dev/null
timeout 150 cmake --build --preset release -j "$jobs" --target test_gles test_colorpicker mirel-bench

echo "== EAGLContext on the $MIREL_EGL_PLATFORM platform"
timeout 30 ./build/release/tests/test_gles

echo "== the picker's GL cases and the GL/CPU agreement"
timeout 60 ./build/release/tests/test_colorpicker \
  --gtest_filter='PassAgreementTest.*:ColorPickerGLTest.*:ColorPickerTest.*'

echo "== extraction benchmarks"
timeout 60 ./build/release/bench/mirel-bench --benchmark_filter='BM_PickerExtract(Gl|Cpu)' --benchmark_min_time=0.5
