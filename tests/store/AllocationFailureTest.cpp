// Out of memory while the store creates its printer and form objects: the
// operation answers 111 and keeps what it had, instead of throwing into the
// host. The test program replaces the global allocator so that the next
// allocation of one chosen size fails on demand.
#include <cstdlib>
#include <new>

#include "store/CQuorPrnRegForm.h"
#include "store/CQuorPrnRegPrinter.h"
#include "tests/store/StoreTestSupport.h"

namespace {
// Zero: nothing armed. Touched only by the test thread.
std::size_t g_failSize = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (size == g_failSize && size != 0) {
    g_failSize = 0;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace storetest;
using AllocationFailure = StoreTest;

TEST_F(AllocationFailure, ObjectsThatCannotBeMadeAnswer111AndLeaveTheStoreAsItWas) {
  Seed(kSet, {{"CurrentPrinter", "Plain"}});
  Seed(kSet + "\\Plain", {{"OffsetX", 4}});
  CQuorPrnSettingStore store;
  g_failSize = sizeof(CQuorPrnRegPrinter);
  EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 111);
  EXPECT_TRUE(store.IsPrinterSetOpen());  // the set stays open with the list it has
  EXPECT_TRUE(store.Printers().empty());

  ASSERT_EQ(store.ClosePrinterSet(), 1);
  ASSERT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 1);
  g_failSize = sizeof(CQuorPrnRegPrinter);
  EXPECT_EQ(store.SetPrinter(Printer("Other"), nullptr), 111);
  EXPECT_EQ(store.Printers().size(), 1u);

  g_failSize = sizeof(CQuorPrnRegPrinter);
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "F1"), 111);
  g_failSize = sizeof(CQuorPrnRegForm);
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "F1"), 111);
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "F1"), 143);  // the form is not stored
  EXPECT_EQ(g_failSize, 0u);
}
