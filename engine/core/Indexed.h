// Fixed-size arrays addressed with the data model's own indices (bands 1..10,
// plots 0..17, faces from 1 ...), so code reads like the data model:
// src.Lw(b), src.FaceX(f, v), src.BalloonData(p, k, b).
//
// Every access is checked: an index outside the declared range stops the
// program instead of writing past the array. Readers validate their input
// first, so the check never fires on any file.
#pragma once

#include <array>
#include <cstdlib>

namespace fonderel {

[[noreturn]] inline void IndexOutOfRange() { std::abort(); }

template <typename T, int Lo, int Hi>
class Indexed {
  static_assert(Lo <= Hi);

 public:
  static constexpr int kLo = Lo;
  static constexpr int kHi = Hi;

  constexpr T& operator()(int i) { return data_[Slot(i)]; }
  constexpr const T& operator()(int i) const { return data_[Slot(i)]; }
  constexpr void Fill(const T& value) { data_.fill(value); }
  static constexpr bool Holds(int i) { return i >= Lo && i <= Hi; }

  friend bool operator==(const Indexed&, const Indexed&) = default;

 private:
  static constexpr std::size_t Slot(int i) {
    if (!Holds(i)) [[unlikely]] IndexOutOfRange();
    return static_cast<std::size_t>(i - Lo);
  }
  std::array<T, Hi - Lo + 1> data_{};
};

template <typename T, int Lo1, int Hi1, int Lo2, int Hi2>
class Indexed2 {
 public:
  constexpr T& operator()(int i, int j) { return data_[Slot(i, j)]; }
  constexpr const T& operator()(int i, int j) const { return data_[Slot(i, j)]; }
  constexpr void Fill(const T& value) { data_.fill(value); }

  friend bool operator==(const Indexed2&, const Indexed2&) = default;

 private:
  static constexpr int kCols = Hi2 - Lo2 + 1;
  static constexpr std::size_t Slot(int i, int j) {
    if (i < Lo1 || i > Hi1 || j < Lo2 || j > Hi2) [[unlikely]] IndexOutOfRange();
    return static_cast<std::size_t>((i - Lo1) * kCols + (j - Lo2));
  }
  std::array<T, (Hi1 - Lo1 + 1) * (Hi2 - Lo2 + 1)> data_{};
};

}  // namespace fonderel
