// Cleaning a 10 MB article with RegexObject (GBK in and out) against a bare PCRE2
// JIT substitution of the same pattern over the same text already in UTF-8.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "support/gbk.h"
#include "support/regex_object.h"
#include "support/regex_pcre2.h"

namespace {

// Both options on, runs of 5 digits.
constexpr std::string_view kCleaningPattern =
    "<.*?>|&[a-z]+;|&#\\d+;|[a-zA-z]+://[^\\s]*|\\w+@\\w+.\\w+|\\d{5,}";
constexpr size_t kArticleBytes = 10 * 1024 * 1024;

// A fixed pseudo-random sequence, so every run cleans the same article.
class Sequence {
 public:
  uint32_t next(uint32_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33) % bound;
  }

 private:
  uint64_t state_ = 20240101;
};

// One paragraph: Chinese sentences with punctuation, some ASCII words, addresses,
// mail addresses, tags, entities, long digit runs, full-width blanks and digits,
// tabs, ending in CR LF; in UTF-8.
std::string paragraph_utf8(Sequence& random) {
  static constexpr std::string_view kCharacters =
      "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面"
      "而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把"
      "性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质"
      "气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活"
      "设及管特件长求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则"
      "任取据处队南给色光门即保治北造百规热领七海口东导器压志世金增争济阶油思术极交受联什认六共权收证改清己美"
      "再采转更单风切打白教速花带安场身车例真务具万每目至达走积示议声报斗完类八离华名确才科张信马节话米整空元"
      "况今集温传土许步群广石记需段研界拉林律叫且究观越织装影算低持音众书布复容儿须际商非验连断深难近矿千周委"
      "素技备半办青省列习响约支般史感劳便团往酸历市克何除消构府称太准精值号率族维划选标写存候毛亲快效斯院查江"
      "型眼王按格养易置派层片始却专状育厂京识适属圆包火住调满县局照参红细引听该铁价严萬";
  static constexpr std::string_view kPunctuation[] = {"，", "，", "。", "；", "！", "？", "……", "、", "："};
  static constexpr std::string_view kAscii[] = {"Windows", "Version 2.0", "CPU", "IT", "App", "5G", "USB"};
  constexpr size_t kCharacterCount = kCharacters.size() / 3;  // all three bytes long in UTF-8

  std::string text = "　　";
  const uint32_t sentences = 3 + random.next(8);
  for (uint32_t s = 0; s < sentences; ++s) {
    const uint32_t length = 6 + random.next(25);
    for (uint32_t c = 0; c < length; ++c) text += kCharacters.substr(3 * random.next(kCharacterCount), 3);
    switch (random.next(24)) {
      case 0:
        text += "http://www.example" + std::to_string(random.next(1000)) + ".com/path?id=1 ";
        break;
      case 1:
        text += "user" + std::to_string(random.next(100)) + "@mail.example.com ";
        break;
      case 2:
        text += "<a href=\"https://example.cn/\">";
        break;
      case 3:
        text += "</a>";
        break;
      case 4:
        text += "&nbsp;";
        break;
      case 5:
        text += "&#160;";
        break;
      case 6:
        text += std::to_string(1000000000ULL + random.next(1000000000));
        break;
      case 7:
        text += "２０２４年";
        break;
      case 8:
        text += "\t";
        break;
      case 9:
        text += " " + std::string(kAscii[random.next(std::size(kAscii))]) + " ";
        break;
      default:
        break;
    }
    text += kPunctuation[random.next(std::size(kPunctuation))];
  }
  text += random.next(4) == 0 ? "<br/>\r\n" : "\r\n";
  return text;
}

const std::string& article_gbk() {
  static const std::string text = [] {
    Sequence random;
    std::string article;
    article.reserve(kArticleBytes + 1024);
    while (article.size() < kArticleBytes) article += gbk_from_utf8(paragraph_utf8(random));
    return article;
  }();
  return text;
}

void BM_RegexObjectReplace(benchmark::State& state) {
  const std::string& article = article_gbk();
  RegexObject regex;
  regex.set_pattern_positive(std::string(kCleaningPattern));
  size_t cleaned_size = 0;
  for (auto _ : state) {
    const std::string cleaned = regex.regex_replace(article, "");
    cleaned_size = cleaned.size();
    benchmark::DoNotOptimize(cleaned.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * article.size()));
  state.counters["kept_bytes"] = static_cast<double>(cleaned_size);
}
BENCHMARK(BM_RegexObjectReplace)->Unit(benchmark::kMillisecond);

void BM_BarePcre2Substitute(benchmark::State& state) {
  const std::string article = utf8_from_gbk(article_gbk());
  const Pcre2CompileContextPtr context(pcre2_compile_context_create(nullptr));
  pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
  int error = 0;
  PCRE2_SIZE error_offset = 0;
  const Pcre2CodePtr code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kCleaningPattern.data()),
                                        kCleaningPattern.size(), PCRE2_UTF | PCRE2_CASELESS | PCRE2_MULTILINE,
                                        &error, &error_offset, context.get()));
  if (!code || pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) != 0) {
    state.SkipWithError("pattern or JIT unavailable");
    return;
  }
  const Pcre2MatchDataPtr match_data(pcre2_match_data_create_from_pattern(code.get(), nullptr));
  std::string cleaned(article.size(), '\0');
  size_t cleaned_size = 0;
  for (auto _ : state) {
    PCRE2_SIZE output_size = cleaned.size();
    const int result = pcre2_substitute(code.get(), reinterpret_cast<PCRE2_SPTR>(article.data()),
                                        article.size(), 0, PCRE2_SUBSTITUTE_GLOBAL | PCRE2_NO_UTF_CHECK,
                                        match_data.get(), nullptr, reinterpret_cast<PCRE2_SPTR>(""), 0,
                                        reinterpret_cast<PCRE2_UCHAR*>(cleaned.data()), &output_size);
    if (result < 0) {
      state.SkipWithError("substitution failed");
      return;
    }
    cleaned_size = output_size;
    benchmark::DoNotOptimize(cleaned.data());
  }
  // Both did the same work: they agree on the cleaned article.
  RegexObject regex;
  regex.set_pattern_positive(std::string(kCleaningPattern));
  if (regex.regex_replace(article_gbk(), "") !=
      gbk_from_utf8(std::string_view(cleaned).substr(0, cleaned_size))) {
    state.SkipWithError("RegexObject cleaned the article differently");
  }
  // Throughput over the GBK article, as for RegexObject.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * article_gbk().size()));
}
BENCHMARK(BM_BarePcre2Substitute)->Unit(benchmark::kMillisecond);

// The conversions over the same article. RegexObject converts every subject to
// UTF-8; only replacement text comes back.
void BM_Utf8FromGbk(benchmark::State& state) {
  const std::string& article = article_gbk();
  for (auto _ : state) benchmark::DoNotOptimize(utf8_from_gbk(article));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * article.size()));
}
BENCHMARK(BM_Utf8FromGbk)->Unit(benchmark::kMillisecond);

void BM_GbkFromUtf8(benchmark::State& state) {
  const std::string article = utf8_from_gbk(article_gbk());
  for (auto _ : state) benchmark::DoNotOptimize(gbk_from_utf8(article));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * article.size()));
}
BENCHMARK(BM_GbkFromUtf8)->Unit(benchmark::kMillisecond);

}  // namespace
