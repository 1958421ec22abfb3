// Texts that carry a path beside Windows-1252 file texts, as shown to the
// user: the path's UTF-8 characters stay, the single file bytes are read as
// Windows-1252.
#include <gtest/gtest.h>

#include <string>

#include "core/Cp1252.h"

namespace fonderel {
namespace {

TEST(MixedText, PathsKeepTheirSpellingFileBytesAreWindows1252) {
  const struct {
    std::string bytes, shown;
  } cases[] = {
      {"Reading Source Description from: /d/Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 \u97F3.SPK",
       "Reading Source Description from: /d/Lautspr\u00E9cher \u00FC 90\u00B0 \u2013 \u97F3.SPK"},
      {"Source NameLautspr\xE9" "cher 90\xB0 \x96 \x80", "Source NameLautspr\u00E9cher 90\u00B0 \u2013 \u20AC"},
      {"/d/\u00E9.SPK: name \xFC", "/d/\u00E9.SPK: name \u00FC"},
      {"\xC3", "\u00C3"},                  // a lead byte at the end
      {"\xC0\xAF", "\u00C0\u00AF"},        // an overlong form is two file bytes
      {"\xED\xA0\x80", "\u00ED\u00A0\u20AC"},  // a surrogate is three file bytes
      {"\xF0\x9F\x8E\xB5", "\U0001F3B5"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(MixedTextToUtf8(c.bytes), c.shown);
  }
}

}  // namespace
}  // namespace fonderel
