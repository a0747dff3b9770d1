#pragma once

#include "model/KeyEntryState.h"
#include "model/KeypadClass.h"
#include "platform/FileDialog.h"
#include "ui/main/DefinitionDocument.h"
#include "ui/main/EditCommands.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QRadioButton;
class QSlider;
class QTabWidget;
class QToolButton;
class TfrmOverview;
class QUndoStack;
class TfrmParameters;
class TfrmPreview;
class KeypadFindings;
class TKeypadButton;
class TMacroGrid;
class TOnScreenKey;
struct LeftRecovery;

// The main window: the keypad picture with its two level tabs, the macro view of the selected key and
// level, and the commands around them. One class; its code is split into files by concern:
//   MainWindowCreate.cpp  creation, the title and the Save button following the document, showing
//   ToolBar.cpp           the toolbar
//   KeypadPanel.cpp       the keypad picture, key types and level tabs
//   MacroHeader.cpp       the macro header with name and auto-repeat
//   MacroView.cpp         the macro grid, its menu and the redraw of the whole macro view
//   PortStatus.cpp        the port status panel
//   DocumentCommands.cpp  New, Open, Save, Save As and the unsaved-changes question on closing
//   ExternalPrograms.cpp  Download, Test, Set Port, Key Labels and Properties
//   HelpMenu.cpp          the Help menu with the help documents and the About box
//   MacroEntry.cpp        inserting and removing codes: on-screen keys, typing in the grid, modifier flags
//   OnScreenKeyboard.cpp  the on-screen PC keyboard's keys
//   DelayControls.cpp     the delay track bar beside the delay key
//   ManualEntry.cpp       the manual entry box for raw bytes
//   MacroCommands.cpp     the grid menu's LED commands and erasing a macro
//   Accessibility.cpp     accessible names, the keyboard order and the keys that stand in for the mouse
//   Recovery.cpp          restoring the recovery copy of unsaved changes at start-up
//   ViewMenu.cpp          the View button: overview, preview and printed key labels
//   EditHistory.cpp       undo and redo: every edit recorded as a step and shown where it happened
// The open document (definition, editing history, unsaved changes, paths, recovery copy) is a
// TDefinitionDocument of its own; the window shows what it announces.
//   ClipboardCommands.cpp cut, copy and paste of codes, macros and keys; the menus' edit items
//   KeyMoves.cpp          copying, clearing and dragging whole keys
class TfrmMain final : public QWidget, public IKeyEntryState {
    Q_OBJECT
public:
    // FormCreate: makes the user's folders, creates the empty keypad definition and the controls,
    // and loads the definition file named by the first of arguments (the command line without the
    // program's name), if any. Throws FolderError when a folder cannot be created.
    explicit TfrmMain(const QStringList& arguments, QWidget* parent = nullptr);
    // Removes the recovery copy, as at every normal end.
    ~TfrmMain() override;

    // The open document, living as long as the window.
    TDefinitionDocument& GetDocument() const { return *fDocument; }
    // The one keypad definition, living as long as the window; other windows read and change it.
    TKeypadClass& GetKeypad() { return Keypad; }
    // documents folder + Brimlow + Keywright24
    const QString& GetUserFolder() const { return UserFolder; }
    bool HasChangesPending() const { return fDocument->IsModified(); }
    // The file the definition belongs to; the bare name "untitled.ckd" until it is loaded or saved.
    const QString& CurrentDocumentPath() const { return fDocument->Path(); }

    // Sets the unsaved-changes state through the document. Set: the definition was changed without a
    // step of the editing history, so it stays unsaved until a save, whatever is undone or redone.
    // Cleared: the present state is the saved one. The Save button and the title's "*" follow.
    void ChangesPending(bool Value) {
        Value ? fDocument->MarkChangedOutsideHistory() : fDocument->MarkSaved();
    }
    // Shows the type of the key selected in Keypad as the picture of the given key button.
    void CopyKeyParametersToScreen(QToolButton* Sender);
    // Redraws the macro view from Keypad and makes cell GridIndex the cursor.
    void CopyDataToScreen(int GridIndex);
    // Shows the given modifier set on the on-screen Shift and Ctrl buttons.
    void UpdateKeyboard(TSetModifierKeys mkset);
    // Shows the port the loader is set to on panelPort.
    void ShowPortStatus();
    // The window's refresh after a definition file at path was read into Keypad: title, key
    // pictures, first level tab with key 0 and level 0, macro view, no unsaved changes, and the
    // path as the current document.
    void ShowLoadedDefinition(const QString& path);
    // After the definition was reset or read: every key button's type picture, then the first level
    // tab with key 0 and level 0 selected (the macro view is the caller's).
    void ShowKeyTypesAndSelectFirstKey();
    // Colours the keypad panel by the selected level.
    void ColourKeypadPanel();

    // Document commands and external programs
    // Creates the keypad properties dialog, hidden, for the Properties command to show again and again.
    void CreateParametersDialog();
    // The quoted path of the download image that Download hands to the loader; empty when none is known.
    const QString& GetDownloadFileName() const { return fDocument->DownloadFileName(); }

    // Recovery.cpp: at start-up, when a program before this one ended with unsaved changes and left
    // their recovery copy, asks whether to restore them; Restore opens them as their document with
    // the unsaved mark set, Discard removes the copy. Nothing at all when there is none.
    void OfferRecovery();

    // MacroEntry.cpp: what key entry reads when a key goes into a macro.
    int GetModifiers() const override;
    bool IsPcShiftHeld() const override;
    bool IsPcCapsLockOn() const override;

    // EditHistory.cpp: the editing history, made on the first edit; null before.
    QUndoStack* EditHistoryIfMade() const { return fDocument->HistoryIfMade(); }
    void UndoEdit() { fDocument->Undo(); }
    void RedoEdit() { fDocument->Redo(); }

    // ClipboardCommands.cpp: the grid's selected codes (the cursor cell without a range) and the
    // selected macro through the system clipboard. Copying reports whether there was a code to copy.
    bool CopyCodes();
    void CutCodes();
    void PasteCodes();
    void CopyMacro();
    void PasteMacro();

    // ViewMenu.cpp: selects key (0 to 23) and level (0 or 1) as clicking its key button and level tab
    // does, and brings the window to the front.
    void SelectKeyAndLevel(int key, int level);

signals:
    // After every redraw of the macro view: the selection, the view mode or the macro changed.
    void SelectionChanged();
    // The codes are shown anew: the macro view switched between text and hexadecimal, or the
    // computer's keyboard layout changed.
    void ViewModeChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Document commands: closing asks about unsaved changes (FormCloseQuery).
    void closeEvent(QCloseEvent* event) override;

private:
    // MainWindowCreate.cpp
    void FormCreate(const QStringList& arguments);
    void LoadStartupFile(const QString& path);
    void ShowUntitled();
    // The title: the program's name and the file name of documentPath, with "*" while modified.
    void ShowDocumentTitle(const QString& documentPath);
    // The title's "*" and the Save button for the document's modified state.
    void ShowUnsavedState(bool unsaved);
    void FormShow();
    void ApplyWindowColours();

    // ToolBar.cpp
    void CreateToolBar();

    // KeypadPanel.cpp
    void CreateKeypadPanel();
    void CreateKeyTypeMenu();
    void CreateLevelTabs();
    void SpeedButton1Click(TKeypadButton* Sender);
    void SpeedButton1MouseDown(TKeypadButton* Sender);
    void OpenKeyTypeMenu(TKeypadButton* Sender, const QPoint& globalPosition);
    // Shows key and level selected on the key buttons and the level tabs, without a redraw.
    void ShowKeyAndLevel(int key, int level);
    void popmenKeyTypePopup();
    void KeyTypeMenuItemClick(QAction* Sender);
    void TabControlLevelChange(int index);

    // MacroHeader.cpp
    void CreateMacroHeader();
    void chkboxAutorepeatClick(bool checked);
    bool EditNameKeyUp(QKeyEvent* event);
    bool EditNameKeyDown(QKeyEvent* event);
    void EditNameTextEdited();
    void StoreMacroName();
    void ShowMacroName(const QString& name);

    // MacroView.cpp
    void CreateGrid();
    void CreateGridMenu();
    bool GridSelectCell(int column, int row);
    void GridMouseDown(const QPoint& globalPosition);
    void menuitemViewKeysAsTextClick();
    void menuitemViewKeysAsHexClick();

    // PortStatus.cpp
    void CreatePortPanel();

    // DocumentCommands.cpp
    void SetUpDocumentCommands();
    void NewMenuItemClick();
    void OpenMenuItemClick();
    bool SaveMenuItemClick();
    bool SaveAsMenuItemClick();
    bool SaveDefinitionAs(const QString& path);
    bool FormCloseQuery();
    bool AskToSaveChanges(bool clearChangesOnNo);

    // Recovery.cpp
    void RestoreRecovery(LeftRecovery& left, const QString& document);

    // ExternalPrograms.cpp
    void SetUpExternalPrograms();
    void ToolBtnParametersClick();
    void ToolBtnDownloadClick();
    void ToolButtonTestClick();
    void btnWirepickClick();
    void ToolButtonKeyLabelsClick();

    // HelpMenu.cpp
    void CreateHelpMenu();
    void GettingStartedClick();
    void UserManualClick();
    void AboutMenuItemClick();

    // The windows the commands open
    TfrmParameters* frmParameters = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* GettingStarted = nullptr;
    QAction* UserManual = nullptr;
    QAction* AboutMenuItem = nullptr;
    // MacroEntry.cpp
    void CreateMacroEntry();
    bool AddData(int Value);
    bool AddByte(int Value);
    bool InsertionDone(const TEditStart& edit, bool inserted, std::int32_t position);
    // The message when the macro has no room for what goes in.
    void ShowMacroFull();
    void RemoveData(int Index);
    void spdBtnEscClick(TOnScreenKey* Sender);
    void sbtnLShiftClick(TOnScreenKey* Sender);
    bool GridKeyDown(QKeyEvent* event);
    bool GridKeyPress(QKeyEvent* event);
    bool GridKeyUp(QKeyEvent* event);
    void GridDblClick(int row, int column);

    // OnScreenKeyboard.cpp
    void CreateOnScreenKeyboard();

    // DelayControls.cpp
    void CreateDelayControls();
    void tbDelayValueChange();

    // ComputerLayout.cpp: the computer's keyboard layout and recorded pauses.
    void CreateTypingSettings();
    void AskComputerLayout();
    void ShowLayoutLegends();
    std::vector<std::int32_t> ValuesOnLayout(const LayoutTable& layout, const QString& text,
                                             QString& refusal) const;
    bool TypeOnComputerLayout(const LayoutTable& layout, const QString& text);
    bool RecordPause(quint64 timestamp);
    QAction* ComputerLayoutMenuItem = nullptr;
    QCheckBox* chkRecordPauses = nullptr;
    std::optional<quint64> fLastKeystroke;
    QHash<int, QString> fUsLegends;

    // ManualEntry.cpp
    void CreateManualEntry();
    bool edManualInputKeyPress(const QKeyEvent& event);
    void spdbtnInsertClick();
    bool InsertManualValue();
    void rbDecimalClick();
    void rbHexadecimalClick();

    // MacroCommands.cpp
    void ConnectGridMenuCommands();
    void mnuLedClick(QAction* Sender);
    void menuitemClearMacroClick();

    // Accessibility.cpp
    void CreateKeyboardAccess();
    void CreateCommandShortcuts();
    void NameControls();
    void ShowAccessibleKeyName(QToolButton* Sender);
    void ShowAccessibleMacroState();
    void SwitchLevel(int level);
    void MoveFocusAroundGrid(bool forward);

    // ViewMenu.cpp: the windows it opens are made on first use.
    void CreateViewMenu();
    void ToolBtnViewClick();
    void ShowOverview();
    void ShowPreview();
    void PrintKeyLabels();
    void AskKeyLabelSize();
    QToolButton* ToolBtnView = nullptr;
    QMenu* ViewMenu = nullptr;
    QAction* OverviewMenuItem = nullptr;
    QAction* PreviewMenuItem = nullptr;
    QAction* PrintKeyLabelsMenuItem = nullptr;
    QAction* KeyLabelSizeMenuItem = nullptr;
    TfrmOverview* frmOverview = nullptr;
    TfrmPreview* frmPreview = nullptr;
    // The checker's findings, which the overview and the preview both show: one check per change.
    std::shared_ptr<KeypadFindings> ViewFindings();
    std::shared_ptr<KeypadFindings> fViewFindings;

    // EditHistory.cpp
    TEditPlace PlaceAt(int cursor) const;
    TEditStart BeginMacroEdit() const;
    TEditStart BeginKeyEdit(std::initializer_list<int> keys, int shownKey) const;
    // Records the edit made since start as one step of the document's history (RecordEdit).
    bool FinishEdit(const TEditStart& start, std::optional<TEditPlace> placeAfter,
                    TDefinitionDocument::Unchanged unchanged = TDefinitionDocument::Unchanged::Ignored,
                    TDefinitionEdit::Merge merge = TDefinitionEdit::Merge::Never, int session = 0) {
        return fDocument->RecordEdit(start, placeAfter, unchanged, merge, session);
    }
    void ShowEditPlace(const std::optional<TEditPlace>& place);
    void RefreshKeyPictures();
    bool GridEditShortcut(const QKeyEvent& event);

    // ClipboardCommands.cpp
    void CreateGridEditItems();
    void UpdateGridEditItems();
    void CreateKeyEditItems();
    void UpdateKeyEditItems();
    bool InsertPastedValues(const std::vector<std::int32_t>& values);
    bool InsertPastedText(const QString& text);

    // KeyMoves.cpp
    void CopyKey();
    void PasteKey();
    void ClearKey();
    void KeyDropped(int sourceKey, int targetKey, bool copy);
    void ReplaceKeys(const TEditStart& start, int shownKey);

    // The keypad definition and the program's folders.
    TKeypadClass Keypad;
    QString UserFolder;
    // The open document: Keypad with its history, unsaved state, paths and recovery copy.
    std::unique_ptr<TDefinitionDocument> fDocument;
    // The file dialogs' settings; SaveDialog opens with the current document path.
    FileDialogOptions OpenDialog;
    FileDialogOptions SaveDialog;
    FileDialogOptions OpenKeyCapsDialog;

    // Toolbar
    QFrame* ToolBar1 = nullptr;
    QToolButton* ToolBtnNew = nullptr;
    QToolButton* ToolBtnOpen = nullptr;
    QToolButton* ToolBtnSave = nullptr;
    QToolButton* ToolBtnSaveAs = nullptr;
    QToolButton* ToolBtnParameters = nullptr;
    QToolButton* ToolBtnHelp = nullptr;
    QToolButton* ToolButtonKeyLabels = nullptr;
    QToolButton* btnWirepick = nullptr;
    QToolButton* ToolBtnDownload = nullptr;
    QToolButton* ToolButtonTest = nullptr;

    // Keypad picture and key types
    QFrame* pnlKeypad = nullptr;
    std::array<TKeypadButton*, KeyCount> KeyButtons{};
    QButtonGroup* KeyButtonGroup = nullptr;
    QMenu* popmenKeyType = nullptr;
    QAction* ShiftKeyMenuItem = nullptr;
    QAction* ToggleKeyMenuItem = nullptr;
    TKeypadButton* KeyTypeMenuButton = nullptr; // the button the key-type menu was opened for

    // Level tabs with the macro view and the port status on them
    QTabWidget* TabControlLevel = nullptr;
    QFrame* pnlMacroHeader = nullptr;
    QLabel* lblMacroHeader = nullptr;
    QLabel* lblSpaceAvailable = nullptr;
    QLabel* lblBytesUsed = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* EditName = nullptr;
    QCheckBox* chkboxAutoRepeat = nullptr;
    TMacroGrid* Grid = nullptr;
    QLabel* panelPort = nullptr;

    // The grid's context menu
    QMenu* popmenuClearMacro = nullptr;
    QAction* menuitemClearMacro = nullptr;
    QAction* menuitemViewKeysAsText = nullptr;
    QAction* menuitemViewKeysAsHex = nullptr;
    QAction* urnLEDOn1 = nullptr;
    QAction* urnLEDOn2 = nullptr;
    QAction* FlashLED1 = nullptr;
    // Its edit items after the LED and erase items, and the key-type menu's key items: added when first
    // opened.
    QAction* menuitemUndo = nullptr;
    QAction* menuitemRedo = nullptr;
    QAction* menuitemCut = nullptr;
    QAction* menuitemCopy = nullptr;
    QAction* menuitemPaste = nullptr;
    QAction* menuitemCopyMacro = nullptr;
    QAction* menuitemPasteMacro = nullptr;
    QAction* CopyKeyMenuItem = nullptr;
    QAction* PasteKeyMenuItem = nullptr;
    QAction* ClearKeyMenuItem = nullptr;

    // EditHistory.cpp
    bool fTyping = false;     // characters typed in the grid are going in
    int fNameEditSession = 0; // counts the times the name field got the focus
    std::optional<TEditStart> fParametersBeforeApply;

    // The on-screen keyboard's Shift and Ctrl buttons, which UpdateKeyboard releases. They come with
    // the on-screen keyboard; until it is created they are null and UpdateKeyboard skips them.
    QToolButton* sbtnLShift = nullptr;
    QToolButton* sbtnRShift = nullptr;
    QToolButton* sbtnLCtrl = nullptr;
    QToolButton* sbtnRCtrl = nullptr;

    // MacroEntry.cpp: the modifier flags (ModifierFlag), 0 at start, never saved.
    int Modifiers = 0;
    // OnScreenKeyboard.cpp
    QToolButton* spdbtnCapsLock = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    // DelayControls.cpp
    QFrame* Bevel1 = nullptr;
    QSlider* tbDelayValue = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    // ManualEntry.cpp
    QGroupBox* GroupBox1 = nullptr;
    QLabel* lblEnterData = nullptr;
    QLabel* lblManually = nullptr;
    QLineEdit* edManualInput = nullptr;
    QToolButton* spdbtnInsert = nullptr;
    QRadioButton* rbDecimal = nullptr;
    QRadioButton* rbHexadecimal = nullptr;

    bool bShownOnce = false;
};
