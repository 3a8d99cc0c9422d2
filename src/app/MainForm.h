#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/PartTableModel.h"
#include "app/PathBox.h"
#include "app/WindowMemory.h"
#include "design/Design.h"
#include "netlist/NetlistReader.h"
#include "symbol/PartEdit.h"
#include "symbol/PartList.h"
#include "symbol/PartListFile.h"
#include "symbol/SymbolAssignment.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QSplitter;
class QStackedWidget;
class QTableView;

namespace pcbprep {

class Dialogs;
class FrmAbout;
class Form2;
class Form3;

// The main window. Handlers read the boxes, call one core operation and write the
// results back; the operations themselves live in core.
class MainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainForm(Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainForm() override;

  Design& design() { return design_; }
  // Keeps window places and recent files in this store from now on and puts the
  // window back as it was left.
  void useMemory(std::unique_ptr<WindowMemory> memory);
  const WindowMemory& memory() const { return *memory_; }
  // Loads a netlist file as 開く does after its dialog.
  void openNetlistFile(const QString& path);
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
  // Whether the raw view is still taking in the loaded netlist's text.
  bool rawTextFilling() const { return !rawRest_.isEmpty(); }
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
  // The symbol assignment and its results on the window; nothing shown when the parts do
  // not fit.
  SymbolAssignment assignSymbols(const SymbolSizes& sizes);
  // Loads a chosen netlist in the given tables; false when it was refused.
  bool loadNetlist(const QString& path, const Capacity& capacity, LoadResult& result);
  // Shows a netlist's text in the raw view. A long text goes in a slice at a time from
  // the event loop, so the window answers while it is laid out; a search first takes
  // in the rest at once.
  void showRawText(QString text);
  void appendRawSlice(int generation);
  void finishRawText();
  QString rawRest_;            // the text still to go into the raw view
  qsizetype rawRestFrom_ = 0;  // where in it
  int rawGeneration_ = 0;      // counted up by every new text, so an old slice stops
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
  // The title names the loaded netlist and marks part-list work not saved yet.
  void updateTitle();
  void fillRecentMenu();
  // The loaded netlist's base name for the names save dialogs propose.
  QString boardName() const;
  std::unique_ptr<WindowMemory> memory_ = std::make_unique<WindowMemory>();

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
  // The eight size boxes (Combo1 ... Combo6) in the order of SymbolSizeBoxes().
  std::vector<QComboBox*> sizeBoxes_;
  // --- end symbol assignment and part edit panel ---

  // --- Part-list and netlist files (MainFormFiles.cpp) ---
 public:
  void mnHozonClick();
  void mnYobikomiClick();
  // 部品リスト → KiCad 基板出力: the board for the layout tool (MainFormBoard.cpp).
  void mnKicadClick();

 private:
  // Saves the part list through the save dialog; false when nothing was saved.
  bool savePartList();
  // The question before unsaved parts are lost, only when there are any; true when the
  // part list may be replaced or the window closed.
  bool mayDiscardPartList();
  // Whether the part list holds work not in its file.
  PartListSaveState partListSaved_;
  // The bytes of the loaded netlist file, which the netlist save writes unchanged.
  std::string netFileBytes_;
  // Where the part list came from. Opening another netlist keeps the part list (it may
  // be a revised netlist of the same board), so the window names its source and marks
  // it when it is not the netlist loaded now: another path, or the same file read again
  // with other contents. A list loaded from a part-list file belongs to the netlist
  // loaded then, or to the first one opened after it.
  struct PartListSource {
    QString path;  // the netlist or the part-list file
    QString netlistPath;
    std::size_t netlistHash = 0;
    bool partListFile = false;  // loaded from a part-list file, not built from a netlist
  };
  PartListSource partSource_;
  void setPartSourceToNetlist();
  // A part list loaded from a file while no netlist was loaded takes the one opened now.
  void claimPartSourceNetlist();
  std::size_t netlistBytesHash() const;
  // Whether the part list is known to come from another netlist than the loaded one.
  bool partListFromOtherNetlist() const;
  void showPartSource();
  // --- end part-list and netlist files ---

  // --- Part list as a table (MainFormParts.cpp) ---
  // The table mirrors PartTable as of the last refresh of List1; its proxy orders the
  // rows by the clicked heading without touching PartTable or List1.
  PartTableModel* partModel_ = nullptr;
  QSortFilterProxyModel* partOrder_ = nullptr;
  QStackedWidget* partViews_ = nullptr;
  QSplitter* topSplitter_ = nullptr;  // netlist | net check | part list
  bool mirroringSelection_ = false;   // a selection set by the program, not the user
  void showPartTable();
  // Every column of the table at least as wide as its widest text and its heading:
  // fitted when the table is filled anew, widened when changed rows need it. The table
  // scrolls sideways when the columns are wider than it.
  void fitPartColumns(const PartTableModel::Changed& changed);
  std::vector<int> partColumnMinimum_;  // the width each column may not go below
  // Chooses List1's chosen part in the table too.
  void mirrorTableSelection();
  void partTableSelect(const QModelIndex& current);
  // --- end part list as a table ---

  // --- Placement image window (MainFormPlacement.cpp) ---
 public:
  // The placement image window while it is loaded, shown or hidden; null otherwise.
  Form2* form2() const;

 private:
  QPointer<Form2> form2_;
  // What the placement image shows: a part list (counted up whenever a netlist is
  // loaded or the part list is built or loaded anew) on a board size. The user's zoom
  // is kept only while it stays the same.
  struct ImageSubject {
    int partList = 0;
    int boardX = 0;
    int boardY = 0;
    bool operator==(const ImageSubject&) const = default;
  };
  int partListGeneration_ = 0;
  ImageSubject imageSubject_;
  // --- end placement image window ---

 public:
  // Widgets, named as the program's captions refer to them.
  // Netlist area.
  PathBox* Text1 = nullptr;                // path of the loaded netlist
  QLineEdit* Text6 = nullptr;              // load status: OK, or OVR above 2000 pins
  QLineEdit* Text5 = nullptr;              // number of nets
  QLineEdit* Text4 = nullptr;              // number of pins
  QPlainTextEdit* RichTextBox1 = nullptr;  // the netlist file as read
  QPushButton* Command13 = nullptr;        // back to the top of RichTextBox1
  QLineEdit* Text3 = nullptr;              // text to search for in RichTextBox1
  QPushButton* Command4 = nullptr;         // search

  QListWidget* List3 = nullptr;      // net list: name and pin count
  QListWidget* List2 = nullptr;      // each net with its pins
  QListWidget* List1 = nullptr;      // part list, one line per part
  QTableView* List1Table = nullptr;  // the part list as a table, in List1's place
  QLineEdit* Text10 = nullptr;       // number of parts
  QLabel* lblPartSource = nullptr;   // the netlist or file the part list came from

  // Net check.
  QPushButton* Command7 = nullptr;  // run the extended net check
  QPlainTextEdit* Text7 = nullptr;  // check report
  QLineEdit* Text26 = nullptr;      // number of open findings
  QLineEdit* Text25 = nullptr;      // number of short findings
  QLineEdit* Text24 = nullptr;      // number of duplicate pins
  QLineEdit* Text27 = nullptr;      // number of isolated pins

  // Symbol assignment.
  QPushButton* Command1 = nullptr;  // assign symbol names automatically
  QCheckBox* chkFootprints = nullptr;  // 回路図のフットプリントを使う: names from the netlist
  QComboBox* Combo1 = nullptr;  // capacitor size
  QComboBox* Combo2 = nullptr;  // resistor size
  QComboBox* Combo3 = nullptr;  // resistor-array size
  QComboBox* Combo4 = nullptr;  // coil size
  QComboBox* Combo7 = nullptr;  // test-point size
  QComboBox* Combo8 = nullptr;  // transistor size
  QComboBox* Combo5 = nullptr;  // diode size
  QComboBox* Combo6 = nullptr;  // LED size
  QLineEdit* Text9 = nullptr;   // number of parts without a symbol name

  // Part edit panel (EditPanel and PartEditHelpers in core).
  QLineEdit* Text11 = nullptr;       // reference
  QLineEdit* SYNNAME = nullptr;      // symbol name
  QPushButton* cmdPast = nullptr;    // last symbol name applied; a click copies it
  QComboBox* cmbRireki = nullptr;    // symbol names applied, newest first
  QLineEdit* Text20 = nullptr;       // X
  QLineEdit* Text21 = nullptr;       // Y
  QLineEdit* Text17 = nullptr;       // side, shown text; a click cycles it
  QLineEdit* Text23 = nullptr;       // class, shown text; a click cycles it
  QLineEdit* Text2 = nullptr;        // main-part name
  QPushButton* Command10 = nullptr;  // last main-part name stored; a click copies it
  QComboBox* Combo11 = nullptr;      // main and semi parts to choose a main part from
  QLineEdit* Text12 = nullptr;       // group
  QPushButton* Command11 = nullptr;  // last group stored; a click copies it
  QPushButton* Command2 = nullptr;   // store the panel into the part table
  QPushButton* Command8 = nullptr;   // choose the symbol name from a part file
  QLineEdit* Text8 = nullptr;        // size (shown only)

  // Pre-placement.
  std::array<QLineEdit*, 10> txtSkipNet{};  // nets the main-part assignment does not follow
  QPushButton* Command6 = nullptr;          // assign main parts
  QPushButton* Command15 = nullptr;         // clear every main part
  QPushButton* Command12 = nullptr;         // group by the method in Combo10
  QComboBox* Combo10 = nullptr;             // grouping method (GroupingMethodItems)
  std::array<QPushButton*, 2> Command5{};   // determine the coordinates
  QRadioButton* Option1 = nullptr;          // coordinates by main part
  QRadioButton* Option2 = nullptr;          // coordinates by group
  QLineEdit* Text14 = nullptr;              // board width (mm) for the placement image
  QLineEdit* Text15 = nullptr;              // board height (mm)
  QPushButton* Command9 = nullptr;          // show the placement image (Form2)

  QPushButton* Command14 = nullptr;  // open the board outline window (Form3)

  QPushButton* Command3 = nullptr;  // add a part: empties the edit panel
  QRadioButton* Option3 = nullptr;  // display mode: standard (List1)
  QRadioButton* Option4 = nullptr;  // display mode: database (List1Table)

  // Present without an action.
  QPushButton* Command16 = nullptr;
  QPushButton* Command17 = nullptr;
  QPushButton* Command18 = nullptr;

  QAction* mnOpen = nullptr;         // open a netlist
  QAction* mnLarge = nullptr;        // 大規模ネットリスト: the large tables (remembered)
  QMenu* mnRecent = nullptr;         // the netlists opened last, newest first
  QAction* mnsave = nullptr;         // save the loaded netlist's bytes under a new name
  QAction* mnExit = nullptr;         // close the window (asks before unsaved parts are lost)
  QAction* mnHozon = nullptr;        // part list: save as a part-list file
  QAction* mnYobikomi = nullptr;     // part list: load a part-list file
  QAction* mnKicad = nullptr;        // part list: write a KiCad board
  QAction* mnHelpVersion = nullptr;  // version window (FrmAbout)
};

}  // namespace pcbprep
