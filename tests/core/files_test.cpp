#include "core/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// A device node of the machine's own kind, made privately; empty when not allowed to.
std::string MakeDevice(const TempDir& dir, const std::string& name, unsigned minor) {
  const std::string path = dir.File(name);
  if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) return {};
  return path;
}

TEST(OutputFile, WritesDevicesInPlaceAndReportsTheirWriteErrors) {
  TempDir dir;
  const std::string null = MakeDevice(dir, "null", 3), full = MakeDevice(dir, "full", 7);
  if (null.empty() || full.empty()) GTEST_SKIP() << "device nodes need root";
  EXPECT_TRUE(Write(null, "text"));
  EXPECT_FALSE(Write(full, std::string(1 << 16, 'x')));  // no space left on the device
  for (const std::string& path : {null, full}) {
    struct stat node {};
    ASSERT_EQ(stat(path.c_str(), &node), 0);
    EXPECT_TRUE(S_ISCHR(node.st_mode)) << path;
  }
  EXPECT_EQ(dir.Entries(), 2);
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
