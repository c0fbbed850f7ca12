#include "widgets/fixed_pitch_memo.hpp"

#include <QMimeData>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "widgets/fonts.hpp"

namespace orvikel::gui {

FixedPitchMemo::FixedPitchMemo(QWidget* parent, int pixelSize)
    : QTextEdit(parent), pitch_(pixelSize) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFont(FixedFont(pixelSize));
    setLineWrapMode(QTextEdit::NoWrap);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    document()->setDocumentMargin(2);
}

void FixedPitchMemo::SetLines(const QString& text) {
    if (toPlainText() == text) {
        return;
    }
    setPlainText(text);
    QTextCursor all(document());
    // One edit, so the lines are laid out once rather than once per line.
    all.beginEditBlock();
    all.select(QTextCursor::Document);
    QTextBlockFormat pitch;
    pitch.setLineHeight(pitch_, QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(pitch);
    all.endEditBlock();
}

void FixedPitchMemo::SetLineMarks(const std::vector<bool>& marks, const QColor& colour) {
    QList<QTextEdit::ExtraSelection> selections;
    QTextBlock block = document()->firstBlock();
    for (std::size_t i = 0; i < marks.size() && block.isValid(); ++i, block = block.next()) {
        if (!marks[i]) {
            continue;
        }
        QTextEdit::ExtraSelection line;
        line.cursor = QTextCursor(block);
        line.format.setBackground(colour);
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        selections.append(line);
    }
    if (selections.isEmpty() && extraSelections().isEmpty()) {
        return;
    }
    setExtraSelections(selections);
}

QMimeData* FixedPitchMemo::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

}  // namespace orvikel::gui
