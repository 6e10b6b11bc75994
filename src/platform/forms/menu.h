#pragma once
// Menu items of a context menu, with check marks and sub-menus.

#include <memory>
#include <string>
#include <vector>

#include "platform/event.h"

namespace kv::forms {

class MenuItem {
 public:
  MenuItem(std::string name, std::string caption, MenuItem* parent = nullptr);
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& v);
  bool Checked() const { return checked_; }
  void setChecked(bool v);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool v);
  bool Visible() const { return visible_; }
  void setVisible(bool v);
  // The caption is a text of its own (a track's title, a chapter's name), not a described
  // caption: shown as it is, with no access key or translation, and "-" is no separator.
  bool Literal() const { return literal_; }
  void setLiteral(bool v);
  bool isSeparator() const { return !literal_ && caption_ == "-"; }
  MenuItem* parent() const { return parent_; }
  const std::vector<MenuItem*>& items() const { return items_; }

  Event<> Click;
  // Raised on the top item just before the menu pops up, so that what it shows is brought up to
  // date (a file gone since it was listed).
  Event<> Opening;
  // Raised on the top item of the menu after a caption, mark, enabled or visible state of any
  // item of it changed (the view of an open menu follows it).
  Event<MenuItem&> ItemChanged;

 private:
  std::string name_;
  std::string caption_;
  void changed();

  MenuItem* parent_;
  std::vector<MenuItem*> items_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool literal_ = false;
};

}  // namespace kv::forms
