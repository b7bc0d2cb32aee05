#include "batch/text_file_loader.h"

#include <gtest/gtest.h>

#include <random>

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
  // Thai has no GBK form.
  const std::u16string units = u"a\x0E01原";
  const std::string expected = "a?\xD4\xAD";
  const GoldenCase cases[] = {
      {"little-endian", kUtf16LeMark + utf16le(units), FileEncoding::utf16le, expected},
      {"big-endian", kUtf16BeMark + utf16be(units), FileEncoding::utf16be, expected},
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
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(LoadTextFile, RecognisesUtf16WithoutMarkByItsBytes) {
  // 一 (U+4E00) and the ideographic space put zero bytes on the other side than
  // ASCII characters do.
  const std::u16string article = u"　　一个人的小河。\r\n天下第一，2024年。\r\n";
  const std::string article_gbk = gbk("　　一个人的小河。\r\n天下第一，2024年。\r\n");
  // No ASCII character and no line break.
  const std::u16string one_line = u"我家门前的小河静静流过田野，一直向东。";
  const std::string one_line_gbk = gbk("我家门前的小河静静流过田野，一直向东。");
  const GoldenCase cases[] = {
      {"little-endian", utf16le(article), FileEncoding::automatic, article_gbk},
      {"big-endian", utf16be(article), FileEncoding::automatic, article_gbk},
      {"one line, little-endian", utf16le(one_line), FileEncoding::automatic, one_line_gbk},
      {"one line, big-endian", utf16be(one_line), FileEncoding::automatic, one_line_gbk},
      // Its bytes pair up as GBK characters, but 创's low byte 0x1B stands alone.
      {"well-formed gbk but for a control character", utf16le(u"原创文章的内容"), FileEncoding::automatic,
       gbk("原创文章的内容")},
      {"ascii, little-endian", utf16le(u"abc"), FileEncoding::automatic, "abc"},
      {"ascii, big-endian", utf16be(u"abc"), FileEncoding::automatic, "abc"},
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(LoadTextFile, RecognisesTheCharsetDeclaredInTheHead) {
  const auto utf8_page = [](std::string_view head) {
    const std::string page = html_page(head);
    return GoldenCase{"utf-8 declared", page, FileEncoding::automatic, gbk(page)};
  };
  // A GBK page whose declaration is not taken for UTF-8's.
  const auto gbk_page = [](std::string_view page) {
    return GoldenCase{"gbk", gbk(page), FileEncoding::automatic, gbk(page)};
  };
  // A page whose body is `body` in the declared charset, and the body in UTF-8.
  const auto declared_page = [](const char* name, std::string_view head, std::string_view body,
                                std::string_view body_utf8) {
    const auto page = [&](std::string_view text) {
      return "<html><head>" + std::string(head) + "</head><body>" + std::string(text) + "</body></html>";
    };
    return GoldenCase{name, page(body), FileEncoding::automatic, gbk(page(body_utf8))};
  };
  const std::string big5 =
      "\xAD\xEC\xB3\xD0\xA4\xE5\xB3\xB9\xA1\x41\xC1\x63\xC5\xE9\xA4\xA4\xA4\xE5\xA1\x43";
  const GoldenCase cases[] = {
      declared_page("big5", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\">", big5,
                    "原創文章，繁體中文。"),
      declared_page("big5 in capitals and quotes", "<META CHARSET=\"BIG5\">", big5, "原創文章，繁體中文。"),
      // 喆 is GBK's, not GB2312's: browsers read gb2312 pages as GBK.
      declared_page("gb2312", "<meta charset=gb2312>", "\x86\xB4", "喆"),
      declared_page("gb18030", "<meta charset=gb18030>", "\xD4\xAD\xB4\xB4\x94\x39\xFC\x36", "原创?"),
      declared_page("shift_jis", "<meta charset=Shift_JIS>", "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",
                    "こんにちは"),
      // As with UTF-8, a value in single quotes is not taken.
      declared_page("single quotes", "<meta charset='big5'>", gbk("原创"), "原创"),
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

TEST(LoadTextFile, GbkTextEndsAtAnEndOfFileMark) {
  const GoldenCase cases[] = {
      {"end-of-file mark",
       "ab\x1A"
       "cd",
       FileEncoding::gbk, "ab"},
      {"end-of-file mark after a character",
       "\xB0\xA1\x1A"
       "cd",
       FileEncoding::gbk, "\xB0\xA1"},
      {"nothing selected reads as gbk", "ab\x1A", file_encoding_from_index(-1), "ab"},
  };
  for (const GoldenCase& golden : cases) expect_loads(golden);
}

TEST(FileTextFromBytes, BytesThatAreNoTextInTheirEncodingGiveNoText) {
  std::mt19937 random(20);
  std::string random_bytes;
  for (int i = 0; i < 4096; ++i) random_bytes.push_back(static_cast<char>(random() & 0xFF));
  const auto not_valid = [](std::string encoding) {
    return TextProblem{TextProblem::Kind::not_valid, std::move(encoding)};
  };
  const struct {
    const char* name;
    std::string bytes;
    FileEncoding encoding;
    TextProblem problem;
  } cases[] = {
      {"random bytes", random_bytes, FileEncoding::automatic, not_valid("GBK")},
      {"random bytes as unicode", random_bytes, FileEncoding::utf16le, not_valid("UTF-16LE")},
      {"zero byte", std::string("ab\0cd", 5), FileEncoding::gbk, not_valid("GBK")},
      {"control character", "ab\x1B[2Jcd", FileEncoding::gbk, not_valid("GBK")},
      {"nothing selected reads as gbk", std::string("ab\0cd", 5), file_encoding_from_index(-1),
       not_valid("GBK")},
      {"0x1A as second byte", "\x81\x1A", FileEncoding::gbk, not_valid("GBK")},
      {"lone lead byte at the end", "ab\xB0", FileEncoding::gbk, not_valid("GBK")},
      {"byte no character starts with", "ab\xFF", FileEncoding::automatic, not_valid("GBK")},
      {"utf-16 read as gbk", utf16le(kArticleUtf16), FileEncoding::gbk, not_valid("GBK")},
      {"gbk read as utf-8", kArticleGbk, FileEncoding::utf8, not_valid("UTF-8")},
      {"utf-8 mark before gbk", kUtf8Mark + kArticleGbk, FileEncoding::automatic, not_valid("UTF-8")},
      {"utf-8 declared, gbk bytes", gbk(html_page("<meta charset=utf-8>")), FileEncoding::automatic,
       not_valid("UTF-8")},
      {"unpaired surrogate", kUtf16LeMark + utf16le(u"a\xDE00原"), FileEncoding::automatic,
       not_valid("UTF-16LE")},
      {"unpaired surrogate, big-endian", kUtf16BeMark + utf16be(u"a\xD800原"), FileEncoding::automatic,
       not_valid("UTF-16BE")},
      {"unpaired surrogate without mark", utf16le(u"一个人的小河。\xDC00\r\n"), FileEncoding::automatic,
       not_valid("UTF-16LE")},
      {"odd last byte", kUtf16LeMark + utf16le(kArticleUtf16) + "z", FileEncoding::utf16le,
       not_valid("UTF-16LE")},
      {"odd last byte, big-endian", kUtf16BeMark + utf16be(kArticleUtf16) + "z", FileEncoding::utf16be,
       not_valid("UTF-16BE")},
      {"big5 declared, no big5 bytes", html_page("<meta charset=big5>", "\x80\x80"), FileEncoding::automatic,
       not_valid("big5")},
      {"charset unknown", gbk(html_page("<meta charset=x-no-such-set>")), FileEncoding::automatic,
       {TextProblem::Kind::unknown_charset, "x-no-such-set"}},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    const FileText text = file_text_from_bytes(example.bytes, example.encoding);
    EXPECT_EQ(text.text, "");
    EXPECT_EQ(text.problem, example.problem);
  }
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
