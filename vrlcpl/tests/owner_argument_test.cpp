#include "vrlcpl/owner_argument.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(OwnerFromCommandLine, TheNumberAloneOrAsTheLastWord) {
  EXPECT_EQ(OwnerFromCommandLine(L"66342"), 66342u);
  EXPECT_EQ(OwnerFromCommandLine(L"  66342 "), 66342u);
  EXPECT_EQ(OwnerFromCommandLine(L"\"C:\\Windows\\system32\\VrlCpl.exe\" 1234"), 1234u);
  EXPECT_EQ(OwnerFromCommandLine(L"VrlCpl.exe\t77"), 77u);
}

TEST(OwnerFromCommandLine, NoNumberMeansNoOwner) {
  EXPECT_EQ(OwnerFromCommandLine(L""), 0u);
  EXPECT_EQ(OwnerFromCommandLine(L"   "), 0u);
  EXPECT_EQ(OwnerFromCommandLine(L"VrlCpl.exe"), 0u);
  EXPECT_EQ(OwnerFromCommandLine(L"VrlCpl2"), 0u);
  EXPECT_EQ(OwnerFromCommandLine(L"\"C:\\x\\VrlCpl3\""), 0u);
  EXPECT_EQ(OwnerFromCommandLine(L"99999999999999999999999999"), 0u);
}

}  // namespace
}  // namespace mowik
