// The text box: keys fed to its romaji input, an input method's composition
// and commit, a long text, and its drawing beside a line edit's.
#include <gtest/gtest.h>

#include <QStyleFactory>
#include <QStyleHints>
#include <QTest>

#include "platform/drawing/TextFont.h"
#include "platform/windows/CachedPanelStyle.h"
#include "platform/windows/KanaTextBox.h"
#include "support/InputMethod.h"
#include "support/QtPrinters.h"

namespace {

// Presses and releases each key of `keys` in `into`: a letter types itself (a
// capital with Shift held); "^" is Shift, "#" Caps Lock, "<" the left arrow,
// "~" Home, "%" Control and "\b" Backspace, keys without text.
void Type(KanaTextBox& into, const QString& keys) {
  constexpr std::array textless{Qt::Key_Shift, Qt::Key_CapsLock, Qt::Key_Left,
                                Qt::Key_Home,  Qt::Key_Control,  Qt::Key_Backspace};
  for (const QChar c : keys) {
    const qsizetype named = QStringLiteral("^#<~%\b").indexOf(c);
    const Qt::Key key = named >= 0 ? textless[named] : Qt::Key(c.toUpper().unicode());
    const Qt::KeyboardModifiers modifiers = c == u'%'     ? Qt::ControlModifier
                                            : c.isUpper() ? Qt::ShiftModifier
                                                          : Qt::NoModifier;
    for (const QTest::KeyAction action : {QTest::Press, QTest::Release}) {
      QTest::sendKeyEvent(action, &into, key, named >= 0 ? QString() : QString(c), modifiers);
      QApplication::processEvents();
    }
  }
}

// The boxes are never shown: no blinking text cursor in their pictures.
QImage Looks(QWidget& of) { return of.grab().toImage(); }

// Gives a box the game's size and font.
void GameSized(KanaTextBox& box) {
  box.setFont(platform::ToQFont({platform::ProportionalGothic, 50, false}));
  box.resize(125, 70);
}

// Two pictures of a box are alike but for the antialiased edges of glyphs
// placed a fraction of a pixel apart.
bool NearlyAlike(const QImage& one, const QImage& other) {
  if (one.size() != other.size()) return false;
  for (int y = 0; y < one.height(); ++y)
    for (int x = 0; x < one.width(); ++x)
      if (std::abs(qGray(one.pixel(x, y)) - qGray(other.pixel(x, y))) > 48) return false;
  return true;
}

}  // namespace

// Keys without text leave waiting letters waiting, and in view. Emptying the
// box leaves what is still being composed, the box's own waiting letters or
// an input method's composition, to go on to its kana: a reset of the input
// method would commit "ｋ" as it stands.
TEST(KanaTextBox, ConvertsCapitalsAndEmptyingItLeavesWhatIsStillBeingComposed) {
  KanaTextBox box, other;
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

  Type(box, "kak");
  box.Clear();
  Type(box, "o");
  EXPECT_EQ(box.Text(), "こ");
  Compose(box, "ｋ");
  box.Clear();
  KanaTextBox composing;
  Compose(composing, "ｋ");
  EXPECT_TRUE(Looks(box) == Looks(composing)) << "the composition is still shown, and nothing else";
  Compose(box, "", "こ");
  EXPECT_EQ(box.Text(), "こ");
}

// Each key lays out and draws only what the line edit holds: enough to fill
// the box however long the text grows, and all of it still the text, which
// Backspace and the cursor keys reach back into. Moving the start out of the
// line edit leaves the box showing its end as before, a letter still waiting
// for its kana included ("kk" is っ and a waiting "k").
TEST(KanaTextBox, ALongTextStaysWholeWhileTheLineEditHoldsOnlyItsEnd) {
  KanaTextBox box, other;
  for (KanaTextBox* each : {&box, &other}) GameSized(*each);
  const QString a = QStringLiteral("あ");
  qreal narrowest = box.width() * 2;
  for (int i = 1; i <= 300; ++i) {
    Type(box, "a");
    if (i > 2)
      narrowest = std::min(narrowest, QFontMetricsF(box.font()).horizontalAdvance(box.text()));
  }
  EXPECT_EQ(box.Text(), a.repeated(300));
  EXPECT_GT(narrowest, box.width());
  EXPECT_TRUE(box.Holds(a.repeated(300)));
  for (const QString& notIt : {a.repeated(299) + "い", "い" + a.repeated(299), QString()})
    EXPECT_FALSE(box.Holds(notIt)) << notIt.toStdString();

  Type(box, QString(290, u'\b'));
  EXPECT_EQ(box.Text(), a.repeated(10)) << "backspace reaches back into the hidden start";
  Type(box, QString(30, u'a') + "<");
  Compose(box, "", "い");
  Type(box, "~");
  Compose(box, "", "う");
  EXPECT_EQ(box.Text(), "う" + a.repeated(39) + "い" + a) << "the cursor keys reach into it";
  box.Clear();
  EXPECT_TRUE(box.Holds(QString()) && box.Text().isEmpty());

  Type(box, QString(8, u'a') + "kk");
  Type(other, QString(box.text().size() - 1, u'a') + "kk");
  EXPECT_TRUE(Looks(box) == Looks(other));
}

// Before a key press, Qt asks the focused box whether the key is its own or
// may be a menu's shortcut. The box answers as a line edit does, in a
// writable box and a read-only one.
TEST(KanaTextBox, ClaimsTheKeysALineEditClaims) {
  KanaTextBox box;
  QLineEdit plain;
  using Key = std::pair<Qt::Key, Qt::KeyboardModifiers>;
  const Key keys[] = {{Qt::Key_A, Qt::NoModifier},      {Qt::Key_A, Qt::ShiftModifier},
                      {Qt::Key_5, Qt::KeypadModifier},  {Qt::Key_A, Qt::AltModifier},
                      {Qt::Key_G, Qt::ControlModifier}, {Qt::Key_C, Qt::ControlModifier},
                      {Qt::Key_Left, Qt::NoModifier},   {Qt::Key_Escape, Qt::NoModifier},
                      {Qt::Key_F1, Qt::NoModifier}};
  for (const bool readOnly : {false, true}) {
    box.setReadOnly(readOnly);
    plain.setReadOnly(readOnly);
    for (const auto& [key, modifiers] : keys) {
      const QString text = key < Qt::Key_Escape ? QString(QChar(key).toLower()) : QString();
      QKeyEvent asked(QEvent::ShortcutOverride, key, modifiers, text);
      QKeyEvent askedPlain(QEvent::ShortcutOverride, key, modifiers, text);
      asked.ignore();
      askedPlain.ignore();
      QApplication::sendEvent(&box, &asked);
      QApplication::sendEvent(&plain, &askedPlain);
      EXPECT_EQ(asked.isAccepted(), askedPlain.isAccepted())
          << key << " " << modifiers << (readOnly ? " read-only" : "");
    }
  }
}

// The box draws its text itself, from pictures of its glyphs, as the line
// edit would: scrolled to the cursor, with letters waiting for their kana or
// an input method's composition underlined, and the text cursor blinking.
// Right after a change the line edit draws it (it works out its scrolling as
// it draws), and the box from then on; on screen, the line edit works out
// its scrolling before the window paints, and the box draws at once. With a
// selection, or a composition in colours, the line edit draws it. The
// panel is drawn by the style once for every state and then copied, with the
// pixels the style draws (`other` has them from the style itself).
TEST(KanaTextBox, DrawsItsTextAsTheLineEditWouldAndItsPanelAsTheStyle) {
  KanaTextBox box, other, shown, grey, focused;
  for (KanaTextBox* each : {&box, &other, &shown, &grey, &focused}) GameSized(*each);
  // Laid out without shaping, which its kana and letters need none of.
  ASSERT_TRUE(box.font().styleStrategy() & QFont::PreferNoShaping) << "kept through setFont";
  const QString style = QApplication::style()->name();
  CachedPanelStyle cached(QStyleFactory::create(style));
  const std::unique_ptr<QStyle> plain(QStyleFactory::create(style));
  box.setStyle(&cached);
  other.setStyle(plain.get());
  shown.setFocusPolicy(Qt::NoFocus);
  shown.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown));
  QTextCharFormat underline;
  underline.setFontUnderline(true);
  QTextCharFormat coloured = underline;
  coloured.setBackground(Qt::blue);
  const auto composing = [](const QTextCharFormat& format) {
    return QInputMethodEvent(QStringLiteral("しゃ"), {{QInputMethodEvent::TextFormat, 0, 2, format},
                                                      {QInputMethodEvent::Cursor, 1, 1}});
  };
  for (const char* keys : {"ka", "kakik", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "kaki", "kiku"}) {
    for (KanaTextBox* each : {&box, &other, &shown}) {
      each->Clear();
      Type(*each, keys);
      if (QString(keys) == "kaki") {
        QInputMethodEvent ime = composing(underline);
        QApplication::sendEvent(each, &ime);
      }
    }
    if (QString(keys) == "kiku") {
      for (KanaTextBox* each : {&box, &other, &shown}) each->setSelection(0, 1);
    }
    QApplication::processEvents();
    const QImage lineEdits = Looks(box);
    const QImage own = Looks(box);
    EXPECT_TRUE(NearlyAlike(own, lineEdits)) << keys;
    EXPECT_EQ(own == lineEdits, QString(keys) == "kiku") << keys << ": drawn by the line edit";
    // (Where the cursor stands inside a composition, the line edit scrolls
    // as far as it did before; the shown box scrolled at every key.)
    if (QString(keys) != "kaki") {
      EXPECT_TRUE(shown.screen()->grabWindow(shown.winId()).toImage() == own)
          << keys << ": painted on screen by the box at once";
      EXPECT_TRUE(Looks(shown) == own) << keys;
    }
    EXPECT_TRUE(Looks(other) == lineEdits) << keys;
  }
  QInputMethodEvent inColour = composing(coloured);
  QApplication::sendEvent(&box, &inColour);
  const QImage lineEdits = Looks(box);
  EXPECT_TRUE(Looks(box) == lineEdits) << "a composition in colours";

  // The grey text of a box that takes no keys (the line edit draws it grey).
  Type(grey, "kaki");
  grey.setEnabled(false);
  const QImage greyLineEdits = Looks(grey);
  const QImage greyOwn = Looks(grey);
  EXPECT_TRUE(NearlyAlike(greyOwn, greyLineEdits)) << "grey, not black";
  EXPECT_FALSE(greyOwn == greyLineEdits) << "drawn by the box";

  // The text cursor: shown at a key, as the line edit shows it, and off for
  // the second half of the flash time.
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  ASSERT_GE(flash, 100);
  focused.show();
  focused.activateWindow();
  focused.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&focused));
  Type(focused, "kak\bki");
  const QImage withCursor = Looks(focused);
  EXPECT_TRUE(NearlyAlike(Looks(focused), withCursor));
  QTest::qWait(flash * 3 / 4);
  EXPECT_FALSE(NearlyAlike(Looks(focused), withCursor)) << "the cursor blinked off";
  QTest::qWait(flash / 2);
  EXPECT_TRUE(NearlyAlike(Looks(focused), withCursor)) << "and on again";
}
