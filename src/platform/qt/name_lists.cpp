#include "platform/qt/name_lists.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>

#include "platform/errors.h"
#include "platform/forms/lists.h"
#include "platform/qt/caption_text.h"
#include "platform/qt/convert.h"

namespace kv::view {

namespace {
QString lastPart(const std::string& folder) {
  if (folder == "/") return QStringLiteral("/");
  const auto slash = folder.find_last_of('/');
  return QString::fromStdString(slash == std::string::npos ? folder : folder.substr(slash + 1));
}
}  // namespace

NameListModel::NameListModel(const ViewWidget& widget, forms::NameList& list, QObject* parent)
    : QAbstractListModel(parent),
      widget_(widget),
      list_(list),
      dirs_(list.kind() == forms::Kind::DirList ? static_cast<forms::DirListBox*>(&list)
                                                : nullptr) {
  reload();
}

int NameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : openFolderCount() + count_;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !widget_.attached()) return {};
  const int row = index.row();
  const int open = openFolderCount();
  if (role == Qt::DisplayRole) {
    // The tree is shown by a small step per level, and only for the first few: in a panel
    // 129 pixels wide the names matter more than the depth.
    const auto indent = [](int level) { return QString(std::min(level, 3), QLatin1Char(' ')); };
    if (row < open) return indent(row) + openFolders_[row];
    const QString name = QString::fromStdString(list_.List(row - open));
    return open > 0 ? indent(open) + name : name;
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
  if (role == Qt::DecorationRole && dirs_) {
    if (openIcon_.isNull()) {
      openIcon_ = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
      closedIcon_ = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    }
    return row < open ? openIcon_ : closedIcon_;
  }
  return {};
}

void NameListModel::reload() {
  beginResetModel();
  openFolders_.clear();
  if (dirs_ && widget_.attached())
    for (const std::string& folder : dirs_->openFolders()) openFolders_.push_back(lastPart(folder));
  count_ = widget_.attached() ? list_.ListCount() : 0;
  endResetModel();
}

int NameListModel::rowOf(int entry) const {
  return openFolderCount() + entry;  // -1: the folder itself, the last open folder
}

int NameListModel::entryOf(int row) const {
  return row - openFolderCount();
}

// ---- NameListView ------------------------------------------------------------------------

NameListView::NameListView(FormWindow& owner, forms::NameList& list, QWidget* parent)
    : QListView(parent), ViewWidget(owner, list), list_(list), model_(*this, list, this) {
  // Every row is as high as the first: the view never measures 10,000 names one by one.
  setUniformItemSizes(true);
  setModel(&model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  applyLook();
  showSelection();
}

void NameListView::applyLook() {
  const forms::Control& c = control();
  QPalette p = palette();
  p.setColor(QPalette::Base, colour(c.BackColor()));
  p.setColor(QPalette::Window, colour(c.BackColor()));
  p.setColor(QPalette::Text, colour(c.ForeColor()));
  setPalette(p);
  setFont(scaledCaptionFont(c));
  // Icons no taller than a line of the design's font.
  const int line = QFontMetrics(font()).height();
  setIconSize(QSize(std::min(12, line), std::min(12, line)));
}

void NameListView::apply(unsigned changes) {
  if (changes & (forms::kChangeItems | forms::kChangeRefresh)) model_.reload();
  if (changes & (forms::kChangeColours | forms::kChangeFont)) applyLook();
  if (changes & (forms::kChangeItems | forms::kChangeSelection | forms::kChangeRefresh))
    showSelection();
}

void NameListView::showSelection() {
  const int entry = list_.ListIndex();
  const int row = entry >= 0 || model_.openFolderCount() > 0 ? model_.rowOf(entry) : -1;
  if (row < 0 || row >= model_.rowCount()) {
    selectionModel()->clearSelection();
    return;
  }
  const QModelIndex index = model_.index(row);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  // A hidden list is not laid out for nothing (the file panel starts hidden); it scrolls to
  // its entry when it is shown.
  if (isVisible()) scrollTo(index);
}

void NameListView::showEvent(QShowEvent* event) {
  QListView::showEvent(event);
  if (currentIndex().isValid()) scrollTo(currentIndex());
}

void NameListView::pressRow(int row) {
  const int entry = model_.entryOf(row);
  if (row < 0 || entry < 0 || entry >= list_.ListCount()) return;
  step([&] { list_.inputSelect(entry); });
}

void NameListView::openRow(int row) {
  if (row < 0 || row >= model_.rowCount()) return;
  if (list_.kind() == forms::Kind::DirList) {
    auto& folders = static_cast<forms::DirListBox&>(list_);
    const int entry = model_.entryOf(row);
    // The open folders count up from -1 (the folder itself) towards the root.
    const int target = entry >= 0 ? entry : -(model_.openFolderCount() - row);
    step([&] { folders.inputOpen(target); });
  } else {
    step([&] { list_.inputDblClick(); });
  }
}

void NameListView::keyPressEvent(QKeyEvent* event) {
  const int count = model_.rowCount();
  const int open = model_.openFolderCount();
  const int current = list_.ListIndex() >= 0 ? model_.rowOf(list_.ListIndex()) : open - 1;
  const int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)));
  int row = -2;
  switch (event->key()) {
    case Qt::Key_Up:
      row = current - 1;
      break;
    case Qt::Key_Down:
      row = current + 1;
      break;
    case Qt::Key_PageUp:
      row = current - page;
      break;
    case Qt::Key_PageDown:
      row = current + page;
      break;
    case Qt::Key_Home:
      row = open;
      break;
    case Qt::Key_End:
      row = count - 1;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      openRow(current);
      return;
    default:
      QListView::keyPressEvent(event);
      return;
  }
  if (count > open) pressRow(std::clamp(row, open, count - 1));
}

// ---- DriveCombo --------------------------------------------------------------------------

DriveCombo::DriveCombo(FormWindow& owner, forms::NameList& list, QWidget* parent)
    : QComboBox(parent), ViewWidget(owner, list), list_(list), model_(*this, list, this) {
  // The popup's list is made when it first opens (showPopup), not with the window.
  setModel(&model_);
  setMouseTracking(true);
  // Volume names need no caption font; the desktop's is the cheaper to set up.
  if (!list.FontName().empty()) setFont(scaledCaptionFont(list));
  connect(this, &QComboBox::activated, this, [this](int row) {
    if (applying_ || !attached()) return;
    step([&] { list_.inputSelect(row); });
  });
  showSelection();
}

void DriveCombo::apply(unsigned changes) {
  if (changes & (forms::kChangeItems | forms::kChangeRefresh)) model_.reload();
  if (changes & forms::kChangeFont) setFont(scaledCaptionFont(list_));
  showSelection();
}

void DriveCombo::showPopup() {
  if (!popupMade_) {
    popupMade_ = true;
    if (auto* list = qobject_cast<QListView*>(view())) list->setUniformItemSizes(true);
  }
  QComboBox::showPopup();
}

void DriveCombo::changeEvent(QEvent* event) {
  // QComboBox answers a new font by making its popup and laying out every item in it, which the
  // window's start does not need: the popup takes the font it inherits when it is first opened.
  if (event->type() == QEvent::FontChange && !popupMade_) {
    QWidget::changeEvent(event);
    update();
    return;
  }
  QComboBox::changeEvent(event);
}

void DriveCombo::showSelection() {
  // The drive list shows its drive whether or not an entry was picked.
  int row = list_.ListIndex();
  if (row < 0) {
    const auto& drive = static_cast<forms::DriveListBox&>(list_).Drive();
    for (int i = 0; i < list_.ListCount(); ++i)
      if (list_.List(i) == drive) row = i;
  }
  applying_ = true;
  setCurrentIndex(row);
  applying_ = false;
}

}  // namespace kv::view
