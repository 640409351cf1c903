#include "core/files.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  {
    OutputFile out(path);
    out.Stream() << "new";
    EXPECT_TRUE(out.Commit());
  }
  EXPECT_EQ(TempDir::Read(path), "new");
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
}

}  // namespace
}  // namespace zolvane
