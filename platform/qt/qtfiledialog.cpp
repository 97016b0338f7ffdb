#include "platform/qt/qtfiledialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QListView>
#include <QLocale>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

#include "platform/qt/qtmodal.h"

namespace platform {

namespace {

// The detail view's size, type and date in Spanish whatever the machine's
// locale: Qt writes them in the system locale and names file types in
// English ("Folder") or from the desktop's type database, which has no
// word for our ".mapa" files.
class DetallesEnEspanol final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() == 0)
      return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QFileInfo info = files->fileInfo(source);
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    switch (index.column()) {
      case 1:
        return info.isDir()
                   ? QString()
                   : es.formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
      case 2:
        if (info.isRoot()) return QStringLiteral("Unidad");
        if (info.isDir()) return QStringLiteral("Carpeta");
        return info.suffix().isEmpty() ? QStringLiteral("Archivo")
                                       : QStringLiteral("Archivo %1").arg(info.suffix());
      case 3:
        return es.toString(info.lastModified(), QStringLiteral("dd/MM/yyyy HH:mm"));
      default:
        return QIdentityProxyModel::data(index, role);
    }
  }
};

// Room for every word: the places list as wide as its longest entry (up to
// a quarter of the dialog), each column of the detail view as wide as its
// heading and its entries ("Última modificación" is wider than the dates
// under it), and the rest of the width for the names.
void makeRoom(QFileDialog& dialog) {
  dialog.resize(680, 420);
  auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
  auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!places || !splitter || !view) return;
  const int width =
      std::min(places->sizeHintForColumn(0) + 2 * places->frameWidth() + 4, dialog.width() / 4);
  splitter->setSizes({width, dialog.width() - width});
  QHeaderView* header = view->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
}

}  // namespace

std::optional<FileChoice> QtFileDialog::open(const std::string& proposed) {
  return run(false, proposed);
}

std::optional<FileChoice> QtFileDialog::save(const std::string& proposed) {
  return run(true, proposed);
}

std::optional<FileChoice> QtFileDialog::run(bool saving, const std::string& proposed) {
  QFileDialog dialog(parent_);
  // Qt's own dialog: the same on every desktop and reachable through accessibility.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new DetallesEnEspanol(&dialog));
  makeRoom(dialog);
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Any name is returned, even for opening: the rules report a file that
  // cannot be read, as they do for one that is corrupt.
  dialog.setFileMode(QFileDialog::AnyFile);
  // The programs replace the file they save without asking.
  if (saving) dialog.setOption(QFileDialog::DontConfirmOverwrite);

  if (!proposed.empty()) {
    const QFileInfo info(QString::fromStdString(proposed));
    if (info.isDir()) {
      dialog.setDirectory(info.absoluteFilePath());
    } else {
      dialog.setDirectory(info.absolutePath());
      dialog.selectFile(info.fileName());
    }
  }

  if (execModal(dialog) != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  const QFileInfo info(chosen.first());
  if (info.fileName().isEmpty()) return std::nullopt;  // only a folder was given
  return FileChoice{chosen.first().toStdString(), info.fileName().toStdString()};
}

}  // namespace platform
