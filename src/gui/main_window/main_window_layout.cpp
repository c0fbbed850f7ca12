// The controls of the main window with their captions, fonts, sizes and initial states.
// Positions are fixed in device-independent pixels, so the window scales as one piece.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

#include "main_window/main_window.hpp"
#include "widgets/fixed_pitch_memo.hpp"
#include "widgets/fonts.hpp"
#include "widgets/group_frames.hpp"

namespace orvikel::gui {

namespace {

const QColor kLightGreen(192, 220, 192);
const QColor kSkyBlue(166, 202, 240);

QFrame* MakePanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, kLightGreen);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry);
    return panel;
}

template <class Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLineEdit* MakeBox(QWidget* parent, const char* name, const QRect& geometry, const QFont& font) {
    auto* box = Place(new QLineEdit(parent), name, geometry);
    box->setReadOnly(true);
    box->setFont(font);
    box->setTextMargins(1, 0, 1, 0);
    return box;
}

FixedPitchMemo* MakeMemo(QWidget* parent, const char* name, const QRect& geometry, int pixels) {
    auto* memo = Place(new FixedPitchMemo(parent, pixels), name, geometry);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return memo;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
    auto* button = Place(new QRadioButton(caption, parent), name, geometry);
    return button;
}

QButtonGroup* Group(QObject* owner, std::initializer_list<QAbstractButton*> buttons) {
    auto* group = new QButtonGroup(owner);
    for (QAbstractButton* button : buttons) {
        group->addButton(button);
    }
    return group;
}

// Cells are drawn two pixels from the left edge and cut at the right one, never elided: the
// columns are as narrow as their fixed-width texts.
class GridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        const QString text = background.text;
        background.text.clear();
        QStyledItemDelegate::paint(painter, background, QModelIndex());
        painter->save();
        painter->setClipRect(option.rect);
        painter->setFont(option.font);
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter->restore();
    }
};

QPixmap ProgramIcon() {
    QPixmap pixmap(33, 33);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 110, 60));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 31, 31), 6, 6);
    painter.setPen(Qt::white);
    QFont font = ProportionalFont(13);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 33, 33), Qt::AlignCenter, QStringLiteral("KEL"));
    return pixmap;
}

}  // namespace

void MainWindow::BuildLayout() {
    setWindowTitle(QStringLiteral("OrviKEL Viewer 5.01"));
    setFont(ProportionalFont(12));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainForm"));
    central->setStyleSheet(GroupFrameStyle());
    setCentralWidget(central);
    // The client area the three panels tile exactly at the first size; it may grow from there.
    central->setMinimumSize(kFirstClientSize);
    central->resize(kFirstClientSize);
    QFrame* raceCard = BuildRaceCardPanel(central);
    QFrame* choice = BuildChoicePanel(central);
    QFrame* odds = BuildOddsPanel(central);
    BuildStretch(raceCard, choice, odds);
    central->installEventFilter(this);

    // The vote totals the lists show as hints, readable without hovering.
    voteTotals_ = new QLabel(this);
    voteTotals_->setObjectName(QStringLiteral("LabelVoteTotals"));
    voteTotals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(voteTotals_, 1);
}

void MainWindow::BuildStretch(QFrame* raceCard, QFrame* choice, QFrame* odds) {
    // Extra width goes to the grid and to the five lists in proportion to their widths; extra
    // height to the lists, lists 1-3 sharing theirs with the results memo below them.
    constexpr std::array<double, 6> kListWidth{0, 126, 166, 222, 166, 190};
    constexpr double kAllLists = 126 + 166 + 222 + 166 + 190;
    stretch_.Add(raceCard, {.width = 1});
    stretch_.Add(editTokubetu_, {.width = 1});
    stretch_.Add(grid_, {.width = 1});
    stretch_.Add(choice, {.left = 1});
    stretch_.Add(odds, {.width = 1, .height = 1});
    double before = 0;
    for (int n = 1; n <= 5; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const double share = kListWidth[i] / kAllLists;
        const double height = n <= 3 ? 0.5 : 1.0;
        stretch_.Add(gbOdds_[i], {.left = before, .width = share, .height = height});
        stretch_.Add(memo_[i], {.width = share, .height = height});
        before += share;
    }
    const double firstThree = (kListWidth[1] + kListWidth[2] + kListWidth[3]) / kAllLists;
    stretch_.Add(memoSeiseki_, {.top = 0.5, .width = firstThree, .height = 0.5});
    stretch_.Add(panelBoxWheel_, {.left = kListWidth[5] / kAllLists});
}

QFrame* MainWindow::BuildRaceCardPanel(QWidget* parent) {
    QFrame* panel = MakePanel(parent, "PanelDE", QRect(0, 0, 874, 384));
    auto* image = Place(new QLabel(panel), "Image1", QRect(4, 4, 33, 33));
    image->setPixmap(ProgramIcon());

    editYMDR_ = MakeBox(panel, "EditYMDR", QRect(42, 4, 400, 22), FixedFont(16));
    QPalette yellow = editYMDR_->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    editYMDR_->setPalette(yellow);
    editTokubetu_ = MakeBox(panel, "EditTokubetu", QRect(446, 4, 424, 22), FixedFont(16));
    editJikoku_ = MakeBox(panel, "EditJikoku", QRect(42, 29, 150, 20), FixedFont(13));
    editJyouken_ = MakeBox(panel, "EditJyouken", QRect(196, 29, 366, 20), FixedFont(13));
    editCourse_ = MakeBox(panel, "EditCourse", QRect(566, 29, 120, 20), ProportionalFont(12));
    editKyori_ = MakeBox(panel, "EditKyori", QRect(690, 29, 46, 20), ProportionalFont(12));
    Place(new QLabel(QStringLiteral("ｍ"), panel), "Label1", QRect(739, 29, 14, 20));
    Place(new QLabel(QStringLiteral("頭数"), panel), "Label2", QRect(760, 29, 28, 20));
    editTousuu_ = MakeBox(panel, "EditTousuu", QRect(790, 29, 36, 20), ProportionalFont(12));

    rbSortT_ = MakeRadio(panel, "RBSortT", QStringLiteral("単勝人気順"), QRect(42, 52, 96, 18));
    rbNorT_ = MakeRadio(panel, "RBNorT", QStringLiteral("通常"), QRect(142, 52, 60, 18));
    rbNorT_->setChecked(true);
    Group(this, {rbSortT_, rbNorT_});
    rbSortT_->hide();
    rbNorT_->hide();

    BuildGrid(panel);
    BuildLiveControls(panel);
    return panel;
}

void MainWindow::BuildGrid(QWidget* parent) {
    static const char* const kTitles[kGridColumns] = {"枠",     "馬番",   "単勝[人気]", "複勝",
                                                      "馬名",   "馬体重", "増減",       "見習",
                                                      "騎手名", "重量",   "記事"};
    static constexpr int kWidths[kGridColumns] = {18, 34, 83, 100, 153, 51, 38, 33, 120, 36, 170};
    constexpr int kRowHeight = 16;

    grid_ = Place(new QTableWidget(kGridRows, kGridColumns, parent), "DEGrid",
                  QRect(4, 72, 866, 2 + (kGridRows + 1) * kRowHeight));
    grid_->setFont(FixedFont(15));
    grid_->setItemDelegate(new GridDelegate(grid_));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setShowGrid(true);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideNone);
    grid_->setCornerButtonEnabled(false);
    // A horizontal scroll bar would cover horse 18: widened columns are reached by keyboard or
    // by making the window wider instead.
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* titles = grid_->horizontalHeader();
    titles->setFont(FixedFont(15));
    titles->setMinimumSectionSize(8);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setHighlightSections(false);
    titles->setFixedHeight(kRowHeight);
    titles->setStyleSheet(
        QStringLiteral(
            "QHeaderView::section { background-color: %1; color: black; padding: 0px 0px 0px 2px;"
            " border: none; border-right: 1px solid gray; border-bottom: 1px solid gray; }")
            .arg(kSkyBlue.name()));
    for (int c = 0; c < kGridColumns; ++c) {
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(kTitles[c])));
        grid_->setColumnWidth(c, kWidths[c]);
        for (int r = 0; r < kGridRows; ++r) {
            auto* item = new QTableWidgetItem();
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            grid_->setItem(r, c, item);
        }
    }
}

QFrame* MainWindow::BuildChoicePanel(QWidget* parent) {
    QFrame* panel = MakePanel(parent, "PanelPAD", QRect(874, 0, 127, 385));
    auto* venues =
        Place(new QGroupBox(QStringLiteral("場名"), panel), "GBjyoumei", QRect(4, 2, 119, 114));
    venueGroup_ = new QButtonGroup(this);
    for (int k = 1; k <= kMeetingSlots; ++k) {
        const QByteArray name = "RBkaisai" + QByteArray::number(k);
        venue_[static_cast<std::size_t>(k)] =
            MakeRadio(venues, name.constData(), QString(), QRect(8, 16 + 16 * (k - 1), 105, 16));
        venueGroup_->addButton(venue_[static_cast<std::size_t>(k)], k);
    }

    gbR_ = Place(new QGroupBox(QStringLiteral("レース"), panel), "GBR", QRect(4, 118, 62, 265));
    raceGroup_ = new QButtonGroup(this);
    for (int r = 1; r <= kRaces; ++r) {
        // A small gap after 5R, 10R and 11R.
        const int gaps = (r > 5 ? 1 : 0) + (r > 10 ? 1 : 0) + (r > 11 ? 1 : 0);
        const QByteArray name = QByteArray("RBR") + (r < 10 ? "0" : "") + QByteArray::number(r);
        const QString caption = QStringLiteral("%1R").arg(r, 2);
        auto* button = MakeRadio(gbR_, name.constData(), caption,
                                 QRect(6, 14 + 20 * (r - 1) + 3 * gaps, 54, 20));
        button->setFont(FixedFont(19));
        race_[static_cast<std::size_t>(r)] = button;
        raceGroup_->addButton(button, r);
    }
    gbR_->hide();

    buttonSetting_ = Place(new QPushButton(QStringLiteral("設定"), panel), "ButtonSetting",
                           QRect(70, 126, 53, 30));
    upDate_ =
        Place(new QPushButton(QStringLiteral("更新"), panel), "UpDate", QRect(70, 162, 53, 30));
    buttonHyou_ =
        Place(new QPushButton(QStringLiteral("票数"), panel), "ButtonHyou", QRect(70, 198, 53, 30));
    buttonHyou_->hide();
    buttonEnd_ =
        Place(new QPushButton(QStringLiteral("終了"), panel), "ButtonEND", QRect(70, 349, 53, 30));
    return panel;
}

QFrame* MainWindow::BuildOddsPanel(QWidget* parent) {
    QFrame* panel = MakePanel(parent, "PanelODDS", QRect(0, 384, 1001, 384));
    struct ListBox {
        QRect box;
        QSize memo;
    };
    // The two right-hand lists reach down beside the trio panel and its points.
    static constexpr int kTallBox = 374;
    const std::array<ListBox, 6> lists{{{},
                                        {QRect(2, 2, 130, 261), QSize(126, 216)},
                                        {QRect(134, 2, 170, 261), QSize(166, 216)},
                                        {QRect(306, 2, 226, 261), QSize(222, 216)},
                                        {QRect(534, 2, 170, kTallBox), QSize(166, 329)},
                                        {QRect(706, 2, 293, kTallBox), QSize(190, 329)}}};
    for (int n = 1; n <= 5; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const QByteArray number = QByteArray::number(n);
        gbOdds_[i] = Place(new QGroupBox(panel), ("GBOdds" + number).constData(), lists[i].box);
        memo_[i] = MakeMemo(gbOdds_[i], ("MemoOdds" + number).constData(),
                            QRect(QPoint(n == 5 ? 1 : 2, 40), lists[i].memo), 16);
        const int norLeft = n == 1 ? 66 : 88;
        rbSort_[i] = MakeRadio(gbOdds_[i], ("RBSort" + number).constData(),
                               QStringLiteral("人気順"), QRect(8, 16, 58, 17));
        rbNor_[i] = MakeRadio(gbOdds_[i], ("RBNor" + number).constData(), QStringLiteral("通常"),
                              QRect(norLeft, 16, 56, 17));
        rbNor_[i]->setChecked(true);
        rbSort_[i]->hide();
        rbNor_[i]->hide();
    }
    for (int n = 1; n <= 4; ++n) {
        const auto i = static_cast<std::size_t>(n);
        Group(this, {rbSort_[i], rbNor_[i]});
    }
    rbBox_ = MakeRadio(gbOdds_[5], "RBBox", QStringLiteral("BOX"), QRect(168, 16, 49, 17));
    rbWheel_ = MakeRadio(gbOdds_[5], "RBWheel", QStringLiteral("総流し"), QRect(224, 16, 57, 17));
    rbBox_->hide();
    rbWheel_->hide();
    // The trio view is one choice of four: popularity list, number list, BOX or total wheel.
    Group(this, {rbSort_[5], rbNor_[5], rbBox_, rbWheel_});

    // the results take the height the right-hand lists grew by
    memoSeiseki_ = MakeMemo(panel, "MemoSeiseki", QRect(4, 264, 528, 119), 13);
    BuildBoxWheelPanel(gbOdds_[5]);
    return panel;
}

void MainWindow::BuildBoxWheelPanel(QGroupBox* trioBox) {
    panelBoxWheel_ = MakePanel(trioBox, "PanelBoxWheel", QRect(194, 40, 95, 330));
    // The notes stand at left 8 unless the installed font needs more room to show them whole.
    const auto note = [this](const QString& text, const char* name, int top, int height) {
        auto* label = new QLabel(text, panelBoxWheel_);
        const int width = label->sizeHint().width();
        const int room = panelBoxWheel_->width() - panelBoxWheel_->frameWidth();
        const int left = std::max(panelBoxWheel_->frameWidth() + 1, std::min(8, room - width));
        Place(label, name, QRect(left, top, std::max(width, room - left), height));
    };
    note(QStringLiteral("馬番選択パネル"), "Label3", 8, 16);
    for (int n = 1; n <= kHorses; ++n) {
        const QByteArray name = QByteArray("CB") + (n < 10 ? "0" : "") + QByteArray::number(n);
        const QRect geometry =
            n < 10 ? QRect(8, 24 + 16 * (n - 1), 33, 17) : QRect(48, 24 + 16 * (n - 10), 41, 17);
        auto* box =
            Place(new QCheckBox(QString::number(n), panelBoxWheel_), name.constData(), geometry);
        box->setFont(ProportionalFont(16));
        cb_[static_cast<std::size_t>(n)] = box;
    }
    rbBWSort_ =
        MakeRadio(panelBoxWheel_, "RBBWSort", QStringLiteral("人 気 順"), QRect(14, 176, 75, 17));
    rbBWNor_ =
        MakeRadio(panelBoxWheel_, "RBBWNor", QStringLiteral("通     常"), QRect(14, 192, 75, 17));
    rbBWSort_->setFont(ProportionalFont(13));
    rbBWNor_->setFont(ProportionalFont(13));
    rbBWNor_->setChecked(true);
    Group(this, {rbBWSort_, rbBWNor_});
    buttonBWclear_ = Place(new QPushButton(QStringLiteral("ク リ ア"), panelBoxWheel_),
                           "ButtonBWclear", QRect(8, 216, 81, 17));
    note(QStringLiteral("BOXは10点まで"), "Label4", 240, 15);
    note(QStringLiteral("総流しは2点まで"), "Label5", 256, 15);
    // The set's points and combined odds, under the notes and clear of every control; a long
    // combined odds ("合成オッズ 1234.5") wraps before its number rather than being cut.
    labelTrioPoints_ = new QLabel(panelBoxWheel_);
    labelTrioPoints_->setFont(ProportionalFont(11));
    labelTrioPoints_->setWordWrap(true);
    labelTrioPoints_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int frame = panelBoxWheel_->frameWidth();
    Place(labelTrioPoints_, "LabelTrioPoints",
          QRect(frame + 1, 272, panelBoxWheel_->width() - 2 * frame - 1, 56));
    labelTrioPoints_->hide();
    panelBoxWheel_->hide();
}

}  // namespace orvikel::gui
