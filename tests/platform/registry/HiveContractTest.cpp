// The rules every hive must keep, written once and run against the SQLite
// hive, the in-memory hive and the server hive (on a throwaway server), so
// that neither the fake the store's tests use nor the office-wide hive can
// drift from the file the library uses by default.
#include <gtest/gtest.h>

#include <climits>

#include "HiveTestSupport.h"
#include "PgSandbox.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/MemoryHive.h"
#include "platform/registry/PgHive.h"
#include "platform/registry/Registry.h"
#include "platform/registry/SqliteHive.h"

using mbcs::Cp932;
using registry::RegError;
using registry::RegValue;

namespace {

class HiveContract : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam() == "Postgres") {
      std::string cause;
      PgSandbox* server = SharedPgSandbox(&cause);
      ASSERT_NE(server, nullptr) << cause;
      // Every case starts on an empty hive.
      ASSERT_TRUE(server->Sql("DROP SCHEMA IF EXISTS quorprn CASCADE", &cause)) << cause;
      RegError err;
      ASSERT_TRUE(registry::InitPgHive(server->Uri(), &err)) << err.message;
      hive = registry::OpenPgHive(server->Uri());
    } else {
      hive = GetParam() == "Memory" ? std::make_shared<registry::MemoryHive>()
                                    : registry::OpenSqliteHive(dir.File("hive.db"));
    }
    registry::Registry::UseHive(hive);
    // A hive that failed to open would turn every case below into a
    // comparison of error codes.
    RegError err;
    ASSERT_TRUE(hive->CreateKey("SOFTWARE", &err)) << err.code << " " << err.message;
  }
  void TearDown() override { registry::Registry::Reset(); }

  std::vector<std::string> SubkeysOf(const std::string& path) {
    auto key = MeraNewRegKey();
    std::vector<std::string> names;
    EXPECT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, path, 0)) << path;
    EXPECT_TRUE(key->EnumKeys(names)) << path;
    return names;
  }

  HiveTestDir dir;
  std::shared_ptr<registry::RegistryHive> hive;
};

INSTANTIATE_TEST_SUITE_P(Hives, HiveContract, ::testing::Values("Memory", "Sqlite", "Postgres"),
                         [](const auto& info) { return info.param; });

TEST_P(HiveContract, NamesIgnoreCaseAndKeepTheCaseTheyWereCreatedWith) {
  auto key = MeraNewRegKey();
  // Full-width letters fold like ASCII ones.
  std::string created = "SOFTWARE\\Olvanet\\" + Cp932("Ｐｒｉｎｔｅｒ") + "\\Form";
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, created));
  ASSERT_TRUE(key->SetNumber("OffsetX", 5));
  ASSERT_TRUE(key->SetNumber("OFFSETX", 7));  // replaces, keeps the first spelling
  registry::KeySnapshot snap;
  RegError err;
  ASSERT_TRUE(hive->ReadKey(created, false, &snap, &err)) << err.message;
  ASSERT_EQ(snap.Values().size(), 1u);
  EXPECT_EQ(snap.Values()[0].name, "OffsetX");

  auto other = MeraNewRegKey();
  ASSERT_TRUE(other->OpenKey(HKEY_LOCAL_MACHINE, "software\\OLVANET\\" + Cp932("ＰＲＩＮＴＥＲ") + "\\fORM", 0));
  EXPECT_EQ(NumberOf(*other, "offsetx"), "7");
  EXPECT_EQ(SubkeysOf("SOFTWARE\\OLVANET"), std::vector<std::string>{Cp932("Ｐｒｉｎｔｅｒ")});

  // ヂ (83 61) and ア (83 41) differ only in a trail byte that looks like
  // 'a' and 'A': folding inside the character would merge them.
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K\\\x83\x61"));
  ASSERT_TRUE(key->SetText("\x83\x61", "lower"));
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K\\\x83\x41"));
  ASSERT_TRUE(key->SetText("\x83\x41", "upper"));
  EXPECT_EQ(SubkeysOf("SOFTWARE\\K").size(), 2u);
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K\\\x83\x61", 0));
  EXPECT_EQ(TextOf(*key, "\x83\x61"), "lower");
  EXPECT_EQ(TextOf(*key, "\x83\x41"), "ECR040");
}

TEST_P(HiveContract, AbsenceIsEcr040AndAWrongTypeIsNot) {
  auto key = MeraNewRegKey();
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing", 0));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "NoSuchTop\\Missing", 1));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR040");

  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Typed"));
  ASSERT_TRUE(key->SetText("Text", "12"));
  ASSERT_TRUE(key->SetNumber("Number", 12));
  EXPECT_EQ(NumberOf(*key, "Absent"), "ECR040");
  EXPECT_EQ(TextOf(*key, "Absent"), "ECR040");
  int32_t n = 99;
  std::string s = "unchanged";
  EXPECT_FALSE(key->GetNumber("Text", n));
  std::string code = MeraLastErrorCode(false);
  EXPECT_NE(code, "ECR040");
  EXPECT_FALSE(code.empty());
  EXPECT_FALSE(key->GetText("Number", s));
  EXPECT_NE(MeraLastErrorCode(false), "ECR040");
  EXPECT_EQ(registry::GetLastError().message, "value is not a text: SOFTWARE\\Typed\\Number");
  // A value failure's message is made late, from the key and name of that
  // failure, not of an earlier one or of a key opened since.
  EXPECT_EQ(NumberOf(*key, "Absent"), "ECR040");
  ASSERT_TRUE(MeraNewRegKey()->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other"));
  EXPECT_EQ(registry::GetLastError().message, "value does not exist: SOFTWARE\\Typed\\Absent");
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing", 0));
  EXPECT_NE(registry::GetLastError().message.find("Missing"), std::string::npos);
  EXPECT_EQ(n, 99);  // a failed read leaves the output alone
  EXPECT_EQ(s, "unchanged");
  // Writing the other type replaces the value.
  ASSERT_TRUE(key->SetNumber("Text", 3));
  auto again = MeraNewRegKey();
  ASSERT_TRUE(again->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Typed", 0));
  EXPECT_EQ(NumberOf(*again, "Text"), "3");
}

TEST_P(HiveContract, DeletionRefusesSubkeysAndAcceptsAbsentKeys) {
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
  EXPECT_EQ(NumberOf(*key, "Width"), "ECR040");
}

TEST_P(HiveContract, CreateKeyMakesAncestorsAndKeepsExistingValues) {
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
  ASSERT_TRUE(key->SetNumber("Kept", 1));
  // Doubled and trailing separators name the same key.
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\\\B\\C\\"));
  ASSERT_TRUE(key->SetNumber("Deep", 2));  // left open by CreateKey
  EXPECT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B", 0));
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "software\\a"));
  EXPECT_EQ(NumberOf(*key, "Kept"), "1");
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B\\C", 0));
  EXPECT_EQ(NumberOf(*key, "Deep"), "2");
}

TEST_P(HiveContract, EnumKeysAppendsDirectSubkeysInCaseInsensitiveOrder) {
  auto key = MeraNewRegKey();
  for (std::string name : {"b", "A", "C", "a1", "Ｂ", "PrinterSet10", "printerset02"}) {
    ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\E\\" + Cp932(name) + "\\Child"));
  }
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\E", 0));
  std::vector<std::string> names{"already"};
  ASSERT_TRUE(key->EnumKeys(names));
  EXPECT_EQ(names,
            (std::vector<std::string>{"already", "A", "a1", "b", "C", "printerset02", "PrinterSet10", Cp932("Ｂ")}));
  EXPECT_TRUE(SubkeysOf("SOFTWARE\\E\\A\\Child").empty());
}

TEST_P(HiveContract, OddBytesRoundTripUnchanged) {
  auto key = MeraNewRegKey();
  // A printer name ending in ソ (83 5C) becomes the invalid pair 83 2C once
  // its backslashes are replaced; 95 5C (表) carries a 0x5C trail byte that
  // is no separator.
  const std::string comma = "Prn\x83\x2C";
  const std::string trail = "\x95\x5C\x83\x5C";
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + comma));
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + trail + "\\Leaf"));
  EXPECT_EQ(SubkeysOf("SOFTWARE\\Odd"), (std::vector<std::string>{comma, trail}));

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
  EXPECT_EQ(TextOf(*reader, "All"), all);
  EXPECT_EQ(TextOf(*reader, "Empty"), "");
  EXPECT_EQ(TextOf(*reader, trail), "\x83\x5C");
  EXPECT_EQ(NumberOf(*reader, "Min"), std::to_string(INT32_MIN));
  EXPECT_EQ(NumberOf(*reader, "Minus"), "-1");
  EXPECT_TRUE(reader->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Odd\\" + comma, 0));
}

TEST_P(HiveContract, TransactionKeepsAllOrNothing) {
  RegError err;
  ASSERT_TRUE(hive->CreateKey("SOFTWARE\\T", &err));
  auto body = [&](bool keep) {
    return [&, keep](RegError* e) {
      registry::KeySnapshot inside;
      return hive->SetValue("SOFTWARE\\T", "A", RegValue::Number(1), e) && hive->CreateKey("SOFTWARE\\T\\Sub", e) &&
             hive->ReadKey("SOFTWARE\\T", true, &inside, e) && inside.Find("a") != nullptr && keep;
    };
  };
  EXPECT_FALSE(hive->Transaction(body(false), &err));
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\T", "A"), "absent");
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\T\\Sub", "A"), "ECR040");

  EXPECT_TRUE(hive->Transaction(body(true), &err)) << err.message;
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\T", "A"), "1");

  // DeleteTree removes a whole subtree and accepts an absent one.
  EXPECT_TRUE(hive->DeleteTree("SOFTWARE\\T", &err));
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\T\\Sub", "A"), "ECR040");
  EXPECT_TRUE(hive->DeleteTree("SOFTWARE\\T", &err));
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE", "A"), "absent");
}

}  // namespace
