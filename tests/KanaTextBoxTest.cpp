#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QTest>
#include <array>

#include "app/KanaTextBox.h"

namespace {

// Two boxes to type into and compare, never shown: no blinking text cursor
// in their pictures.
class KanaTextBoxTest : public testing::Test {
 protected:
  // Presses and releases each key of `keys`: a letter types itself (a capital
  // with Shift held); "^" is Shift, "#" Caps Lock, "<" the left arrow, "~"
  // Home and "%" Control, keys without text.
  static void Type(KanaTextBox& into, const QString& keys) {
    constexpr std::array textless{Qt::Key_Shift, Qt::Key_CapsLock, Qt::Key_Left, Qt::Key_Home,
                                  Qt::Key_Control};
    for (const QChar c : keys) {
      const qsizetype named = QStringLiteral("^#<~%").indexOf(c);
      const Qt::Key key = named >= 0 ? textless[named] : Qt::Key(c.toUpper().unicode());
      const Qt::KeyboardModifiers modifiers = c == u'%'     ? Qt::ControlModifier
                                              : c.isUpper() ? Qt::ShiftModifier
                                                            : Qt::NoModifier;
      for (const QTest::KeyAction action : {QTest::Press, QTest::Release})
        QTest::sendKeyEvent(action, &into, key, named >= 0 ? QString() : QString(c), modifiers);
    }
  }

  // What an input method sends: a composition under way, or a commit.
  static void Compose(KanaTextBox& into, const QString& composing, const QString& commit = {}) {
    QInputMethodEvent event(composing, {});
    event.setCommitString(commit);
    QApplication::sendEvent(&into, &event);
  }

  static QImage Looks(KanaTextBox& of) { return of.grab().toImage(); }

  KanaTextBox box;
  KanaTextBox other;
};

}  // namespace

TEST_F(KanaTextBoxTest, CapitalsConvertAndKeysWithoutTextLeaveWaitingLetters) {
  for (const auto& [keys, kana] :
       {std::pair{"K^A", "か"}, {"^K^Ya", "きゃ"}, {"#S#a", "さ"}, {"t<~%a", "た"}}) {
    box.Clear();
    Type(box, keys);
    EXPECT_EQ(box.Text() + box.Pending(), QString::fromUtf8(kana)) << keys;
  }
  box.Clear();
  Type(box, "t<");
  Type(other, "t");
  EXPECT_TRUE(Looks(box) == Looks(other)) << "the waiting letter stays in view";
}

// Emptying the box leaves what is still being composed, the box's own waiting
// letters or an input method's composition, to go on to its kana. A reset of
// the input method would commit "ｋ" as it stands.
TEST_F(KanaTextBoxTest, EmptyingTheBoxLeavesWhatIsStillBeingComposed) {
  Type(box, "kak");
  box.Clear();
  Type(box, "o");
  EXPECT_EQ(box.Text(), "こ");
  Compose(box, "ｋ");
  box.Clear();
  Compose(other, "ｋ");
  EXPECT_TRUE(Looks(box) == Looks(other)) << "the composition is still shown, and nothing else";
  Compose(box, "", "こ");
  EXPECT_EQ(box.Text(), "こ");
}
