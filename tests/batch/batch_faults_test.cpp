// Files the batch could not really read or copy stay where they are, and the
// summary says how many.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "batch/batch_run.h"
#include "tests/batch/batch_fixture.h"

namespace {

namespace fs = std::filesystem;

class BatchFaultsTest : public DeletingBatchFixture {};

// Writes beyond `bytes` fail (EFBIG) while it lives: a disk that fills up.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previous_handler_ = signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, previous_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  sighandler_t previous_handler_;
};

TEST_F(BatchFaultsTest, FilesThatCannotBeReadAreLeftAloneAndReported) {
  const fs::path pipe = folder / "pipe.txt";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  fs::create_directories(folder / "folder.txt");
  // Bytes that are no text in any encoding, and a page in a charset nobody knows.
  std::mt19937 random(7);
  std::string random_bytes;
  for (int i = 0; i < 4096; ++i) random_bytes.push_back(static_cast<char>(random() & 0xFF));
  const fs::path garbled = write_file("garbled.txt", random_bytes);
  const std::string page = "<html><head><meta charset=x-no-such-set></head>text</html>";
  const fs::path unknown = write_file("unknown.htm", page);
  const fs::path good = write_file("good.txt", "good");

  batch.run_batch({pipe, folder / "folder.txt", garbled, unknown, good});

  EXPECT_EQ(queries, std::vector<std::string>{"good"});
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_TRUE(fs::is_directory(folder / "folder.txt"));
  EXPECT_EQ(read_file_bytes(garbled), random_bytes);
  EXPECT_EQ(read_file_bytes(unknown), page);
  EXPECT_FALSE(fs::exists(good));
  EXPECT_EQ(names_in(output_folder()), std::set<std::string>{"good.txt"});
  EXPECT_EQ(summary(),
            "完成！总耗时 0 毫秒！已检测 1 篇，平均耗时 0 毫秒！原创 1 篇，原创比率 100 %，无法读取 4 篇");
}

TEST_F(BatchFaultsTest, AFileThatVanishedBeforeItsTurnIsReportedAndTheBatchGoesOn) {
  const fs::path first = write_file("1.txt", "1");
  const fs::path vanishing = write_file("2.txt", "2");
  const fs::path third = write_file("3.txt", "3");
  on_query = [&] { fs::remove(vanishing); };

  batch.run_batch({first, vanishing, third});

  EXPECT_EQ(queries, (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(names_in(output_folder()), (std::set<std::string>{"1.txt", "3.txt"}));
  EXPECT_EQ(batch.counts().unreadable, 1);
  EXPECT_TRUE(summary().ends_with("，无法读取 1 篇")) << summary();
}

TEST_F(BatchFaultsTest, WithoutAnOutputFolderEverySourceFileStays) {
  write_file_bytes(output_folder(), "a plain file where the folder should go");
  indexed = {"抄袭"};
  const fs::path original = write_file("原创.txt", "original");
  const fs::path copied = write_file("抄袭.txt", "copied");

  batch.run_batch({original, copied});

  EXPECT_EQ(read_file_bytes(original), "original");
  EXPECT_EQ(read_file_bytes(copied), "copied");
  EXPECT_EQ(read_file_bytes(output_folder()), "a plain file where the folder should go");
  EXPECT_EQ(names_in(folder.path()),
            (std::set<std::string>{std::string(kOutputFolderName), "原创.txt", "抄袭.txt"}));
  EXPECT_EQ(summary(),
            "完成！总耗时 0 毫秒！已检测 2 篇，平均耗时 0 毫秒！原创 1 篇，原创比率 50 %，复制失败 1 篇");
}

TEST_F(BatchFaultsTest, AFailedCopyKeepsTheSourceTheOldCopyAndNoPartialFile) {
  fs::create_directories(output_folder());
  write_file_bytes(output_folder() / "big.txt", "the copy of an earlier batch");
  const fs::path big = write_file("big.txt", std::string(64 * 1024, 'x'));
  const fs::path small = write_file("small.txt", "small");
  {
    const FileSizeLimit limit(4096);
    batch.run_batch({big, small});
  }

  EXPECT_EQ(read_file_bytes(big).size(), 64u * 1024);
  EXPECT_FALSE(fs::exists(small));  // its copy fitted: moved
  EXPECT_EQ(names_in(output_folder()), (std::set<std::string>{"big.txt", "small.txt"}));
  EXPECT_EQ(read_file_bytes(output_folder() / "big.txt"), "the copy of an earlier batch");
  EXPECT_EQ(read_file_bytes(output_folder() / "small.txt"), "small");
  EXPECT_EQ(batch.counts().copy_failures, 1);
  EXPECT_TRUE(summary().ends_with("原创 2 篇，原创比率 100 %，复制失败 1 篇")) << summary();
}

TEST_F(BatchFaultsTest, FilesThatCannotBeDeletedStayAndAreCounted) {
  indexed = {"抄袭"};
  const fs::path locked = folder / "locked";
  fs::create_directories(locked / kOutputFolderName);
  const fs::path original = write_file("locked/原创.txt", "original");
  const fs::path copied = write_file("locked/抄袭.txt", "copied");
  // Read and copied by anyone, but nobody may remove the files from their folder.
  fs::permissions(folder.path(), fs::perms(0755));
  fs::permissions(locked / kOutputFolderName, fs::perms(0777));
  fs::permissions(locked, fs::perms(0555));
  // Root may delete anything: the batch runs as a plain user.
  const bool root = geteuid() == 0;
  ASSERT_TRUE(!root || seteuid(65534) == 0);
  // A temporary folder inside a private one cannot be reached by a plain user.
  const bool reachable = faccessat(AT_FDCWD, original.c_str(), R_OK, AT_EACCESS) == 0;
  if (reachable) batch.run_batch({original, copied});
  ASSERT_TRUE(!root || seteuid(0) == 0);
  if (!reachable) GTEST_SKIP() << "a plain user cannot reach " << folder.path();
  fs::permissions(locked, fs::perms(0755));

  EXPECT_EQ(read_file_bytes(original), "original");
  EXPECT_EQ(read_file_bytes(copied), "copied");
  EXPECT_EQ(read_file_bytes(locked / kOutputFolderName / "原创.txt"), "original");
  EXPECT_EQ(summary(),
            "完成！总耗时 0 毫秒！已检测 2 篇，平均耗时 0 毫秒！原创 1 篇，原创比率 50 %，删除失败 2 篇");
}

}  // namespace
