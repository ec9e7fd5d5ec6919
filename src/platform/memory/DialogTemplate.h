#pragma once
// A dialog template as the in-memory Windows builds dialogs from it: the
// caption, the size and the controls in template order.

#include <string>
#include <vector>

namespace memory {

enum class ControlKind { PushButton, DefaultPushButton, AutoRadioButton, Edit, Static, GroupBox, Icon };

struct ControlTemplate {
  int id = 0;
  ControlKind kind = ControlKind::Static;
  std::string text;
  bool enabled = true;
  bool group = false;  // starts a group (WS_GROUP), which radio buttons keep to
};

struct DialogTemplate {
  std::string caption;
  int widthDlu = 0;  // size in dialog units
  int heightDlu = 0;
  bool systemMenu = true;
  std::vector<ControlTemplate> controls;
};

}  // namespace memory
