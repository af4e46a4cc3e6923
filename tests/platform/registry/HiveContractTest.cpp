// The rules every hive must keep, written once and run against the SQLite
// hive, the in-memory hive and the server hive (on a throwaway server), so
// that neither the fake the store's tests use nor the office-wide hive can
// drift from the file the library uses by default. The rules of a hive that
// several processes share run against the file and the server.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>

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
      location = server->Uri();
      where = server->Folder();
    } else if (GetParam() == "Sqlite") {
      location = where = dir.File("hive.db");
    }
    hive = location.empty() ? std::make_shared<registry::MemoryHive>() : registry::Registry::Open(location);
    registry::Registry::UseHive(hive);
    // A hive that failed to open would turn every case below into a
    // comparison of error codes.
    RegError err;
    ASSERT_TRUE(hive->CreateKey("SOFTWARE", &err)) << err.code << " " << err.message;
  }
  void TearDown() override {
    registry::Registry::Reset();
    unsetenv("QUORPRN_REGISTRY");
  }

  std::vector<std::string> SubkeysOf(const std::string& path) {
    auto key = MeraNewRegKey();
    std::vector<std::string> names;
    EXPECT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, path, 0)) << path;
    EXPECT_TRUE(key->EnumKeys(names)) << path;
    return names;
  }
  // A second client of the same hive; one of the server's that asks for
  // other clients' changes at every open.
  std::shared_ptr<registry::RegistryHive> OpenAnother() {
    if (GetParam() == "Postgres") return registry::OpenPgHive(location, {.recheckMs = 0});
    return GetParam() == "Sqlite" ? registry::OpenSqliteHive(location) : hive;
  }

  HiveTestDir dir;
  std::string location;  // empty for the in-memory hive
  std::string where;     // what a message about the hive must name
  std::shared_ptr<registry::RegistryHive> hive;
};

INSTANTIATE_TEST_SUITE_P(Hives, HiveContract, ::testing::Values("Memory", "Sqlite", "Postgres"),
                         [](const auto& info) { return info.param; });

// The hives that several processes share.
class SharedHive : public HiveContract {};
INSTANTIATE_TEST_SUITE_P(Hives, SharedHive, ::testing::Values("Sqlite", "Postgres"),
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

TEST_P(SharedHive, TheEnvironmentNamesTheHiveAndWritesAreThereForTheNextOpener) {
  setenv("QUORPRN_REGISTRY", location.c_str(), 1);
  registry::Registry::Reset();
  EXPECT_EQ(registry::Registry::Current()->Describe(), location);
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Olvanet\\Sarvo")) << registry::GetLastError().message;
  ASSERT_TRUE(key->SetText("CurrentPrinter", "LBP"));
  EXPECT_EQ(HiveValue(*registry::Registry::Open(location), "software\\olvanet\\sarvo", "currentprinter"), "LBP");
}

// Keys are kept between reads; what another client commits, what this one
// writes and what a rolled-back transaction wrote must still show.
TEST_P(SharedHive, RepeatedReadsSeeEveryCommittedChangeAndNoRolledBackOne) {
  auto writer = hive;
  auto reader = OpenAnother();
  RegError err;
  auto number = [](registry::RegistryHive& h) { return HiveValue(h, "SOFTWARE\\K", "N"); };
  auto later = [&] { return HiveValue(*reader, "SOFTWARE\\Later", "N"); };  // "absent" while the key exists
  ASSERT_TRUE(writer->CreateKey("SOFTWARE\\K", &err));
  ASSERT_TRUE(writer->SetValue("SOFTWARE\\K", "N", RegValue::Number(1), &err));
  EXPECT_EQ(number(*reader), "1");
  EXPECT_EQ(later(), registry::kNotFound);

  ASSERT_TRUE(writer->SetValue("SOFTWARE\\K", "N", RegValue::Number(2), &err));
  ASSERT_TRUE(writer->CreateKey("SOFTWARE\\Later", &err));
  EXPECT_EQ(number(*reader), "2");
  EXPECT_EQ(later(), "absent");

  ASSERT_TRUE(reader->SetValue("SOFTWARE\\K", "N", RegValue::Number(3), &err));
  EXPECT_EQ(number(*reader), "3");
  ASSERT_TRUE(writer->DeleteTree("SOFTWARE\\Later", &err));
  EXPECT_EQ(later(), registry::kNotFound);
  ASSERT_TRUE(reader->CreateKey("SOFTWARE\\Later", &err));  // gone, so really created
  EXPECT_EQ(later(), "absent");

  std::string inside;
  EXPECT_FALSE(reader->Transaction(
      [&](RegError* e) {
        if (!reader->SetValue("SOFTWARE\\K", "N", RegValue::Number(4), e)) return false;
        inside = number(*reader);
        return false;
      },
      &err));
  EXPECT_EQ(inside, "4");
  EXPECT_EQ(number(*reader), "3");
  EXPECT_EQ(number(*writer), "3");
}

TEST_P(SharedHive, ALockHeldPastTheTimeoutIsBusyWhileReadersGoOn) {
  // A client that gives up on a lock after a moment; the server's timeout
  // comes with the URI, which the hive must not override.
  auto impatient = [&] {
    return GetParam() == "Sqlite" ? registry::OpenSqliteHive(location, {.busyTimeoutMs = 100})
                                  : registry::OpenPgHive(location + "&options=-c%20statement_timeout%3D300");
  };
  auto waiter = impatient();
  RegError err, waited;
  ASSERT_TRUE(hive->CreateKey("SOFTWARE\\K", &err));
  ASSERT_TRUE(hive->SetValue("SOFTWARE\\K", "N", RegValue::Number(1), &err));
  std::string seen, seenByNew;
  double seconds = 0;
  ASSERT_TRUE(hive->Transaction(
      [&](RegError* e) {
        // A read for writing, as a read-modify-write starts, already holds
        // the key against other writers.
        registry::KeySnapshot snap;
        if (!hive->ReadKey("SOFTWARE\\K", /*forWrite=*/true, &snap, e)) return false;
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(waiter->SetValue("SOFTWARE\\K", "N", RegValue::Number(3), &waited));
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!hive->SetValue("SOFTWARE\\K", "N", RegValue::Number(2), e)) return false;
        seen = HiveValue(*waiter, "SOFTWARE\\K", "N");
        // Nor does opening the hive wait for the lock: a new reader goes on.
        seenByNew = HiveValue(*impatient(), "SOFTWARE\\K", "N");
        return true;
      },
      &err))
      << err.message;
  EXPECT_EQ(waited.code, registry::kBusy);
  EXPECT_NE(waited.message.find(where), std::string::npos) << waited.message;
  if (GetParam() == "Postgres") {
    EXPECT_NE(waited.message.find("statement timeout"), std::string::npos) << waited.message;
  }
  EXPECT_LT(seconds, 5.0);
  EXPECT_EQ(seen, "1");  // the holder's change was not committed yet
  EXPECT_EQ(seenByNew, "1");
  ASSERT_TRUE(waiter->SetValue("SOFTWARE\\K", "N", RegValue::Number(3), &err)) << err.message;
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\K", "N"), "3");
}

TEST_P(SharedHive, FourProcessesIncrementingOneValueLoseNoUpdate) {
  RegError err;
  ASSERT_TRUE(hive->CreateKey("SOFTWARE\\Counter", &err)) << err.message;
  ASSERT_TRUE(hive->SetValue("SOFTWARE\\Counter", "N", RegValue::Number(0), &err));
  registry::Registry::Reset();
  hive.reset();  // no connection crosses the fork
  std::vector<pid_t> children;
  for (int c = 0; c < 4; ++c) {
    children.push_back(InFork([&] {
      registry::Registry::UseFile(location);
      for (int i = 0; i < 250; ++i) {
        // A read-modify-write is one transaction, or two processes could
        // read the same number and both write it plus one.
        bool ok = registry::Registry::Current()->Transaction(
            [](RegError*) {
              auto key = MeraNewRegKey();
              int32_t n = 0;
              return key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Counter", 1) && key->GetNumber("N", n) &&
                     key->SetNumber("N", n + 1);
            },
            nullptr);
        if (!ok) {
          std::fprintf(stderr, "child %d: %s\n", c, registry::GetLastError().message.c_str());
          return 10 + c;
        }
      }
      return 0;
    }));
  }
  for (pid_t pid : children) EXPECT_EQ(StatusOf(pid), 0);
  EXPECT_EQ(HiveValue(*OpenAnother(), "SOFTWARE\\Counter", "N"), "1000");
}

}  // namespace
