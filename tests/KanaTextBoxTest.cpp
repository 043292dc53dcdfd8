#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QTest>

#include "app/KanaTextBox.h"

namespace {

// One key as the keyboard sends it: pressed and released, with its text.
struct Key {
  Qt::Key key;
  QString text;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
const Key Shift{Qt::Key_Shift, "", Qt::ShiftModifier};

class KanaTextBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    for (KanaTextBox* each : {&box, &other}) each->resize(125, 70);
  }

  static void Type(KanaTextBox& into, const std::vector<Key>& keys) {
    for (const Key& k : keys) {
      QTest::sendKeyEvent(QTest::Press, &into, k.key, k.text, k.modifiers);
      QTest::sendKeyEvent(QTest::Release, &into, k.key, k.text, k.modifiers);
    }
  }

  // What an input method sends: a composition under way, or a commit.
  static void Compose(KanaTextBox& into, const QString& composing, const QString& commit = {}) {
    QInputMethodEvent event(composing, {});
    event.setCommitString(commit);
    QApplication::sendEvent(&into, &event);
  }

  static QImage Looks(KanaTextBox& of) { return of.grab().toImage(); }

  // The box is never shown: no blinking text cursor in its pictures.
  KanaTextBox box;
  KanaTextBox other;
};

}  // namespace

TEST_F(KanaTextBoxTest, CapitalsConvertAndKeysWithoutTextLeaveWaitingLetters) {
  const struct {
    std::vector<Key> keys;
    QString kana;
  } cases[] = {
      {{{Qt::Key_K, "K", Qt::ShiftModifier}, Shift, {Qt::Key_A, "A", Qt::ShiftModifier}}, "か"},
      {{Shift,
        {Qt::Key_K, "K", Qt::ShiftModifier},
        Shift,
        {Qt::Key_Y, "Y", Qt::ShiftModifier},
        {Qt::Key_A, "a"}},
       "きゃ"},
      {{{Qt::Key_CapsLock, ""}, {Qt::Key_S, "S"}, {Qt::Key_CapsLock, ""}, {Qt::Key_A, "a"}}, "さ"},
      {{{Qt::Key_T, "t"},
        {Qt::Key_Left, ""},
        {Qt::Key_Home, ""},
        {Qt::Key_Control, "", Qt::ControlModifier},
        {Qt::Key_A, "a"}},
       "た"},
  };
  for (const auto& c : cases) {
    box.Clear();
    Type(box, c.keys);
    EXPECT_EQ(box.Text(), c.kana);
    EXPECT_EQ(box.Pending(), "");
  }
  box.Clear();
  Type(box, {{Qt::Key_T, "t"}, {Qt::Key_Left, ""}});
  Type(other, {{Qt::Key_T, "t"}});
  EXPECT_TRUE(Looks(box) == Looks(other)) << "the waiting letter stays in view";
}

TEST_F(KanaTextBoxTest, EmptyingTheBoxKeepsTheBoxsOwnWaitingLetters) {
  Type(box, {{Qt::Key_K, "k"}, {Qt::Key_A, "a"}, {Qt::Key_K, "k"}});
  box.Clear();
  EXPECT_EQ(box.Text(), "");
  EXPECT_EQ(box.Pending(), "k");
  Type(box, {{Qt::Key_O, "o"}});
  EXPECT_EQ(box.Text(), "こ");
}

// A reset of the input method would commit "ｋ" as it stands.
TEST_F(KanaTextBoxTest, EmptyingTheBoxLeavesTheInputMethodsCompositionComposing) {
  Compose(box, "", "か");
  Compose(box, "ｋ");
  box.Clear();
  EXPECT_EQ(box.Text(), "");
  const QImage empty = Looks(other);
  Compose(other, "ｋ");
  EXPECT_FALSE(Looks(other) == empty);
  EXPECT_TRUE(Looks(box) == Looks(other)) << "the composition is still shown, and nothing else";
  Compose(box, "", "こ");
  EXPECT_EQ(box.Text(), "こ");
}
