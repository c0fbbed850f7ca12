#pragma once
// A read-only memo of fixed-width lines, each exactly one character cell high. The lists are
// laid out for that pitch; a font's own leading would push the last lines out of view.
#include <QTextEdit>
#include <vector>

class QMimeData;

namespace orvikel::gui {

class FixedPitchMemo : public QTextEdit {
    Q_OBJECT
  public:
    // pixelSize is the height of a character cell of the fixed-pitch font, and so the pitch.
    FixedPitchMemo(QWidget* parent, int pixelSize);

    // Shows text (lines joined by '\n'); an unchanged text keeps the scroll position.
    void SetLines(const QString& text);
    // Tints the background of line i where marks[i] is set (the others stay plain), leaving
    // the text as it is; call it after SetLines.
    void SetLineMarks(const std::vector<bool>& marks, const QColor& colour);
    int linePitch() const { return pitch_; }

  protected:
    // Copies plain text only: the lines are pasted into editors and spreadsheets.
    QMimeData* createMimeDataFromSelection() const override;

  private:
    int pitch_;
};

}  // namespace orvikel::gui
