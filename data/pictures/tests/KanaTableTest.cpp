#include "KanaTable.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

using namespace pictures;

namespace {

std::vector<Lesson> readSource()
{
    QString error;
    auto lessons = readRomajiTable(QStringLiteral(PICTURES_SOURCE_DIR "/romaji.tsv"), &error);
    EXPECT_FALSE(lessons.empty()) << qPrintable(error);
    return lessons;
}

}  // namespace

// The lessons as the game runs them; くょ comes twice in lesson 9 but is
// listed once.
TEST(RomajiTable, ListsEveryKanaOfEveryLessonInOrder)
{
    const std::vector<std::pair<QString, QString>> lessons{
        {"あ行、か行 １", "あ い う え お ぁ ぃ ぅ ぇ ぉ か き く け こ"},
        {"か行 ２", "が ぎ ぐ げ ご きゃ きぃ きゅ きぇ きょ ぎゃ ぎぃ ぎゅ ぎぇ ぎょ くぁ くぃ くぇ くぉ"},
        {"さ行", "さ し す せ そ ざ じ ず ぜ ぞ しゃ しぃ しゅ しぇ しょ じゃ じぃ じゅ じぇ じょ"},
        {"た行 １", "た ち つ て と だ ぢ づ で ど でゃ でぃ でゅ でぇ でょ ちゃ ちぃ ちゅ ちぇ ちょ"},
        {"た行 ２、な行", "ぢゃ ぢぃ ぢゅ ぢぇ ぢょ な に ぬ ね の にゃ にぃ にゅ にぇ にょ"},
        {"は行", "は ひ ふ へ ほ ば び ぶ べ ぼ ぱ ぴ ぷ ぺ ぽ ひゃ ひぃ ひゅ ひぇ ひょ"},
        {"ま、や行", "ま み む め も みゃ みぃ みゅ みぇ みょ や ゆ いぇ よ"},
        {"ら、わ、ん行", "ら り る れ ろ りゃ りぃ りゅ りぇ りょ わ を ん"},
        {"その他１", "うぁ うぃ うぇ うぉ くゃ くゅ くょ くぅ くょ ぐぁ ぐぃ ぐぅ ぐぇ ぐぉ すぁ すぃ すぅ "
                     "すぇ すぉ つぁ つぃ つぇ つぉ てゃ てぃ てゅ てぇ てょ"},
        {"その他２", "とぁ とぃ とぅ とぇ とぉ どぁ どぃ どぅ どぇ どぉ ふゃ ふゅ ふょ ふぁ ふぃ ふぅ ふぇ "
                     "ふぉ びゃ びぃ びゅ びぇ びょ ぴゃ ぴぃ ぴゅ ぴぇ ぴょ ゃ ゅ ょ"},
    };
    const std::vector<Lesson> table = readSource();
    ASSERT_EQ(table.size(), lessons.size());
    for (std::size_t i = 0; i < lessons.size(); ++i) {
        EXPECT_EQ(table[i].caption, lessons[i].first);
        QStringList listed;
        for (const KanaRow &row : table[i].rows)
            for (const KanaEntry &entry : row)
                listed << entry.kana;
        QStringList expected = lessons[i].second.split(QLatin1Char(' '));
        expected.removeDuplicates();
        EXPECT_EQ(listed, expected) << "lesson " << i + 1;
    }
}

TEST(RomajiTable, SpellingsAreKeysALearnerCanType)
{
    // Lower-case letters and the apostrophe of n'; "+" only between two parts.
    const QRegularExpression keys(QStringLiteral("^[a-z']+(\\+[a-z']+)?$"));
    std::set<QString> seen;
    for (const Lesson &lesson : readSource())
        for (const KanaRow &row : lesson.rows)
            for (const KanaEntry &entry : row) {
                EXPECT_TRUE(seen.insert(entry.kana).second) << qPrintable(entry.kana);
                for (const QString &spelling : entry.spellings)
                    EXPECT_TRUE(keys.match(spelling).hasMatch())
                        << qPrintable(entry.kana) << " " << qPrintable(spelling);
            }
}

TEST(KanaTableLayout, PutsEachKanaUnderItsVowelWhenTheRowAllows)
{
    const auto row = [](std::initializer_list<const char *> firstSpellings) {
        KanaRow kana;
        for (const char *spelling : firstSpellings)
            kana.push_back({QStringLiteral("x"), {QString::fromLatin1(spelling)}});
        return kana;
    };
    EXPECT_EQ(rowColumns(row({"ya", "yu", "ye", "yo"})), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(rowColumns(row({"qa", "qi", "qe", "qo"})), (std::vector<int>{0, 1, 3, 4}));
    // Two kana on one vowel, or a kana without a vowel: left to right.
    EXPECT_EQ(rowColumns(row({"qya", "qyu", "qyo", "qwu"})), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(rowColumns(row({"wa", "wo", "nn"})), (std::vector<int>{0, 1, 2}));
}
