#include "value/value_window.hpp"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "value/value_table_model.hpp"
#include "widgets/fonts.hpp"

namespace orvikel::gui {

namespace {

struct KindTab {
    const char* name;   // object name of its table
    const char* title;  // the tab's caption
};
// In the order of kValueKinds.
constexpr std::array<KindTab, kValueKinds.size()> kTabs{{{"ValueTablePlace", "複勝"},
                                                         {"ValueTableBracket", "枠連"},
                                                         {"ValueTableQuinella", "馬連"},
                                                         {"ValueTableWide", "ワイド"},
                                                         {"ValueTableExacta", "馬単"},
                                                         {"ValueTableTrio", "３連複"}}};

// A spin box of hundredths shown with two decimals; at its minimum it may read as "なし".
QDoubleSpinBox* MakeSpin(QWidget* parent, const char* name, double low, double high,
                         const QString& none = QString()) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setDecimals(2);
    spin->setRange(low, high);
    spin->setSingleStep(0.05);
    // a value counts once it is entered, not at every key
    spin->setKeyboardTracking(false);
    spin->setSpecialValueText(none);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

int Hundredths(const QDoubleSpinBox* spin) {
    return static_cast<int>(std::lround(spin->value() * 100));
}

QLabel* Label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

}  // namespace

ValueWindow::ValueWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ValueWindow"));
    setWindowTitle(QStringLiteral("理論オッズ"));
    setFont(ProportionalFont(12));
    resize(560, 640);

    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("ValueCaption"));
    layout->addWidget(caption_);

    auto* limits = new QHBoxLayout();
    discount_ = MakeSpin(this, "SpinDiscount", kDiscountMin / 100.0, kDiscountMax / 100.0);
    discount_->setToolTip(
        QStringLiteral("2着・3着の割引 λ (1.00 で Harville、小さいほど人気馬の2・3着を低く見る)"));
    high_ = MakeSpin(this, "SpinHigh", kGapLimitMin / 100.0, kGapLimitMax / 100.0);
    high_->setToolTip(QStringLiteral("乖離がこれ以上を緑にし、妙味で色をつけます"));
    low_ = MakeSpin(this, "SpinLow", kGapLimitMin / 100.0, kGapLimitMax / 100.0);
    low_->setToolTip(QStringLiteral("乖離がこれ以下を灰色にします"));
    limits->addWidget(Label(QStringLiteral("割引λ"), this));
    limits->addWidget(discount_);
    limits->addSpacing(12);
    limits->addWidget(Label(QStringLiteral("緑: 乖離 ≧"), this));
    limits->addWidget(high_);
    limits->addSpacing(12);
    limits->addWidget(Label(QStringLiteral("灰: 乖離 ≦"), this));
    limits->addWidget(low_);
    limits->addStretch(1);
    layout->addLayout(limits);

    auto* filters = new QHBoxLayout();
    minGap_ = MakeSpin(this, "FilterGap", 0, kGapLimitMax / 100.0, QStringLiteral("なし"));
    maxOdds_ = MakeSpin(this, "FilterOdds", 0, 99999.9, QStringLiteral("なし"));
    maxOdds_->setDecimals(1);
    maxOdds_->setSingleStep(1.0);
    filters->addWidget(Label(QStringLiteral("絞り込み: 乖離 ≧"), this));
    filters->addWidget(minGap_);
    filters->addSpacing(12);
    filters->addWidget(Label(QStringLiteral("オッズ ≦"), this));
    filters->addWidget(maxOdds_);
    filters->addStretch(1);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("ValueCount"));
    filters->addWidget(count_);
    layout->addLayout(filters);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("ValueTabs"));
    layout->addWidget(tabs_, 1);
    for (std::size_t k = 0; k < kValueKinds.size(); ++k) {
        models_[k] = new ValueTableModel(kValueKinds[k], this);
        filters_[k] = new ValueFilter(this);
        filters_[k]->setSourceModel(models_[k]);
        auto* table = new QTableView(tabs_);
        table->setObjectName(QString::fromLatin1(kTabs[k].name));
        table->setModel(filters_[k]);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setFont(FixedFont(13));
        table->verticalHeader()->hide();
        table->verticalHeader()->setDefaultSectionSize(18);
        table->horizontalHeader()->setDefaultSectionSize(88);
        table->horizontalHeader()->setStretchLastSection(true);
        table->setSortingEnabled(true);
        table->sortByColumn(ValueTableModel::Combination, Qt::AscendingOrder);
        tables_[k] = table;
        tabs_->addTab(table, QString::fromUtf8(kTabs[k].title));
    }

    auto* note = new QLabel(
        QStringLiteral("理論オッズ = 払戻率 ÷ 単勝オッズから求めた的中確率。"
                       "乖離 = オッズ ÷ 理論オッズ (ワイド・複勝は下限)。1 を超えると単勝に比べて"
                       "よくつくオッズです。"),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);

    for (QDoubleSpinBox* spin : {discount_, high_, low_}) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] { LimitEdited(); });
    }
    for (QDoubleSpinBox* spin : {minGap_, maxOdds_}) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] { ApplyFilters(); });
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { ApplyFilters(); });
}

void ValueWindow::Show(const ValueShown& shown, const QString& caption) {
    caption_->setText(caption);
    {
        // the values come from the settings: no change of the user's to hand back
        const QSignalBlocker a(discount_);
        const QSignalBlocker b(high_);
        const QSignalBlocker c(low_);
        discount_->setValue(shown.settings.discount / 100.0);
        high_->setValue(shown.settings.high / 100.0);
        low_->setValue(shown.settings.low / 100.0);
    }
    for (std::size_t k = 0; k < kValueKinds.size(); ++k) {
        models_[k]->SetLines(shown.lines[k], shown.settings.high, shown.settings.low);
    }
    ApplyFilters();
}

void ValueWindow::LimitEdited() {
    emit LimitsChanged(Hundredths(discount_), Hundredths(high_), Hundredths(low_));
}

void ValueWindow::ApplyFilters() {
    const auto minGap = static_cast<qint64>(Hundredths(minGap_));
    const auto maxOdds = static_cast<qint64>(std::lround(maxOdds_->value() * 10));
    for (ValueFilter* filter : filters_) {
        filter->SetLimits(minGap, maxOdds);
    }
    const auto k = static_cast<std::size_t>(std::max(0, tabs_->currentIndex()));
    count_->setText(
        QStringLiteral("%1 / %2 点").arg(filters_[k]->rowCount()).arg(models_[k]->rowCount()));
}

}  // namespace orvikel::gui
