#pragma once

#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>
#include <stdexcept>

// A main window started on its own, empty documents folder, with message boxes answered instead of
// shown. Controls are found by their names, as a user finds them by their captions.
class TWindowFixture final {
public:
    explicit TWindowFixture(const QStringList& arguments = {}, bool createWindow = true) {
        if (!documents.isValid())
            throw std::runtime_error("cannot make a temporary documents folder");
        Folders::setDocumentsForTests(documents.path());
        MessageBox::setTestMode(true);
        FileDialog::setTestMode(true);
        MessageBox::clearShown();
        if (createWindow)
            window = std::make_unique<TfrmMain>(arguments);
    }
    // Fails the test when a window is still shown once the main window is gone: a window that
    // outlives it would outlive the program's main window for a user too.
    ~TWindowFixture() {
        window.reset();
        Folders::setDocumentsForTests(std::nullopt);
        MessageBox::clearShown();
        QStringList leftOpen;
        for (const QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                leftOpen << (widget->objectName().isEmpty()
                                 ? QString::fromUtf8(widget->metaObject()->className())
                                 : widget->objectName());
        if (!leftOpen.isEmpty())
            QTest::qFail((QStringLiteral("windows left open: ") + leftOpen.join(QStringLiteral(", ")))
                             .toUtf8()
                             .constData(),
                         __FILE__, __LINE__);
    }
    TWindowFixture(const TWindowFixture&) = delete;
    TWindowFixture& operator=(const TWindowFixture&) = delete;

    // The named control; a missing control fails the test.
    template <typename T> T* control(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (found == nullptr)
            throw std::runtime_error("no control named " + name.toStdString());
        return found;
    }

    TKeypadClass& keypad() const { return window->GetKeypad(); }

    // documents + Brimlow + Keywright24 + relative
    QString userPath(const QString& relative = {}) const {
        return documents.filePath(QStringLiteral("Brimlow/Keywright24/") + relative);
    }

    QTemporaryDir documents;
    std::unique_ptr<TfrmMain> window;
};

// The texts of the message boxes shown so far.
inline QStringList shownMessages() {
    QStringList texts;
    for (const MessageBox::Shown& box : MessageBox::shown())
        texts << box.text;
    return texts;
}

// Stores count one-byte codes ('A', 'B', ...) in the macro of key and level, and selects key 0, level 0.
inline void fillMacro(TKeypadClass& keypad, int key, int level, int count) {
    keypad.SetKey(static_cast<std::uint8_t>(key));
    keypad.SetLevel(static_cast<std::uint8_t>(level));
    for (int i = 0; i < count; ++i) {
        std::int32_t position = 1000;
        keypad.InsertByte(position, 'A' + i % 26);
    }
    keypad.SetKey(0);
    keypad.SetLevel(0);
}
