// The rules every hive must keep, written once and run against the SQLite
// hive and the in-memory hive, so that the fake the store's tests use cannot
// drift from the file the library uses in production.
#include <gtest/gtest.h>

#include <climits>

#include "HiveTestDir.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/registry/SqliteHive.h"

using mbcs::Cp932;
using registry::RegistryHive;

namespace {

struct InMemory {
  static std::shared_ptr<RegistryHive> Make(const HiveTestDir&) { return std::make_shared<registry::MemoryHive>(); }
};
struct InSqlite {
  static std::shared_ptr<RegistryHive> Make(const HiveTestDir& dir) {
    return registry::OpenSqliteHive(dir.File("hive.db"));
  }
};

template <class Maker>
class HiveContract : public ::testing::Test {
 protected:
  void SetUp() override {
    hive = Maker::Make(dir);
    registry::Registry::UseHive(hive);
    // A hive that failed to open would turn every case below into a
    // comparison of error codes.
    registry::RegError err;
    ASSERT_TRUE(hive->CreateKey("SOFTWARE", &err)) << err.code << " " << err.message;
  }
  void TearDown() override { registry::Registry::Reset(); }

  // The stored names of the open key's values, as the hive keeps them.
  std::vector<std::string> ValueNames(const std::string& path) {
    registry::KeySnapshot snap;
    registry::RegError err;
    EXPECT_TRUE(hive->ReadKey(path, false, &snap, &err)) << err.message;
    std::vector<std::string> names;
    for (const auto& v : snap.Values()) names.push_back(v.name);
    return names;
  }

  HiveTestDir dir;
  std::shared_ptr<RegistryHive> hive;
};

using Hives = ::testing::Types<InMemory, InSqlite>;
class HiveNames {
 public:
  template <class T>
  static std::string GetName(int) {
    return std::is_same_v<T, InMemory> ? "Memory" : "Sqlite";
  }
};
TYPED_TEST_SUITE(HiveContract, Hives, HiveNames);

TYPED_TEST(HiveContract, NamesIgnoreCaseAndKeepTheCaseTheyWereCreatedWith) {
  auto key = MeraNewRegKey();
  // Full-width letters fold like ASCII ones.
  std::string created = "SOFTWARE\\Olvanet\\" + Cp932("Ｐｒｉｎｔｅｒ") + "\\Form";
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, created));
  ASSERT_TRUE(key->SetNumber("OffsetX", 5));
  ASSERT_TRUE(key->SetNumber("OFFSETX", 7));  // replaces, keeps the first spelling
  EXPECT_EQ(this->ValueNames(created), std::vector<std::string>{"OffsetX"});

  auto other = MeraNewRegKey();
  ASSERT_TRUE(other->OpenKey(HKEY_LOCAL_MACHINE, "software\\OLVANET\\" + Cp932("ＰＲＩＮＴＥＲ") + "\\fORM", 0));
  int32_t n = 0;
  EXPECT_TRUE(other->GetNumber("offsetx", n));
  EXPECT_EQ(n, 7);
  std::vector<std::string> names;
  ASSERT_TRUE(other->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\OLVANET", 0));
  ASSERT_TRUE(other->EnumKeys(names));
  EXPECT_EQ(names, std::vector<std::string>{Cp932("Ｐｒｉｎｔｅｒ")});

  // ヂ (83 61) and ア (83 41) differ only in a trail byte that looks like
  // 'a' and 'A': folding inside the character would merge them.
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K\\\x83\x61"));
  ASSERT_TRUE(key->SetText("\x83\x61", "lower"));
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K\\\x83\x41"));
  ASSERT_TRUE(key->SetText("\x83\x41", "upper"));
  names.clear();
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K", 0));
  ASSERT_TRUE(key->EnumKeys(names));
  EXPECT_EQ(names.size(), 2u);
  std::string text;
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K\\\x83\x61", 0));
  EXPECT_TRUE(key->GetText("\x83\x61", text));
  EXPECT_EQ(text, "lower");
  EXPECT_FALSE(key->GetText("\x83\x41", text));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");
}

TYPED_TEST(HiveContract, AbsenceIsEcr040AndAWrongTypeIsNot) {
  auto key = MeraNewRegKey();
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing", 0));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "NoSuchTop\\Missing", 1));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");

  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Typed"));
  ASSERT_TRUE(key->SetText("Text", "12"));
  ASSERT_TRUE(key->SetNumber("Number", 12));
  int32_t n = 99;
  std::string s = "unchanged";
  EXPECT_FALSE(key->GetNumber("Absent", n));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");
  EXPECT_FALSE(key->GetText("Absent", s));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");
  EXPECT_FALSE(key->GetNumber("Text", n));
  std::string code = MeraLastErrorCode(false);
  EXPECT_NE(code, "ECR040");
  EXPECT_FALSE(code.empty());
  EXPECT_FALSE(key->GetText("Number", s));
  EXPECT_NE(MeraLastErrorCode(false), "ECR040");
  EXPECT_EQ(n, 99);  // a failed read leaves the output alone
  EXPECT_EQ(s, "unchanged");
  // Writing the other type replaces the value.
  ASSERT_TRUE(key->SetNumber("Text", 3));
  auto again = MeraNewRegKey();
  ASSERT_TRUE(again->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Typed", 0));
  EXPECT_TRUE(again->GetNumber("Text", n));
  EXPECT_EQ(n, 3);
}

TYPED_TEST(HiveContract, DeletionRefusesSubkeysAndAcceptsAbsentKeys) {
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer\\Form\\A4"));
  ASSERT_TRUE(key->SetNumber("Width", 2100));

  EXPECT_FALSE(key->DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer", 0));
  EXPECT_NE(MeraLastErrorCode(false), "ECR040");
  EXPECT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer\\Form\\A4", 0));

  // A printer without forms or colours: its absent subkeys delete fine.
  EXPECT_TRUE(key->DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer\\Colors", 0));
  EXPECT_TRUE(key->DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nowhere\\At\\All", 0));

  EXPECT_TRUE(key->DeleteKey(HKEY_LOCAL_MACHINE, "software\\set\\printer\\form\\a4", 0));
  EXPECT_TRUE(key->DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer\\Form", 0));
  EXPECT_TRUE(key->DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer", 0));
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer", 0));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");

  // A key made again under the same name starts without the old values.
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Set\\Printer\\Form\\A4"));
  int32_t n;
  EXPECT_FALSE(key->GetNumber("Width", n));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");
}

TYPED_TEST(HiveContract, CreateKeyMakesAncestorsAndKeepsExistingValues) {
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
  ASSERT_TRUE(key->SetNumber("Kept", 1));
  // Doubled and trailing separators name the same key.
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\\\B\\C\\"));
  ASSERT_TRUE(key->SetNumber("Deep", 2));  // left open by CreateKey
  EXPECT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B", 0));
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "software\\a"));
  int32_t n = 0;
  EXPECT_TRUE(key->GetNumber("Kept", n));
  EXPECT_EQ(n, 1);
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B\\C", 0));
  EXPECT_TRUE(key->GetNumber("Deep", n));
  EXPECT_EQ(n, 2);
}

TYPED_TEST(HiveContract, EnumKeysAppendsDirectSubkeysInCaseInsensitiveOrder) {
  auto key = MeraNewRegKey();
  for (std::string name : {"b", "A", "C", "a1", "Ｂ", "PrinterSet10", "printerset02"}) {
    std::string cp = Cp932(name);
    ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\E\\" + cp + "\\Child"));
  }
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\E", 0));
  std::vector<std::string> names{"already"};
  ASSERT_TRUE(key->EnumKeys(names));
  EXPECT_EQ(names, (std::vector<std::string>{"already", "A", "a1", "b", "C", "printerset02", "PrinterSet10",
                                             Cp932("Ｂ")}));
  names.clear();
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\E\\A\\Child", 0));
  EXPECT_TRUE(key->EnumKeys(names));
  EXPECT_TRUE(names.empty());
}

TYPED_TEST(HiveContract, OddBytesRoundTripUnchanged) {
  auto key = MeraNewRegKey();
  // A printer name ending in ソ (83 5C) becomes the invalid pair 83 2C once
  // its backslashes are replaced; 95 5C (表) carries a 0x5C trail byte that
  // is no separator.
  const std::string comma = "Prn\x83\x2C";
  const std::string trail = "\x95\x5C\x83\x5C";
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + comma));
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + trail + "\\Leaf"));
  std::vector<std::string> names;
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd", 0));
  ASSERT_TRUE(key->EnumKeys(names));
  EXPECT_EQ(names, (std::vector<std::string>{comma, trail}));

  std::string all;
  for (int b = 1; b <= 0xFF; ++b) all += static_cast<char>(b);
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + trail + "\\Leaf", 1));
  ASSERT_TRUE(key->SetText("All", all));
  ASSERT_TRUE(key->SetText("Empty", ""));
  ASSERT_TRUE(key->SetText(trail, "\x83\x5C"));
  ASSERT_TRUE(key->SetNumber("Min", INT32_MIN));
  ASSERT_TRUE(key->SetNumber("Minus", -1));

  auto reader = MeraNewRegKey();
  ASSERT_TRUE(reader->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + trail + "\\Leaf", 0));
  std::string s = "x";
  int32_t n = 0;
  EXPECT_TRUE(reader->GetText("All", s));
  EXPECT_EQ(s, all);
  EXPECT_TRUE(reader->GetText("Empty", s));
  EXPECT_EQ(s, "");
  EXPECT_TRUE(reader->GetText(trail, s));
  EXPECT_EQ(s, "\x83\x5C");
  EXPECT_TRUE(reader->GetNumber("Min", n));
  EXPECT_EQ(n, INT32_MIN);
  EXPECT_TRUE(reader->GetNumber("Minus", n));
  EXPECT_EQ(n, -1);
  EXPECT_TRUE(reader->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + comma, 0));
}

TYPED_TEST(HiveContract, TransactionKeepsAllOrNothing) {
  auto& hive = this->hive;
  registry::RegError err;
  ASSERT_TRUE(hive->CreateKey("SOFTWARE\\T", &err));
  EXPECT_FALSE(hive->Transaction(
      [&](registry::RegError* e) {
        return hive->SetValue("SOFTWARE\\T", "A", registry::RegValue::Number(1), e) &&
               hive->CreateKey("SOFTWARE\\T\\Sub", e) && false;
      },
      &err));
  registry::KeySnapshot snap;
  ASSERT_TRUE(hive->ReadKey("SOFTWARE\\T", false, &snap, &err));
  EXPECT_EQ(snap.Find("A"), nullptr);
  EXPECT_FALSE(hive->ReadKey("SOFTWARE\\T\\Sub", false, &snap, &err));

  EXPECT_TRUE(hive->Transaction(
      [&](registry::RegError* e) {
        registry::KeySnapshot inside;
        return hive->SetValue("SOFTWARE\\T", "A", registry::RegValue::Number(1), e) &&
               hive->CreateKey("SOFTWARE\\T\\Sub", e) &&
               hive->ReadKey("SOFTWARE\\T", true, &inside, e) && inside.Find("a") != nullptr;
      },
      &err))
      << err.message;
  ASSERT_TRUE(hive->ReadKey("SOFTWARE\\T", false, &snap, &err));
  EXPECT_NE(snap.Find("A"), nullptr);

  // DeleteTree removes a whole subtree and accepts an absent one.
  EXPECT_TRUE(hive->DeleteTree("SOFTWARE\\T", &err));
  EXPECT_FALSE(hive->ReadKey("SOFTWARE\\T\\Sub", false, &snap, &err));
  EXPECT_EQ(err.code, "ECR040");
  EXPECT_TRUE(hive->DeleteTree("SOFTWARE\\T", &err));
  EXPECT_TRUE(hive->ReadKey("SOFTWARE", false, &snap, &err));
}

}  // namespace
