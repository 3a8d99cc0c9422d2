#include <QDir>
#include <QFileInfo>
#include <QRadioButton>

#include "app/BoardDialog.h"
#include "app/Dialogs.h"
#include "app/Form3.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "board/BoardOutline.h"
#include "board/FootprintLibrary.h"
#include "design/AppInfo.h"
#include "design/FileIO.h"
#include "placement/PlacementImage.h"

namespace pcbprep {

void MainForm::mnKicadClick() {
  const QString title = QStringLiteral("KiCad 基板出力");
  if (design_.partRows() == 0) {
    dialogs_.warn(this, title,
                  QStringLiteral("部品リストに部品がありません。先に部品リストを作ってください。"));
    return;
  }
  // The outline window is kept when closed; only an open one offers its settings.
  const bool outlineWindowOpen = form3_ && form3_->isVisible();
  BoardDialog dialog(this, dialogs_, outlineWindowOpen);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.remember();

  BoardInput input;
  if (const QString map = dialog.footprintMap(); !map.isEmpty()) {
    const FileReadResult read = ReadWholeFile(FileSystemPath(map));
    if (!read.ok()) {
      dialogs_.warn(this, title,
                    QStringLiteral("フットプリント対応表を読めません。\n%1\n%2")
                        .arg(map, QString::fromStdString(read.reason)));
      return;
    }
    if (const auto error = ReadFootprintMap(read.bytes, input.footprints)) {
      dialogs_.warn(this, title, Q(FootprintMapErrorMessage(T(map), *error)));
      return;
    }
  }
  if (dialog.outlineFromWindow() && outlineWindowOpen) {
    input.outline = OutlineDrawingOf(form3_->readSettings());
  } else if (!SetBoardSize(design_, T(Text14->text()), T(Text15->text()))) {
    dialogs_.warn(this, title, Q(BoardSizeRangeMessage()));
    return;
  }
  std::vector<std::filesystem::path> dirs;
  for (const QString& dir : dialog.footprintDirs()) dirs.emplace_back(FileSystemPath(dir));
  input.footprintDirs = FootprintLibraryFolders(dirs);
  input.groups = Option1->isChecked()   ? BoardGroups::kByMainPart
                 : Option2->isChecked() ? BoardGroups::kByGroup
                                        : BoardGroups::kNone;
  input.design = &design_;

  // Every board format, the KiCad board first; the extension chosen picks the writer.
  QString filter;
  for (const BoardFormat& format : BoardFormats()) {
    filter += (filter.isEmpty() ? QString() : QStringLiteral("|")) + Q(format.name) +
              QStringLiteral("|*") + QString::fromLatin1(format.extension);
  }
  const std::optional<QString> path = dialogs_.saveFile(
      this, filter,
      QFileInfo(Q(design_.NetFilePath)).dir().filePath(boardName() + QStringLiteral(".kicad_pcb")));
  if (!path) return;
  const BoardFormat* format = FindBoardFormat(FileSystemPath(*path));
  if (!format) {
    dialogs_.warn(this, title,
                  QStringLiteral("この拡張子の基板ファイルは書けません。\n%1").arg(*path));
    return;
  }
  BusyCursor busy;
  BoardOutput output;
  try {
    output = format->write(input, FileSystemPath(*path));
  } catch (const BoardError& error) {
    dialogs_.warn(this, title,
                  Q(error.message) + QStringLiteral("\nファイルは書き込んでいません。"));
    return;
  }
  for (const BoardFile& file : output.files) {
    const FileWriteResult written = WriteFileAtomic(file.path.string(), file.bytes);
    if (!written.ok()) {
      dialogs_.warn(this, title,
                    QStringLiteral("%1 に書き込めませんでした。\n%2")
                        .arg(QString::fromStdString(file.path.string()),
                             QString::fromStdString(written.reason)));
      return;
    }
  }
  if (!output.warnings.empty()) {
    QString text;
    for (const Text& warning : output.warnings) text += Q(warning) + QLatin1Char('\n');
    dialogs_.inform(this, title, text.trimmed());
  }
  showStatus(Q(output.summary));
}

}  // namespace pcbprep
