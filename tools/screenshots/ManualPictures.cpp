// Draws the pictures of the user manual from the real windows, offscreen, with a small sample
// definition. Usage: kw24_manual_pictures OUTPUT_FOLDER
// Run on an offscreen screen of pixel ratio 2 that is larger than the windows and their menus
// (scripts/screenshot --manual sets one up), the pictures are "@2x" pictures: twice the pixels of the
// window, printed at the window's size.
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/UserSettings.h"
#include "tools/screenshots/SampleDefinition.h"
#include "ui/Application.h"
#include "ui/ReadableStyle.h"
#include "ui/dialogs/About.h"
#include "ui/dialogs/Params.h"
#include "ui/dialogs/Startup.h"
#include "ui/main/MainWindow.h"
#include "ui/overview/KeyLabelSizeDialog.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QString outputFolder;
bool failed = false;

void save(const QPixmap& picture, const QString& name) {
    const QString path = QDir(outputFolder).filePath(name + u"@2x.png"_s);
    if (!picture.save(path)) {
        std::fprintf(stderr, "kw24_manual_pictures: cannot write %s\n", qPrintable(path));
        failed = true;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

// The window with a menu opened over it, cut to the part around the menu and the spot it was opened
// from.
QPixmap windowWithMenu(QWidget& window, QMenu& menu, const QRect& openedFrom) {
    const qreal ratio = window.devicePixelRatioF();
    const QPoint menuAt = window.mapFromGlobal(menu.pos());
    const QRect menuArea(menuAt, menu.size() + QSize(3, 3)); // with its shadow
    // The menu may reach past the window's edge; the picture then reaches as far, on white.
    const QRect canvas = window.rect().united(menuArea);
    QPixmap picture(canvas.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.translate(-canvas.topLeft());
        painter.drawPixmap(QPoint(0, 0), window.grab());
        painter.fillRect(QRect(menuAt + QPoint(3, 3), menu.size()), QColor(0, 0, 0, 60));
        painter.drawPixmap(menuAt, menu.grab());
    }
    const QRect cut = menuArea.united(openedFrom).adjusted(-12, -12, 12, 12).intersected(canvas);
    return picture.copy(QRect((cut.topLeft() - canvas.topLeft()) * ratio, cut.size() * ratio));
}

// A tool button with its menu opened below it, on the window's plain background: nothing else of the
// window, so no piece of what lies behind the menu shows at the picture's edges.
QPixmap buttonWithMenu(QWidget& button, QMenu& menu) {
    const qreal ratio = button.devicePixelRatioF();
    const QRect buttonArea(button.mapToGlobal(QPoint(0, 0)), button.size());
    const QRect menuArea(menu.pos(), menu.size() + QSize(3, 3)); // with its shadow
    const QRect canvas = buttonArea.united(menuArea).adjusted(-12, -12, 12, 12);
    QPixmap picture(canvas.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(button.window()->palette().color(QPalette::Window));
    QPainter painter(&picture);
    painter.translate(-canvas.topLeft());
    painter.drawPixmap(buttonArea.topLeft(), button.grab());
    painter.fillRect(QRect(menu.pos() + QPoint(3, 3), menu.size()), QColor(0, 0, 0, 60));
    painter.drawPixmap(menu.pos(), menu.grab());
    return picture;
}

QMenu* openedMenu(QWidget& window, const QString& name) {
    auto* menu = window.findChild<QMenu*>(name);
    if (menu == nullptr || !menu->isVisible()) {
        std::fprintf(stderr, "kw24_manual_pictures: the menu %s did not open\n", qPrintable(name));
        failed = true;
        return nullptr;
    }
    return menu;
}

void drawMainWindow(TfrmMain& window) {
    save(window.grab(), u"main-window"_s);
}

// The key-type menu of key 21, a shift-level key, opened with the right mouse button.
void drawKeyTypeMenu(TfrmMain& window) {
    auto* key = window.findChild<QToolButton*>(u"SpeedButton137"_s);
    QTest::mouseClick(key, Qt::RightButton);
    if (QMenu* menu = openedMenu(window, u"popmenKeyType"_s)) {
        save(windowWithMenu(window, *menu, QRect(key->mapTo(&window, QPoint(0, 0)), key->size())),
             u"key-type-menu"_s);
        menu->close();
    }
}

void drawGridMenu(TfrmMain& window) {
    auto* grid = window.findChild<QWidget*>(u"Grid"_s);
    auto* cells = grid->findChild<QWidget*>(u"qt_scrollarea_viewport"_s);
    QWidget* target = cells != nullptr ? cells : grid;
    const QPoint at(150, 30);
    QTest::mouseClick(target, Qt::RightButton, {}, at);
    if (QMenu* menu = openedMenu(window, u"popmenuClearMacro"_s)) {
        save(windowWithMenu(window, *menu, QRect(target->mapTo(&window, at), QSize(1, 1))), u"grid-menu"_s);
        menu->close();
    }
}

// The grid's menu over a selected block of key 1's codes, after a copy and an edit: its edit items
// enabled.
void drawGridEditMenu(TfrmMain& window) {
    QTest::mouseClick(window.findChild<QToolButton*>(u"SpeedButton21"_s), Qt::LeftButton);
    auto* grid = window.findChild<QTableWidget*>(u"Grid"_s);
    QWidget* cells = grid->viewport();
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QTest::mouseClick(window.findChild<QWidget*>(u"chkboxAutoRepeat"_s), Qt::LeftButton); // to undo
    grid->setCurrentCell(0, 1);
    grid->setRangeSelected(QTableWidgetSelectionRange(0, 1, 0, 4), true);
    const QRect block = grid->visualItemRect(grid->item(0, 1)).united(grid->visualItemRect(grid->item(0, 4)));
    const QPoint at = grid->visualItemRect(grid->item(1, 3)).center();
    QTest::mouseClick(cells, Qt::RightButton, {}, at);
    if (QMenu* menu = openedMenu(window, u"popmenuClearMacro"_s)) {
        save(windowWithMenu(window, *menu, QRect(cells->mapTo(&window, block.topLeft()), block.size())),
             u"grid-edit-menu"_s);
        menu->close();
    }
    window.UndoEdit();
}

// The key-type menu of key 2 after Copy Key on key 1: Paste Key enabled.
void drawKeyEditMenu(TfrmMain& window) {
    QTest::mouseClick(window.findChild<QToolButton*>(u"SpeedButton21"_s), Qt::LeftButton);
    window.findChild<QAction*>(u"CopyKeyMenuItem"_s)->trigger();
    auto* key = window.findChild<QToolButton*>(u"SpeedButton22"_s);
    QTest::mouseClick(key, Qt::RightButton);
    if (QMenu* menu = openedMenu(window, u"popmenKeyType"_s)) {
        save(windowWithMenu(window, *menu, QRect(key->mapTo(&window, QPoint(0, 0)), key->size())),
             u"key-edit-menu"_s);
        menu->close();
    }
    QTest::mouseClick(window.findChild<QToolButton*>(u"SpeedButton21"_s), Qt::LeftButton);
}

// The Help button's menu, where the program has it.
void drawHelpMenu(TfrmMain& window) {
    auto* help = window.findChild<QToolButton*>(u"ToolBtnHelp"_s);
    if (help == nullptr || help->menu() == nullptr)
        return;
    // The menu runs its own loop until it closes: draw and close it from inside that loop.
    QMenu* shown = help->menu();
    QTimer::singleShot(0, &window, [help, shown] {
        save(buttonWithMenu(*help, *shown), u"help-menu"_s);
        shown->close();
    });
    help->showMenu();
}

// The View button's menu, and the windows of its commands.
void drawViewMenuAndWindows(TfrmMain& window) {
    auto* view = window.findChild<QToolButton*>(u"ToolBtnView"_s);
    QTest::mouseClick(view, Qt::LeftButton);
    if (QMenu* menu = openedMenu(window, u"ViewMenu"_s)) {
        save(buttonWithMenu(*view, *menu), u"view-menu"_s);
        menu->close();
    }
    window.findChild<QAction*>(u"OverviewMenuItem"_s)->trigger();
    if (auto* overview = window.findChild<QWidget*>(u"frmOverview"_s)) {
        overview->resize(760, 420);
        QCoreApplication::processEvents();
        save(overview->grab(), u"overview"_s);
        overview->hide();
    }
    window.SelectKeyAndLevel(1, 0);
    window.findChild<QAction*>(u"PreviewMenuItem"_s)->trigger();
    if (auto* preview = window.findChild<QWidget*>(u"frmPreview"_s)) {
        preview->resize(560, 520);
        QCoreApplication::processEvents();
        save(preview->grab(), u"preview"_s);
        preview->hide();
    }
    window.SelectKeyAndLevel(0, 0);

    TKeyLabelSizeDialog size(DefaultKeyLabelMm, &window);
    size.show();
    save(size.grab(), u"key-label-size"_s);
    size.hide();
}

void drawDialogs(TfrmMain& window, const QString& userFolder) {
    TfrmParameters parameters(window.GetKeypad(), &window);
    parameters.show();
    save(parameters.grab(), u"properties"_s);
    parameters.hide();

    TStartupForm startup(userFolder, [] {});
    startup.show();
    save(startup.grab(), u"startup-prompt"_s);
    startup.hide();

    TfrmAbout about(&window);
    about.show();
    save(about.grab(), u"about"_s);
    about.hide();
}

} // namespace

int main(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: kw24_manual_pictures OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    outputFolder = arguments.at(1);
    QApplication::setStyle(new TReadableStyle(u"Fusion"_s));

    QTemporaryDir documents;
    Folders::setDocumentsForTests(documents.path());
    MessageBox::setTestMode(true);

    TfrmMain window({});
    FillSampleDefinition(window.GetKeypad());
    window.ShowLoadedDefinition(u"sample.ckd"_s);
    window.move(40, 40);
    window.show();
    QCoreApplication::processEvents();

    drawMainWindow(window);
    drawKeyTypeMenu(window);
    drawGridMenu(window);
    drawGridEditMenu(window);
    drawKeyEditMenu(window);
    drawHelpMenu(window);
    drawViewMenuAndWindows(window);
    drawDialogs(window, window.GetUserFolder());
    return failed ? 1 : 0;
}
