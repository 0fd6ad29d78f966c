#include "mowik/platform/file_store.h"
#include "mowik/platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#else
#include <sys/stat.h>
#endif

#include "testing/closed_folder.h"
#include "testing/temp_folder.h"

namespace mowik {
namespace {

TEST(FileStore, ReadsWholeFilesWithinTheLimit) {
  TempFolder folder;
  const std::wstring path = folder.File(L"plik-żółw.bin");  // a Polish name reaches the disk intact
  WriteBytes(path, {1, 2, 3, 4});
  std::vector<uint8_t> bytes = {9};
  EXPECT_EQ(ReadWholeFile(path, 4, bytes), FileRead::kRead);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(ReadWholeFile(path, 3, bytes), FileRead::kUnreadable);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadWholeFile(folder.File(L"none"), 100, bytes), FileRead::kMissing);
  EXPECT_EQ(ReadWholeFile(folder.Path(), 100, bytes), FileRead::kUnreadable);
  EXPECT_TRUE(PathExists(path));
  EXPECT_TRUE(PathExists(folder.Path()));
  EXPECT_FALSE(PathExists(folder.File(L"none")));
}

TEST(FileStore, FilesInUseOrNotRegularAreUnreadableNotFatal) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  std::vector<uint8_t> bytes;
#ifdef _WIN32
  WriteBytes(path, {1});
  int locked = -1;  // another program holds the file without sharing it
  ASSERT_EQ(_wsopen_s(&locked, path.c_str(), _O_RDONLY, _SH_DENYRW, 0), 0);
  EXPECT_EQ(ReadWholeFile(path, 100, bytes), FileRead::kUnreadable);
  _close(locked);
#else
  ASSERT_EQ(mkfifo(NarrowPath(path).c_str(), 0600), 0);  // reading must not wait for a writer
  EXPECT_EQ(ReadWholeFile(path, 100, bytes), FileRead::kUnreadable);
#endif
}

TEST(FileStore, ReplacementHappensOnlyAtTheCommit) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  WriteBytes(path, {1, 1, 1});
  ASSERT_TRUE(WriteTemporaryFile(path, std::vector<uint8_t>{2, 2}));
  // Killed here: the old file is whole, the new bytes wait beside it.
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{1, 1, 1}));
  EXPECT_EQ(FileBytes(TemporaryPathFor(path)), (std::vector<uint8_t>{2, 2}));
  ASSERT_TRUE(CommitTemporaryFile(path));
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{2, 2}));
  EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

TEST(FileStore, LeftoverTemporaryFileIsReplacedNextTime) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  WriteBytes(TemporaryPathFor(path), std::vector<uint8_t>(1000, 7));  // half-written by a crash
  ASSERT_TRUE(ReplaceFileContents(path, std::vector<uint8_t>{5}));
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{5}));
  EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

TEST(FileStore, FailedReplacementKeepsTheOldFile) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  WriteBytes(path, {1, 1, 1});
  // The temporary file cannot be created where a folder stands.
  std::filesystem::create_directories(FsPath(TemporaryPathFor(path)) / L"x");
  EXPECT_FALSE(ReplaceFileContents(path, std::vector<uint8_t>{2}));
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{1, 1, 1}));

  // Nor can a file replace a folder; the temporary file does not stay behind.
  std::filesystem::create_directories(FsPath(folder.File(L"d")) / L"x");
  EXPECT_FALSE(ReplaceFileContents(folder.File(L"d"), std::vector<uint8_t>{2}));
  EXPECT_TRUE(Exists(folder.File(L"d") + L"/x"));
  EXPECT_FALSE(Exists(TemporaryPathFor(folder.File(L"d"))));
}

TEST(FileStore, HardLinkAtTheTemporaryPathIsReplacedNotWrittenThrough) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  const std::wstring other = folder.File(L"other.txt");
  WriteBytes(other, {9, 9, 9});
  std::filesystem::create_hard_link(FsPath(other), FsPath(TemporaryPathFor(path)));
  ASSERT_TRUE(ReplaceFileContents(path, std::vector<uint8_t>{5}));
  EXPECT_EQ(FileBytes(other), (std::vector<uint8_t>{9, 9, 9}));
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{5}));
}

#ifndef _WIN32
TEST(FileStore, LinkAtTheTemporaryPathIsReplacedNotWrittenThrough) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  const std::wstring victim = folder.File(L"other.txt");
  WriteBytes(victim, {9, 9, 9});
  std::filesystem::create_symlink(FsPath(victim), FsPath(TemporaryPathFor(path)));
  ASSERT_TRUE(ReplaceFileContents(path, std::vector<uint8_t>{5}));
  EXPECT_EQ(FileBytes(victim), (std::vector<uint8_t>{9, 9, 9}));
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{5}));
  EXPECT_FALSE(std::filesystem::is_symlink(FsPath(path)));
}

TEST(FileStore, AFolderThatTakesNoNewFileHasItsFileRewrittenInPlace) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  WriteBytes(path, {1, 1, 1, 1});
  EXPECT_FALSE(FolderRefusesNewFiles(path)) << "an open folder";
  ClosedFolder closed(NarrowPath(folder.Path()));
  if (!closed.Available()) GTEST_SKIP() << "no way here to close a folder to new files";
  EXPECT_TRUE(FolderRefusesNewFiles(path));
  EXPECT_FALSE(FolderRefusesNewFiles(folder.File(L"none.conf"))) << "only an existing file is rewritten";
  ASSERT_TRUE(ReplaceFileContents(path, std::vector<uint8_t>{2, 2}));
  EXPECT_EQ(FileBytes(path), (std::vector<uint8_t>{2, 2}));
  ASSERT_TRUE(ReplaceFileContents(path, std::vector<uint8_t>(5000, 3)));
  EXPECT_EQ(FileBytes(path), std::vector<uint8_t>(5000, 3));
  EXPECT_FALSE(Exists(TemporaryPathFor(path)));
  EXPECT_FALSE(ReplaceFileContents(folder.File(L"none.conf"), std::vector<uint8_t>{1}));
  EXPECT_FALSE(Exists(folder.File(L"none.conf")));
}

TEST(FileStore, RewritingInPlaceTouchesOnlyAnExistingRegularFile) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  EXPECT_FALSE(RewriteFileInPlace(path, std::vector<uint8_t>{1}));
  EXPECT_FALSE(Exists(path));
  const std::wstring victim = folder.File(L"other.txt");
  WriteBytes(victim, {9, 9, 9});
  std::filesystem::create_symlink(FsPath(victim), FsPath(path));
  EXPECT_FALSE(RewriteFileInPlace(path, std::vector<uint8_t>{1})) << "never through a link";
  EXPECT_EQ(FileBytes(victim), (std::vector<uint8_t>{9, 9, 9}));
  EXPECT_FALSE(RewriteFileInPlace(folder.Path(), std::vector<uint8_t>{1}));
  ASSERT_TRUE(RewriteFileInPlace(victim, std::vector<uint8_t>{}));
  EXPECT_TRUE(FileBytes(victim).empty());
}

TEST(FileStore, ReplacedFileKeepsItsPermissions) {
  TempFolder folder;
  const std::wstring path = folder.File(L"s.conf");
  WriteBytes(path, {1});
  ASSERT_EQ(chmod(NarrowPath(path).c_str(), 0600), 0);
  ASSERT_TRUE(ReplaceFileContents(path, std::vector<uint8_t>{2}));
  struct stat st {};
  ASSERT_EQ(stat(NarrowPath(path).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}
#endif

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
  const std::wstring folder = ExecutableFolder().Path();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), kPathSeparator);
#ifdef _WIN32
  EXPECT_TRUE(Exists(FileInFolder(folder, L"platform_test.exe")));
#else
  EXPECT_TRUE(Exists(FileInFolder(folder, L"platform_test")));
#endif
  EXPECT_EQ(FileInFolder(L"C:\\", L"a.conf"), L"C:\\a.conf") << "a root keeps its one separator";
  EXPECT_EQ(FileInFolder(L"", L"a.conf"), L"a.conf");
}

}  // namespace
}  // namespace mowik
