#include "ui/dialogs/Params.h"

#include "model/KeypadClass.h"
#include "tests/support/DialogHelpers.h"
#include "tests/support/GuiTest.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// The eight parameters the dialog edits, as plain numbers.
struct Parameters {
    int led, rollover, pacing, delay, baud, wordFormat, opMode, cdcSerialNo;
    bool operator==(const Parameters&) const = default;
};

char* toString(const Parameters& p) {
    return QTest::toString(
        u"LED %1, rollover %2, pacing %3, delay %4, baud %5, word format %6, mode %7, S/N %8"_s.arg(p.led)
            .arg(p.rollover)
            .arg(p.pacing)
            .arg(p.delay)
            .arg(p.baud)
            .arg(p.wordFormat)
            .arg(p.opMode)
            .arg(p.cdcSerialNo));
}

Parameters parametersOf(const TKeypadClass& keypad) {
    return {keypad.LEDBehavior(), keypad.KeyRollOver(), keypad.CharacterPacing(), keypad.DownloadDelay(),
            keypad.BaudRate(),    keypad.WordFormat(),  keypad.OpMode(),          keypad.CdcSerialNo()};
}

void setParameters(TKeypadClass& keypad, const Parameters& p) {
    keypad.SetLEDBehavior(static_cast<TLEDBehavior>(p.led));
    keypad.SetKeyRollOver(static_cast<std::uint8_t>(p.rollover));
    keypad.SetCharacterPacing(static_cast<std::uint8_t>(p.pacing));
    keypad.SetDownloadDelay(p.delay);
    keypad.SetBaudRate(static_cast<std::uint8_t>(p.baud));
    keypad.SetWordFormat(static_cast<std::uint8_t>(p.wordFormat));
    keypad.SetOpMode(static_cast<std::uint8_t>(p.opMode));
    keypad.SetCdcSerialNo(p.cdcSerialNo);
}

const Parameters someParameters{ledPower, 4, 20, 30, 5, 8, 0, 42};
} // namespace

Q_DECLARE_METATYPE(Parameters)

class ParamsTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsAndStoresParametersByTheMapping_data();
    void showsAndStoresParametersByTheMapping();
    void buttonsFollowChangesAndApply();
    void cancelAndCloseBoxStoreNothingMore_data();
    void cancelAndCloseBoxStoreNothingMore();
    void enterAndEscapePressNoButton();
    void cdcControlsFollowTheHostMode();
    void spinTextThatIsNotANumberReadsAsTheMinimum();
    void keyboardOrder();
    void controlsFitAndDialogOpensCentred();

private:
    template <typename Control> Control* control(const QString& name) {
        auto* found = dialog->findChild<Control*>(name);
        if (found == nullptr)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QPushButton* button(const QString& name) { return control<QPushButton>(name); }
    QRadioButton* radio(const QString& name) { return control<QRadioButton>(name); }
    // Clicks a radio button's round mark, which is where it takes clicks whatever its caption's width.
    void clickRadio(const QString& name) {
        QRadioButton* button = radio(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    QSpinBox* spin(const QString& name) { return control<QSpinBox>(name); }
    QComboBox* list(const QString& name) { return control<QComboBox>(name); }
    bool cdcControlsEnabled() {
        return spin(u"spinCdcSerialNo"_s)->isEnabled() && control<QLabel>(u"lblCdcSerialNo"_s)->isEnabled();
    }

    std::unique_ptr<TKeypadClass> keypad;
    std::unique_ptr<TfrmParameters> dialog;
    std::unique_ptr<QSignalSpy> applied;
};

void ParamsTest::init() {
    keypad = std::make_unique<TKeypadClass>();
    dialog = std::make_unique<TfrmParameters>(*keypad);
    applied = std::make_unique<QSignalSpy>(dialog.get(), &TfrmParameters::changesApplied);
}

void ParamsTest::cleanup() {
    applied.reset();
    dialog.reset();
    keypad.reset();
    VerifyNoWindowLeftOpen();
}

void ParamsTest::showsAndStoresParametersByTheMapping_data() {
    QTest::addColumn<Parameters>("stored");
    QTest::addColumn<QString>("ledShown");
    QTest::addColumn<int>("rolloverShown");
    QTest::addColumn<int>("pacingShown");
    QTest::addColumn<int>("delayShown");
    QTest::addColumn<QString>("baudShown");
    QTest::addColumn<QString>("wordFormatShown");
    QTest::addColumn<QString>("hostModeShown");
    QTest::addColumn<int>("serialNoShown");
    QTest::addColumn<Parameters>("storedByOk");

    //                                     LED roll pace delay baud wf  mode  S/N
    QTest::newRow("new definition") << Parameters{0, 2, 2, 10, 3, 8, 0, 1} << u"rbLedOff"_s << 2 << 2 << 10
                                    << u"9600"_s << u"8,N,1"_s << u"rbHostDefaultCDC"_s << 1
                                    << Parameters{0, 2, 2, 10, 3, 8, 0, 1};
    QTest::newRow("odd values from a file")
        << Parameters{7, 2, 2, 500, 12, 10, 112, 1} << u"rbLedOff"_s << 2 << 2 << 200 << QString()
        << u"8,N,1"_s << u"rbHostDefaultCDC"_s << 1 << Parameters{0, 2, 2, 200, 255, 8, 0, 1};
    QTest::newRow("host control, 7N1, Ventrix")
        << Parameters{2, 4, 101, 0, 8, 4, 32, 77} << u"rbLedHostCtrl"_s << 4 << 101 << 0 << u"31.25k"_s
        << u"7,N,1"_s << u"rbHostVentrix"_s << 77 << Parameters{2, 4, 101, 0, 8, 0, 32, 77};
    QTest::newRow("level, 7O1, USB keyboard")
        << Parameters{1, 6, 200, 200, 7, 6, 48, 9999} << u"rbLedLevel"_s << 6 << 200 << 200 << u"115.2k"_s
        << u"7,O,1"_s << u"rbHostHID"_s << 9999 << Parameters{1, 6, 200, 200, 7, 6, 48, 9999};
    QTest::newRow("power, 7E1") << Parameters{3, 1, 0, 1, 0, 2, 0, 0} << u"rbLedPower"_s << 1 << 0 << 1
                                << u"1200"_s << u"7,E,1"_s << u"rbHostDefaultCDC"_s << 0
                                << Parameters{3, 1, 0, 1, 0, 2, 0, 0};
    QTest::newRow("values beyond the ranges")
        << Parameters{3, 0, 255, 10, 3, 3, 16, 12345} << u"rbLedPower"_s << 1 << 200 << 10 << u"9600"_s
        << u"7,E,1"_s << u"rbHostDefaultCDC"_s << 9999 << Parameters{3, 1, 200, 10, 3, 2, 0, 9999};
}

void ParamsTest::showsAndStoresParametersByTheMapping() {
    QFETCH(Parameters, stored);
    setParameters(*keypad, stored);

    dialog->show();

    QFETCH(QString, ledShown);
    for (const QString& led : {u"rbLedOff"_s, u"rbLedLevel"_s, u"rbLedHostCtrl"_s, u"rbLedPower"_s})
        QCOMPARE(radio(led)->isChecked(), led == ledShown);
    QTEST(spin(u"spinRollover"_s)->value(), "rolloverShown");
    QTEST(spin(u"spinCharacterPacing"_s)->value(), "pacingShown");
    QTEST(spin(u"spinDownloadDelay"_s)->value(), "delayShown");
    QTEST(list(u"cboxBaudRate"_s)->currentText(), "baudShown");
    QTEST(list(u"cboxWordFormat"_s)->currentText(), "wordFormatShown");
    QFETCH(QString, hostModeShown);
    for (const QString& mode : {u"rbHostDefaultCDC"_s, u"rbHostVentrix"_s, u"rbHostHID"_s})
        QCOMPARE(radio(mode)->isChecked(), mode == hostModeShown);
    QCOMPARE(cdcControlsEnabled(), hostModeShown == u"rbHostDefaultCDC"_s);
    QTEST(spin(u"spinCdcSerialNo"_s)->value(), "serialNoShown");
    QCOMPARE(parametersOf(*keypad), stored);

    // Any click on a radio button counts as a change, also on the one already checked.
    clickRadio(ledShown);
    QTest::mouseClick(button(u"btnOK"_s), Qt::LeftButton);

    QTEST(parametersOf(*keypad), "storedByOk");
    QVERIFY(!dialog->isVisible());
}

void ParamsTest::buttonsFollowChangesAndApply() {
    QPushButton* apply = button(u"btnApply"_s);
    QPushButton* ok = button(u"btnOK"_s);
    const auto buttonsEnabled = [&] {
        return std::pair{apply->isEnabled(), ok->isEnabled()};
    };

    dialog->show();
    QCOMPARE(buttonsEnabled(), std::pair(false, false));

    QTest::keyClick(spin(u"spinRollover"_s), Qt::Key_Up);
    QCOMPARE(spin(u"spinRollover"_s)->value(), 3);
    QCOMPARE(buttonsEnabled(), std::pair(true, true));
    QCOMPARE(keypad->KeyRollOver(), 2);

    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(keypad->KeyRollOver(), 3);
    QCOMPARE(applied->count(), 1);
    QCOMPARE(buttonsEnabled(), std::pair(false, true));
    QVERIFY(dialog->isVisible());

    clickRadio(u"rbLedLevel"_s);
    QCOMPARE(buttonsEnabled(), std::pair(true, true));

    // OK stores every control again, also what Apply has already stored.
    keypad->SetKeyRollOver(5);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(keypad->KeyRollOver(), 3);
    QCOMPARE(keypad->LEDBehavior(), ledLevel);
    QCOMPARE(applied->count(), 2);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());

    // The next showing loads the definition again and opens unchanged.
    keypad->SetKeyRollOver(6);
    dialog->show();
    QCOMPARE(spin(u"spinRollover"_s)->value(), 6);
    QCOMPARE(buttonsEnabled(), std::pair(false, false));
    dialog->hide();
}

void ParamsTest::cancelAndCloseBoxStoreNothingMore_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::addColumn<bool>("appliedBefore");
    QTest::newRow("Cancel") << false << false;
    QTest::newRow("close box") << true << false;
    QTest::newRow("Cancel after Apply") << false << true;
    QTest::newRow("close box after Apply") << true << true;
}

void ParamsTest::cancelAndCloseBoxStoreNothingMore() {
    QFETCH(bool, closeBox);
    QFETCH(bool, appliedBefore);
    setParameters(*keypad, someParameters);
    Parameters expected = someParameters;

    const int result = ExecWith(*dialog, [&] {
        QTest::keyClick(spin(u"spinDownloadDelay"_s), Qt::Key_Up);
        if (appliedBefore) {
            QTest::mouseClick(button(u"btnApply"_s), Qt::LeftButton);
            expected.delay = 31;
        }
        clickRadio(u"rbHostHID"_s);
        list(u"cboxBaudRate"_s)->setCurrentIndex(0);
        QTest::keyClick(spin(u"spinRollover"_s), Qt::Key_Down);
        if (closeBox)
            dialog->close();
        else
            QTest::mouseClick(button(u"btnCancel"_s), Qt::LeftButton);
    });

    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(parametersOf(*keypad), expected);
    QCOMPARE(applied->count(), appliedBefore ? 1 : 0);
}

void ParamsTest::enterAndEscapePressNoButton() {
    setParameters(*keypad, someParameters);
    bool stillOpen = false;

    const int result = ExecWith(*dialog, [&] {
        QSpinBox* rollover = spin(u"spinRollover"_s);
        QTest::keyClick(rollover, Qt::Key_Up);
        QTest::keyClick(rollover, Qt::Key_Return);
        QTest::keyClick(rollover, Qt::Key_Enter);
        QTest::keyClick(button(u"btnOK"_s), Qt::Key_Return);
        QTest::keyClick(rollover, Qt::Key_Escape);
        stillOpen = dialog->isVisible();
    });

    QVERIFY(stillOpen);
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(parametersOf(*keypad), someParameters);
    QCOMPARE(applied->count(), 0);
}

void ParamsTest::cdcControlsFollowTheHostMode() {
    setParameters(*keypad, someParameters);
    dialog->show();
    QVERIFY(cdcControlsEnabled());

    clickRadio(u"rbHostHID"_s);
    QVERIFY(!cdcControlsEnabled());
    clickRadio(u"rbHostDefaultCDC"_s);
    QVERIFY(cdcControlsEnabled());
    QTest::keyClick(spin(u"spinCdcSerialNo"_s), Qt::Key_Up);
    clickRadio(u"rbHostVentrix"_s);
    QVERIFY(!cdcControlsEnabled());

    // The serial number shown is stored also while it cannot be edited.
    QTest::mouseClick(button(u"btnApply"_s), Qt::LeftButton);
    QCOMPARE(keypad->OpMode(), 32);
    QCOMPARE(keypad->CdcSerialNo(), 43);
    dialog->hide();

    // Each showing sets the CDC controls by the stored host mode.
    keypad->SetOpMode(0);
    dialog->show();
    QVERIFY(cdcControlsEnabled());
    dialog->hide();
    keypad->SetOpMode(48);
    dialog->show();
    QVERIFY(!cdcControlsEnabled());
    dialog->hide();
}

void ParamsTest::spinTextThatIsNotANumberReadsAsTheMinimum() {
    setParameters(*keypad, someParameters);
    dialog->show();

    for (const QString& name : {u"spinRollover"_s, u"spinDownloadDelay"_s}) {
        QTest::keyClick(spin(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(spin(name), Qt::Key_Delete);
        QCOMPARE(spin(name)->text(), QString());
    }
    QVERIFY(button(u"btnApply"_s)->isEnabled());
    QTest::mouseClick(button(u"btnApply"_s), Qt::LeftButton);

    QCOMPARE(keypad->KeyRollOver(), 1);
    QCOMPARE(keypad->DownloadDelay(), 0);
    QCOMPARE(spin(u"spinRollover"_s)->text(), u"1"_s);
    dialog->hide();
}

void ParamsTest::keyboardOrder() {
    QStringList order;
    const QWidget* first = button(u"btnCancel"_s);
    const QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->objectName().startsWith(u"qt_"))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);

    const QStringList expected{u"btnCancel"_s,
                               u"spinRollover"_s,
                               u"rbLedOff"_s,
                               u"rbLedLevel"_s,
                               u"rbLedHostCtrl"_s,
                               u"rbLedPower"_s,
                               u"spinCharacterPacing"_s,
                               u"spinDownloadDelay"_s,
                               u"cboxBaudRate"_s,
                               u"cboxWordFormat"_s,
                               u"btnApply"_s,
                               u"btnOK"_s,
                               u"rbHostDefaultCDC"_s,
                               u"spinCdcSerialNo"_s,
                               u"rbHostVentrix"_s,
                               u"rbHostHID"_s};
    QCOMPARE(order, expected);
    QCOMPARE(dialog->focusWidget(), first);
}

void ParamsTest::controlsFitAndDialogOpensCentred() {
    dialog->show();
    QCOMPARE(dialog->size(), QSize(544, 291));
    VerifyEveryControlFits(*dialog);
    VerifyCentredOnScreen(*dialog);
    dialog->hide();
}

KW24_GUI_TEST(ParamsTest);

#include "ParamsTest.moc"
