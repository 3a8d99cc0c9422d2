#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "outline/OutlineControls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSplitter;
class QStatusBar;

namespace pcbprep {

class Dialogs;
class OutlinePreview;

// The board outline window: collects the outline settings and writes the DBL file.
// Closing only hides it, so the settings survive until the program ends.
class Form3 : public QWidget {
  Q_OBJECT

 public:
  explicit Form3(Dialogs& dialogs, QWidget* parent = nullptr);

  // The window's boxes as plain values, numbers read by the numeric-field rule.
  OutlineSettings readSettings() const;
  // Sets every box that is a setting; the others keep what they show.
  void showSettings(const OutlineSettings& settings);

  void command1Click();  // generate, show and save
  void command2Click();  // close
  void command3Click();  // load settings from a file
  void command4Click();  // save the settings to a file
  void dxfClick();       // save the drawing of the settings as DXF, shown layers only
  // セット and クリア: every check box of the frame data (Command5, Command6) or of the
  // film titles (Command7, Command8).
  void setFrameChecks(bool checked);
  void setFilmChecks(bool checked);
  void applyBoardType(BoardType type);
  // The loaded netlist's base name, which the save dialogs propose; empty for none.
  void setBoardName(const QString& name) { boardName_ = name; }
  // Shows what the current settings generate: the record text and its drawing.
  void refreshDrawing();

 private:
  void buildUi();
  void loadForm();
  void followSettings();
  // Runs a change of several boxes and then draws once.
  template <typename Change>
  void changeTogether(Change&& change);
  void setSettingBoxes(const OutlineSettings& settings);
  QGroupBox* buildOutlineFrame();
  QGroupBox* buildFrameFrame();
  QGroupBox* buildTextFrame();
  QGroupBox* buildSilkFrame();

  Dialogs& dialogs_;
  bool redrawHeld_ = false;  // set while changeTogether sets several boxes
  QString boardName_;
  QString proposedName(const QString& extension) const;
  // The first number or text box whose text cannot go into a file.
  std::optional<OutlineSettingProblem> boxProblem() const;
  // Warns of such a box, naming it by its label; true when there is one.
  bool refuseBadBoxes();
  // A status line, after the warning the settings deserve (OutlineSettingsWarning).
  void showStatus(const QString& message);

 public:
  // Outline data.
  QGroupBox* Frame3 = nullptr;
  QLineEdit* Text4 = nullptr;
  QLineEdit* Text5 = nullptr;
  QCheckBox* Check17 = nullptr;
  QCheckBox* Check18 = nullptr;
  QCheckBox* Check21 = nullptr;
  QCheckBox* Check19 = nullptr;
  QCheckBox* Check23 = nullptr;
  QComboBox* Combo1 = nullptr;
  QComboBox* Combo2 = nullptr;
  QLineEdit* Text13 = nullptr;
  QCheckBox* Check24 = nullptr;
  QGroupBox* Frame6 = nullptr;
  QRadioButton* Option6 = nullptr;
  QRadioButton* Option5 = nullptr;
  QRadioButton* Option4 = nullptr;
  QLineEdit* Text23 = nullptr;

  // Frame data.
  QGroupBox* Frame2 = nullptr;
  QCheckBox* Check15 = nullptr;
  QCheckBox* Check20 = nullptr;
  QLineEdit* Text6 = nullptr;
  QCheckBox* Check16 = nullptr;
  QCheckBox* Check22 = nullptr;
  QCheckBox* Check26 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;

  // Texts and film titles; Check1 to Check14 in window order.
  QGroupBox* Frame1 = nullptr;
  QLineEdit* Text1 = nullptr;
  std::array<QCheckBox*, kFilmTitleCount> filmChecks{};
  QCheckBox* Check27 = nullptr;
  QLineEdit* Text15 = nullptr;
  QCheckBox* Check31 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command8 = nullptr;

  // Silk texts.
  QGroupBox* Frame5 = nullptr;
  QCheckBox* Check28 = nullptr;
  QLineEdit* Text8 = nullptr;
  QLineEdit* Text9 = nullptr;
  QLineEdit* Text10 = nullptr;
  QCheckBox* Check29 = nullptr;
  QLineEdit* Text16 = nullptr;
  QLineEdit* Text18 = nullptr;
  QLineEdit* Text19 = nullptr;
  QCheckBox* Check30 = nullptr;
  QLineEdit* Text17 = nullptr;
  QLineEdit* Text20 = nullptr;
  QLineEdit* Text21 = nullptr;
  QCheckBox* Check25 = nullptr;

  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* cmdDxf = nullptr;           // DXF出力
  QPlainTextEdit* RichTextBox1 = nullptr;  // text of the file the settings generate
  OutlinePreview* Preview = nullptr;       // drawing of the same file
  QScrollArea* SettingsArea = nullptr;     // the frames and buttons above
  QSplitter* Splitter = nullptr;           // settings | record text and drawing
  QSplitter* DrawingSplitter = nullptr;    // record text | drawing
  QStatusBar* StatusBar = nullptr;         // what was saved or loaded where
};

}  // namespace pcbprep
