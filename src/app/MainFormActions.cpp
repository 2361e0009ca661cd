// The window's commands: the 23 actions built from the command table, the main menu and the three
// popups (entries with captions of their own that run their action), the one place that computes
// every command's enabled state, the Delete key of the four panes, and the mouse clicks on them.

#include "app/MainForm.h"

#include "app/ImageList.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTreeView>
#include <QTreeWidget>
#include <map>

namespace {
using Handler = void (TFormMain::*)();

const std::map<QString, Handler>& ExecuteHandlers() {
    static const std::map<QString, Handler> handlers{
        {QStringLiteral("ActFile_CreateArchive"), &TFormMain::ActFile_CreateArchiveExecute},
        {QStringLiteral("ActFile_OpenArchive"), &TFormMain::ActFile_OpenArchiveExecute},
        {QStringLiteral("ActFile_SaveArchive"), &TFormMain::ActFile_SaveArchiveExecute},
        {QStringLiteral("ActFile_SaveAsArchive"), &TFormMain::ActFile_SaveAsArchiveExecute},
        {QStringLiteral("ActFile_Exit"), &TFormMain::ActFile_ExitExecute},
        {QStringLiteral("ActBin_CreateBin"), &TFormMain::ActBin_CreateBinExecute},
        {QStringLiteral("ActFile_ReName"), &TFormMain::ActFile_ReNameExecute},
        {QStringLiteral("ActBin_DelBin"), &TFormMain::ActBin_DelBinExecute},
        {QStringLiteral("ActPL_CreatePlayList"), &TFormMain::ActPL_CreatePlayListExecute},
        {QStringLiteral("ActPL_OpenPlayList"), &TFormMain::ActPL_OpenPlayListExecute},
        {QStringLiteral("ActPL_SavePlayList"), &TFormMain::ActPL_SavePlayListExecute},
        {QStringLiteral("ActPL_SaveAsPlayList"), &TFormMain::ActPL_SaveAsPlayListExecute},
        {QStringLiteral("ActFile_SaveToWrkFile"), &TFormMain::ActFile_SaveToWrkFileExecute},
        {QStringLiteral("ActPL_DelPlayList"), &TFormMain::ActPL_DelPlayListExecute},
        {QStringLiteral("ActPL_ReName"), &TFormMain::ActPL_ReNameExecute},
        {QStringLiteral("ActVoice_AddVoice"), &TFormMain::ActVoice_AddVoiceExecute},
        {QStringLiteral("ActVoice_EditVoice"), &TFormMain::ActVoice_EditVoiceExecute},
        {QStringLiteral("ActVoice_DelVoice"), &TFormMain::ActVoice_DelVoiceExecute},
        {QStringLiteral("ActVoice_AddToPlayList"), &TFormMain::ActVoice_AddToPlayListExecute},
        {QStringLiteral("ActTool_PlayWav"), &TFormMain::ActTool_PlayWavExecute},
        {QStringLiteral("ActPL_MoveWaveTo"), &TFormMain::ActPL_MoveWaveToExecute},
        {QStringLiteral("ActOption_WavePath"), &TFormMain::ActOption_WavePathExecute},
        {QStringLiteral("ActAbout_About"), &TFormMain::ActAbout_AboutExecute},
        {QStringLiteral("ActPL_ExportSlotMap"), &TFormMain::ActPL_ExportSlotMapExecute},
        {QStringLiteral("ActPL_CheckPlayList"), &TFormMain::ActPL_CheckPlayListExecute},
        {QStringLiteral("ActPL_PlayFromHere"), &TFormMain::ActPL_PlayFromHereExecute},
        {QStringLiteral("ActTool_StopPlaying"), &TFormMain::ActTool_StopPlayingExecute},
    };
    return handlers;
}

bool IsActivationKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

void TFormMain::BuildActions() {
    for (const CommandInfo& info : CommandTable()) {
        const QString name = QString::fromLatin1(info.Name);
        auto* action = new QAction(QString::fromLatin1(info.Caption), this);
        action->setObjectName(name);
        action->setProperty("category", QString::fromLatin1(info.Category));
        if (info.Image >= 0)
            action->setIcon(ImageList::Icon(info.Image));
        if (info.Shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(info.Shortcut)));
            // Works from anywhere in the window, and only while the command is enabled.
            action->setShortcutContext(Qt::WindowShortcut);
        }
        addAction(action);
        CommandActions.append(action);
        const Handler handler = ExecuteHandlers().at(name);
        connect(action, &QAction::triggered, this,
                [this, action, handler] { RunCommand(action, handler); });
    }
    ActFile_CreateArchive = Action(QStringLiteral("ActFile_CreateArchive"));
    ActFile_OpenArchive = Action(QStringLiteral("ActFile_OpenArchive"));
    ActFile_SaveArchive = Action(QStringLiteral("ActFile_SaveArchive"));
    ActFile_SaveAsArchive = Action(QStringLiteral("ActFile_SaveAsArchive"));
    ActFile_Exit = Action(QStringLiteral("ActFile_Exit"));
    ActBin_CreateBin = Action(QStringLiteral("ActBin_CreateBin"));
    ActFile_ReName = Action(QStringLiteral("ActFile_ReName"));
    ActBin_DelBin = Action(QStringLiteral("ActBin_DelBin"));
    ActPL_CreatePlayList = Action(QStringLiteral("ActPL_CreatePlayList"));
    ActPL_OpenPlayList = Action(QStringLiteral("ActPL_OpenPlayList"));
    ActPL_SavePlayList = Action(QStringLiteral("ActPL_SavePlayList"));
    ActPL_SaveAsPlayList = Action(QStringLiteral("ActPL_SaveAsPlayList"));
    ActFile_SaveToWrkFile = Action(QStringLiteral("ActFile_SaveToWrkFile"));
    ActPL_DelPlayList = Action(QStringLiteral("ActPL_DelPlayList"));
    ActPL_ReName = Action(QStringLiteral("ActPL_ReName"));
    ActVoice_AddVoice = Action(QStringLiteral("ActVoice_AddVoice"));
    ActVoice_EditVoice = Action(QStringLiteral("ActVoice_EditVoice"));
    ActVoice_DelVoice = Action(QStringLiteral("ActVoice_DelVoice"));
    ActVoice_AddToPlayList = Action(QStringLiteral("ActVoice_AddToPlayList"));
    ActTool_PlayWav = Action(QStringLiteral("ActTool_PlayWav"));
    ActPL_MoveWaveTo = Action(QStringLiteral("ActPL_MoveWaveTo"));
    ActOption_WavePath = Action(QStringLiteral("ActOption_WavePath"));
    ActAbout_About = Action(QStringLiteral("ActAbout_About"));
    ActPL_ExportSlotMap = Action(QStringLiteral("ActPL_ExportSlotMap"));
    ActPL_CheckPlayList = Action(QStringLiteral("ActPL_CheckPlayList"));
    ActPL_PlayFromHere = Action(QStringLiteral("ActPL_PlayFromHere"));
    ActTool_StopPlaying = Action(QStringLiteral("ActTool_StopPlaying"));
}

QAction* TFormMain::Action(const QString& name) const {
    for (QAction* action : CommandActions)
        if (action->objectName() == name)
            return action;
    return nullptr;
}

QMenu* TFormMain::BuildMenu(const MenuInfo& info, QWidget* parent) {
    auto* menu = new QMenu(parent);
    const QString menuName = QString::fromLatin1(info.Name);
    menu->setObjectName(menuName);
    for (const MenuEntryInfo& entry : info.Entries) {
        QAction* command = Action(QString::fromLatin1(entry.Action));
        // An entry has its own caption; it shows its command's picture, shortcut and enabled
        // state, and choosing it runs the command.
        auto* item = new QAction(command->icon(), QString::fromLatin1(entry.Caption), menu);
        item->setObjectName(menuName + QLatin1Char('_') + command->objectName());
        if (!command->shortcut().isEmpty()) {
            item->setShortcut(command->shortcut());
            // Only while the menu itself has the keyboard; the command's own shortcut serves the
            // window.
            item->setShortcutContext(Qt::WidgetShortcut);
        }
        item->setEnabled(command->isEnabled());
        connect(command, &QAction::changed, item,
                [item, command] { item->setEnabled(command->isEnabled()); });
        connect(item, &QAction::triggered, command, [command] { command->trigger(); });
        menu->addAction(item);
    }
    return menu;
}

QMenu* TFormMain::MainMenu(const QString& name) const {
    return menuBar()->findChild<QMenu*>(name);
}

void TFormMain::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("ElMMenu"));
    for (const MenuInfo& info : MainMenuTable()) {
        QMenu* menu = BuildMenu(info, bar);
        // The menu bar reaches each menu with Alt and its first letter.
        menu->setTitle(QLatin1Char('&') + QString::fromLatin1(info.Title));
        bar->addMenu(menu);
        const bool voiceMenu = menu->objectName() == QLatin1String("ElMMenu_Voice");
        connect(menu, &QMenu::aboutToShow, this, [this, voiceMenu] {
            RunGuarded([this, voiceMenu] {
                if (voiceMenu)
                    ElPMenu_SGPopup();
                UpdateActions();
            });
        });
    }
    for (const MenuInfo& info : PopupMenuTable()) {
        QMenu* popup = BuildMenu(info, this);
        const bool listPopup = popup->objectName() == QLatin1String("ElPMenu_SG");
        connect(popup, &QMenu::aboutToShow, this, [this, listPopup] {
            RunGuarded([this, listPopup] {
                if (listPopup)
                    ElPMenu_SGPopup();
                UpdateActions();
            });
        });
        if (popup->objectName() == QLatin1String("ElPMenu_Archive"))
            ElPMenu_Archive = popup;
        else if (listPopup)
            ElPMenu_SG = popup;
        else
            ElPMenu_PlayList = popup;
    }
}

void TFormMain::ConnectPanes() {
    for (QWidget* pane :
         std::initializer_list<QWidget*>{ElTvProject, ElTree_PlayList, LView_Archive, LView_PL}) {
        pane->installEventFilter(this);
        static_cast<QAbstractItemView*>(pane)->viewport()->installEventFilter(this);
    }

    // The library tree refreshes the bin view whenever its selection changes: by keyboard at
    // once, by mouse when the button comes up (see eventFilter).
    connect(ElTvProject, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (LibraryPressed) {
            LibrarySelectionChangedInPress = true;
            return;
        }
        RunGuarded([this] { ElTvProjectClick(); });
    });
    connect(ElTree_PlayList, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!PlayListPressed)
            RunGuarded([this] { ElTree_PlayListClick(); });
    });
    connect(LView_PL, &QTreeView::clicked, this,
            [this] { RunGuarded([this] { LView_PLClick(); }); });
    for (QTreeView* view : {LView_Archive, LView_PL})
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { UpdateActions(); });

    connect(ElTvProject, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) {
                if (LibrarySelectionChangedInPress) {
                    LibrarySelectionChangedInPress = false;
                    RunGuarded([this] { ElTvProjectClick(); });
                }
                ShowPopup(ElPMenu_Archive, ElTvProject, position);
            });
    connect(
        ElTree_PlayList, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& position) { ShowPopup(ElPMenu_PlayList, ElTree_PlayList, position); });
    for (QTreeView* view : {LView_Archive, LView_PL})
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& position) { ShowPopup(ElPMenu_SG, view, position); });
}

void TFormMain::ShowPopup(QMenu* popup, QWidget* pane, const QPoint& position) {
    auto* view = qobject_cast<QAbstractItemView*>(pane);
    const QPoint global =
        view ? view->viewport()->mapToGlobal(position) : pane->mapToGlobal(position);
    // A press that opens a popup may never see its release.
    LibraryPressed = false;
    PlayListPressed = false;
    popup->exec(global);
}

void TFormMain::RunCommand(QAction* action, Handler handler) {
    // The rule decides at the moment the command would run, whatever the entry showed.
    UpdateActions();
    if (!action->isEnabled())
        return;
    RunGuarded([this, handler] { (this->*handler)(); });
    UpdateActions();
}

CommandState TFormMain::CurrentCommandState() const {
    CommandState state;
    state.LibraryNodes = LibraryNodeCount();
    state.SelectedPosition = SelectedLibraryPosition();
    state.PlayListNodes = PlayListNodeCount();
    state.BinViewActive = BinViewActiveFlag;
    state.NoSingleVoiceSelected = NoSingleVoiceSelectedFlag;
    state.PlayListViewShown = !BinViewShown();
    state.Playing = Playing();
    return state;
}

void TFormMain::UpdateActions() {
    // Called while the window is still being built, before every action exists.
    if (CommandActions.isEmpty() || !ElTvProject || !ElTree_PlayList)
        return;
    const CommandState state = CurrentCommandState();
    for (QAction* action : CommandActions)
        action->setEnabled(CommandEnabled(action->objectName(), state));
}

void TFormMain::ElPMenu_SGPopup() {
    const VoiceListKind shown =
        BinViewActiveFlag ? VoiceListKind::Archive : VoiceListKind::PlayList;
    const QList<int> rows = SelectedRows(shown);
    if (rows.isEmpty()) {
        SetNoSingleVoiceSelected(true);
        return;
    }
    const orlamo::WAVE_DPTR* record = nullptr;
    if (shown == VoiceListKind::Archive) {
        const int bin = SelectedBin();
        const auto row = static_cast<std::size_t>(rows.first());
        if (bin >= 0 && row < TheLibrary.BinAt(bin).Voices.size())
            record = &TheLibrary.BinAt(bin).Voices[row];
    } else if (ThePlayList && rows.first() < orlamo::PlayListSlots) {
        record = &ThePlayList->Slot(rows.first() + 1);
    }
    // No record (no bin selected) counts like an empty slot: nothing single to act on.
    if (!record || record->FileName.empty())
        SetNoSingleVoiceSelected(true);
    else
        SetNoSingleVoiceSelected(rows.size() > 1);
}

// ---- The Delete key -----------------------------------------------------------------------------

bool TFormMain::ElTvProjectKeyDown(int key) {
    if (key != Qt::Key_Delete)
        return false;
    // Only a selected bin goes; with nothing selected there is nothing to delete.
    const std::optional<int> selected = SelectedLibraryPosition();
    if (LibraryNodeCount() > 1 && selected && *selected != 0) {
        emit KeyCommandRun(QStringLiteral("ActBin_DelBin"));
        ActBin_DelBinExecute();
    }
    return true;
}

bool TFormMain::ElTree_PlayListKeyDown(int key) {
    if (key != Qt::Key_Delete)
        return false;
    if (PlayListNodeCount() > 0) {
        emit KeyCommandRun(QStringLiteral("ActPL_DelPlayList"));
        ActPL_DelPlayListExecute();
    }
    return true;
}

bool TFormMain::LView_ArchiveKeyDown(int key) {
    if (key != Qt::Key_Delete)
        return false;
    if (!SelectedRows(VoiceListKind::Archive).isEmpty()) {
        emit KeyCommandRun(QStringLiteral("ActVoice_DelVoice"));
        ActVoice_DelVoiceExecute();
    }
    return true;
}

bool TFormMain::LView_PLKeyDown(int key) {
    if (key != Qt::Key_Delete)
        return false;
    if (!SelectedRows(VoiceListKind::PlayList).isEmpty()) {
        emit KeyCommandRun(QStringLiteral("ActVoice_DelVoice"));
        ActVoice_DelVoiceExecute();
    }
    return true;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        bool handled = false;
        RunGuarded([&] {
            if (watched == ElTvProject)
                handled = ElTvProjectKeyDown(key);
            else if (watched == ElTree_PlayList) {
                handled = ElTree_PlayListKeyDown(key);
                // Enter on the playlist tree does what a click does.
                if (!handled && IsActivationKey(key)) {
                    ElTree_PlayListClick();
                    handled = true;
                }
            } else if (watched == LView_Archive)
                handled = LView_ArchiveKeyDown(key);
            else if (watched == LView_PL) {
                handled = LView_PLKeyDown(key);
                if (!handled && IsActivationKey(key)) {
                    LView_PLClick();
                    handled = true;
                }
            }
        });
        if (handled) {
            UpdateActions();
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }

    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (!press && !release)
        return QMainWindow::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == ElTvProject->viewport()) {
        if (press) {
            LibraryPressed = true;
            LibrarySelectionChangedInPress = false;
        } else {
            const bool wasPressed = LibraryPressed;
            LibraryPressed = false;
            const bool changed = LibrarySelectionChangedInPress;
            LibrarySelectionChangedInPress = false;
            // A click refreshes whatever the selection is; a right button only when it moved it.
            if (wasPressed && (mouse->button() == Qt::LeftButton || changed))
                RunGuarded([this] { ElTvProjectClick(); });
        }
    } else if (watched == ElTree_PlayList->viewport()) {
        if (press) {
            PlayListPressed = true;
        } else {
            const bool wasPressed = PlayListPressed;
            PlayListPressed = false;
            // Any click on the playlist tree, on its node or on the blank area below it.
            if (wasPressed && mouse->button() == Qt::LeftButton)
                RunGuarded([this] { ElTree_PlayListClick(); });
        }
    } else if (watched == LView_PL->viewport() && release && mouse->button() == Qt::LeftButton &&
               !LView_PL->indexAt(mouse->position().toPoint()).isValid()) {
        // A click on a row reaches LView_PLClick through clicked(); this is the blank area.
        RunGuarded([this] { LView_PLClick(); });
    }
    return QMainWindow::eventFilter(watched, event);
}
