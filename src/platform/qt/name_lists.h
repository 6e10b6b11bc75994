#pragma once
// The drive, folder and file lists: model/view lists over the runtime's names. The lists do
// not select anything themselves: a click or a key asks the control, and the selection shown
// is the control's ListIndex.

#include <QAbstractListModel>
#include <QComboBox>
#include <QIcon>
#include <QListView>

#include "platform/qt/view_widget.h"

namespace kv::forms {
class NameList;
class DirListBox;
}  // namespace kv::forms

namespace kv::view {

// The rows of a list: the names of the control; for the folder list, the open folders above
// them (root first), as the folder list shows its place in the tree.
class NameListModel final : public QAbstractListModel {
 public:
  NameListModel(const ViewWidget& widget, forms::NameList& list, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The names changed (also the open folders of a folder list).
  void reload();
  // Row of the control's entry i (for the folder list, -1 is the folder itself).
  int rowOf(int entry) const;
  // Entry of a row: what the control calls it (negative for the open folders).
  int entryOf(int row) const;
  int openFolderCount() const { return static_cast<int>(openFolders_.size()); }

 private:
  const ViewWidget& widget_;
  forms::NameList& list_;
  forms::DirListBox* dirs_;  // the same control when it is a folder list
  std::vector<QString> openFolders_;
  int count_ = 0;
  mutable QIcon openIcon_, closedIcon_;  // looked up once, when first drawn
};

class NameListView final : public QListView, public ViewWidget {
 public:
  NameListView(FormWindow& owner, forms::NameList& list, QWidget* parent);
  void apply(unsigned changes) override;
  NameListModel& names() { return model_; }

  // What a press, a double click or a key does: asks the control.
  void pressRow(int row);
  void openRow(int row);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void showSelection();
  void applyLook();

  forms::NameList& list_;
  NameListModel model_;
};

// The drive list is a drop-down list, as the drive list control is.
class DriveCombo final : public QComboBox, public ViewWidget {
 public:
  DriveCombo(FormWindow& owner, forms::NameList& list, QWidget* parent);
  void apply(unsigned changes) override;
  void showPopup() override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void showSelection();
  forms::NameList& list_;
  NameListModel model_;
  bool applying_ = false;
  bool popupMade_ = false;
};

}  // namespace kv::view
