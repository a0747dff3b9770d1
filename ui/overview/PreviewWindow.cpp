#include "ui/overview/PreviewWindow.h"

#include "files/KeypadCheck.h"
#include "model/KeyboardLayout.h"
#include "ui/ProgramFont.h"
#include "ui/overview/DeferredRedraw.h"
#include "ui/overview/StepsTable.h"
#include "ui/overview/TimelineBar.h"
#include "ui/overview/WrappedText.h"

#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <span>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// The bytes from from on (count of them at most) as hexadecimal pairs with a blank between.
QString hexBytes(const std::vector<std::uint8_t>& bytes, std::size_t from = 0,
                 std::size_t count = std::string::npos) {
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const std::size_t end = from + std::min(count, bytes.size() - std::min(from, bytes.size()));
    QString text;
    for (std::size_t i = from; i < end; ++i) {
        if (i > from)
            text += u' ';
        text += QChar(digits[bytes[i] >> 4]);
        text += QChar(digits[bytes[i] & 0x0F]);
    }
    return text;
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The text a macro types: plain characters as themselves, named keys and marks in brackets on a
// tinted ground. With a layout, a dead key and the space after it make the bare mark, so the space does
// not show.
struct TypedText {
    QString text;
    QList<QTextLayout::FormatRange> spans;
};

QTextLayout::FormatRange span(int start, int length, QColor background, QColor foreground, bool italic) {
    QTextLayout::FormatRange range;
    range.start = start;
    range.length = length;
    range.format.setBackground(background);
    range.format.setForeground(foreground);
    range.format.setFontItalic(italic);
    return range;
}

TypedText typedText(const MacroPlayback& playback, std::uint8_t prefix, const LayoutTable* layout) {
    TypedText typed;
    bool afterDeadKey = false;
    for (const PlaybackStep& step : playback.steps) {
        const bool character = step.kind == PlaybackStep::Kind::Character;
        if (std::exchange(afterDeadKey, false) && character && step.value == ' ')
            continue;
        afterDeadKey = character && layout && IsDeadKeyCharacter(*layout, step.value);
        const StepText shown = DescribeStep(step, prefix, layout);
        const QString text = QString::fromStdString(shown.text);
        if (!shown.isName) {
            typed.text += text;
            continue;
        }
        const auto start = static_cast<int>(typed.text.size());
        typed.text += u'[' + text + u']';
        const auto length = static_cast<int>(typed.text.size()) - start;
        typed.spans << (character
                            ? span(start, length, QColor(0xdd, 0xe6, 0xf3), QColor(0x1c, 0x3a, 0x6a), false)
                            : span(start, length, QColor(0xf3, 0xe6, 0xd6), QColor(0x7a, 0x3a, 0x10), true));
    }
    return typed;
}

// Shows text in a cell of table, reusing the cell's item: an item given its present text again
// repaints nothing, so a typed character repaints only the rows it changed.
void showInCell(QTableWidget& table, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = table.item(row, column)) {
        item->setText(text);
        return;
    }
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    table.setItem(row, column, item);
}

} // namespace

TfrmPreview::TfrmPreview(const TKeypadClass& keypad, std::shared_ptr<KeypadFindings> findings,
                         QWidget* parent)
    : QWidget(parent, Qt::Window)
    , fKeypad(keypad)
    , fFindings(std::move(findings)) {
    setObjectName(u"frmPreview"_s);
    fRedraw = new TDeferredRedraw(*this, [this] { Redraw(); });
    setWindowTitle(u"Keywright24 - Preview"_s);
    setFont(ProgramFont());
    resize(560, 560);

    lblPreviewKey = heading({}, this);
    lblPreviewKey->setObjectName(u"lblPreviewKey"_s);
    lblPreviewBytes = new TWrappedText(this);
    lblPreviewBytes->setObjectName(u"lblPreviewBytes"_s);
    lblPreviewTyped = new TWrappedText(this);
    lblPreviewTyped->setObjectName(u"lblPreviewTyped"_s);
    barTimeline = new TTimelineBar(this);
    barTimeline->setObjectName(u"barTimeline"_s);
    lblPlayTime = new TWrappedText(this);
    lblPlayTime->setObjectName(u"lblPlayTime"_s);
    gridSteps = new TStepsTable(3, this);
    gridSteps->setObjectName(u"gridSteps"_s);
    gridSteps->setHorizontalHeaderLabels({u"Starts at"_s, u"Step"_s, u"Bytes"_s});
    gridSteps->verticalHeader()->hide();
    gridSteps->horizontalHeader()->setStretchLastSection(true);
    gridSteps->setColumnWidth(0, 80);
    gridSteps->setColumnWidth(1, 200);
    gridSteps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridSteps->verticalHeader()->setDefaultSectionSize(gridSteps->fontMetrics().height() + 6);
    lblPreviewChecks = new QLabel(this);
    lblPreviewChecks->setObjectName(u"lblPreviewChecks"_s);
    lblPreviewChecks->setWordWrap(true);
    lblPreviewChecks->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* column = new QVBoxLayout(this);
    column->addWidget(lblPreviewKey);
    column->addWidget(heading(u"Bytes the keypad receives (as in the download image)"_s, this));
    column->addWidget(lblPreviewBytes);
    lblTypedHeading = heading(u"Typed on a PC with a US layout"_s, this);
    lblTypedHeading->setObjectName(u"lblTypedHeading"_s);
    column->addWidget(lblTypedHeading);
    column->addWidget(lblPreviewTyped);
    column->addWidget(heading(u"Timeline"_s, this));
    column->addWidget(barTimeline);
    column->addWidget(lblPlayTime);
    column->addWidget(gridSteps, 1);
    column->addWidget(heading(u"Checks"_s, this));
    column->addWidget(lblPreviewChecks);
}

void TfrmPreview::Refresh() {
    fRedraw->Refresh();
}

void TfrmPreview::showEvent(QShowEvent* event) {
    fRedraw->Showing();
    QWidget::showEvent(event);
}

void TfrmPreview::Redraw() {
    const int key = fKeypad.Key();
    const int level = fKeypad.Level();
    const std::uint8_t prefix = fKeypad.CmdPrefix();
    QString title = u"Key %1, Level %2"_s.arg(key + 1).arg(level + 1);
    if (const std::string name = fKeypad.GetMacroName(); !name.empty())
        title += u": "_s + QString::fromStdString(name);
    lblPreviewKey->setText(title);

    MacroPlayback playback = PlaySelectedMacro(fKeypad);
    lblPreviewBytes->SetText(playback.bytes.empty() ? u"none (an empty macro)"_s : hexBytes(playback.bytes));
    lblPreviewBytes->setToolTip(
        u"%1 of %2 bytes. In the image the macro's block starts with the count of "
        u"bytes that follow; below %2 bytes a closing 00 ends it."_s.arg(playback.bytes.size())
            .arg(MacroCapacityBytes));
    const LayoutTable* layout = fKeypad.TypingLayout();
    lblTypedHeading->setText(layout ? u"Types on a %1 computer"_s.arg(QString::fromUtf8(layout->name))
                                    : u"Typed on a PC with a US layout"_s);
    if (playback.steps.empty())
        lblPreviewTyped->SetText(u"nothing"_s);
    else {
        const TypedText typed = typedText(playback, prefix, layout);
        lblPreviewTyped->SetText(typed.text, typed.spans);
    }

    gridSteps->SetRowCount(static_cast<int>(playback.steps.size()));
    int row = 0;
    int characters = 0;
    int pauses = 0;
    const bool sameReading = fShownSteps.prefix == prefix && fShownSteps.layout == layout;
    const auto shownAlready = [&](const PlaybackStep& step, std::size_t index) {
        const MacroPlayback& shown = fShownSteps.playback;
        if (!sameReading || index >= shown.steps.size() || shown.steps[index] != step)
            return false;
        const auto bytes = [](const MacroPlayback& of, const PlaybackStep& at) {
            return std::span(of.bytes).subspan(at.firstByte, at.byteCount);
        };
        return std::ranges::equal(bytes(shown, step), bytes(playback, step));
    };
    for (const PlaybackStep& step : playback.steps) {
        if (!shownAlready(step, static_cast<std::size_t>(row))) {
            showInCell(*gridSteps, row, 0, QString::number(step.startMs) + u" ms"_s);
            // A blank alone in a cell looks like nothing at all; the step list names it as the grid does.
            const bool space = step.kind == PlaybackStep::Kind::Character && step.value == ' ';
            showInCell(*gridSteps, row, 1,
                       space ? u"Space"_s : QString::fromStdString(DescribeStep(step, prefix, layout).text));
            showInCell(*gridSteps, row, 2, hexBytes(playback.bytes, step.firstByte, step.byteCount));
        }
        characters += step.kind == PlaybackStep::Kind::Character ? 1 : 0;
        pauses += step.kind == PlaybackStep::Kind::Delay ? step.durationMs : 0;
        ++row;
    }
    QString timing = characters == 1
                         ? u"1 character at %1 ms"_s.arg(playback.pacingMs)
                         : u"%1 characters at %2 ms each"_s.arg(characters).arg(playback.pacingMs);
    if (pauses > 0)
        timing += u", pauses of %1 ms in all"_s.arg(pauses);
    lblPlayTime->SetText(QString::fromStdString(PlayingTimeText(playback.totalMs)) + u"  ("_s + timing +
                         u')');
    fShownSteps = {playback, prefix, layout};
    barTimeline->SetPlayback(std::move(playback));

    QStringList findings;
    for (const DefinitionFinding& finding : fFindings->Of(fKeypad))
        if (finding.key < 0 || (finding.key == key && (finding.level < 0 || finding.level == level)))
            findings << QString::fromStdString(WindowFindingText(finding));
    lblPreviewChecks->setText(findings.isEmpty() ? u"Nothing found."_s : findings.join(u'\n'));
    emit Redrawn();
}
