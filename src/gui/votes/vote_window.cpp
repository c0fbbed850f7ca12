#include "votes/vote_window.hpp"

#include <QPushButton>
#include <QStringList>
#include <exception>

#include "app/seams.hpp"
#include "platform/encoding.hpp"
#include "platform/error_text.hpp"
#include "platform/file_io.hpp"
#include "widgets/copying.hpp"
#include "widgets/fixed_pitch_memo.hpp"
#include "widgets/fonts.hpp"

namespace orvikel::gui {

VoteCountWindow::VoteCountWindow(const std::filesystem::path& programDir, UiSeams& seams,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("HyouForm"));
    setWindowTitle(QStringLiteral("OrviKEL Viewer 発売票数一覧"));
    setFont(ProportionalFont(12));
    setFixedSize(393, 225);

    memo1_ = new FixedPitchMemo(this, 16);
    memo1_->setObjectName(QStringLiteral("Memo1"));
    memo1_->setGeometry(8, 8, 377, 169);
    AttachListMenu(memo1_,
                   ListActions{.copy = [this] { memo1_->copy(); },
                               .copyAll = [this] { CopyToClipboard(memo1_->toPlainText()); },
                               .canCopy = [this] { return memo1_->textCursor().hasSelection(); },
                               .saveCsv = {},
                               .canSaveCsv = {}});

    button1_ = new QPushButton(QStringLiteral("閉じる"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(8, 184, 377, 33);
    button1_->setFont(ProportionalFont(16));
    button1_->setDefault(true);
    connect(button1_, &QPushButton::clicked, this, &QDialog::close);
    setTabOrder(button1_, memo1_);

    try {
        QStringList lines;
        for (const std::string& line : ReadWorkFile(programDir, "QvHyou.dat")) {
            lines.append(QString::fromStdString(text::ToUtf8(line)));
        }
        memo1_->SetLines(lines.join(QLatin1Char('\n')));
    } catch (const std::exception& error) {
        seams.ShowMessage(parent, QString::fromStdString(ErrorTextUtf8(error)));
    }
}

}  // namespace orvikel::gui
