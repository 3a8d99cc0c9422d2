#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <string>

#include "design/Design.h"
#include "netlist/ListViews.h"
#include "symbol/PartEdit.h"
#include "symbol/PartListFile.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QStackedWidget;
class QTableView;

namespace pcbprep {

class Dialogs;
class FrmAbout;
class Form2;
class Form3;
class PartTableModel;

// The main window. Handlers read the boxes, call one core operation and write the
// results back; the operations themselves live in core.
class MainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainForm(Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainForm() override;

  Design& design() { return design_; }
  const ListBoxState& list1State() const { return list1_; }
  // Rebuilds (-1), appends or replaces the line of part p in List1 and shows it.
  void refreshPartList(int p);

  // Command handlers, public so the command line of a test can reach them too.
  void mnOpenClick();
  void mnsaveClick();
  void mnExitClick();
  void mnHelpVersionClick();
  void list1Click(int index);
  void list3Click(int index);
  void command4Click();   // search
  void command13Click();  // top
  void cmbRirekiClick();
  void cmdPastClick();
  void combo11Click();
  void command10Click();
  void command11Click();

  // Net check, symbols, part edit.
  void command7Click();
  void command1Click();
  void command2Click();
  void command3Click();  // add a part: an empty edit panel
  void command8Click();
  void text17Click();
  void text23Click();

  // Pre-placement.
  void command6Click();
  void command15Click();
  void command12Click();
  void command5Click(int index);
  void command9Click();

  // Board outline.
  void command14Click();

  // Display mode of the part list: List1 (標準) or the table (ﾃﾞｰﾀﾍﾞｰｽ).
  void option3Click();
  void option4Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Asks before unsaved part-list work is thrown away; closes the other windows too.
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildUi();
  void buildMenus();
  void loadForm();
  QWidget* buildNetlistArea();
  QWidget* buildListArea();
  QWidget* buildCheckArea();
  QWidget* buildPartListArea();
  QWidget* buildSymbolArea();
  QWidget* buildEditPanel();
  QWidget* buildPlacementArea();
  QWidget* buildOutlineArea();

  void addToolTips();
  void setReadingTabOrder();

  // Mirrors of core state into the widgets.
  void showList1();
  EditPanel readEditPanel() const;
  void showEditPanel(const EditPanel& panel);
  std::array<Text, 10> readSkipNets() const;
  void showSkipNets(const std::array<Text, 10>& boxes);
  // One line in the status bar on what the last command did.
  void showStatus(const QString& text);

  Dialogs& dialogs_;
  Design design_;
  ListBoxState list1_;
  QPointer<FrmAbout> about_;

  // --- Board outline window: created on first use, then kept with its settings. ---
  QPointer<Form3> form3_;
  // --- end board outline window ---

  // --- Symbol assignment and part edit panel (MainFormParts.cpp) ---
  // Core state of the panel's previous-input helpers (cmdPast, Command10, Command11,
  // cmbRireki, Combo11); the widgets only mirror it.
  PartEditHelpers partHelpers_;
  void showPartHelpers(bool selectNewestSymbol);
  // --- end symbol assignment and part edit panel ---

  // --- Part-list and netlist files (MainFormFiles.cpp) ---
 public:
  void mnHozonClick();
  void mnYobikomiClick();

 private:
  // Saves the part list through the save dialog; false when nothing was saved.
  bool savePartList();
  // Whether the part list holds work not in its file.
  PartListSaveState partListSaved_;
  // The bytes of the loaded netlist file, which the netlist save writes unchanged.
  std::string netFileBytes_;
  // --- end part-list and netlist files ---

  // --- Part list as a table (MainFormParts.cpp) ---
  // The table mirrors PartTable as of the last refresh of List1; its proxy orders the
  // rows by the clicked heading without touching PartTable or List1.
  PartTableModel* partModel_ = nullptr;
  QSortFilterProxyModel* partOrder_ = nullptr;
  QStackedWidget* partViews_ = nullptr;
  bool mirroringSelection_ = false;  // a selection set by the program, not the user
  void showPartTable();
  void partTableSelect(const QModelIndex& current);
  // --- end part list as a table ---

  // --- Placement image window (MainFormPlacement.cpp) ---
 public:
  // The placement image window while it is loaded, shown or hidden; null otherwise.
  Form2* form2() const;

 private:
  QPointer<Form2> form2_;
  // --- end placement image window ---

 public:
  // Widgets, named as the program's captions refer to them.
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text6 = nullptr;
  QLineEdit* Text5 = nullptr;
  QLineEdit* Text4 = nullptr;
  QPlainTextEdit* RichTextBox1 = nullptr;
  QPushButton* Command13 = nullptr;
  QLineEdit* Text3 = nullptr;
  QPushButton* Command4 = nullptr;

  QListWidget* List3 = nullptr;
  QListWidget* List2 = nullptr;
  QListWidget* List1 = nullptr;
  QTableView* List1Table = nullptr;  // the part list as a table, in List1's place
  QLineEdit* Text10 = nullptr;

  QPushButton* Command7 = nullptr;
  QPlainTextEdit* Text7 = nullptr;
  QLineEdit* Text26 = nullptr;
  QLineEdit* Text25 = nullptr;
  QLineEdit* Text24 = nullptr;
  QLineEdit* Text27 = nullptr;

  QPushButton* Command1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QComboBox* Combo2 = nullptr;
  QComboBox* Combo3 = nullptr;
  QComboBox* Combo4 = nullptr;
  QComboBox* Combo7 = nullptr;
  QComboBox* Combo8 = nullptr;
  QComboBox* Combo5 = nullptr;
  QComboBox* Combo6 = nullptr;
  QLineEdit* Text9 = nullptr;

  QLineEdit* Text11 = nullptr;
  QLineEdit* SYNNAME = nullptr;
  QPushButton* cmdPast = nullptr;
  QComboBox* cmbRireki = nullptr;
  QLineEdit* Text20 = nullptr;
  QLineEdit* Text21 = nullptr;
  QLineEdit* Text17 = nullptr;
  QLineEdit* Text23 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command10 = nullptr;
  QComboBox* Combo11 = nullptr;
  QLineEdit* Text12 = nullptr;
  QPushButton* Command11 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command8 = nullptr;
  QLineEdit* Text8 = nullptr;

  std::array<QLineEdit*, 10> txtSkipNet{};
  QPushButton* Command6 = nullptr;
  QPushButton* Command15 = nullptr;
  QPushButton* Command12 = nullptr;
  QComboBox* Combo10 = nullptr;
  std::array<QPushButton*, 2> Command5{};
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QLineEdit* Text14 = nullptr;
  QLineEdit* Text15 = nullptr;
  QPushButton* Command9 = nullptr;

  QPushButton* Command14 = nullptr;

  QPushButton* Command3 = nullptr;
  QPushButton* Command16 = nullptr;
  QPushButton* Command17 = nullptr;
  QPushButton* Command18 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option4 = nullptr;

  QAction* mnOpen = nullptr;
  QAction* mnsave = nullptr;
  QAction* mnExit = nullptr;
  QAction* mnHozon = nullptr;
  QAction* mnYobikomi = nullptr;
  QAction* mnHelpVersion = nullptr;
};

}  // namespace pcbprep
