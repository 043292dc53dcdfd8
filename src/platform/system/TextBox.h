#pragma once
#include <QString>

namespace platform {

// The typed-input box as the game uses it: its whole text, emptying it,
// showing and hiding it, and giving it the keyboard focus.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual QString Text() const = 0;
  // Whether the whole text is exactly `text`, answered without putting a
  // long text together.
  virtual bool Holds(const QString& text) const { return Text() == text; }
  virtual void Clear() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetFocus() = 0;
};

// A text box with no window behind it: it keeps its text and its shown
// state, so the game runs the same with or without a screen.
class DetachedTextBox : public TextBox {
 public:
  QString Text() const override { return text; }
  void Clear() override { text.clear(); }
  void SetVisible(bool visible) override { shown = visible; }
  bool IsVisible() const override { return shown; }
  void SetFocus() override { ++focusRequests; }

  QString text;
  bool shown = false;
  int focusRequests = 0;
};

// The box the game's `Text1` stands for: the main window's text box once it
// exists, a detached box before.
TextBox& Text1();

// The detached box that stands in while no window's box is installed.
DetachedTextBox& DetachedText1();

}  // namespace platform
