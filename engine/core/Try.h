// Early return of the error of a std::expected, for readers that go top to
// bottom through a format:
//   TRY_READ(count, in.ReadInteger());   // declares `count` or returns the error
//   TRY(in.SkipLine());                  // returns the error, if any
#pragma once

#include <expected>

#define FONDEREL_CONCAT_(a, b) a##b
#define FONDEREL_CONCAT(a, b) FONDEREL_CONCAT_(a, b)

#define TRY_READ(var, expr)                                                       \
  auto FONDEREL_CONCAT(var, _result) = (expr);                                    \
  if (!FONDEREL_CONCAT(var, _result))                                             \
    return std::unexpected(std::move(FONDEREL_CONCAT(var, _result).error()));     \
  auto var = std::move(*FONDEREL_CONCAT(var, _result))

#define TRY(expr)                                                                 \
  do {                                                                            \
    auto try_result_ = (expr);                                                    \
    if (!try_result_) return std::unexpected(std::move(try_result_.error()));     \
  } while (0)
