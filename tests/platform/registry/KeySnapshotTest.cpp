// The key snapshot's name table and the path normalisation every key open
// does: the cases where a shortcut (the ASCII fold, the hash table, skipping
// the split of a normal path) could answer differently from the general rule.
#include <gtest/gtest.h>

#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/RegistryHive.h"

using mbcs::Cp932;
using registry::KeySnapshot;
using registry::RegValue;

namespace {

std::string NumberName(int n) { return "C" + std::to_string(1000 + n).substr(1); }

int32_t NumberOf(const KeySnapshot& snap, const std::string& name) {
  const registry::NamedValue* v = snap.Find(name);
  int32_t n = -1;
  return v && v->value.AsNumber(&n) ? n : -1;
}

}  // namespace

TEST(KeySnapshot, FindsEveryStoredNameInAnyCaseAndNothingElse) {
  KeySnapshot snap;
  // Enough names to grow the table several times.
  for (int n = 1; n <= 300; n += 3) snap.Put(NumberName(n), RegValue::Number(n));
  for (int n = 1; n <= 999; ++n) {
    std::string lower = NumberName(n);
    lower[0] = 'c';
    EXPECT_EQ(NumberOf(snap, lower), n <= 300 && n % 3 == 1 ? n : -1) << lower;
  }
  EXPECT_EQ(snap.Find(""), nullptr);
  EXPECT_EQ(snap.Find("C00"), nullptr);
  EXPECT_EQ(snap.Find("C0011"), nullptr);
  EXPECT_EQ(snap.Values().size(), 100u);
  EXPECT_EQ(snap.Values()[1].name, "C004");  // in the order they were put
}

TEST(KeySnapshot, NamesThatLeaveTheAsciiFoldAgreeWithIt) {
  KeySnapshot snap;
  std::string longName(100, 'x');  // longer than a name folded on the stack
  snap.Put(longName + "Tail", RegValue::Number(1));
  snap.Put(Cp932("ａｂ") + "c", RegValue::Number(2));
  snap.Put("\x83\x61", RegValue::Number(3));  // ヂ: its trail byte looks like 'a'
  snap.Put("\x80x", RegValue::Number(4));     // a single byte above ASCII
  snap.Put("", RegValue::Number(5));          // the default value
  EXPECT_EQ(NumberOf(snap, std::string(100, 'X') + "TAIL"), 1);
  EXPECT_EQ(NumberOf(snap, Cp932("ＡＢ") + "C"), 2);
  EXPECT_EQ(NumberOf(snap, "\x83\x61"), 3);
  EXPECT_EQ(snap.Find("\x83\x41"), nullptr);  // ア differs from ヂ
  EXPECT_EQ(NumberOf(snap, "\x80X"), 4);
  EXPECT_EQ(NumberOf(snap, ""), 5);
}

TEST(KeySnapshot, PutReplacesRemoveForgetsAndCopiesStayApart) {
  KeySnapshot snap;
  for (int n = 1; n <= 20; ++n) snap.Put(NumberName(n), RegValue::Number(n));
  KeySnapshot copy = snap;
  snap.Put("c005", RegValue::Number(55));
  snap.Remove("C010");
  snap.Remove("absent");
  EXPECT_EQ(NumberOf(snap, "C005"), 55);
  EXPECT_EQ(snap.Values()[4].name, "C005");  // a replaced value keeps its first spelling
  EXPECT_EQ(snap.Find("C010"), nullptr);
  for (int n = 11; n <= 20; ++n) EXPECT_EQ(NumberOf(snap, NumberName(n)), n);  // moved up one place
  EXPECT_EQ(snap.Values().size(), 19u);
  EXPECT_EQ(NumberOf(copy, "C005"), 5);
  EXPECT_EQ(NumberOf(copy, "C010"), 10);
  snap.Put("C010", RegValue::Number(100));
  EXPECT_EQ(NumberOf(snap, "C010"), 100);
  EXPECT_EQ(snap.Values().back().name, "C010");
}

TEST(KeySnapshot, NormalPathAgreesWithSplitAndJoin) {
  for (std::string path : {"", "A", "A\\B", "\\A", "A\\", "A\\\\B", "\\", "\\\\", "A\\B\\\\\\C\\",
                           "\x83\x5C\\B", "A\\\x83\x5C", "\x83\x5C\\\\", "x\x83"}) {
    EXPECT_EQ(registry::NormalPath(path), registry::JoinPath(registry::SplitPath(path))) << path;
  }
}
