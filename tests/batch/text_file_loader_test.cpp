#include "batch/text_file_loader.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "tests/batch/utf16_bytes.h"
#include "tests/testsupport/file_bytes.h"
#include "tests/testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16LeMark = "\xFF\xFE";
const std::string kUtf16BeMark = "\xFE\xFF";
const std::string kArticleUtf8 = "原创abc";
const std::u16string kArticleUtf16 = u"原创abc";
const std::string kArticleGbk =
    "\xD4\xAD\xB4\xB4"
    "abc";

std::string html_page(std::string_view head, std::string_view after_head = "") {
  return "<html><head>" + std::string(head) + "</head>" + std::string(after_head) +
         "<body>原创</body></html>";
}

struct GoldenCase {
  const char* name;
  std::string bytes;
  FileEncoding encoding;
  std::string expected;
};

void expect_loads(const GoldenCase& golden) {
  SCOPED_TRACE(golden.name);
  const TempDir dir;
  const fs::path file = dir / "article.txt";
  write_file_bytes(file, golden.bytes);
  EXPECT_EQ(load_text_file(file, golden.encoding), golden.expected);
}

TEST(LoadTextFile, ChosenEncodingsWithAndWithoutByteOrderMarks) {
  const GoldenCase cases[] = {
      {"gbk", kArticleGbk, FileEncoding::gbk, kArticleGbk},
      {"utf-8 with mark", kUtf8Mark + kArticleUtf8, FileEncoding::utf8, kArticleGbk},
      {"utf-8 without mark", kArticleUtf8, FileEncoding::utf8, kArticleGbk},
      {"unicode with mark", kUtf16LeMark + utf16le(kArticleUtf16), FileEncoding::utf16le, kArticleGbk},
      {"unicode without mark loses a character", utf16le(kArticleUtf16), FileEncoding::utf16le,
       "\xB4\xB4"
       "abc"},
      {"unicode be with mark", kUtf16BeMark + utf16be(kArticleUtf16), FileEncoding::utf16be, kArticleGbk},
      {"unicode be without mark loses a character", utf16be(kArticleUtf16), FileEncoding::utf16be,
       "\xB4\xB4"
       "abc"},
      {"unicode reads any two first bytes as mark", "xy" + utf16le(kArticleUtf16), FileEncoding::utf16le,
       kArticleGbk},
      {"a second utf-8 mark is a question mark, then removed", kUtf8Mark + kUtf8Mark + "a",
       FileEncoding::utf8, "a"},
      {"gbk article loses one leading question mark", "??x", FileEncoding::gbk, "?x"},
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(LoadTextFile, BothByteOrdersGiveTheSameText) {
  // Thai and an unpaired surrogate have no GBK form; an odd last byte is ignored.
  const std::u16string units = u"a\x0E01\xDE00原";
  const std::string expected = "a??\xD4\xAD";
  const GoldenCase cases[] = {
      {"little-endian", kUtf16LeMark + utf16le(units) + "z", FileEncoding::utf16le, expected},
      {"big-endian", kUtf16BeMark + utf16be(units) + "z", FileEncoding::utf16be, expected},
      {"little-endian recognised", kUtf16LeMark + utf16le(units), FileEncoding::automatic, expected},
      {"big-endian recognised", kUtf16BeMark + utf16be(units), FileEncoding::automatic, expected},
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(LoadTextFile, RecognisesByteOrderMarksAndUtf8Bytes) {
  const GoldenCase cases[] = {
      {"utf-8", kUtf8Mark + kArticleUtf8, FileEncoding::automatic, kArticleGbk},
      {"utf-8 without mark", kArticleUtf8, FileEncoding::automatic, kArticleGbk},
      // Its first character is well-formed UTF-8, the second is not.
      {"gbk", kArticleGbk, FileEncoding::automatic, kArticleGbk},
      {"utf-16 little-endian", kUtf16LeMark + utf16le(kArticleUtf16), FileEncoding::automatic, kArticleGbk},
      {"utf-16 big-endian", kUtf16BeMark + utf16be(kArticleUtf16), FileEncoding::automatic, kArticleGbk},
      // FF FE 00 00 is taken for UTF-16, whose first unit after the mark (U+0000) ends the text.
      {"utf-32 little-endian", "\xFF\xFE" + std::string(2, '\0') + "a" + std::string(3, '\0'),
       FileEncoding::automatic, ""},
      {"utf-16 without mark is gbk, cut at its first zero byte", utf16le(u"abc"), FileEncoding::automatic,
       "a"},
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(LoadTextFile, RecognisesUtf8DeclaredInTheHead) {
  const auto utf8_page = [](std::string_view head) {
    const std::string page = html_page(head);
    return GoldenCase{"utf-8 declared", page, FileEncoding::automatic, gbk(page)};
  };
  // A GBK page whose declaration is not taken for UTF-8's.
  const auto gbk_page = [](std::string_view page) {
    return GoldenCase{"gbk", gbk(page), FileEncoding::automatic, gbk(page)};
  };
  const GoldenCase cases[] = {
      utf8_page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
      utf8_page("<META CHARSET=\"UTF-8\">"),
      utf8_page("<title>charset=utf-8</title>"),
      {"upper-case head tags", "<HTML><HEAD><meta charset=UTF-8></HEAD>原创", FileEncoding::automatic,
       gbk("<HTML><HEAD><meta charset=UTF-8></HEAD>原创")},
      gbk_page(html_page("<meta charset='utf-8'>")),
      gbk_page(html_page("<meta charset = utf-8>")),
      gbk_page(html_page("<title>t</title>", "<meta charset=utf-8>")),
      gbk_page("<html><meta charset=utf-8><body>原创</body></html>"),
      gbk_page("<html><head><meta charset=utf-8><body>原创</body></html>"),
  };
  for (const GoldenCase& golden : cases) {
    SCOPED_TRACE(golden.bytes);
    expect_loads(golden);
  }
}

TEST(LoadTextFile, GbkTextEndsAtZeroEndOfFileMarkOrIncompleteCharacter) {
  const GoldenCase cases[] = {
      {"zero byte", std::string("ab\0cd", 5), FileEncoding::gbk, "ab"},
      {"end-of-file mark",
       "ab\x1A"
       "cd",
       FileEncoding::gbk, "ab"},
      {"end-of-file mark after a character",
       "\xB0\xA1\x1A"
       "cd",
       FileEncoding::gbk, "\xB0\xA1"},
      {"0x1A as second byte of a character",
       "\x81\x1A"
       "cd",
       FileEncoding::gbk,
       "\x81\x1A"
       "cd"},
      {"lone lead byte at the end", "ab\xB0", FileEncoding::gbk, "ab"},
      {"lead byte before a zero byte", std::string("ab\xB0\0cd", 6), FileEncoding::gbk, "ab"},
      {"nothing selected reads as gbk", std::string("ab\0cd", 5), file_encoding_from_index(-1), "ab"},
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(LoadTextFile, EmptyAndMarkOnlyFilesGiveEmptyText) {
  const GoldenCase cases[] = {
      {"empty, automatic", "", FileEncoding::automatic, ""},
      {"empty, gbk", "", FileEncoding::gbk, ""},
      {"empty, utf-8", "", FileEncoding::utf8, ""},
      {"empty, unicode", "", FileEncoding::utf16le, ""},
      {"empty, unicode be", "", FileEncoding::utf16be, ""},
      {"one byte, unicode", "a", FileEncoding::utf16le, ""},
      {"utf-8 mark", kUtf8Mark, FileEncoding::automatic, ""},
      {"utf-8 mark chosen", kUtf8Mark, FileEncoding::utf8, ""},
      {"utf-16 mark", kUtf16LeMark, FileEncoding::automatic, ""},
      {"utf-16 be mark", kUtf16BeMark, FileEncoding::automatic, ""},
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(ReadTextFile, TellsAnUnreadableFileFromAnEmptyOne) {
  const TempDir dir;
  write_file_bytes(dir / "empty.txt", "");
  EXPECT_EQ(read_text_file(dir / "empty.txt", FileEncoding::automatic), std::optional<std::string>(""));
  EXPECT_EQ(read_text_file(dir / "missing.txt", FileEncoding::automatic), std::nullopt);
  EXPECT_EQ(load_text_file(dir / "missing.txt", FileEncoding::automatic), "");
  EXPECT_EQ(read_text_file(dir.path(), FileEncoding::gbk), std::nullopt);
}

TEST(ReadTextFile, LoadsReadOnlyFiles) {
  const TempDir dir;
  const fs::path file = dir / "article.txt";
  write_file_bytes(file, kArticleGbk);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(read_text_file(file, FileEncoding::gbk), kArticleGbk);
}

TEST(ReadTextFile, TakesFileNamesAsNativeBytes) {
  const TempDir dir;
  // A name in GBK bytes, which is not valid UTF-8.
  const fs::path file = dir / fs::path("\xD4\xAD\xB4\xB4.txt");
  write_file_bytes(file, kArticleGbk);
  EXPECT_EQ(read_text_file(file, FileEncoding::gbk), kArticleGbk);
}

}  // namespace
