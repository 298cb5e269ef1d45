// mirel-pick's work on one file beside the floor under it: the bare
// libjpeg-turbo decode at 1/8 scale into RGBA rows, from memory, of the
// same JPEG. Everything mirel-pick adds per file (reading the file, the
// 32 × 32 rendition, the counting pass and scans, the output line) is the
// difference between the two.
//
//   mirel-bench --benchmark_filter='Pick|Floor'
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "bench/bench_images.h"
#include "colorpicker/colorpicker.h"
#include "platform/loader/Loader.h"
#include "tools/pick/pick_file.h"

namespace {

struct BenchJPEG {
  const char* label;
  int kind, side;
  std::string bytes, path;
};

std::string encodeJPEG(int kind, int side) {
  std::vector<uint8_t> rgb(size_t(side) * side * 3);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      uint8_t p[4];
      bench_images::paint(kind, x, y, side, p);
      std::copy(p, p + 3, rgb.begin() + (size_t(y) * side + x) * 3);
    }
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = cinfo.image_height = JDIMENSION(side);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = rgb.data() + size_t(cinfo.next_scanline) * side * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string bytes(reinterpret_cast<const char*>(out), size);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return bytes;
}

// Painted and encoded once per run, the same bytes every run; the files lie
// in a folder of this process, removed at exit.
struct BenchFiles {
  std::filesystem::path folder;
  std::vector<BenchJPEG> jpegs{{"600 px photo", 0, 600, "", ""},
                               {"1200 px photo", 0, 1200, "", ""},
                               {"1200 px noise", 2, 1200, "", ""}};
  BenchFiles() {
    folder = std::filesystem::temp_directory_path() / ("mirel-bench-pick-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (BenchJPEG& j : jpegs) {
      j.bytes = encodeJPEG(j.kind, j.side);
      j.path = (folder / (std::to_string(&j - jpegs.data()) + ".jpg")).string();
      FILE* file = std::fopen(j.path.c_str(), "wb");
      if (file) std::fwrite(j.bytes.data(), 1, j.bytes.size(), file), std::fclose(file);
    }
  }
  ~BenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

const BenchJPEG& benchJPEG(int index) {
  static BenchFiles files;
  return files.jpegs[size_t(index)];
}

void BM_JpegDecodeFloor(benchmark::State& state) {
  const BenchJPEG& jpeg = benchJPEG(int(state.range(0)));
  std::vector<uint8_t> pixels;
  for (auto _ : state) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.bytes.data()), jpeg.bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = 8;
    cinfo.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&cinfo);
    size_t rowBytes = size_t(cinfo.output_width) * 4;
    pixels.resize(rowBytes * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = pixels.data() + cinfo.output_scanline * rowBytes;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetLabel(jpeg.label);
}

// As mirel-pick --backend cpu runs each file, minus the process start.
void BM_PickFile(benchmark::State& state) {
  bootPlatform();
  registerColorPicker();
  const BenchJPEG& jpeg = benchJPEG(int(state.range(0)));
  Ref<KRColorPicker> picker = objc::make<KRColorPicker>();
  picker->setBackend(KRColorPickerBackendCPU);
  if (PickResult first = pickFile(picker, jpeg.path); first.error) {
    state.SkipWithError(first.error->c_str());
    return;
  }
  for (auto _ : state) {
    std::string line = pickLine(jpeg.path, pickFile(picker, jpeg.path), true);
    benchmark::DoNotOptimize(line.data());
  }
  state.SetLabel(jpeg.label);
}
// Each file's floor and pick side by side, so that the two of a pair run
// close together in time on a busy machine.
[[maybe_unused]] const bool kRegistered = [] {
  for (int file = 0; file < 3; ++file) {
    benchmark::RegisterBenchmark("BM_JpegDecodeFloor", BM_JpegDecodeFloor)->Arg(file)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_PickFile", BM_PickFile)->Arg(file)->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
