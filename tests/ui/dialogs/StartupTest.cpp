#include "ui/dialogs/Startup.h"

#include "files/FileError.h"
#include "files/IniFile.h"
#include "tests/support/DialogHelpers.h"
#include "tests/support/GuiTest.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

class StartupTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void okDoesWhatTheAnswerAsks_data();
    void okDoesWhatTheAnswerAsks();
    void enterPressesOkAndEscapeDoesNothing();
    void failureToRecordTheAnswerIsReported_data();
    void failureToRecordTheAnswerIsReported();
    void controlsFitAndPromptOpensCentred();

private:
    QString settingsPath() const { return userFolder + u"/Keywright24.ini"_s; }
    void writeSettings(const QByteArray& text);
    QByteArray readSettings() const;
    // What program start decides from the settings file.
    bool promptComesAtNextStart() const;
    void clickOkOn(const QString& answer);

    std::unique_ptr<QTemporaryDir> temporary;
    QString documents;
    QString userFolder;
    int gettingStartedOpened = 0;
    std::unique_ptr<TStartupForm> form;
};

void StartupTest::init() {
    temporary = std::make_unique<QTemporaryDir>();
    QVERIFY(temporary->isValid());
    // A documents folder whose name is not plain ASCII, as it often is outside English systems.
    documents = temporary->path() + u"/Mes documents \u00e9t\u00e9"_s;
    QVERIFY(QDir().mkpath(documents));
    userFolder = documents + u"/Brimlow/Keywright24"_s;
    gettingStartedOpened = 0;
    form = std::make_unique<TStartupForm>(userFolder, [this] { ++gettingStartedOpened; });
}

void StartupTest::cleanup() {
    form.reset();
    temporary.reset();
    VerifyNoWindowLeftOpen();
}

void StartupTest::writeSettings(const QByteArray& text) {
    QVERIFY(QDir().mkpath(userFolder));
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray StartupTest::readSettings() const {
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool StartupTest::promptComesAtNextStart() const {
    if (!QFile::exists(settingsPath()))
        return true;
    return IniFile::Load(settingsPath().toStdU16String()).ReadInteger("CONFIGURATION", "Hide_StartBox", 0) ==
           0;
}

void StartupTest::clickOkOn(const QString& answer) {
    form->show();
    QTest::mouseClick(form->findChild<QRadioButton*>(answer), Qt::LeftButton);
    QTest::mouseClick(form->findChild<QPushButton*>(u"btnOK"_s), Qt::LeftButton);
}

void StartupTest::okDoesWhatTheAnswerAsks_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("settingsBefore"); // empty: no settings file
    QTest::addColumn<int>("gettingStartedOpened");
    QTest::addColumn<bool>("promptAtNextStart");

    const QByteArray otherSettings =
        "[Window]\r\nLeft=40\r\n[configuration]\r\nhide_startbox=0\r\nTheme=dark\r\n";
    QTest::newRow("Yes") << u"rbYes"_s << QByteArray() << 1 << true;
    QTest::newRow("later") << u"rbLater"_s << QByteArray() << 0 << true;
    QTest::newRow("never again") << u"rbNo"_s << QByteArray() << 0 << false;
    QTest::newRow("Yes, other settings") << u"rbYes"_s << otherSettings << 1 << true;
    QTest::newRow("later, other settings") << u"rbLater"_s << otherSettings << 0 << true;
    QTest::newRow("never again, other settings") << u"rbNo"_s << otherSettings << 0 << false;
}

void StartupTest::okDoesWhatTheAnswerAsks() {
    QFETCH(QString, answer);
    QFETCH(QByteArray, settingsBefore);
    if (!settingsBefore.isEmpty())
        writeSettings(settingsBefore);

    clickOkOn(answer);

    QVERIFY(!form->isVisible());
    QTEST(gettingStartedOpened, "gettingStartedOpened");
    QTEST(promptComesAtNextStart(), "promptAtNextStart");
    if (answer != u"rbNo"_s) {
        QCOMPARE(readSettings(), settingsBefore);
        QCOMPARE(QDir(userFolder).exists(), !settingsBefore.isEmpty());
        return;
    }
    const IniFile settings = IniFile::Load(settingsPath().toStdU16String());
    QCOMPARE(settings.ReadString("CONFIGURATION", "Model_Number"), std::string("Keywright24"));
    QCOMPARE(settings.ReadString("CONFIGURATION", "Hide_StartBox"), std::string("1"));
    if (settingsBefore.isEmpty()) {
        const QByteArray text = readSettings();
        QVERIFY(text.indexOf("Model_Number=Keywright24") < text.indexOf("Hide_StartBox=1"));
    } else {
        QCOMPARE(settings.ReadString("Window", "Left"), std::string("40"));
        QCOMPARE(settings.ReadString("CONFIGURATION", "Theme"), std::string("dark"));
    }
}

void StartupTest::enterPressesOkAndEscapeDoesNothing() {
    form->show();
    QRadioButton* later = form->findChild<QRadioButton*>(u"rbLater"_s);
    QTest::mouseClick(later, Qt::LeftButton);

    QTest::keyClick(later, Qt::Key_Escape);
    QVERIFY(form->isVisible());
    QTest::keyClick(later, Qt::Key_Return);
    QVERIFY(!form->isVisible());
    QCOMPARE(gettingStartedOpened, 0);
    QVERIFY(!QFile::exists(settingsPath()));
}

void StartupTest::failureToRecordTheAnswerIsReported_data() {
    QTest::addColumn<QString>("blockedPath"); // relative to the documents folder
    QTest::addColumn<bool>("blockedByFile");
    QTest::newRow("maker folder is a file") << u"Brimlow"_s << true;
    QTest::newRow("program folder is a file") << u"Brimlow/Keywright24"_s << true;
    QTest::newRow("settings file is a folder") << u"Brimlow/Keywright24/Keywright24.ini"_s << false;
}

void StartupTest::failureToRecordTheAnswerIsReported() {
    QFETCH(QString, blockedPath);
    QFETCH(bool, blockedByFile);
    const QString blocked = documents + u'/' + blockedPath;
    QVERIFY(QDir().mkpath(QFileInfo(blocked).path()));
    if (blockedByFile) {
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(blocked));
    }
    form->show();
    form->findChild<QRadioButton*>(u"rbNo"_s)->setChecked(true);

    QString message;
    try {
        form->btnOKClick();
    } catch (const std::exception& error) { // FolderError or FileError
        message = QString::fromStdString(error.what());
    }

    QVERIFY2(message.contains(QFileInfo(blocked).fileName()), qPrintable(message));

    QVERIFY(!form->isVisible());
    QCOMPARE(gettingStartedOpened, 0);
    QCOMPARE(QFileInfo(blocked).isFile(), blockedByFile);
}

void StartupTest::controlsFitAndPromptOpensCentred() {
    form->show();
    QCOMPARE(form->findChild<QWidget*>(u"ClientArea"_s)->geometry(), QRect(3, 3, 290, 172));
    QVERIFY(form->findChild<QRadioButton*>(u"rbYes"_s)->isChecked());
    VerifyEveryControlFits(*form);
    VerifyCentredOnScreen(*form);
    form->hide();
}

KW24_GUI_TEST(StartupTest);

#include "StartupTest.moc"
