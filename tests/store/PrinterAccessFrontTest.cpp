// The exported create and delete fronts: each runs on a store of its own, so
// a sequence of fronts on one printer-access object behaves like fresh calls.
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "tests/store/StoreTestSupport.h"

using namespace storetest;

namespace {
class PrinterAccessFronts : public StoreTest {};
}  // namespace

TEST_F(PrinterAccessFronts, CreateAndDeleteThroughTheExportedClass) {
  CQuorPrnPrinterAccess access;
  EXPECT_EQ(access.RegCreatePrinterSet("SYS", "JOB", 100), 110);
  EXPECT_EQ(access.RegCreatePrinterSet("SYS", "JOB", 3), 1);
  QUOR_PRN_PRINTER_INFO_TYPE p;
  p.PrinterName = kSessionPrinter;
  p.ScaleX = 970;
  EXPECT_EQ(access.RegCreatePrinter("SYS", "JOB", 3, p, nullptr), 1);
  QUOR_PRN_FORM_INFO_TYPE f;
  f.FormName = "Slip";
  EXPECT_EQ(access.RegCreateForm("SYS", "JOB", 3, kSessionPrinter, f), 1);
  EXPECT_TRUE(hive->HasKey(kSessionKey + "\\Form\\Slip"));
  EXPECT_TRUE(hive->HasValue(kSessionKey, "ScaleX"));

  EXPECT_EQ(access.RegDeleteForm("SYS", "JOB", 3, kSessionPrinter, "Slip"), 1);
  EXPECT_EQ(access.RegDeleteForm("SYS", "JOB", 3, kSessionPrinter, "Slip"), 143);
  EXPECT_EQ(access.RegDeletePrinter("SYS", "JOB", 3, kSessionPrinter), 1);
  EXPECT_EQ(access.RegDeletePrinter("SYS", "JOB", 3, kSessionPrinter), 142);
  EXPECT_EQ(access.RegDeletePrinterSet("SYS", "JOB", 3), 1);
  EXPECT_FALSE(hive->HasKey(kSet));
}
