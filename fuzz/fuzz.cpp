// The fuzz targets for the map reader (FUZZ_MAP) and the sound layer's WAV
// reader (FUZZ_WAV), and their replay for CTest (FUZZ_REPLAY). Random maps written and read back
// are the round-trip unit tests' ground; the character reader's few fields are the game tests'.
#include <cstdint>
#include <cstdlib>
#include <string>

#ifdef FUZZ_MAP
#include "mapformat/reader.h"
#include "mapformat/writer.h"

// Any bytes: the reader answers without crashing, and a map it accepts
// writes back to text that reads as the same map and writes the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mapformat;
  static MapData map, again;
  for (auto reader : {Reader::Game, Reader::Editor}) {
    if (read({reinterpret_cast<const char*>(data), size}, reader, map) != Fault::None) continue;
    if (map.terrain.size() != static_cast<size_t>(map.width() * map.height())) abort();
    const std::string written = write(map);
    if (read(written, reader, again) != Fault::None || !(again == map)) abort();
    if (write(again) != written) abort();
  }
  return 0;
}
#endif

#ifdef FUZZ_WAV
#include "media/wavfile.h"

// Any bytes: a sound the reader accepts comes out as a WAV that it reads
// back byte for byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto wav = media::playableWav({reinterpret_cast<const char*>(data), size}, 0.01);
  if (wav && media::playableWav(*wav, 0) != wav) abort();
  return 0;
}
#endif

#ifdef FUZZ_REPLAY
#include <cstdio>
#include <filesystem>
#include <fstream>

// Without libFuzzer (CTest): every file below the given folders, once.
int main(int argc, char** argv) {
  int files = 0;
  for (int i = 1; i < argc; ++i)
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes(std::istreambuf_iterator<char>(in), {});
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++files;
    }
  std::printf("replayed %d files\n", files);
  return files > 0 ? 0 : 1;
}
#endif
