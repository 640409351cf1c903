#include "core/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::TempDir;

TEST(OutputFile, ReplacesTheTargetOnlyOnCommit) {
  TempDir dir;
  const std::string path = dir.Write("out.txt", "old");
  {
    OutputFile out(path);
    ASSERT_TRUE(out.IsOpen());
    out.Stream() << "partial";
  }  // no commit: the old file stays as it was and no temporary is left
  EXPECT_EQ(TempDir::Read(path), "old");
  EXPECT_EQ(dir.Entries(), 1);
  {
    OutputFile out(path);
    out.Stream() << "new";
    EXPECT_TRUE(out.Commit());
  }
  EXPECT_EQ(TempDir::Read(path), "new");
}

bool Write(const std::string& path, const std::string& text) {
  OutputFile out(path);
  if (!out.IsOpen()) return false;
  out.Stream() << text;
  return out.Commit();
}

TEST(OutputFile, AFifoReceivesTheBytes) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = TempDir::Read(fifo); });
  EXPECT_TRUE(Write(fifo, "a,b\r\n"));
  reader.join();
  EXPECT_EQ(received, "a,b\r\n");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(OutputFile, KeepsLinksAndPermissions) {
  TempDir dir;
  const std::string target = dir.Write("target.xyz", "old");
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  const std::string link = dir.File("link.xyz");
  std::filesystem::create_symlink("target.xyz", link);  // relative, as users make them
  EXPECT_TRUE(Write(link, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TempDir::Read(target), "new");
  const auto permissions = std::filesystem::status(target).permissions();
  EXPECT_EQ(static_cast<unsigned>(permissions) & 0777u, 0640u);
  // A link to a file not yet there makes that file.
  std::filesystem::create_symlink(dir.File("later.xyz"), dir.File("dangling"));
  EXPECT_TRUE(Write(dir.File("dangling"), "made"));
  EXPECT_EQ(TempDir::Read(dir.File("later.xyz")), "made");
}

TEST(InputCopy, ACopyOfAFifoCanBeReadTwiceAndGoesAway) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(ReadsOnce(fifo));
  EXPECT_FALSE(ReadsOnce(dir.Write("plain", "x")));
  std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << "1 2 3\r\n"; });
  std::string error;
  auto copy = InputCopy::Make(fifo, error);
  writer.join();
  ASSERT_TRUE(copy) << error;
  const std::string path = copy->Path();
  EXPECT_EQ(TempDir::Read(path), "1 2 3\r\n");
  EXPECT_EQ(TempDir::Read(path), "1 2 3\r\n");
  copy.reset();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Files, MissingFilesAndFoldersAreNotOpened) {
  TempDir dir;
  EXPECT_FALSE(InputFile(dir.File("missing")).IsOpen());
  EXPECT_FALSE(InputFile(dir.Path().string()).IsOpen());
  EXPECT_FALSE(OutputFile(dir.Path().string()).IsOpen());
  EXPECT_FALSE(OutputFile(dir.File("no/such/folder/x")).IsOpen());
}

TEST(SameFile, SeesThroughRelativeNamesAndLinks) {
  TempDir dir;
  const std::string path = dir.Write("a.bna", "x");
  EXPECT_TRUE(SameFile(path, (dir.Path() / "." / "a.bna").string()));
  std::filesystem::create_symlink(path, dir.File("link.bna"));
  EXPECT_TRUE(SameFile(path, dir.File("link.bna")));
  EXPECT_FALSE(SameFile(path, dir.File("b.bna")));
  EXPECT_TRUE(SameFile(dir.File("new.dat"), dir.File("new.dat")));
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(SameFile(fifo, fifo));  // "- -": standard input to standard output
}

}  // namespace
}  // namespace zolvane
