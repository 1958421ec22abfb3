// ISO 3744: the sound power and the noise balloon for 10 and for 100
// microphones (the balloon's nearest-direction search grows with the count),
// and each measurement file kind parsed from memory.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "iso3744/InstrumentExports.h"
#include "iso3744/MeaFile.h"
#include "iso3744/MeasFile.h"
#include "iso3744/NoiseBalloon.h"
#include "iso3744/SoundPower.h"
#include "iso3744/SpectrumFiles.h"

namespace {

using namespace fonderel;

// N microphones on a hemisphere-like spread of receivers, levels varying
// with direction and band, a reverberant room.
std::unique_ptr<AppState> Measured(int n) {
  auto s = std::make_unique<AppState>();
  Measurement& m = s->Iso;
  m.MicCount = static_cast<std::int16_t>(n);
  if (n != 10) {
    m.MicLayoutFile = "bench.mea";
    m.Rec.NReceivers = static_cast<std::int16_t>(n);
    for (int k = 1; k <= n; ++k) {
      const double az = 2.399963 * k, el = std::acos(1.0 - (k - 0.5) / n);
      m.Rec.RecX(k) = static_cast<float>(2 * std::sin(el) * std::cos(az));
      m.Rec.RecY(k) = static_cast<float>(2 * std::sin(el) * std::sin(az));
      m.Rec.RecZ(k) = static_cast<float>(2 * std::cos(el));
    }
  }
  for (int k = 1; k <= n; ++k)
    for (int b = 1; b <= kBandCount; ++b) s->MicLp(k, b) = static_cast<float>(80 + (k * 7 + b * 3) % 11);
  for (int b = 1; b <= kBandCount; ++b) m.RevTime(b) = 0.4f + 0.05f * b;
  return s;
}

void SoundPowerAndBalloon(benchmark::State& st) {
  auto s = Measured(static_cast<int>(st.range(0)));
  const LocalTime now;
  for (auto _ : st) {
    auto power = ComputeSoundPower(*s);
    auto built = BuildNoiseBalloon(*s, now);
    benchmark::DoNotOptimize(power);
    benchmark::DoNotOptimize(built);
  }
}
BENCHMARK(SoundPowerAndBalloon)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

std::string ResultFile(int n) {
  auto s = Measured(n);
  ComputeSoundPower(*s);
  return MeasFileText(*s);
}

std::string PrnFile(int n) {
  std::string out;
  for (int i = 0; i < 9; ++i) out += "header\r\n";
  for (int k = 0; k < n; ++k) out += "\"Mic " + std::to_string(k) + "  80.5\",81.2,82.3,83.4,84.5,85.6,86.7,87.8,88.9,99.1\r\n";
  return out;
}

std::string BkFile(int n) {
  std::string out = "ID\tTIME\tLEQ_25HZ\t";
  for (int c = 3; c < 80; ++c) out += "C" + std::to_string(c) + "\t";
  out += "\r\n";
  for (int k = 0; k < n; ++k) {
    out += std::to_string(k) + "\t10:00\t";
    for (int c = 2; c < 80; ++c) out += std::to_string(60 + c % 20) + ".3\t";
    out += "\r\n";
  }
  return out;
}

std::string ThirdsFile() {
  std::string out = " Instrument\r\nDate 01-01-2026\r\n3\r\n4\r\n5\r\n6\r\nBandwidth code   :3\r\n8\r\n";
  const char* f[] = {"20", "25", "31.5", "40", "50", "63", "80", "100", "125", "160", "200",
                     "250", "315", "400", "500", "630", "800", "1000", "1250", "1600", "2000",
                     "2500", "3150", "4000", "5000", "6300", "8000", "10000", "12500", "16000", "20000"};
  for (const char* x : f) out += std::string(x) + ",78.4\r\n";
  return out;
}

std::string LabelledFile() {
  std::string labels, levels;
  for (int i = 0; i < 32; ++i) {
    labels += (i == 1 ? std::string("25") : std::to_string(100 + i)) + ",";
    levels += (i ? "," : "") + std::string("77.7");
  }
  return "NAME,01-01-2026,LD\r\n" + labels + "dB(A)\r\n" + levels + "\r\n";
}

std::string MeaText(int n) {
  std::string out = "src\r\n0,0,.5\r\nvol\r\n200\r\nrec\r\n" + std::to_string(n) + "\r\nxyz\r\n";
  for (int k = 0; k < n; ++k) out += std::to_string(k % 7) + ".25," + std::to_string(k % 5) + ".5,1.75\r\n";
  return out;
}

template <typename F>
void Parse(benchmark::State& st, const std::string& bytes, F parse) {
  for (auto _ : st) {
    auto r = parse(bytes);
    if (!r) st.SkipWithError(r.error().Text().c_str());
    benchmark::DoNotOptimize(r);
  }
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * bytes.size()));
}

void ReadResultFile(benchmark::State& st) {
  Parse(st, ResultFile(static_cast<int>(st.range(0))), [](const std::string& b) { return ParseMeasFile(b, "B.DAT"); });
}
void ReadPrnExport(benchmark::State& st) {
  Parse(st, PrnFile(100), [](const std::string& b) { return ParsePrnExport(b, "B.PRN"); });
}
void ReadBkExport(benchmark::State& st) {
  Parse(st, BkFile(50), [](const std::string& b) { return ParseBkExport(b, "B.TXT"); });
}
void ReadTextSpectrum(benchmark::State& st) {
  Parse(st, ThirdsFile(), [](const std::string& b) { return ParseTextSpectrum(b, "S.TXT"); });
}
void ReadLabelledSpectrum(benchmark::State& st) {
  Parse(st, LabelledFile(), [](const std::string& b) { return ParseLabelledSpectrum(b, "S"); });
}
void ReadMeaFile(benchmark::State& st) {
  Parse(st, MeaText(1024), [](const std::string& b) { return ParseMeaFile(b, "L.MEA"); });
}
BENCHMARK(ReadResultFile)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadPrnExport)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadBkExport)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadTextSpectrum)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadLabelledSpectrum)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadMeaFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
