#include "speechd/ssml_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace mowik::speechd {
namespace {

// The segments as one line each: "T:text", "T*:spelled text", "M:name", "B:ms".
std::vector<std::string> Lines(std::string_view ssml) {
  std::vector<std::string> lines;
  for (const Segment& segment : ParseSsml(ssml)) {
    switch (segment.kind) {
      case SegmentKind::kText: lines.push_back((segment.characters ? "T*:" : "T:") + segment.text); break;
      case SegmentKind::kMark: lines.push_back("M:" + segment.text); break;
      case SegmentKind::kBreak: lines.push_back("B:" + std::to_string(segment.breakMs)); break;
    }
  }
  return lines;
}

using Expected = std::vector<std::string>;

TEST(SsmlText, MarksStandBetweenTheTextsTheySeparate) {
  EXPECT_EQ(Lines("<speak><mark name=\"0\"/>Ala <mark name='1'/>ma kota.<mark name=\"end\"/></speak>"),
            (Expected{"M:0", "T:Ala ", "M:1", "T:ma kota.", "M:end"}));
  EXPECT_EQ(Lines("Zwykły tekst, bez znaczników."), (Expected{"T:Zwykły tekst, bez znaczników."}));
  EXPECT_TRUE(ParseSsml("").empty());
  EXPECT_TRUE(ParseSsml("<speak></speak>").empty());
}

TEST(SsmlText, TagsAreNeverTextButTheirContentIs) {
  EXPECT_EQ(Lines("<?xml version=\"1.0\"?><!DOCTYPE speak><speak><!-- komentarz <mark name=\"x\"/> -->"
                  "<voice name=\"a\"><emphasis>Bardzo</emphasis> <nieznany a=\"1>2\">ważne</nieznany></voice></speak>"),
            (Expected{"T:Bardzo ważne"}));
  EXPECT_EQ(Lines("<sub alias=\"Polskie Koleje Państwowe\">PKP</sub> jadą"), (Expected{"T:Polskie Koleje Państwowe jadą"}));
  EXPECT_EQ(Lines("<s>Jedno</s><s>Drugie</s>"), (Expected{"T: Jedno  Drugie "}));
}

TEST(SsmlText, EntitiesAreDecodedAndStrayMarkupIsText) {
  EXPECT_EQ(Lines("a &lt; b &amp;&amp; c &gt; d &quot;&apos; &#322;&#x105; &nbsp; &#0; &#xD800; &"),
            (Expected{"T:a < b && c > d \"' łą &nbsp; &#0; &#xD800; &"}));
  EXPECT_EQ(Lines("2 < 3 i 5 > 4"), (Expected{"T:2 < 3 i 5 > 4"}));
  EXPECT_EQ(Lines("koniec <speak"), (Expected{"T:koniec <speak"}));
  EXPECT_EQ(Lines("<![CDATA[<mark name=\"x\"/>]]>"), (Expected{"T:<mark name=\"x\"/>"}));
}

TEST(SsmlText, SayAsCharactersIsSpelledAndBreaksAreTimed) {
  EXPECT_EQ(Lines("Kod <say-as interpret-as=\"characters\">AB1</say-as><break time=\"250ms\"/>teraz"
                  "<break time=\"1.5s\"/><break strength=\"strong\"/><break/><break time=\"99s\"/>"),
            (Expected{"T:Kod ", "T*:AB1", "B:250", "T:teraz", "B:1500", "B:700", "B:400", "B:10000"}));
  EXPECT_EQ(Lines("<say-as interpret-as=\"date\">12.05.2024</say-as>"), (Expected{"T:12.05.2024"}));
}

TEST(SsmlText, ProsodyNestsAndItsCloseRestoresTheOuterVoice) {
  const std::vector<Segment> segments =
      ParseSsml("a<prosody rate=\"fast\" pitch=\"+10%\">b<prosody rate=\"200%\" volume=\"soft\">c</prosody>d</prosody>e");
  ASSERT_EQ(segments.size(), 5u);
  EXPECT_DOUBLE_EQ(segments[0].prosody.speed, 1.0);
  EXPECT_DOUBLE_EQ(segments[1].prosody.speed, 1.5);
  EXPECT_DOUBLE_EQ(segments[1].prosody.pitch, 1.1);
  EXPECT_DOUBLE_EQ(segments[2].prosody.speed, 3.0);
  EXPECT_DOUBLE_EQ(segments[2].prosody.volume, 0.6);
  EXPECT_DOUBLE_EQ(segments[3].prosody.speed, 1.5);
  EXPECT_DOUBLE_EQ(segments[4].prosody.speed, 1.0);
  EXPECT_EQ(segments[4].text, "e");
}

TEST(SsmlText, ProsodyValues) {
  EXPECT_DOUBLE_EQ(ProsodySpeed("x-slow", 1), 0.5);
  EXPECT_DOUBLE_EQ(ProsodySpeed("+50%", 1), 1.5);
  EXPECT_DOUBLE_EQ(ProsodySpeed("-50%", 1), 0.5);
  EXPECT_DOUBLE_EQ(ProsodySpeed("1.2", 1), 1.2);
  EXPECT_DOUBLE_EQ(ProsodySpeed("9000%", 1), 4.0);
  EXPECT_DOUBLE_EQ(ProsodySpeed("szybko", 0.9), 0.9);
  EXPECT_DOUBLE_EQ(ProsodyPitch("+12st", 1), 2.0);
  EXPECT_DOUBLE_EQ(ProsodyPitch("200Hz", 1), 1.0);
  EXPECT_DOUBLE_EQ(ProsodyVolume("-6dB", 1), std::pow(10.0, -0.3));
  EXPECT_DOUBLE_EQ(ProsodyVolume("silent", 1), 0.0);
  EXPECT_DOUBLE_EQ(ProsodyVolume("50", 1), 0.5);
  EXPECT_DOUBLE_EQ(ProsodyVolume("+10dB", 1), 1.0);
  EXPECT_EQ(BreakMs("nan ms", "weak"), 250);
  EXPECT_EQ(BreakMs("-5s", ""), 0);
}

TEST(SsmlText, DeepNestingAndUnbalancedTagsGiveAResult) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<prosody rate=\"fast\">";
  deep += "tekst";
  for (int i = 0; i < 5000; ++i) deep += "</prosody>";
  deep += "</speak></mark>koniec";
  const std::vector<Segment> segments = ParseSsml(deep);
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_DOUBLE_EQ(segments[0].prosody.speed, 4.0);
  EXPECT_EQ(segments[1].text, "koniec");
  EXPECT_DOUBLE_EQ(segments[1].prosody.speed, 1.0);
}

}  // namespace
}  // namespace mowik::speechd
