#include "platform/TextBox.h"

namespace platform {
namespace {

TextBox* installedBox = nullptr;

}  // namespace

DetachedTextBox& DetachedText1() {
  static DetachedTextBox box;
  return box;
}

TextBox& Text1() { return installedBox ? *installedBox : DetachedText1(); }

void UseText1(TextBox* box) { installedBox = box; }

}  // namespace platform
