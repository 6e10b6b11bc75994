#include "platform/qt/menu_popup.h"

#include <QCursor>
#include <QMenu>
#include <map>

#include "platform/forms/menu.h"
#include "platform/qt/shown_text.h"

namespace kv::view {

namespace {

QString menuText(const forms::MenuItem& item) {
  return shownText(item.Caption(), item.Literal(), TextPlace::Menu);
}

class PopupBuilder {
 public:
  void fill(QMenu& menu, forms::MenuItem& parent) {
    for (forms::MenuItem* item : parent.items()) {
      if (item->isSeparator()) {
        actions_[item] = menu.addSeparator();
        actions_[item]->setVisible(item->Visible());
        continue;
      }
      QAction* action = nullptr;
      if (!item->items().empty()) {
        QMenu* sub = menu.addMenu(menuText(*item));
        fill(*sub, *item);
        action = sub->menuAction();
      } else {
        action = menu.addAction(menuText(*item));
        QObject::connect(action, &QAction::triggered, [this, item] { chosen_ = item; });
      }
      actions_[item] = action;
      update(*item);
    }
  }

  void update(forms::MenuItem& item) {
    const auto it = actions_.find(&item);
    if (it == actions_.end()) return;
    QAction* action = it->second;
    if (!item.isSeparator()) {
      action->setText(menuText(item));
      action->setCheckable(item.Checked());
      action->setChecked(item.Checked());
    }
    action->setEnabled(item.Enabled());
    action->setVisible(item.Visible());
  }

  forms::MenuItem* chosen() const { return chosen_; }

 private:
  std::map<const forms::MenuItem*, QAction*> actions_;
  forms::MenuItem* chosen_ = nullptr;
};

}  // namespace

forms::MenuItem* runPopupMenu(forms::MenuItem& menu, QWidget* parent, std::optional<QPoint> at) {
  QMenu popup(parent);
  PopupBuilder builder;
  builder.fill(popup, menu);
  const ScopedConnection follow =
      menu.ItemChanged.connect([&builder](forms::MenuItem& item) { builder.update(item); });
  if (at) {
    for (QAction* action : popup.actions())
      if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
        popup.setActiveAction(action);
        break;
      }
  }
  popup.exec(at.value_or(QCursor::pos()));
  return builder.chosen();
}

}  // namespace kv::view
