#pragma once

#include "files/DefinitionFile.h"
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <initializer_list>
#include <stdexcept>

// What the testers' tests share: their own documents folder and Wine prefix (which does not exist),
// file dialogs answered beforehand, and definitions written to compare with.
class TTesterFixture final {
public:
    TTesterFixture() {
        if (!folder.isValid())
            throw std::runtime_error("cannot make a temporary folder");
        Folders::setDocumentsForTests(folder.filePath(QStringLiteral("Documents")));
        qputenv("WINEPREFIX", folder.filePath(QStringLiteral("wine")).toLocal8Bit());
        FileDialog::clear();
        MessageBox::clearShown();
    }
    ~TTesterFixture() {
        Folders::setDocumentsForTests(std::nullopt);
        qunsetenv("WINEPREFIX");
        FileDialog::clear();
        MessageBox::clearShown();
    }
    TTesterFixture(const TTesterFixture&) = delete;
    TTesterFixture& operator=(const TTesterFixture&) = delete;

    // Gives a macro of keypad these code values and name.
    static void setMacro(TKeypadClass& keypad, int key, int level, std::initializer_list<std::int32_t> values,
                         const std::string& name = {}) {
        keypad.SetKey(static_cast<std::uint8_t>(key));
        keypad.SetLevel(static_cast<std::uint8_t>(level));
        std::int32_t position = 0;
        for (const std::int32_t value : values)
            if (!keypad.InsertByte(position, value))
                throw std::runtime_error("no room in the macro");
        keypad.SetMacroName(name);
    }

    // Saves keypad as a definition file in the temporary folder; returns its path.
    QString saveDefinition(TKeypadClass& keypad, const QString& name = QStringLiteral("pad.ckd")) const {
        const QString path = folder.filePath(name);
        ToggleShiftSlots toggleSlots;
        WriteDefinitionFile(keypad, toFilesystemPath(path), toggleSlots);
        return path;
    }

    // Loads the definition at path through the window's "Compare with definition…" button.
    static void compareWith(QWidget* window, const QString& path) {
        FileDialog::setNextFileName(path);
        control<QPushButton>(window, QStringLiteral("btnCompare"))->click();
    }

    template <typename T> static T* control(QWidget* window, const QString& name) {
        T* found = window->findChild<T*>(name);
        if (found == nullptr)
            throw std::runtime_error("no control named " + name.toStdString());
        return found;
    }

    // The text of a table's cell; empty when the row or cell is not there.
    static QString cellText(QWidget* window, const QString& grid, int row, int column) {
        const QTableWidget* table = control<QTableWidget>(window, grid);
        const QTableWidgetItem* item = row < table->rowCount() ? table->item(row, column) : nullptr;
        return item == nullptr ? QString() : item->text();
    }

    QTemporaryDir folder;
};
