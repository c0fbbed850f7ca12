// Drawing the session's state into the controls. Nothing here decides anything: every text,
// visibility and checked state comes from the session as it stands.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "common/encoding.hpp"
#include "main_window.hpp"

namespace orvikel::gui {

namespace {

QString Text(std::string_view cp932) {
    return QString::fromStdString(text::ToUtf8(cp932));
}

QString HintText(const Hint& hint) {
    if (!hint.show) {
        return QString();
    }
    QString text = Text(hint.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The lines of a list (TextLines) or of the results memo (strings).
template <class Lines>
void SetLines(QPlainTextEdit* memo, const Lines& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) {
        texts.append(Text(line));
    }
    const QString text = texts.join(QLatin1Char('\n'));
    // Unchanged lists keep their scroll position.
    if (memo->toPlainText() != text) {
        memo->setPlainText(text);
    }
}

void SetBox(QLineEdit* box, const std::string& cp932) {
    const QString text = Text(cp932);
    if (box->text() != text) {
        box->setText(text);
        box->setCursorPosition(0);
    }
}

// Checks button, or none of its exclusive group when button is null.
void CheckOnly(QButtonGroup* group, QAbstractButton* button) {
    if (button != nullptr) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* member : group->buttons()) {
        member->setChecked(false);
    }
    group->setExclusive(true);
}

}  // namespace

void TMainForm::Render() {
    RenderHeaderAndLists();
    RenderButtons();
    RenderTrioPanel();
}

void TMainForm::RenderHeaderAndLists() {
    const DisplayState& display = session_.display();
    const RaceHeader& header = display.header;
    SetBox(editYMDR_, header.EditYMDR);
    SetBox(editTokubetu_, header.EditTokubetu);
    SetBox(editJikoku_, header.EditJikoku);
    SetBox(editJyouken_, header.EditJyouken);
    SetBox(editCourse_, header.EditCourse);
    SetBox(editKyori_, header.EditKyori);
    SetBox(editTousuu_, header.EditTousuu);

    grid_->setToolTip(HintText(display.gridHint));
    for (int r = 1; r <= kGridRows; ++r) {
        const GridRow& row = display.grid[static_cast<std::size_t>(r)];
        for (int c = 0; c < kGridColumns; ++c) {
            // The grid's cells come in UTF-8 (full width has no CP932 form for every result).
            grid_->item(r - 1, c)->setText(
                QString::fromStdString(row[static_cast<std::size_t>(c)]));
        }
    }
    for (int n = 1; n <= 5; ++n) {
        const auto i = static_cast<std::size_t>(n);
        gbOdds_[i]->setTitle(Text(display.odds.caption[i]));
        memo_[i]->setToolTip(HintText(display.odds.hint[i]));
        SetLines(memo_[i], display.memo[i]);
    }
    SetLines(memoSeiseki_, display.results);
}

void TMainForm::RenderButtons() {
    const Meetings& meetings = session_.meetings();
    const Selection& selection = session_.selection();
    for (int k = 1; k <= kMeetingSlots; ++k) {
        const Meeting& meeting = meetings.slot[static_cast<std::size_t>(k)];
        QRadioButton* button = venue_[static_cast<std::size_t>(k)];
        button->setText(Text(meeting.Caption));
        button->setVisible(meeting.Visible);
    }
    const int meeting = selection.SelectedMeeting;
    CheckOnly(venueGroup_, meeting >= 1 && meeting <= kMeetingSlots
                               ? venue_[static_cast<std::size_t>(meeting)]
                               : nullptr);

    for (int r = 1; r <= kRaces; ++r) {
        race_[static_cast<std::size_t>(r)]->setVisible(
            selection.RaceButtonVisible[static_cast<std::size_t>(r)]);
    }
    const int checked = session_.CheckedRace();
    CheckOnly(raceGroup_, checked >= 1 && checked <= kRaces
                              ? race_[static_cast<std::size_t>(checked)]
                              : nullptr);

    const bool shown = session_.RaceControlsShown();
    gbR_->setVisible(shown);
    buttonHyou_->setVisible(selection.ButtonHyouVisible);

    const auto popular = [this](OrderList list) {
        return IsPopularityOrder(session_.OrderFlag(list));
    };
    rbSortT_->setVisible(shown);
    rbNorT_->setVisible(shown);
    (popular(OrderList::Grid) ? rbSortT_ : rbNorT_)->setChecked(true);
    for (int n = 1; n <= 5; ++n) {
        const auto i = static_cast<std::size_t>(n);
        rbSort_[i]->setVisible(shown);
        rbNor_[i]->setVisible(shown);
        if (n < 5) {
            (popular(static_cast<OrderList>(n)) ? rbSort_[i] : rbNor_[i])->setChecked(true);
        }
    }
    switch (session_.trioView()) {
        case TrioView::Popular:
            rbSort_[5]->setChecked(true);
            break;
        case TrioView::Number:
            rbNor_[5]->setChecked(true);
            break;
        case TrioView::Box:
            rbBox_->setChecked(true);
            break;
        case TrioView::Wheel:
            rbWheel_->setChecked(true);
            break;
    }
    const bool boxWheel = session_.display().odds.boxWheelVisible;
    rbBox_->setVisible(boxWheel);
    rbWheel_->setVisible(boxWheel);
}

void TMainForm::RenderTrioPanel() {
    panelBoxWheel_->setVisible(session_.TrioPanelVisible());
    for (int n = 1; n <= kHorses; ++n) {
        QCheckBox* box = cb_[static_cast<std::size_t>(n)];
        box->setVisible(session_.SelectableHorse(n));
        box->setChecked(session_.trio().IsTicked(n));
    }
    (IsPopularityOrder(session_.settings().sort.YBWsort) ? rbBWSort_ : rbBWNor_)->setChecked(true);
}

}  // namespace orvikel::gui
