// Drawing the session's state into the controls. Nothing here decides anything: every text,
// visibility and checked state comes from the session as it stands.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>

#include "main_window/main_window.hpp"
#include "platform/encoding.hpp"
#include "widgets/fixed_pitch_memo.hpp"

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

// The totals of the hints that are switched on, in the order of the bet types, each without the
// blanks that align it in the summary, so that all seven fit on one line.
QString VoteTotalsLine(const DisplayState& display) {
    QStringList totals;
    const auto add = [&totals](const Hint& hint) {
        if (!hint.show) {
            return;
        }
        static const QRegularExpression kPadding(QStringLiteral("[ \u3000]+"));
        for (QString line : HintText(hint).split(QLatin1Char('\n'))) {
            totals.append(line.remove(kPadding));
        }
    };
    add(display.gridHint);
    for (const OrderList list : kOddsLists) {
        add(display.odds.hint[list]);
    }
    return totals.join(QStringLiteral("　"));
}

// The lines of a list (TextLines) or of the results memo (strings).
template <class Lines>
void SetLines(FixedPitchMemo* memo, const Lines& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) {
        texts.append(Text(line));
    }
    memo->SetLines(texts.join(QLatin1Char('\n')));
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

void MainWindow::Render() {
    RenderHeaderAndLists();
    RenderButtons();
    RenderTrioPanel();
    RenderLive();
    RenderValue();
}

void MainWindow::RenderHeaderAndLists() {
    const DisplayState& display = session_.display();
    const RaceHeader& header = display.header;
    SetBox(editYMDR_, header.dateLine);
    SetBox(editTokubetu_, header.raceName);
    SetBox(editJikoku_, header.postTime);
    SetBox(editJyouken_, header.conditions);
    SetBox(editCourse_, header.course);
    SetBox(editKyori_, header.distance);
    SetBox(editTousuu_, header.runners);

    grid_->setToolTip(HintText(display.gridHint));
    for (int r = 1; r <= kGridRows; ++r) {
        const GridRow& row = display.grid[r];
        for (int c = 0; c < kGridColumns; ++c) {
            // The grid's cells come in UTF-8 (full width has no CP932 form for every result).
            grid_->item(r - 1, c)->setText(
                QString::fromStdString(row[static_cast<std::size_t>(c)]));
        }
    }
    for (int n = 1; n <= 5; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const auto list = static_cast<OrderList>(n);
        gbOdds_[i]->setTitle(Text(display.odds.caption[list]));
        memo_[i]->setToolTip(HintText(display.odds.hint[list]));
        SetLines(memo_[i], display.oddsLines[list]);
    }
    SetLines(memoSeiseki_, display.results);
    voteTotals_->setText(VoteTotalsLine(display));
}

void MainWindow::RenderButtons() {
    const Meetings& meetings = session_.meetings();
    const Selection& selection = session_.selection();
    for (int k = 1; k <= kMeetingSlots; ++k) {
        const Meeting& meeting = meetings.slot[k];
        QRadioButton* button = venue_[static_cast<std::size_t>(k)];
        button->setText(Text(meeting.Caption));
        button->setVisible(meeting.Visible);
    }
    const int meeting = selection.SelectedMeeting;
    CheckOnly(venueGroup_, meeting >= 1 && meeting <= kMeetingSlots
                               ? venue_[static_cast<std::size_t>(meeting)]
                               : nullptr);

    for (int r = 1; r <= kRaces; ++r) {
        race_[static_cast<std::size_t>(r)]->setVisible(selection.RaceButtonVisible[r]);
    }
    const int checked = session_.CheckedRace();
    CheckOnly(raceGroup_, checked >= 1 && checked <= kRaces
                              ? race_[static_cast<std::size_t>(checked)]
                              : nullptr);

    const bool shown = session_.RaceControlsShown();
    gbR_->setVisible(shown);
    buttonHyou_->setVisible(selection.VoteButtonVisible);

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

void MainWindow::RenderTrioPanel() {
    panelBoxWheel_->setVisible(session_.TrioPanelVisible());
    for (int n = 1; n <= kHorses; ++n) {
        QCheckBox* box = cb_[static_cast<std::size_t>(n)];
        box->setVisible(session_.SelectableHorse(n));
        box->setChecked(session_.trio().IsTicked(n));
    }
    (IsPopularityOrder(session_.settings().sort.YBWsort) ? rbBWSort_ : rbBWNor_)->setChecked(true);
    const std::optional<TrioPoints> points = session_.TrioSetPoints();
    labelTrioPoints_->setVisible(points.has_value());
    QStringList lines;
    if (points) {
        for (const std::string& line : TrioPointsLines(*points)) {
            lines.append(Text(line));
        }
    }
    labelTrioPoints_->setText(lines.join(QLatin1Char('\n')));
}

}  // namespace orvikel::gui
