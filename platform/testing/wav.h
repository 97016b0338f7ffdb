// A 16-bit mono PCM tone written as a WAV file, 50 ms unless told, for the
// sound benchmarks. Returns whether the file was written.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cmath>
#include <cstdint>

namespace platform::testing {

inline bool writeTone(const QString& path, double hz, double seconds = 0.05) {
  const int rate = 22050, samples = static_cast<int>(rate * seconds);
  QByteArray data;
  auto u16 = [&](uint16_t v) { data.append(char(v & 0xFF)).append(char(v >> 8)); };
  auto u32 = [&](uint32_t v) {
    u16(uint16_t(v & 0xFFFF));
    u16(uint16_t(v >> 16));
  };
  data.append("RIFF");
  u32(36 + samples * 2);
  data.append("WAVEfmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  data.append("data");
  u32(samples * 2);
  for (int i = 0; i < samples; ++i)
    u16(uint16_t(int16_t(8000 * std::sin(2 * M_PI * hz * i / rate))));
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

}  // namespace platform::testing
