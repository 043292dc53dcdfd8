#include "platform/system/TextBox.h"

#include "platform/system/Services.h"

namespace platform {
DetachedTextBox& DetachedText1() {
  static DetachedTextBox box;
  return box;
}

TextBox& Text1() {
  TextBox* box = CurrentServices().text1;
  return box ? *box : DetachedText1();
}

}  // namespace platform
