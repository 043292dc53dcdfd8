#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTest>

#include "app/CachedPanelStyle.h"
#include "app/KanaTextBox.h"
#include "platform/TextFont.h"

namespace {

// Boxes of the game's size and font, never shown.
class KeyCost : public testing::Test {
 protected:
  KeyCost() {
    for (KanaTextBox* each : {&box, &other}) {
      each->setFont(platform::ToQFont({platform::ProportionalGothic, 50, false}));
      each->resize(125, 70);
    }
  }
  static void Key(KanaTextBox& into, Qt::Key key, const QString& text = {}, int times = 1) {
    for (int i = 0; i < times; ++i) {
      for (const QTest::KeyAction action : {QTest::Press, QTest::Release})
        QTest::sendKeyEvent(action, &into, key, text, Qt::NoModifier);
    }
  }
  static void Type(KanaTextBox& into, const QString& letters) {
    for (const QChar c : letters) Key(into, Qt::Key(c.toUpper().unicode()), QString(c));
  }
  static QImage Looks(KanaTextBox& of) { return of.grab().toImage(); }

  KanaTextBox box;
  KanaTextBox other;
};

// Counts the panels its base style draws.
struct CountingStyle : QProxyStyle {
  CountingStyle(QStyle* base, int* panels) : QProxyStyle(base), panels(panels) {}
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_PanelLineEdit) ++*panels;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
  int* panels;
};

}  // namespace

// Each key lays out and draws only what the line edit holds: enough to fill
// the box however long the text grows, and all of it still the text.
TEST_F(KeyCost, ALongTextStaysWholeWhileTheLineEditHoldsOnlyItsEnd) {
  const QString a = QStringLiteral("あ");
  qsizetype longest = 0;
  qreal narrowest = box.width() * 2;
  for (int i = 1; i <= 300; ++i) {
    Type(box, "a");
    longest = std::max(longest, box.text().size());
    if (i > 2)
      narrowest = std::min(narrowest, QFontMetricsF(box.font()).horizontalAdvance(box.text()));
  }
  EXPECT_EQ(box.Text(), a.repeated(300));
  EXPECT_LE(longest, 8);
  EXPECT_GT(narrowest, box.width());
  EXPECT_TRUE(box.Holds(a.repeated(300)));
  for (const QString& notIt : {a.repeated(299) + "い", "い" + a.repeated(299), QString()})
    EXPECT_FALSE(box.Holds(notIt)) << notIt.toStdString();

  Key(box, Qt::Key_Backspace, "\b", 290);
  EXPECT_EQ(box.Text(), a.repeated(10)) << "backspace reaches back into the hidden start";
  Type(box, QString(30, u'a'));
  for (const auto& [key, kana] : {std::pair{Qt::Key_Left, "い"}, {Qt::Key_Home, "う"}}) {
    Key(box, key);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8(kana));
    QApplication::sendEvent(&box, &commit);
  }
  EXPECT_EQ(box.Text(), "う" + a.repeated(39) + "い" + a) << "the cursor keys reach into it";
  Type(box, QString(40, u'a'));
  box.Clear();
  EXPECT_TRUE(box.Holds(QString()) && box.Text().isEmpty());
}

// Moving the start of the text out of the line edit leaves the box showing
// its end as before, a letter still waiting for its kana included ("kk" is
// っ and a waiting "k").
TEST_F(KeyCost, ALongTextLooksLikeTheEndTheLineEditHolds) {
  Type(box, QString(8, u'a') + "kk");
  Type(other, QString(box.text().size() - 1, u'a') + "kk");
  EXPECT_TRUE(Looks(box) == Looks(other));
}

// The panel is drawn by the style once per state and then copied, with the
// pixels the style draws.
TEST_F(KeyCost, TheBoxPanelIsDrawnOnceForEveryStateAndLooksAsTheStyleDrawsIt) {
  int panels = 0;
  const QString style = QApplication::style()->name();
  CachedPanelStyle cached(new CountingStyle(QStyleFactory::create(style), &panels));
  const std::unique_ptr<QStyle> plain(QStyleFactory::create(style));
  box.setStyle(&cached);
  other.setStyle(plain.get());
  for (const auto& [letters, enabled, drawn] :
       {std::tuple{"ka", true, 1}, {"ki", true, 1}, {"ku", false, 2}}) {
    for (KanaTextBox* each : {&box, &other}) {
      Type(*each, letters);
      each->setEnabled(enabled);
    }
    EXPECT_TRUE(Looks(box) == Looks(other)) << letters;
    EXPECT_EQ(panels, drawn) << letters;
  }
}
