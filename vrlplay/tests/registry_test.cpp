// The voice database list in the (Wine) registry, through the exports.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "testing/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace mowik::test {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearDatabaseList(); }
  void TearDown() override {
    ClearDatabaseList();
    VRL_VRLUnload();
  }
  static void Register(const char* id, const char* path = "p", const char* label = "l", int makeDefault = 0) {
    ASSERT_EQ(VRL_RegisterDatabase(id, path, label, makeDefault, nullptr, 0), 1) << id;
  }
  static std::string Default() {
    char buf[64] = {};
    return VRL_RegGetDefaultDatabase(buf, sizeof buf) == 0 ? buf : "(none)";
  }
  static std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    char buf[256];
    for (int i = 0; VRL_RegIdxGetDatabaseId(i, buf, sizeof buf) == 0; ++i) ids.push_back(buf);
    return ids;
  }
};

TEST_F(RegistryTest, RegisteringATakenIdAppendsOnesCaseBlind) {
  Register("pl1");
  Register("pl11");
  char buf[32];
  EXPECT_EQ(VRL_RegisterDatabase("PL1", "C:\\v\\pl1", "Polski", 0, buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "PL111");
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 3);

  const std::string longest(31, 'x');
  Register(longest.c_str());
  EXPECT_EQ(VRL_RegisterDatabase(longest.c_str(), "p", "l", 0, buf, sizeof buf), 0);
  EXPECT_EQ(VRL_RegisterDatabase(std::string(32, 'y').c_str(), "p", "l", 0, nullptr, 0), 0);
  // Names that would write into the list's own key or below another id are refused.
  EXPECT_EQ(VRL_RegisterDatabase("", "p", "l", 1, nullptr, 0), 0);
  EXPECT_EQ(VRL_RegisterDatabase("pl1\\x", "p", "l", 0, nullptr, 0), 0);
  EXPECT_EQ(VRL_RegisterDatabase(nullptr, "p", "l", 0, nullptr, 0), 0);
  EXPECT_EQ(VRL_RegisterDatabase("q", nullptr, "l", 0, nullptr, 0), 0);
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 4);
  EXPECT_EQ(Default(), "(none)");
}

TEST_F(RegistryTest, APathTooLongToReadBackIsRefusedAtRegistration) {
  const std::string longest(259, 'p');
  EXPECT_EQ(VRL_RegisterDatabase("fits", longest.c_str(), "l", 0, nullptr, 0), 1);
  char buf[400] = {};
  EXPECT_EQ(VRL_RegGetDatabasePath("fits", buf, sizeof buf), 0);
  EXPECT_EQ(buf, longest);
  for (size_t length : {260u, 261u, 1000u}) {
    EXPECT_EQ(VRL_RegisterDatabase("long", std::string(length, 'p').c_str(), "l", 1, nullptr, 0), 0) << length;
  }
  EXPECT_EQ(VRL_DatabaseExist("long"), 0);
  EXPECT_EQ(Ids(), (std::vector<std::string>{"fits"}));
  EXPECT_EQ(Default(), "(none)");
}

TEST_F(RegistryTest, PathsLabelsAndTheDefaultReadBack) {
  char buf[300];
  EXPECT_EQ(VRL_RegisterDatabase("pl1", "C:\\voices\\pl1", "Polski meski", 1, buf, 2), 1);
  EXPECT_STREQ(buf, "p");  // cut to the buffer
  EXPECT_EQ(VRL_RegGetDatabasePath("pl1", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "C:\\voices\\pl1");
  EXPECT_EQ(VRL_RegGetDatabaseLabel("PL1", buf, sizeof buf), 0);  // the registry ignores case
  EXPECT_STREQ(buf, "Polski meski");
  EXPECT_EQ(Default(), "pl1");
  EXPECT_EQ(VRL_RegIdxGetDefaultDatabase(), 0);
  EXPECT_EQ(VRL_RegIdxGetDatabasePath(0, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "C:\\voices\\pl1");
  EXPECT_EQ(VRL_RegIdxGetDatabaseLabel(0, buf, sizeof buf), 0);

  EXPECT_EQ(VRL_RegGetDatabasePath("nothere", buf, sizeof buf), 2);
  EXPECT_EQ(VRL_RegGetDatabaseLabel(nullptr, buf, sizeof buf), 2);
  EXPECT_EQ(VRL_RegGetDatabasePath("pl1", nullptr, 10), 2);
  EXPECT_EQ(VRL_RegIdxGetDatabaseId(5, buf, sizeof buf), 2);
  EXPECT_EQ(VRL_RegIdxGetDatabaseId(-1, buf, sizeof buf), 2);
  EXPECT_EQ(VRL_RegIdxGetDatabasePath(5, buf, sizeof buf), 2);

  // A label of 64 bytes or more counts as read and gives its first 63 characters.
  const std::string longLabel(100, 'L');
  Register("long", "p", longLabel.c_str());
  EXPECT_EQ(VRL_RegGetDatabaseLabel("long", buf, sizeof buf), 0);
  EXPECT_EQ(std::string(buf), longLabel.substr(0, 63));
}

TEST_F(RegistryTest, ExistenceCountsCaseButIndexLookupDoesNot) {
  Register("pl1");
  Register("en2");
  EXPECT_EQ(VRL_DatabaseExist("pl1"), 1);
  EXPECT_EQ(VRL_DatabaseExist("PL1"), 0);
  EXPECT_EQ(VRL_DatabaseExist(nullptr), 0);
  const int index = VRL_RegIdxGetDatabaseIndex("PL1");
  ASSERT_GE(index, 0);
  char buf[32];
  EXPECT_EQ(VRL_RegIdxGetDatabaseId(index, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "pl1");
  EXPECT_EQ(VRL_RegIdxGetDatabaseIndex("nothere"), -1);
  EXPECT_EQ(VRL_RegIdxGetDatabaseIndex(nullptr), -1);
  EXPECT_EQ(VRL_RegIdxGetDefaultDatabase(), -1);
  EXPECT_EQ(VRL_RegSetDefaultDatabase("unregistered"), 1);  // written without a check
  EXPECT_EQ(VRL_RegIdxGetDefaultDatabase(), -1);
  EXPECT_EQ(VRL_RegSetDefaultDatabase("EN2"), 1);
  EXPECT_EQ(VRL_RegIdxGetDefaultDatabase(), VRL_RegIdxGetDatabaseIndex("en2"));
}

TEST_F(RegistryTest, EnumerationFillsWhatFitsAndEndsWithTwoNuls) {
  char buf[64];
  EXPECT_EQ(VRL_RegEnumDatabase(buf, sizeof buf), 1);
  EXPECT_EQ(buf[0], '\0');
  Register("aa");
  Register("bbb");
  const std::vector<std::string> ids = Ids();
  ASSERT_EQ(ids.size(), 2u);

  std::fill(std::begin(buf), std::end(buf), 'x');
  EXPECT_EQ(VRL_RegEnumDatabase(buf, sizeof buf), 1);
  EXPECT_EQ(std::string(buf, ids[0].size() + ids[1].size() + 3), ids[0] + '\0' + ids[1] + '\0' + '\0');

  // Room for the first id only: that id, then two NULs, and not a byte more.
  const int fitsOne = static_cast<int>(ids[0].size()) + 2;
  std::fill(std::begin(buf), std::end(buf), 'x');
  EXPECT_EQ(VRL_RegEnumDatabase(buf, fitsOne), 1);
  EXPECT_EQ(std::string(buf, fitsOne), ids[0] + '\0' + '\0');
  EXPECT_EQ(buf[fitsOne], 'x');

  std::fill(std::begin(buf), std::end(buf), 'x');
  EXPECT_EQ(VRL_RegEnumDatabase(buf, 1), 1);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(buf[1], 'x');
  EXPECT_EQ(VRL_RegEnumDatabase(nullptr, 10), 0);
  EXPECT_EQ(VRL_RegEnumDatabase(buf, 0), 0);
}

std::vector<std::string>* g_enumerated = nullptr;
int VRL_API CollectIds(const char* id, VRL_PARAM user) {
  g_enumerated->push_back(id);
  return static_cast<int>(g_enumerated->size()) < static_cast<int>(user);
}
int VRL_API UnregisterEach(const char* id, VRL_PARAM) {
  VRL_UnregisterDatabase(id);  // the registry may be used from inside its own enumeration
  return 1;
}

TEST_F(RegistryTest, CallbackEnumerationStopsAtAZeroReply) {
  std::vector<std::string> seen;
  g_enumerated = &seen;
  EXPECT_EQ(VRL_RegEnumDatabaseCallback(CollectIds, 10), 0);
  Register("a");
  Register("b");
  Register("c");
  EXPECT_EQ(VRL_RegEnumDatabaseCallback(CollectIds, 10), 3);
  EXPECT_EQ(seen, Ids());
  seen.clear();
  EXPECT_EQ(VRL_RegEnumDatabaseCallback(CollectIds, 2), 2);
  EXPECT_EQ(VRL_RegEnumDatabaseCallback(nullptr, 0), 0);
  EXPECT_GE(VRL_RegEnumDatabaseCallback(UnregisterEach, 0), 1);
}

TEST_F(RegistryTest, UnregisteringTheDefaultMovesItToTheFirstOneLeft) {
  Register("one", "p", "l", 1);
  Register("two");
  Register("three");
  EXPECT_EQ(VRL_UnregisterDatabase("two"), 0);  // gone, but not the default
  EXPECT_EQ(VRL_DatabaseExist("two"), 0);
  EXPECT_EQ(VRL_UnregisterDatabase("ONE"), 1);
  EXPECT_EQ(Default(), Ids().at(0));
  EXPECT_EQ(VRL_UnregisterDatabase("nothere"), 0);
  EXPECT_EQ(VRL_UnregisterDatabase(nullptr), 0);
  EXPECT_EQ(VRL_UnregisterDatabase(""), 0);
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 1);
  // The last one leaves the default naming it.
  EXPECT_EQ(VRL_UnregisterDatabase("three"), 0);
  EXPECT_EQ(Default(), "three");
}

TEST_F(RegistryTest, UnregisterAllEndsEvenWhenASubkeyCannotBeDeleted) {
  EXPECT_EQ(VRL_UnregisterAll(), 0);
  Register("a");
  Register("b");
  EXPECT_EQ(VRL_UnregisterAll(), 1);
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 0);

  // A subkey with a subkey of its own cannot be deleted by a plain delete.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\tarvi\\varelo\\databases\\stuck\\inner", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            0);
  RegCloseKey(key);
  EXPECT_EQ(VRL_UnregisterAll(), 1);
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 1);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\tarvi\\varelo\\databases\\stuck\\inner");
  EXPECT_EQ(VRL_UnregisterAll(), 1);
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 0);

  // A name too long to read as an id is still one there was to delete.
  const std::string longName = "software\\tarvi\\varelo\\databases\\" + std::string(40, 'z');
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, longName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            0);
  RegCloseKey(key);
  EXPECT_EQ(VRL_UnregisterAll(), 1);
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 1);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, longName.c_str());
}

// A thread start routine has the WINAPI convention, which a lambda lacks in 32-bit builds.
DWORD WINAPI RegisterReadAndUnregister(void*) {
  for (int i = 0; i < 50; ++i) {
    char id[32];
    if (VRL_RegisterDatabase("same", "p", "label", 0, id, sizeof id) == 1) {
      char label[64];
      if (VRL_RegGetDatabaseLabel(id, label, sizeof label) != 0 || std::string(label) != "label") return 1;
      VRL_UnregisterDatabase(id);
    }
  }
  return 0;
}

TEST_F(RegistryTest, RegistryCallsFromManyThreadsStayConsistent) {
  std::vector<HANDLE> threads;
  for (int t = 0; t < 4; ++t) {
    threads.push_back(CreateThread(nullptr, 0, RegisterReadAndUnregister, nullptr, 0, nullptr));
  }
  for (HANDLE thread : threads) {
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(thread);
  }
  EXPECT_EQ(VRL_RegGetDatabaseCount(), 0);
}

}  // namespace
}  // namespace mowik::test
